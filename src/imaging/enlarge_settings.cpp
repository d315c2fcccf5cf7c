// The enlargement options from the settings store. Kept apart from the pixel work so that
// programs and tests of the picture operations need no settings store.
#include "imaging/enlarge.h"
#include "platform/settings.h"

namespace trimora {

EnlargeOptions LoadEnlargeOptions() {
  return EnlargeOptionsFrom(ReadIntSetting("Enlarge\\Color", 0),
                            ReadBoolSetting("Enlarge\\Left", true),
                            ReadBoolSetting("Enlarge\\Right", true));
}

}  // namespace trimora
