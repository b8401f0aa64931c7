# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one replay script in a fresh working folder seeded from data/, with the monkey's checks
# after every step, then checks that the program ended in order: the tool succeeded and
# logbook.bin was left empty.
# A script line "# logbook files off" expects no logbook.bin at all instead.
# A script line "# config: OPTIONS" first writes hlra_cfg.bin with heliora-config OPTIONS.
# A script line "# check: FILE TEXT" expects the file FILE of the output folder (written by a
# shot, state, texts or copy step) to contain TEXT; "# check-not: FILE TEXT" expects it not to.
#   cmake -DTOOL=... -DCONFIG_TOOL=... -DSCRIPT=... -DDATA=... -DWORK=... -P run_replay.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/run ${WORK}/out)
file(GLOB seeds ${DATA}/*)
file(COPY ${seeds} DESTINATION ${WORK}/run)
file(STRINGS ${SCRIPT} config_lines ENCODING UTF-8 REGEX "^# config: ")
if(config_lines)
  list(GET config_lines 0 config_line)
  string(REGEX REPLACE "^# config: " "" config_args "${config_line}")
  separate_arguments(config_args UNIX_COMMAND "${config_args}")
  execute_process(COMMAND ${CONFIG_TOOL} write ${WORK}/run/hlra_cfg.bin ${config_args}
                  RESULT_VARIABLE status ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "heliora-config could not write the configuration: ${err}")
  endif()
endif()
# A script line "# folder: NAME" makes a folder of that name in the working folder first.
file(STRINGS ${SCRIPT} folder_lines ENCODING UTF-8 REGEX "^# folder: ")
foreach(line ${folder_lines})
  string(REGEX REPLACE "^# folder: " "" folder "${line}")
  file(MAKE_DIRECTORY ${WORK}/run/${folder})
endforeach()
# A script line "# another copy holds the logbook" runs the program while another process
# holds the folder's logbook lock; the logbook.bin it finds must be left exactly as it was.
file(STRINGS ${SCRIPT} held_elsewhere ENCODING UTF-8 REGEX "^# another copy holds the logbook")
set(holder "")
if(held_elsewhere)
  file(WRITE ${WORK}/run/logbook.bin "the first copy's logbook")
  set(holder flock -o ${WORK}/run/logbook.lck)
endif()
# Pictures and numbers saved with F12 and Ctrl+E stay in the test's own folder.
execute_process(COMMAND ${holder} ${CMAKE_COMMAND} -E env XDG_PICTURES_DIR=${WORK}/pictures
                        ${TOOL} --workdir ${WORK}/run --script ${SCRIPT} --out ${WORK}/out --check
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "heliora-replay ended with ${status}\n${out}${err}")
endif()
file(STRINGS ${SCRIPT} memory_only ENCODING UTF-8 REGEX "^# logbook files off")
if(held_elsewhere)
  file(READ ${WORK}/run/logbook.bin left)
  if(NOT left STREQUAL "the first copy's logbook")
    message(FATAL_ERROR "the first copy's logbook.bin was changed: ${left}")
  endif()
elseif(memory_only)
  # The logbook never left memory: no logbook file may have been touched.
  if(EXISTS ${WORK}/run/logbook.bin)
    message(FATAL_ERROR "logbook.bin was made although the logbook files are off")
  endif()
else()
  if(NOT EXISTS ${WORK}/run/logbook.bin)
    message(FATAL_ERROR "logbook.bin is missing after the program ended")
  endif()
  file(SIZE ${WORK}/run/logbook.bin size)
  if(NOT size EQUAL 0)
    message(FATAL_ERROR "logbook.bin holds ${size} bytes after the program ended")
  endif()
endif()
if(EXISTS ${WORK}/run/logbook.tmp)
  message(FATAL_ERROR "logbook.tmp was left behind")
endif()

# What the script's state, texts and copy steps wrote.
file(STRINGS ${SCRIPT} check_lines ENCODING UTF-8 REGEX "^# check(-not)?: ")
foreach(line ${check_lines})
  string(REGEX MATCH "^# (check|check-not): ([^ ]+) (.*)$" parts "${line}")
  set(kind ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  set(expected "${CMAKE_MATCH_3}")
  if(expected STREQUAL "")
    message(FATAL_ERROR "a check with nothing to look for: ${line}")
  endif()
  if(NOT EXISTS ${WORK}/out/${name})
    message(FATAL_ERROR "${name} was not written (checked by: ${line})")
  endif()
  if(name MATCHES "\\.(txt|json)$")
    file(READ ${WORK}/out/${name} content)
  else()
    # A binary file (a copied logbook): its readable strings.
    file(STRINGS ${WORK}/out/${name} content)
  endif()
  string(FIND "${content}" "${expected}" at)
  if(kind STREQUAL "check" AND at EQUAL -1)
    message(FATAL_ERROR "${name} does not contain \"${expected}\"\n${content}")
  elseif(kind STREQUAL "check-not" AND NOT at EQUAL -1)
    message(FATAL_ERROR "${name} contains \"${expected}\"")
  endif()
endforeach()
