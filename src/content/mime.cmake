# MIME scanning, transfer decoders and encoder, plain-text extraction.
target_sources(utilities_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/base64_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/binhex_decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/byte_search.cpp
  ${CMAKE_CURRENT_LIST_DIR}/byte_stream.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_lines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mime_scan.cpp
  ${CMAKE_CURRENT_LIST_DIR}/quoted_printable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_extract.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transfer_decoders.cpp)

if(WIN32)
  target_sources(utilities_win PRIVATE ${CMAKE_CURRENT_LIST_DIR}/mime_exports.cpp)
endif()
