# The setup wizard under Wine: its pages through the real RunWizard.
if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/wizard_ui_test.cpp)
endif()
util_core_test(wizard_rules_test ${CMAKE_CURRENT_LIST_DIR}/wizard_rules_test.cpp)
if(WIN32)
  # From an empty folder to working mail: the wizard given the private
  # relay and POP3 server of the transport tests, its client settings
  # printed, then mail sent and collected with what it wrote.
  set(transport_tests ${PROJECT_SOURCE_DIR}/tests/transport)
  get_directory_property(wizard_relay_dir DIRECTORY ${transport_tests} DEFINITION SMTP_RELAY_DIR)
  get_directory_property(wizard_pop3_dir DIRECTORY ${transport_tests} DEFINITION POP3_PEER_DIR_WIN)
  add_executable(wizard_mail_test ${CMAKE_CURRENT_LIST_DIR}/wizard_mail_test.cpp)
  target_link_libraries(wizard_mail_test PRIVATE utilities_import win32_ui_driver GTest::gtest_main)
  target_include_directories(wizard_mail_test PRIVATE
    ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  add_test(NAME wizard_mail COMMAND wizard_mail_test)
  set_tests_properties(wizard_mail PROPERTIES
    FIXTURES_REQUIRED "smtp_relay;pop3_dovecot"
    ENVIRONMENT "SMTP_RELAY_DIR=${wizard_relay_dir};POP3_PEER_DIR=${wizard_pop3_dir}")
  util_on_desktop(wizard_mail)
endif()
