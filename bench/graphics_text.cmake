# SPDX-License-Identifier: GPL-3.0-or-later
# Text drawing and the palette conversion of a whole canvas for presenting.
if(TARGET heliora_graphics)
  heliora_add_bench(graphics_text_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphics_text_bench.cpp
                    LIBS heliora_graphics)
endif()
