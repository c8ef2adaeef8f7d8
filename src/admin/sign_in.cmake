# The pages' sign-in with a provider (Incoming, Outgoing, the wizard's relay and mailbox).
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/sign_in_step.cpp)
endif()
