# The marker walker of JPEG heads and the Exif mending of jpegtran's outputs over whole files:
# any bytes give an answer or the program's own error, and never a read outside the data.
trimora_add_fuzzer(output_segments_fuzz
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/output/fuzz_segments.cpp
  LIBS trimora_output)
