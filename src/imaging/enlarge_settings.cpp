// The enlargement options from the settings store. Kept apart from the pixel work so that
// programs and tests of the picture operations need no settings store.
#include "imaging/enlarge.h"
#include "platform/settings_schema.h"

namespace trimora {

EnlargeOptions LoadEnlargeOptions() {
  return EnlargeOptionsFrom(Read(setting::kEnlargeColor), Read(setting::kEnlargeLeft),
                            Read(setting::kEnlargeRight));
}

}  // namespace trimora
