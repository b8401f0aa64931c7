# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzers for what the program reads at start-up: the configuration record, font files and
# its PNG images. The reader's sources are compiled into each fuzzer so that libFuzzer sees
# their coverage.
if(TARGET heliora_config)
  heliora_add_fuzzer(fuzz_config SOURCES fuzz_config.cpp ${PROJECT_SOURCE_DIR}/config/config.cpp)
  target_include_directories(fuzz_config PRIVATE ${PROJECT_SOURCE_DIR})
endif()
if(TARGET heliora_graphics AND TARGET heliora_widgets)
  heliora_add_fuzzer(fuzz_font SOURCES fuzz_font.cpp ${PROJECT_SOURCE_DIR}/graphics/font.cpp
                     LIBS heliora_graphics)
  heliora_add_fuzzer(fuzz_png SOURCES fuzz_png.cpp ${PROJECT_SOURCE_DIR}/graphics/png.cpp
                     ${PROJECT_SOURCE_DIR}/graphics/bitmap.cpp LIBS heliora_widgets heliora_graphics)
  foreach(f fuzz_font fuzz_png)
    target_include_directories(${f} PRIVATE ${PROJECT_SOURCE_DIR})
  endforeach()
endif()
