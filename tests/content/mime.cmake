# MIME scanning, decoders, encoder and text extraction: the portable core
# (both presets), the exports through the DLL, and the comparison with
# independent tools through the host.
util_core_test(mime_core_test
  ${CMAKE_CURRENT_LIST_DIR}/line_reader_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mime_scan_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_decoders_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_extract_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_files_test.cpp)
