# Encrypted connections: the rules in the portable core, and the fixtures
# of the tests over TLS (pop3.cmake, smtp.cmake): the servers' private
# authority, trusted inside the prefixes of the test desktops only.
util_core_test(tls_rules_test ${CMAKE_CURRENT_LIST_DIR}/tls_rules_test.cpp)
if(WIN32)
  string(REPLACE "/" "\\" TLS_CERT_DIR_WIN "Z:${TLS_CERT_DIR}")
  add_test(NAME tls_certs COMMAND ${PROJECT_SOURCE_DIR}/tests/peers/tls_certs.sh ${TLS_CERT_DIR})
  # Every desktop's prefix trusts it, whichever desktop a test gets.
  add_test(NAME tls_trust
    COMMAND ${UTIL_WINE_RUN} --every-desktop $<TARGET_FILE:trust_root> "${TLS_CERT_DIR_WIN}\\ca.der")
  set_tests_properties(tls_certs PROPERTIES FIXTURES_SETUP tls_certs)
  set_tests_properties(tls_trust PROPERTIES FIXTURES_SETUP tls_trust FIXTURES_REQUIRED tls_certs)
endif()
