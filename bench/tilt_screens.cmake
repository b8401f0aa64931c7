# SPDX-License-Identifier: GPL-3.0-or-later
# The two tilt explanation screens: one idle step of each, and recomputing the 48 North Pole
# frames.
if(TARGET heliora_explain AND TARGET heliora_app)
  heliora_add_bench(tilt_screens_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/tilt_screens_bench.cpp
                    LIBS heliora_app heliora_explain)
endif()
