# The Address Lists page and the list files the Aliases page names.
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/address_list_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/address_lists_page.cpp)
endif()
