# The picture inputs that come from files: JPEG data and the red-eye rectangle lists of the
# cutting-data records.
trimora_add_fuzzer(fuzz_jpeg_decoder SOURCES ${CMAKE_CURRENT_LIST_DIR}/jpeg_decoder_fuzz.cpp
                   LIBS trimora_imaging)
trimora_add_fuzzer(fuzz_red_eye_coords SOURCES ${CMAKE_CURRENT_LIST_DIR}/red_eye_coords_fuzz.cpp
                   LIBS trimora_imaging)
