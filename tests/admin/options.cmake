if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/options_ui_test.cpp)
endif()
