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
  // Level -1 is a warning. Only the end of data before the picture is complete counts as a
  // failure: libjpeg would fill the rest with grey and call the picture good.
  if (level < 0) {
    if (cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
    cinfo->err->num_warnings++;
  }
}

void OutputMessage(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager) {
  jpeg_std_error(&manager.base);
  manager.base.error_exit = ErrorExit;
  manager.base.emit_message = EmitMessage;
  manager.base.output_message = OutputMessage;
  manager.message[0] = '\0';
  return &manager.base;
}

void SetJpegFailure(JpegErrorManager& manager, const char* text) {
  std::strncpy(manager.message, text, sizeof manager.message - 1);
  manager.message[sizeof manager.message - 1] = '\0';
}

std::string JpegErrorText(const std::string& what, const JpegErrorManager& manager) {
  if (manager.message[0] == '\0') return what + ".";
  return what + ": " + manager.message;
}

}  // namespace trimora
