# The Foot Note page.
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/footnote_page.cpp)
endif()
