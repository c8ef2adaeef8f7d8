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
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/tools_roundtrip.sh $<TARGET_FILE:host> ${UTIL_WINE_RUN})
  set_tests_properties(content_tools_roundtrip PROPERTIES TIMEOUT 300)
  util_on_desktop(content_tools_roundtrip)
endif()

# The extraction over a public corpus of real mail (the test data of
# Python's email package, packaged by Debian), compared with Python's own
# MIME parser.
set(UTIL_MAIL_CORPUS /usr/lib/python3.11/test/test_email/data)
if(NOT WIN32)
  find_package(Python3 COMPONENTS Interpreter REQUIRED)
  add_executable(extract_text ${CMAKE_CURRENT_LIST_DIR}/extract_text.cpp)
  target_link_libraries(extract_text PRIVATE utilities_core)
  add_test(NAME content_mail_corpus
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/check_corpus.py $<TARGET_FILE:extract_text> ${UTIL_MAIL_CORPUS})
endif()
