# Fuzz target over whole files for the metadata reader and the information text.
trimora_add_fuzzer(fuzz_metadata SOURCES ${CMAKE_CURRENT_LIST_DIR}/metadata/fuzz_metadata.cpp
                   LIBS trimora_metadata)
