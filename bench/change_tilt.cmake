# SPDX-License-Identifier: GPL-3.0-or-later
# The Change Tilt screen: a click on the arc (the axis redrawn, 96 globe frames projected) and
# one idle step.
if(TARGET heliora_app)
  heliora_add_bench(change_tilt_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/change_tilt_bench.cpp
                    LIBS heliora_app)
endif()
