// The error manager shared by every libjpeg session (decoder and encoder).
//
// libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps back
// to the session's setjmp point with the library's text kept. The jump must not cross C++
// frames that own objects with destructors, so each session lives in one function that holds
// only plain C data (the jpeg struct, FILE*, raw pointers) and always ends in jpeg_destroy_*:
//
//   JpegErrorManager errors;
//   jpeg_decompress_struct cinfo{};
//   cinfo.err = InitJpegErrorManager(errors);
//   if (setjmp(errors.jump)) { jpeg_destroy_decompress(&cinfo); return false; }
//   jpeg_create_decompress(&cinfo);
//   ...
//   jpeg_destroy_decompress(&cinfo);
//   return true;
//
// The caller then turns errors.message into a trimora::Error.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace trimora {

// libjpeg's error manager plus the jump target and the text of the first fatal problem.
struct JpegErrorManager {
  jpeg_error_mgr base;            // first member: libjpeg only sees this part
  std::jmp_buf jump;              // set by the session with setjmp before any jpeg_* call
  char message[JMSG_LENGTH_MAX];  // libjpeg's text of the first problem; empty while none
  bool endOfData;                 // the input ended before the end marker
  bool outOfMemory;               // the session stopped for want of a picture buffer
};

// Prepares `manager` (no output on stderr, no exit) and returns the pointer for cinfo.err.
// Errors, and the warning that compressed data is missing (a truncated file), jump to `jump`.
// Input that merely ends before its end marker only sets `endOfData`: the pixels can still be
// complete; a decoder of pictures with several scans must check it after decoding.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager);

}  // namespace trimora
