# Message content: the scanners, the text extraction and each decoder.
foreach(target mime_scan_fuzz mime_extract_fuzz base64_fuzz quoted_fuzz uudecode_fuzz binhex_fuzz)
  util_fuzz_target(${target} ${CMAKE_CURRENT_LIST_DIR}/${target}.cpp)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()
