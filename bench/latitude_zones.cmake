# SPDX-License-Identifier: GPL-3.0-or-later
# The latitude zones screen: the chart redrawn after a zone click, the globe after a tilt change.
if(TARGET heliora_explain)
  heliora_add_bench(latitude_zones_bench
                    SOURCES ${CMAKE_CURRENT_LIST_DIR}/latitude_zones_bench.cpp
                    LIBS heliora_explain)
endif()
