sb_core_library(sb_menu menu_template.cpp menu_text.cpp menu_draw.cpp)
