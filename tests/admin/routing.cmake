# The filter record (both builds; the document check where the source tree
# is at hand) and the Routing page through the real sheet.
util_core_test(routing_core_test ${CMAKE_CURRENT_LIST_DIR}/filter_record_test.cpp)
if(NOT WIN32)
  target_compile_definitions(routing_core_test PRIVATE ROUTING_DOC="${PROJECT_SOURCE_DIR}/docs/routing-filters.md")
endif()
if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/routing_ui_test.cpp)
endif()
