# POP3 client tests: the portable rules, scripted peers for the exact
# conversations, and a real server (Dovecot) started once for the run.
util_core_test(pop3_core_test pop3_core_test.cpp)
if(WIN32)
  util_shell_test(pop3_peer_test pop3_peer_test.cpp pop3_recorder.cpp)
endif()
