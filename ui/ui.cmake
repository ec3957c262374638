sb_core_library(sb_ui_text int_text.cpp)
