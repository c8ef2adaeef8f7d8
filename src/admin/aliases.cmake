# The Aliases page and its records.
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/alias_record.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/aliases_page.cpp)
endif()
