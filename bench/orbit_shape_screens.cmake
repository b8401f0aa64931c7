# SPDX-License-Identifier: GPL-3.0-or-later
# The two orbit-shape explanation screens: one animation frame each, and each orbit picture
# drawn anew after a shape change.
if(TARGET heliora_explain AND TARGET heliora_app)
  heliora_add_bench(orbit_shape_screens_bench
                    SOURCES ${CMAKE_CURRENT_LIST_DIR}/orbit_shape_screens_bench.cpp
                    LIBS heliora_app heliora_explain)
endif()
