# The Schedule page and its "Connection Times".
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/connection_times_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/schedule_page.cpp)
endif()
