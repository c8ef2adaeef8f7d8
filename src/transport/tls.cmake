# Encrypted connections: the rules (modes, faults, pins, texts) in the
# portable core; TLS through the platform's Schannel in the Win32 shell.
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/tls_rules.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/tls_channel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tls_trust.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tls_settings.cpp)
endif()
