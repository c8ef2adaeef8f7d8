# The Attachments page.
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/attachments_page.cpp)
endif()
