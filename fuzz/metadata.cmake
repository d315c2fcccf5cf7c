# Fuzz target over whole files for the metadata reader and the information text.
if(TARGET trimora_metadata)
  trimora_add_fuzzer(fuzz_metadata SOURCES ${CMAKE_CURRENT_LIST_DIR}/metadata/fuzz_metadata.cpp
                     LIBS trimora_metadata)
endif()
# Coverage feedback from the library itself, not only from the fuzzer's own source.
if(TARGET trimora_metadata)
  target_compile_options(trimora_metadata PRIVATE -fsanitize=fuzzer-no-link)
endif()
