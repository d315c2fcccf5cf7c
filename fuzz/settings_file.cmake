# The settings file parser: any bytes parse, and what is written reads back the same.
# The parser's sources are compiled into the target itself, so that they carry the fuzzer's
# coverage instrumentation (the libraries are built without it).
trimora_add_fuzzer(settings_file_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_file_fuzz.cpp
          ${CMAKE_SOURCE_DIR}/src/platform/settings_file.cpp
          ${CMAKE_SOURCE_DIR}/src/platform/version.cpp
  LIBS trimora_platform)
target_include_directories(settings_file_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/src)
