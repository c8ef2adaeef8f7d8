# Signing in with a provider (OAuth 2.0) and SASL: the rules, the SASL
# responses and the little HTTP in the portable core; the platform's
# randomness, hashing and protection, the token endpoint over TLS, the
# tokens kept and renewed, and the browser's sign-in in the Win32 shell.
target_sources(utilities_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/http_message.cpp
  ${CMAKE_CURRENT_LIST_DIR}/oauth_rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sasl.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/https_client.cpp
    ${CMAKE_CURRENT_LIST_DIR}/oauth_platform.cpp
    ${CMAKE_CURRENT_LIST_DIR}/oauth_sign_in.cpp
    ${CMAKE_CURRENT_LIST_DIR}/oauth_tokens.cpp)
endif()
