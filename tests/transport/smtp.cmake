# SMTP client tests: the portable rules; the session against scripted peers
# through the real DLL; delivery through a real relay started by the test.
util_core_test(smtp_core_test ${CMAKE_CURRENT_LIST_DIR}/smtp_core_test.cpp)
if(WIN32)
  util_dll_test(smtp_session_test ${CMAKE_CURRENT_LIST_DIR}/smtp_session_test.cpp)
endif()
