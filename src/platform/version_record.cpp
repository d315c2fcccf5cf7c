// The version record of this build, embedded in the program file that links this object.
// The numbers come from the CMake project version.
#include "platform/version_record.h"

#if defined(__has_attribute)
#if __has_attribute(retain)
#define TRIMORA_RETAIN __attribute__((retain))
#endif
#endif
#ifndef TRIMORA_RETAIN
#define TRIMORA_RETAIN
#endif

// Kept in a section of its own even though no code refers to it.
extern "C" __attribute__((used, section("trimora_version")))
TRIMORA_RETAIN const std::array<unsigned char, trimora::kVersionRecordSize>
    trimora_file_version_record =
        trimora::EncodeVersionRecord({TRIMORA_VERSION_MAJOR, TRIMORA_VERSION_MINOR,
                                      TRIMORA_VERSION_RELEASE, TRIMORA_VERSION_BUILD});

namespace trimora {

std::string RecordedVersion() {
  return std::to_string(TRIMORA_VERSION_MAJOR) + "." + std::to_string(TRIMORA_VERSION_MINOR) + "." +
         std::to_string(TRIMORA_VERSION_RELEASE) + "." + std::to_string(TRIMORA_VERSION_BUILD);
}

}  // namespace trimora
