# The Anti-Spam page. The text files that pages edit whole (the spam lists,
# the foot note, the address lists) are read and written by the core.
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/page_text.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/antispam_page.cpp)
endif()
