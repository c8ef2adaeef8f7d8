# Signing in with a provider: the rules, SASL and HTTP in the portable core.
util_core_test(oauth_core_test ${CMAKE_CURRENT_LIST_DIR}/oauth_core_test.cpp)
