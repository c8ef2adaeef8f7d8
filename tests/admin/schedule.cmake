if(WIN32)
  # The end-to-end check asks OKToBeOnline through the host.
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/schedule_ui_test.cpp)
  add_dependencies(admin_ui_test host)
endif()
