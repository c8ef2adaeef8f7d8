# POP3 client tests: the portable rules, scripted peers for the exact
# conversations, and a real server (Dovecot) started once for the run.
util_core_test(pop3_core_test pop3_core_test.cpp)
if(WIN32)
  util_shell_test(pop3_peer_test pop3_peer_test.cpp)
endif()

# The real server: started once for the tests that need it, in a scratch
# folder under /tmp (its helper processes run as other users), on a free
# port that the tests read from the folder.
if(WIN32)
  string(MD5 pop3_peer_hash "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${pop3_peer_hash}" 0 12 pop3_peer_hash)
  set(POP3_PEER_DIR "/tmp/util-pop3-${pop3_peer_hash}")
  string(REPLACE "/" "\\" POP3_PEER_DIR_WIN "Z:${POP3_PEER_DIR}")
  add_test(NAME pop3_dovecot_start COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/dovecot.sh start ${POP3_PEER_DIR} ${TLS_CERT_DIR})
  add_test(NAME pop3_dovecot_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/dovecot.sh stop ${POP3_PEER_DIR})
  # Over TLS the tests need the servers' authority trusted.
  set_tests_properties(pop3_dovecot_start PROPERTIES FIXTURES_SETUP pop3_dovecot FIXTURES_REQUIRED tls_trust)
  set_tests_properties(pop3_dovecot_stop PROPERTIES FIXTURES_CLEANUP pop3_dovecot)

  add_executable(pop3_dovecot_test pop3_dovecot_test.cpp)
  target_link_libraries(pop3_dovecot_test PRIVATE utilities_import win32_test_support GTest::gtest_main wsock32)
  target_include_directories(pop3_dovecot_test PRIVATE ${PROJECT_SOURCE_DIR}/include ${PROJECT_SOURCE_DIR}/tests)
  add_dependencies(pop3_dovecot_test host trust_root)
  util_discover_tests(pop3_dovecot_test
    PROPERTIES FIXTURES_REQUIRED pop3_dovecot ENVIRONMENT "POP3_PEER_DIR=${POP3_PEER_DIR_WIN}")
endif()
