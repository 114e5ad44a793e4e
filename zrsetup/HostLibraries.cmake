# zrsetup's plain logic as host libraries, for the native tests and fuzz
# targets (the installers themselves are built by the cross builds).
set(zr_journal_dir ${CMAKE_CURRENT_LIST_DIR}/journal)
add_library(zr_journal_plain STATIC
  ${zr_journal_dir}/counted_string.cpp
  ${zr_journal_dir}/install_folders.cpp
  ${zr_journal_dir}/install_journal.cpp
  ${zr_journal_dir}/written_file.cpp)
target_include_directories(zr_journal_plain PUBLIC ${zr_journal_dir})

add_library(zr_settings_file_plain STATIC ${CMAKE_CURRENT_LIST_DIR}/integration/settings_file.cpp)
target_include_directories(zr_settings_file_plain PUBLIC ${CMAKE_CURRENT_LIST_DIR}/integration)
target_link_libraries(zr_settings_file_plain PUBLIC zr_journal_plain)
