# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzers for the two coastline readers. The reader's source is compiled into each fuzzer
# so that it carries the fuzzer's coverage instrumentation (the library itself is built
# without it).
heliora_add_fuzzer(fuzz_coast_outline SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_coast_outline.cpp
                   ${PROJECT_SOURCE_DIR}/settings/coast.cpp)
heliora_add_fuzzer(fuzz_coast_map SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_coast_map.cpp
                   ${PROJECT_SOURCE_DIR}/settings/coast.cpp)
target_include_directories(fuzz_coast_outline PRIVATE ${PROJECT_SOURCE_DIR})
target_include_directories(fuzz_coast_map PRIVATE ${PROJECT_SOURCE_DIR})
