# The Incoming page and its "Advanced Options".
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/advanced_pop_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/incoming_page.cpp)
endif()
