sb_core_library(sb_ui_core number_messages.cpp)
