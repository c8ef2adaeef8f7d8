# The Outgoing page and its "SMTP Authentication" and "Select Users".
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/outgoing_dialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/outgoing_page.cpp)
endif()
