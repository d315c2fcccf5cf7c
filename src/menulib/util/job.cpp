// The job context and debug output.
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>

#include "ornautil.h"
#include "platform/instance.h"
#include "sys/environment.h"
#include "util/debug_output.h"

struct UtlJob {
  std::string module;
};

namespace ornautil {

std::vector<std::string> DebugMessages(std::string_view module, std::string_view text, int* bells) {
  std::vector<std::string> messages;
  std::string line;
  int rung = 0;
  const auto flush = [&] {
    if (!line.empty()) messages.push_back(std::string(module) + ":" + line);
    line.clear();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\a') {
      ++rung;
    } else if (c == '\n') {
      flush();
    } else if (c == '\r') {
      flush();
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
      if (line.size() == ORNAUTIL_DEBUG_PIECE) flush();
    }
  }
  flush();
  if (bells != nullptr) *bells = rung;
  return messages;
}

}  // namespace ornautil

namespace {

// The class name of the listening debug viewer, or null.
const char* FindViewer() {
  for (const char* name :
       {ORNAUTIL_VIEWER_CLASS_32, ORNAUTIL_VIEWER_CLASS_FORWARD, ORNAUTIL_VIEWER_CLASS_16}) {
    if (trimora::FindWindowByClass(name)) return name;
  }
  return nullptr;
}

}  // namespace

extern "C" {

UtlJob* UtlJobOpen(const char* module) {
  auto* job = new (std::nothrow) UtlJob;
  if (job != nullptr && module != nullptr) job->module = module;
  return job;
}

void UtlJobClose(UtlJob* job) { delete job; }

const char* UtlJobModule(const UtlJob* job) { return job != nullptr ? job->module.c_str() : ""; }

void UtlDebugOutput(const UtlJob* job, const char* text) {
  if (text == nullptr) return;
  int bells = 0;
  const auto messages = ornautil::DebugMessages(UtlJobModule(job), text, &bells);
  for (int i = 0; i < bells; ++i) ornasys::Beep();
  if (messages.empty()) return;
  const char* viewer = FindViewer();
  if (viewer == nullptr) return;
  for (const std::string& message : messages) {
    trimora::SendDataToClass(
        viewer, {reinterpret_cast<const unsigned char*>(message.data()), message.size()});
  }
}

void UtlDebugPrintf(const UtlJob* job, const char* format, ...) {
  if (format == nullptr) return;
  va_list arguments;
  va_start(arguments, format);
  va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, arguments);
  va_end(arguments);
  if (length >= 0) {
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    text.resize(static_cast<std::size_t>(length));
    UtlDebugOutput(job, text.c_str());
  }
  va_end(again);
}

}  // extern "C"
