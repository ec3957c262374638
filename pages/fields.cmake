# The fields as the panel shows them, by key, over the page value models: for the
# command-line program and the printer emulator.
sb_core_library(sb_pages_fields field_catalogue.cpp shown_text.cpp record_fields.cpp)
target_link_libraries(sb_pages_fields PUBLIC sb_pages_select sb_pages_switch sb_record)
