#include "guide/instance_guard.h"

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

}  // namespace trimora::guide
