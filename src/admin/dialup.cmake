# The Dialup page and the service it can install; the entries' text rules
# are portable.
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/entry_rules.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/dialup_page.cpp
    ${CMAKE_CURRENT_LIST_DIR}/service_setup.cpp)
endif()
