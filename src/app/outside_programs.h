// The programs beside the main program and the desktop: the help program, the quick-start
// guide viewer, web addresses, and the windows of other program instances by class name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trimora {

// What the main window starts or asks outside itself.
class OutsidePrograms {
 public:
  virtual ~OutsidePrograms() = default;

  // True when `program` lies in the program folder.
  virtual bool Present(const std::string& program) const = 0;
  // Starts `program` from the program folder with `arguments`, detached; a missing program is
  // not reported.
  virtual void Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Opens a web page or mail address with the desktop's handler.
  virtual void OpenAddress(const std::string& address) = 0;
  // True when a program instance owns the window class `className`.
  virtual bool ClassOpen(const std::string& className) const = 0;
  // Posts message `number` with `parameter` to the instance that owns `className`.
  virtual void Post(const std::string& className, std::uint32_t number, std::int64_t parameter) = 0;
};

// The programs and windows of this system.
class PlatformPrograms final : public OutsidePrograms {
 public:
  bool Present(const std::string& program) const override;
  void Start(const std::string& program, const std::vector<std::string>& arguments) override;
  void OpenAddress(const std::string& address) override;
  bool ClassOpen(const std::string& className) const override;
  void Post(const std::string& className, std::uint32_t number, std::int64_t parameter) override;
};

}  // namespace trimora
