if(WIN32)
  sb_win_library(sb_files_win win_file_store.cpp win_file_dialogs.cpp win_user_folders.cpp)
  target_link_libraries(sb_files_win PUBLIC sb_files sb_ui_win)
endif()
