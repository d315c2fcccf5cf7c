#include "metadata/makernote_fuji.h"

#include <array>

namespace trimora::metadata {
namespace {

constexpr std::array<TagRow, 18> kRows{{
    {0x0000, "Version", "", "", ""},
    {0x1000, "Quality", "", "", ""},
    {0x1001, "Sharpness", "", "1:Soft,2:Soft,3:Normal,4:Hard,5:Hard", ""},
    {0x1002, "WhiteBalance", "",
     "0:Auto,256:Daylight,512:Cloudy,768:DaylightColor-fluorescence,769:DaywhiteColor-fluorescence,"
     "770:White-fluorescence,1024:Incandenscense,3840:Custom white balance.",
     ""},
    {0x1003, "Color", "", "0:Normal,256:High,512:Low", ""},
    {0x1004, "Tone", "", "0:Normal,256:High,512:Low", ""},
    {0x1010, "FlashMode", "", "0:Auto,1:On,2:Off,3:Red-eye reduction", ""},
    {0x1011, "FlashStrength", "", "", ""},
    {0x1020, "Macro", "", "0:Off,1:On", ""},
    {0x1021, "Focusmode", "", "0:Auto Focus,1:Manual Focus", ""},
    {0x1030, "SlowSync", "", "0:Off,1:On", ""},
    {0x1031, "PictureMode", "",
     "0:Auto,1:Portrait scene,2:Landscape scene,4:Sports scene,5:Night scene,6:Program "
     "AE,256:Aperture prior AE,512:Shutter prior AE,768:Manual exposure",
     ""},
    {0x1032, "Skip", "", "", ""},
    {0x1100, "ContTake/Bracket", "", "0:Off,1:On", ""},
    {0x1200, "Skip", "", "", ""},
    {0x1300, "BlurWarning", "", "0:No blur warning,1:Blur warning", ""},
    {0x1301, "FocusWarning", "", "0:Auto Focus good,1:Out of focus", ""},
    {0x1302, "AEWarning", "", "0:AE good,1:Over exposure", ""},
}};

}  // namespace

TagTable FujiTable() { return kRows; }

}  // namespace trimora::metadata
