# SPDX-License-Identifier: GPL-3.0-or-later
# The Change Shape screen: one idle step, with the conversion a present adds.
if(TARGET heliora_app)
  heliora_add_bench(change_shape_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/change_shape_bench.cpp
                    LIBS heliora_app heliora_settings)
endif()
