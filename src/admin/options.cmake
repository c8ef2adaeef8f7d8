# The Options page; the folder chooser it shares with the Attachments page.
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/folder_choice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/options_page.cpp)
endif()
