# The setup wizard, its rules and "Mail Client Information".
target_sources(utilities_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/wizard_rules.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/client_information_dialog.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_wizard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/wizard_pages.cpp)
endif()
