# The SMTP client: the portable rules (relay record, addresses, header
# lines, the message text on the wire, progress texts) and the session.
target_sources(utilities_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/smtp_address.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smtp_data.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smtp_header.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smtp_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smtp_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/smtp_relay.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/smtp_session.cpp)
endif()
