# Fuzzer for the table file reader, with a dictionary of the format's words in fuzz/.
trimora_add_fuzzer(table_file_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_file_fuzzer.cpp
  LIBS trimora_tables)
