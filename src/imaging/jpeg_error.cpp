#include "imaging/jpeg_error.h"

#include <cstring>

#include <jerror.h>

namespace trimora {

namespace {

void KeepMessage(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  if (manager->message[0] == '\0') (*cinfo->err->format_message)(cinfo, manager->message);
}

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  KeepMessage(cinfo);
  std::longjmp(reinterpret_cast<JpegErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;  // trace messages
  // A warning. Compressed data running out means that libjpeg fills the rest with grey and
  // would call the picture good: that is a failure. The input ending before its end marker is
  // noted only, since it also happens after the last byte of a complete picture; when data is
  // then missing, the missing-data warning follows.
  auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
  switch (cinfo->err->msg_code) {
    case JWRN_HIT_MARKER:
      ErrorExit(cinfo);
    case JWRN_JPEG_EOF:
      KeepMessage(cinfo);
      manager->endOfData = true;
      break;
    default:
      break;
  }
  cinfo->err->num_warnings++;
}

void OutputMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager) {
  jpeg_std_error(&manager.base);
  manager.base.error_exit = ErrorExit;
  manager.base.emit_message = EmitMessage;
  manager.base.output_message = OutputMessage;
  manager.message[0] = '\0';
  manager.endOfData = false;
  manager.outOfMemory = false;
  return &manager.base;
}

}  // namespace trimora
