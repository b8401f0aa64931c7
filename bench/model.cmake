# SPDX-License-Identifier: GPL-3.0-or-later
heliora_add_bench(model_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/model_bench.cpp LIBS heliora_model)
