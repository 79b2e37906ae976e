# Runs the template fuzzer for a bounded time over a fresh corpus seeded with the
# program's own template area. Any crash, leak or sanitizer report fails the test.
# -DFUZZER=binary -DSEED=area.bin -DWORK=dir -DSECONDS=n
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
file(COPY ${SEED} DESTINATION ${WORK}/corpus)
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -print_final_stats=1
                        -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the template fuzzer failed (${status}); see ${WORK}/artifacts")
endif()
