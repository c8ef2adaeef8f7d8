# The Ports page.
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ports_page.cpp)
endif()
