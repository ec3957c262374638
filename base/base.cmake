# Portable helpers every layer may use: the message-box seam, binding tables, integer text
# rules and the number messages, geometry, display-scale arithmetic, the OS version.
sb_core_library(sb_base int_text.cpp number_messages.cpp)
