// The single-instance rule of the viewer and the help window: one instance per window class;
// a second start hands its request to the first and ends.
#pragma once

#include <cstdint>
#include <string>

namespace trimora {
class ClassListener;
}

namespace trimora::guide {

// Takes the class `className` for this process. When another instance has it, posts
// (`number`, `parameter`) to that instance and returns false: this start must end. When the
// class cannot be taken for another reason (no private folder for the socket), the program
// runs without the rule and true is returned.
bool TakeWindowClass(ClassListener& listener, const std::string& className, std::uint32_t number,
                     std::int64_t parameter);

}  // namespace trimora::guide
