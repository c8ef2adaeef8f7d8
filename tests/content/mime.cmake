# MIME scanning, decoders, encoder and text extraction: the portable core
# (both presets), the exports through the DLL, and the comparison with
# independent tools through the host.
util_core_test(mime_core_test
  ${CMAKE_CURRENT_LIST_DIR}/line_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mime_scan_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_decoders_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_extract_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_files_test.cpp)

if(WIN32)
  util_dll_test(mime_dll_test ${CMAKE_CURRENT_LIST_DIR}/mime_dll_test.cpp)
  # Needs coreutils, sharutils, qprint, mpack and Convert::BinHex (scripts/packages/content.txt).
  add_test(NAME content_tools_roundtrip
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tools_roundtrip.sh $<TARGET_FILE:host> ${PROJECT_SOURCE_DIR}/cmake/wine-run)
  set_tests_properties(content_tools_roundtrip PROPERTIES TIMEOUT 300)
endif()
