# SPDX-License-Identifier: GPL-3.0-or-later
# The Select Latitudes screen: one idle step, and one paint of the world map.
if(TARGET heliora_settings AND TARGET heliora_app)
  heliora_add_bench(select_latitudes_bench
                    SOURCES ${CMAKE_CURRENT_LIST_DIR}/select_latitudes_bench.cpp
                    LIBS heliora_app heliora_settings)
endif()
