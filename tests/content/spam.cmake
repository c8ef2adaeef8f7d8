# Spam lists and scanner phrases: the matcher in the portable core, the
# exports through the real DLL under Wine.
util_core_test(spam_core_test spam_core_test.cpp)
if(WIN32)
  util_dll_test(spam_dll_test spam_dll_test.cpp)
endif()
