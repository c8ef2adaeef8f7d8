# Signing in with a provider: the rules, SASL and HTTP in the portable core.
util_core_test(oauth_core_test ${CMAKE_CURRENT_LIST_DIR}/oauth_core_test.cpp)
if(WIN32)
  # The tests' identity provider (tests/peers/oauth_idp.py) over TLS with the
  # servers' private authority; Wine's browser pointed at the test browser
  # it writes (tools/test_browser.py); a Dovecot and a relay of their own
  # that check tokens with it (a refused token is tested on purpose, and
  # these servers take no passwords).
  string(MD5 oauth_tag "${CMAKE_BINARY_DIR}")
  string(SUBSTRING "${oauth_tag}" 0 12 oauth_tag)
  set(OAUTH_IDP_DIR /tmp/util-idp-${oauth_tag})
  set(OAUTH_POP3_DIR /tmp/util-oauth-pop3-${oauth_tag})
  set(OAUTH_RELAY_DIR /tmp/util-oauth-relay-${oauth_tag})
  string(REPLACE "/" "\\" OAUTH_IDP_DIR_WIN "Z:${OAUTH_IDP_DIR}")
  string(REPLACE "/" "\\" OAUTH_POP3_DIR_WIN "Z:${OAUTH_POP3_DIR}")
  set(oauth_peers ${PROJECT_SOURCE_DIR}/tests/peers)
  set(oauth_introspection "https://localhost:$(cat ${OAUTH_IDP_DIR}/port)/introspect")
  add_test(NAME oauth_idp_start COMMAND ${oauth_peers}/oauth_idp.py start ${OAUTH_IDP_DIR} ${TLS_CERT_DIR})
  add_test(NAME oauth_idp_stop COMMAND ${oauth_peers}/oauth_idp.py stop ${OAUTH_IDP_DIR})
  # Every desktop's prefix runs the test browser, whichever desktop a test gets.
  add_test(NAME oauth_browser COMMAND ${UTIL_WINE_RUN} --every-desktop reg add "HKCU\\Software\\Wine\\WineBrowser"
    /v Browsers /t REG_SZ /d ${OAUTH_IDP_DIR}/browser /f)
  add_test(NAME oauth_dovecot_start COMMAND sh -c
    "${oauth_peers}/dovecot.sh start ${OAUTH_POP3_DIR} ${TLS_CERT_DIR} ${oauth_introspection}")
  add_test(NAME oauth_dovecot_stop COMMAND ${oauth_peers}/dovecot.sh stop ${OAUTH_POP3_DIR})
  add_test(NAME oauth_relay_start COMMAND sh -c
    "${oauth_peers}/postfix.sh start ${OAUTH_RELAY_DIR} ${TLS_CERT_DIR} ${oauth_introspection}")
  add_test(NAME oauth_relay_stop COMMAND ${oauth_peers}/postfix.sh stop ${OAUTH_RELAY_DIR})
  set_tests_properties(oauth_idp_start PROPERTIES FIXTURES_SETUP oauth_idp FIXTURES_REQUIRED "tls_certs;tls_trust")
  set_tests_properties(oauth_idp_stop PROPERTIES FIXTURES_CLEANUP oauth_idp)
  set_tests_properties(oauth_browser PROPERTIES FIXTURES_SETUP oauth_idp FIXTURES_REQUIRED tls_certs
    DEPENDS oauth_idp_start)
  set_tests_properties(oauth_dovecot_start PROPERTIES FIXTURES_SETUP oauth_dovecot FIXTURES_REQUIRED oauth_idp)
  set_tests_properties(oauth_dovecot_stop PROPERTIES FIXTURES_CLEANUP oauth_dovecot)
  set_tests_properties(oauth_relay_start PROPERTIES FIXTURES_SETUP oauth_relay FIXTURES_REQUIRED oauth_idp)
  set_tests_properties(oauth_relay_stop PROPERTIES FIXTURES_CLEANUP oauth_relay)
  set(OAUTH_TEST_ENVIRONMENT OAUTH_IDP_DIR=${OAUTH_IDP_DIR_WIN} OAUTH_POP3_DIR=${OAUTH_POP3_DIR_WIN}
    POP3_PEER_DIR=${OAUTH_POP3_DIR_WIN} SMTP_RELAY_DIR=${OAUTH_RELAY_DIR})

  # Signing in and the tokens at the transport's level: the refusals a
  # sign-in must make, renewal, an ended sign-in, the device code.
  add_executable(oauth_signin_test ${CMAKE_CURRENT_LIST_DIR}/oauth_signin_test.cpp)
  target_link_libraries(oauth_signin_test PRIVATE utilities_win win32_test_support GTest::gtest_main)
  target_include_directories(oauth_signin_test PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  add_dependencies(oauth_signin_test trust_root)
  # The tests take turns with the provider (the lock): each steers it.
  gtest_discover_tests(oauth_signin_test DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 TEST_LIST oauth_signin_tests)
  util_set_found_tests(oauth_signin_tests FIXTURES oauth_idp oauth_dovecot oauth_relay LOCKS oauth_idp
    ENVIRONMENT ${OAUTH_TEST_ENVIRONMENT})
endif()
if(WIN32)
  # SASL against scripted peers: XOAUTH2's error challenge, PLAIN without LOGIN.
  util_shell_test(sasl_peer_test ${CMAKE_CURRENT_LIST_DIR}/sasl_peer_test.cpp)
endif()
