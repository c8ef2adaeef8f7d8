# The Routing page: the filter record and its checks (portable), the page
# and its "Filters", "Select...", "Auto Printing" and "Relay Options".
target_sources(utilities_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/filter_record.cpp
  ${CMAKE_CURRENT_LIST_DIR}/routing_checks.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/routing_dialogs.cpp
    ${CMAKE_CURRENT_LIST_DIR}/routing_page.cpp)
endif()
