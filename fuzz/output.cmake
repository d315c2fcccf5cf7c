# The JPEG segment scanner of the output code and the Exif mending over whole files: any bytes
# give an answer or the program's own error, and never a read outside the data.
trimora_add_fuzzer(output_segments_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/output/fuzz_segments.cpp
          ${CMAKE_SOURCE_DIR}/src/output/jpeg_segments.cpp
          ${CMAKE_SOURCE_DIR}/src/output/exif_mend.cpp
  LIBS trimora_metadata)
target_include_directories(output_segments_fuzz PRIVATE ${CMAKE_SOURCE_DIR}/src)
