# The Domain page, its rules and "Convert Domains".
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/domain_rules.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/convert_domains_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/domain_page.cpp)
endif()
