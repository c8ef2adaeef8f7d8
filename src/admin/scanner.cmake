# The Scanner page.
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/scanner_page.cpp)
endif()
