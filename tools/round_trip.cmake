# Dumps a compiled template area, compiles the dump again and compares the bytes.
# -DTC=barvell_tc -DHANDLERS=handlers.def -DAREA=area.bin -DWORK=dir
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${TC} --handlers ${HANDLERS} --dump ${AREA}
                OUTPUT_FILE ${WORK}/dump.tpl RESULT_VARIABLE dump_status)
if(NOT dump_status EQUAL 0)
  message(FATAL_ERROR "dump failed (${dump_status})")
endif()
execute_process(COMMAND ${TC} --handlers ${HANDLERS} --output ${WORK}/again.bin ${WORK}/dump.tpl
                RESULT_VARIABLE compile_status)
if(NOT compile_status EQUAL 0)
  message(FATAL_ERROR "the dump does not compile (${compile_status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${AREA} ${WORK}/again.bin
                RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "the dump compiles to different bytes")
endif()
message(STATUS "round trip: identical bytes")
