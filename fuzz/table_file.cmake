# Fuzzer for the table file reader, with a dictionary of the format's words in fuzz/.
trimora_add_fuzzer(table_file_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_file_fuzzer.cpp
  LIBS trimora_folder)
# Coverage feedback from the library itself, not only from the fuzzer's own file.
target_compile_options(trimora_folder PRIVATE -fsanitize=fuzzer-no-link)
