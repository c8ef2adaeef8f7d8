# Signing in with a provider through the windows: the Incoming and Outgoing
# pages and the setup wizard against the tests' identity provider, relay
# and POP3 server that check tokens (tests/transport/oauth.cmake).
if(WIN32)
  set(transport_tests ${PROJECT_SOURCE_DIR}/tests/transport)
  get_directory_property(sign_in_environment DIRECTORY ${transport_tests} DEFINITION OAUTH_TEST_ENVIRONMENT)
  add_executable(sign_in_ui_test ${CMAKE_CURRENT_LIST_DIR}/sign_in_ui_test.cpp)
  target_link_libraries(sign_in_ui_test PRIVATE utilities_import win32_ui_driver GTest::gtest_main)
  target_include_directories(sign_in_ui_test PRIVATE
    ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/tests ${PROJECT_SOURCE_DIR}/src)
  add_dependencies(sign_in_ui_test trust_root)
  gtest_discover_tests(sign_in_ui_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_LIST sign_in_ui_tests)
  util_set_found_tests(sign_in_ui_tests FIXTURES oauth_idp oauth_dovecot oauth_relay LOCKS oauth_idp
    ENVIRONMENT ${sign_in_environment})
endif()
