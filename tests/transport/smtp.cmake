# SMTP client tests: the portable rules; the session against scripted peers
# through the real DLL; delivery through a real relay started by the test.
util_core_test(smtp_core_test ${CMAKE_CURRENT_LIST_DIR}/smtp_core_test.cpp)
if(WIN32)
  util_dll_test(smtp_session_test ${CMAKE_CURRENT_LIST_DIR}/smtp_session_test.cpp)
endif()
if(WIN32)
  # The real relay: started once for the tests that need it, in a scratch
  # folder of this build tree's own, and stopped after them.
  string(MD5 relay_tag "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${relay_tag}" 0 12 relay_tag)
  set(SMTP_RELAY_DIR /tmp/smtp-relay-${relay_tag})
  add_test(NAME smtp_relay_start COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/postfix.sh start ${SMTP_RELAY_DIR} ${TLS_CERT_DIR})
  add_test(NAME smtp_relay_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/postfix.sh stop ${SMTP_RELAY_DIR})
  set_tests_properties(smtp_relay_start PROPERTIES FIXTURES_SETUP smtp_relay FIXTURES_REQUIRED tls_trust)
  set_tests_properties(smtp_relay_stop PROPERTIES FIXTURES_CLEANUP smtp_relay)

  add_executable(smtp_relay_test ${CMAKE_CURRENT_LIST_DIR}/smtp_relay_test.cpp)
  target_link_libraries(smtp_relay_test PRIVATE utilities_import win32_test_support GTest::gtest_main)
  target_include_directories(smtp_relay_test PRIVATE ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/tests)
  add_dependencies(smtp_relay_test trust_root)
  util_discover_tests(smtp_relay_test
    PROPERTIES FIXTURES_REQUIRED smtp_relay ENVIRONMENT "SMTP_RELAY_DIR=${SMTP_RELAY_DIR}")
endif()
