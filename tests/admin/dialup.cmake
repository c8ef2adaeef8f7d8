# The text rules of the Dialup, Options and Attachments pages.
util_core_test(admin_entry_rules_test ${CMAKE_CURRENT_LIST_DIR}/entry_rules_test.cpp)

if(WIN32)
  # The Dialup page lists the connections through the stand-in dial-up
  # handler, which the library finds by its window on the test's desktop.
  add_executable(admin_dialup_ui_test
    ${CMAKE_CURRENT_LIST_DIR}/dialup_ui_test.cpp
    ${PROJECT_SOURCE_DIR}/tests/connect/connect_fixture.cpp)
  target_link_libraries(admin_dialup_ui_test PRIVATE utilities_import win32_ui_driver GTest::gtest_main)
  target_include_directories(admin_dialup_ui_test PRIVATE
    ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  add_dependencies(admin_dialup_ui_test rashand service)
  util_discover_tests(admin_dialup_ui_test)
endif()
