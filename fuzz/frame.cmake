util_fuzz_target(crypt_fuzz crypt_fuzz.cpp)
