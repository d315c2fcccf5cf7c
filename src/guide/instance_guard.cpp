#include "guide/instance_guard.h"

#include <cstdio>
#include <cstdlib>

#include "platform/class_listener.h"
#include "platform/instance.h"

namespace trimora::guide {

bool TakeWindowClass(ClassListener& listener, const std::string& className, std::uint32_t number,
                     std::int64_t parameter) {
  if (listener.Listen(className)) return true;
  if (!FindWindowByClass(className)) return true;
  PostMessageToClass(className, number, parameter);
  return false;
}

void ReportPainted() {
  if (std::getenv("TRIMORA_PAINTED_MARK") == nullptr) return;
  std::fputs("painted\n", stdout);
  std::fflush(stdout);
}

}  // namespace trimora::guide
