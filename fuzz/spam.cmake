util_fuzz_target(spam_match_fuzz spam_match_fuzz.cpp)
target_include_directories(spam_match_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/tests/content)
