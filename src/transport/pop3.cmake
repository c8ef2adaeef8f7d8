# The POP3 client: the scanner, reply reading and texts in the portable
# core; the session and download exports in the Win32 shell.
target_sources(utilities_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pop3_journal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pop3_reply.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pop3_scanner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pop3_text.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/pop3_download.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pop3_ids.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pop3_session.cpp)
endif()
