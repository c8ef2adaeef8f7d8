# Spam black and white lists and the message scanner's phrases: the word
# splitter, the indexed phrase list and the matcher are portable; the
# exports, the held lists and the ms.ini keys are Win32.
target_sources(utilities_core PRIVATE spam_words.cpp spam_list.cpp spam_match.cpp)
if(WIN32)
  target_sources(utilities_win PRIVATE spam_export.cpp)
endif()
