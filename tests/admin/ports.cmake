if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ports_ui_test.cpp)
  # The sockets library's failures, from the static shell.
  target_sources(admin_shell_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ports_shell_test.cpp)
endif()
