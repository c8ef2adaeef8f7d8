# Encrypted connections: the rules in the portable core, and the fixtures
# of the tests over TLS (pop3.cmake, smtp.cmake): the servers' private
# authority, trusted inside the prefixes of the test desktops only.
util_core_test(tls_rules_test ${CMAKE_CURRENT_LIST_DIR}/tls_rules_test.cpp)
if(WIN32)
  add_test(NAME tls_certs COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/tls_certs.sh ${TLS_CERT_DIR})
  # Every desktop's prefix trusts it, whichever desktop a test gets.
  add_test(NAME tls_trust
    COMMAND ${UTIL_WINE_RUN} --every-desktop $<TARGET_FILE:trust_root> "${TLS_CERT_DIR_WIN}\\ca.der")
  set_tests_properties(tls_certs PROPERTIES FIXTURES_SETUP tls_certs)
  set_tests_properties(tls_trust PROPERTIES FIXTURES_SETUP tls_trust FIXTURES_REQUIRED tls_certs)

  # Hostile servers (tests/peers/tls_peer.py): one certificate of the table
  # and one way to talk a peer, each writing down what it receives. The
  # tests take turns with them (the lock), since each reads that record;
  # the fixture brings the authority's trust with it.
  string(MD5 tls_peer_tag "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${tls_peer_tag}" 0 12 tls_peer_tag)
  set(TLS_PEER_DIR /tmp/util-tlspeer-${tls_peer_tag})
  string(REPLACE "/" "\\" TLS_PEER_DIR_WIN "Z:${TLS_PEER_DIR}")
  add_test(NAME tls_peer_start COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/tls_peer.py start ${TLS_PEER_DIR} ${TLS_CERT_DIR})
  add_test(NAME tls_peer_stop COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/tls_peer.py stop ${TLS_PEER_DIR})
  set_tests_properties(tls_peer_start PROPERTIES FIXTURES_SETUP tls_peer FIXTURES_REQUIRED "tls_certs;tls_trust")
  set_tests_properties(tls_peer_stop PROPERTIES FIXTURES_CLEANUP tls_peer)

  add_executable(tls_hostile_test ${CMAKE_CURRENT_LIST_DIR}/tls_hostile_test.cpp)
  target_link_libraries(tls_hostile_test PRIVATE utilities_win win32_test_support GTest::gtest_main)
  target_include_directories(tls_hostile_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_dependencies(tls_hostile_test trust_root)
  util_discover_tests(tls_hostile_test
    PROPERTIES FIXTURES_REQUIRED tls_peer RESOURCE_LOCK tls_peer ENVIRONMENT "TLS_PEER_DIR=${TLS_PEER_DIR_WIN}")
endif()
