# SPDX-License-Identifier: GPL-3.0-or-later
# The main screen: one animation frame, and the screen's start (model rebuild and first drawing).
if(TARGET heliora_simulation AND TARGET heliora_app)
  heliora_add_bench(main_screen_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/main_screen_bench.cpp
                    LIBS heliora_app heliora_simulation)
endif()
