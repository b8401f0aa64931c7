# SPDX-License-Identifier: GPL-3.0-or-later
# The logbook screen: entering it with 32 entries, and showing another entry.
if(TARGET heliora_logbook_screen AND TARGET heliora_app)
  heliora_add_bench(logbook_screen_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/logbook_screen_bench.cpp
                    LIBS heliora_app heliora_logbook_screen)
endif()
