# The Reminders page and its editor "Auto Email".
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/auto_email_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/reminders_page.cpp)
endif()
