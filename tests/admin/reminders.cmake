# The Reminders page and its editor through the real sheet.
if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/reminders_ui_test.cpp)
endif()
