#include "app/single_instance.h"

#include "platform/instance.h"

namespace trimora::app {

bool AnotherInstanceRuns(const std::vector<std::string>& arguments) {
  if (!arguments.empty() && arguments.front() == "-restart") return false;
  return FindWindowByClass(kMainWindowClass);
}

}  // namespace trimora::app
