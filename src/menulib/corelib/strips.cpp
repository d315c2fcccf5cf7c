// The shared picture strips and the background colour and brush of picture cells.
#include <vector>

#include "corelib/pictures.h"
#include "ornacore.h"
#include "sys/environment.h"
#include "sys/objects.h"

namespace ornacore {
namespace {

// How a strip is made from its pictures.
struct StripPlan {
  std::span<const PictureArt> (*pictures)();
  int scale;
  bool separated;
  std::uint32_t minEntryHeight;
  std::uint32_t maxEntryHeight;
};

// Strip 0: the command pictures for ordinary entries; strip 1: the marks; strip 2: the command
// pictures at twice the size for tall entries.
constexpr StripPlan kPlans[] = {
    {CommandPictures, 1, true, 1, 23},
    {MarkPictures, 1, false, 1, 23},
    {CommandPictures, 2, true, 24, 64},
};

ornasys::Picture Paint(const StripPlan& plan) {
  const auto pictures = plan.pictures();
  const int count = static_cast<int>(pictures.size());
  const int width = kPictureWidth * plan.scale;
  const int height = kPictureHeight * plan.scale;
  const int pitch = height + (plan.separated ? 1 : 0);
  ornasys::Picture strip(width, count * pitch - (plan.separated ? 1 : 0), kTransparent);
  for (int n = 0; n < count; ++n) {
    const PictureArt& art = pictures[static_cast<std::size_t>(n)];
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        strip.Set(x, n * pitch + y, PaletteColour(art.rows[y / plan.scale][x / plan.scale]));
      }
    }
  }
  return strip;
}

class Library {
 public:
  ~Library() {
    for (const CtlBitmapInfo& strip : strips_) ornasys::DeleteObject(strip.bitmap);
    ornasys::DeleteObject(brush_);
  }

  const std::vector<CtlBitmapInfo>& Strips() {
    if (strips_.empty()) {
      for (const StripPlan& plan : kPlans) {
        const auto pictures = plan.pictures();
        CtlBitmapInfo info{};
        info.size = sizeof info;
        info.firstPicture = static_cast<std::uint32_t>(pictures.front().number);
        info.lastPicture = static_cast<std::uint32_t>(pictures.back().number);
        info.bitmap = ornasys::CreateBitmap(Paint(plan));
        info.pictureWidth = static_cast<std::uint32_t>(kPictureWidth * plan.scale);
        info.pictureHeight = static_cast<std::uint32_t>(kPictureHeight * plan.scale);
        info.minEntryHeight = plan.minEntryHeight;
        info.maxEntryHeight = plan.maxEntryHeight;
        info.separated = plan.separated ? 1 : 0;
        strips_.push_back(info);
      }
    }
    return strips_;
  }

  // A brush of the menu colour, made again when the colour changed.
  ornasys::Handle Brush() {
    const ornasys::Colour colour = ornasys::GetSystemColour(ornasys::SystemColour::kMenu);
    if (ornasys::GetBrush(brush_) == nullptr || brushColour_ != colour) {
      ornasys::DeleteObject(brush_);
      brush_ = ornasys::CreateSolidBrush(colour);
      brushColour_ = colour;
    }
    return brush_;
  }

 private:
  std::vector<CtlBitmapInfo> strips_;
  ornasys::Handle brush_ = 0;
  ornasys::Colour brushColour_ = 0;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

}  // namespace
}  // namespace ornacore

extern "C" {

int32_t CtlGetBitmap(CtlBitmapInfo* info, int32_t strip) {
  if (info == nullptr || info->size != sizeof(CtlBitmapInfo) || strip < 0) return 0;
  const auto& strips = ornacore::TheLibrary().Strips();
  if (static_cast<std::size_t>(strip) >= strips.size()) return 0;
  *info = strips[static_cast<std::size_t>(strip)];
  return 1;
}

uint32_t CtlTools_rgbBkgnd(void) {
  // Two parts menu colour, one part shadow: with the white of the halftone the cell of a
  // checked entry looks pressed on light and on grey menus alike.
  using ornasys::SystemColour;
  const ornasys::Colour menu = ornasys::GetSystemColour(SystemColour::kMenu);
  const ornasys::Colour shadow = ornasys::GetSystemColour(SystemColour::kShadow3D);
  const auto mix = [](int a, int b) { return (2 * a + b + 1) / 3; };
  return ornasys::Rgb(mix(ornasys::RedOf(menu), ornasys::RedOf(shadow)),
                      mix(ornasys::GreenOf(menu), ornasys::GreenOf(shadow)),
                      mix(ornasys::BlueOf(menu), ornasys::BlueOf(shadow)));
}

OrsHandle CtlTools_hBrBkgnd(void) { return ornacore::TheLibrary().Brush(); }

}  // extern "C"
