# The setup wizard under Wine: its pages through the real RunWizard.
if(WIN32)
  target_sources(admin_ui_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/wizard_ui_test.cpp)
endif()
