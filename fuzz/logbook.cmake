# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzers for the logbook's readers: stored records and the time text, whole logbook files
# through every file operation, and the administrator's user list. The logbook sources are
# compiled into each fuzzer so that libFuzzer sees their coverage.
if(TARGET heliora_config AND TARGET heliora_model)
  file(GLOB fuzz_logbook_sources ${PROJECT_SOURCE_DIR}/logbook/*.cpp)
  heliora_add_fuzzer(fuzz_logbook_records SOURCES fuzz_logbook_records.cpp ${fuzz_logbook_sources}
                     LIBS heliora_config heliora_model)
  heliora_add_fuzzer(fuzz_logbook_files SOURCES fuzz_logbook_files.cpp ${fuzz_logbook_sources}
                     LIBS heliora_config heliora_model)
  heliora_add_fuzzer(fuzz_admin_list SOURCES fuzz_admin_list.cpp ${fuzz_logbook_sources}
                     LIBS heliora_config heliora_model)
  foreach(f fuzz_logbook_records fuzz_logbook_files fuzz_admin_list)
    target_include_directories(${f} PRIVATE ${PROJECT_SOURCE_DIR})
  endforeach()
endif()
