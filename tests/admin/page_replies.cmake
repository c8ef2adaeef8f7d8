# Replies to the prompts and message boxes that pages open; the rules of
# the Anti-Spam, Foot Note, Address Lists, Aliases and Domain pages in the
# portable core.
util_core_test(page_rules_core_test ${CMAKE_CURRENT_LIST_DIR}/page_rules_core_test.cpp)
if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/page_replies.cpp)
endif()
