# Runs every kept finding of one fuzzer through it once. Inputs are passed as files, so the
# fuzzer only executes them and writes nothing beside them.
# -DFUZZER=binary -DINPUTS=dir [-DOPTIONS=opt,...]
file(GLOB inputs ${INPUTS}/*)
if(NOT inputs)
  message(STATUS "no kept findings in ${INPUTS}")
  return()
endif()
string(REPLACE "," ";" options "${OPTIONS}")
# -dict is for mutation only; replaying needs the limits.
list(FILTER options EXCLUDE REGEX "^-dict=")
execute_process(COMMAND ${FUZZER} ${options} ${inputs} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "a kept finding fails again (${status})")
endif()
