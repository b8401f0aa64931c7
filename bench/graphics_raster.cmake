# SPDX-License-Identifier: GPL-3.0-or-later
# Rasteriser: full-canvas fill, filled ellipses, wide lines, a fill through a region clip.
if(TARGET heliora_graphics)
  heliora_add_bench(graphics_raster_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphics_raster_bench.cpp
                    LIBS heliora_graphics)
endif()
