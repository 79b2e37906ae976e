# Runs one fuzzer for a bounded time over a fresh working corpus in the build tree, made of
# copies of its seeds, so that nothing is written into the source tree. Any crash, leak,
# timeout, memory excess or sanitizer report fails the test.
# -DFUZZER=binary -DSEEDS=dir-or-file,... -DWORK=dir -DSECONDS=n [-DOPTIONS=opt,...]
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
string(REPLACE "," ";" seeds "${SEEDS}")
foreach(seed IN LISTS seeds)
  if(IS_DIRECTORY ${seed})
    file(GLOB files ${seed}/*)
    if(files)
      file(COPY ${files} DESTINATION ${WORK}/corpus)
    endif()
  elseif(EXISTS ${seed})
    file(COPY ${seed} DESTINATION ${WORK}/corpus)
  endif()
endforeach()
string(REPLACE "," ";" options "${OPTIONS}")
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1
                        ${options} -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${status}); the input is in ${WORK}/artifacts")
endif()
