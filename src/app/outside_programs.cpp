#include "app/outside_programs.h"

#include "platform/instance.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace trimora {

bool PlatformPrograms::Present(const std::string& program) const {
  return ProgramBeside(program) != program;
}

void PlatformPrograms::Start(const std::string& program,
                             const std::vector<std::string>& arguments) {
  // Only the program of this folder: a name found elsewhere on the PATH is another program.
  if (Present(program)) StartDetached(ProgramFolder() + program, arguments);
}

void PlatformPrograms::OpenAddress(const std::string& address) { trimora::OpenAddress(address); }

bool PlatformPrograms::ClassOpen(const std::string& className) const {
  return FindWindowByClass(className);
}

void PlatformPrograms::Post(const std::string& className, std::uint32_t number,
                            std::int64_t parameter) {
  PostMessageToClass(className, number, parameter);
}

}  // namespace trimora
