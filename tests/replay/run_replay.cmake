# Runs one replay script in a fresh working folder seeded from data/, then checks that the
# program ended in order: the tool succeeded and logbook.bin was left empty.
#   cmake -DTOOL=... -DSCRIPT=... -DDATA=... -DWORK=... -P run_replay.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/run ${WORK}/out)
file(GLOB seeds ${DATA}/*)
file(COPY ${seeds} DESTINATION ${WORK}/run)
execute_process(COMMAND ${TOOL} --workdir ${WORK}/run --script ${SCRIPT} --out ${WORK}/out
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "heliora-replay ended with ${status}\n${out}${err}")
endif()
if(NOT EXISTS ${WORK}/run/logbook.bin)
  message(FATAL_ERROR "logbook.bin is missing after the program ended")
endif()
file(SIZE ${WORK}/run/logbook.bin size)
if(NOT size EQUAL 0)
  message(FATAL_ERROR "logbook.bin holds ${size} bytes after the program ended")
endif()
if(EXISTS ${WORK}/run/logbook.tmp)
  message(FATAL_ERROR "logbook.tmp was left behind")
endif()
