// Painting one entry off screen and copying it to the popup in one step, and the side band.
#include <algorithm>
#include <string>

#include "ornacore.h"
#include "ornamo/library.h"
#include "ornamo/record.h"
#include "ornamo/strips.h"
#include "sys/environment.h"
#include "sys/menus.h"
#include "sys/objects.h"
#include "sys/text.h"

namespace ornamo {
namespace {

using ornasys::Colour;
using ornasys::Picture;
using ornasys::Rect;
using ornasys::SystemColour;

Colour Sys(SystemColour which) { return ornasys::GetSystemColour(which); }

// The stretched band is painted again at most this often per popup.
constexpr auto kBandInterval = std::chrono::milliseconds(100);

// Keys with which the keyboard moves through a menu.
constexpr int kNavigationKeys[] = {ornasys::kKeyUp,       ornasys::kKeyDown,  ornasys::kKeyLeft,
                                   ornasys::kKeyRight,    ornasys::kKeyHome,  ornasys::kKeyEnd,
                                   ornasys::kKeyPageDown, ornasys::kKeyPageUp};

bool NavigationKeyDown() {
  return std::any_of(std::begin(kNavigationKeys), std::end(kNavigationKeys), ornasys::IsKeyDown);
}

// Copies `picture` to (x, y) of the surface, within its clip box.
void CopyToSurface(ornasys::Surface& surface, int x, int y, const Picture& picture) {
  const Rect target =
      Rect{x, y, x + picture.Width(), y + picture.Height()}.Intersected(surface.clip);
  if (target.IsEmpty()) return;
  ornasys::Blit(surface.picture, target.left, target.top, picture, target.Translated(-x, -y));
}

// A bitmap the painting owns for a while (a loaded resource) or only borrows.
class PictureSource {
 public:
  PictureSource() = default;
  ~PictureSource() { ornasys::DeleteObject(owned_); }
  PictureSource(const PictureSource&) = delete;
  PictureSource& operator=(const PictureSource&) = delete;

  void Borrow(ornasys::Handle bitmap) { picture_ = ornasys::GetBitmap(bitmap); }
  void Own(ornasys::Handle bitmap) {
    owned_ = bitmap;
    Borrow(bitmap);
  }
  const Picture* get() const { return picture_; }

 private:
  ornasys::Handle owned_ = 0;
  const Picture* picture_ = nullptr;
};

// Embosses the picture of a disabled entry: walking down-right diagonals over the picture
// (and a frame of one pixel left and two rows below), a pixel becomes the shadow colour where
// it is darker than the previous pixel or than the menu, the menu colour where it equals the
// previous pixel, and the highlight colour where it is lighter.
void Emboss(Picture& entry, int width, int height) {
  const Colour menu = Sys(SystemColour::kMenu);
  const Colour shadow = Sys(SystemColour::kShadow3D);
  const Colour highlight = Sys(SystemColour::kHighlight3D);
  const int background = ornasys::Luminance(menu);
  const int top = (entry.Height() - height) / 2;
  for (int d = -(height + 2); d <= width + 2; ++d) {
    int previous = background;
    for (int i = 0; i <= height + 1; ++i) {
      const int x = i + d;
      if (x < 0) continue;
      if (x > width) break;
      const int y = i + top;
      const int current = ornasys::Luminance(entry.At(x, y));
      const Colour colour = current < previous || current < background ? shadow
                            : current == previous                      ? menu
                                                                       : highlight;
      entry.Set(x, y, colour);
      previous = current;
    }
  }
}

}  // namespace

void Library::PaintBand(const OrsDrawItem& draw, const Band& band) {
  ornasys::Surface* surface = ornasys::GetSurface(draw.dc);
  const Picture* bitmap = ornasys::GetBitmap(band.bitmap);
  if (surface == nullptr || bitmap == nullptr) return;
  const Rect area = surface->client.IsEmpty() ? surface->clip : surface->client;
  const int height = area.Height();
  if (!band.stretch) {
    Picture image(bitmap->Width(), height, Sys(SystemColour::kMenu));
    const int y = height - bitmap->Height();
    ornasys::Blit(image, 0, y, *bitmap, bitmap->Bounds());
    if (y > 0) ornasys::FillRect(image, {0, 0, image.Width(), y}, bitmap->At(0, 0));
    CopyToSurface(*surface, 0, 0, image);
    return;
  }
  // Stretching is dear: it is done when the popup shows on a new surface, and else at most
  // every 100 ms per popup, however many of its entries are painted meanwhile.
  const auto now = options_.clock();
  const auto last = bandPaintings_.find(draw.item);
  if (last != bandPaintings_.end() && last->second.surface == draw.dc &&
      now - last->second.when < kBandInterval) {
    return;
  }
  bandPaintings_[draw.item] = BandPainting{draw.dc, now};
  Picture image(bitmap->Width() + 2, height, Sys(SystemColour::kMenu));
  ornasys::StretchBlit(image, {0, 0, bitmap->Width(), height}, *bitmap, bitmap->Bounds());
  CopyToSurface(*surface, 0, 0, image);
}

bool Library::Paint(const OrsDrawItem& draw) {
  OrmMenuItem* record = EntryRecord(draw.ctlType, draw.itemId, draw.itemData);
  if (record == nullptr) return false;
  if (const auto callback =
          reinterpret_cast<OrmPaintProc>(OrsProcedureAddress(record->paintCallback))) {
    return callback(record, &draw) != 0;
  }
  ornasys::Surface* surface = ornasys::GetSurface(draw.dc);
  if (surface == nullptr) return false;

  Rect entry{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
  const auto band = bands_.find(draw.item);
  if (band != bands_.end()) {
    if (const Picture* bitmap = ornasys::GetBitmap(band->second.bitmap)) {
      PaintBand(draw, band->second);
      entry.left += bitmap->Width() + 2;
    }
  }
  if (entry.IsEmpty()) return true;

  const int width = entry.Width();
  const int height = entry.Height();
  const Colour menuColour = Sys(SystemColour::kMenu);
  Picture image(width, height, menuColour);
  const bool selected = (draw.itemState & ORS_ODS_SELECTED) != 0;
  const bool grayed = (draw.itemState & ORS_ODS_GRAYED) != 0;
  const bool checked = (draw.itemState & ORS_ODS_CHECKED) != 0;
  const bool selectedLook = selected && (!grayed || NavigationKeyDown());
  ornasys::Font font = ornasys::GetMenuFont().value_or(ornasys::GetDefaultGuiFont());
  if ((draw.itemState & ORS_ODS_DEFAULT) != 0) font.weight = 700;
  const ornasys::Size checkMark = ornasys::GetMenuCheckMarkSize();
  const int column = std::max(checkMark.width, 16);

  if (draw.itemId == 0) {
    const int middle = height / 2;
    ornasys::DrawHorizontalLine(image, 2, width - 2, middle - 1, Sys(SystemColour::kShadow3D));
    ornasys::DrawHorizontalLine(image, 2, width - 2, middle, Sys(SystemColour::kHighlight3D));
    CopyToSurface(*surface, entry.left, entry.top, image);
    return true;
  }

  // Picture selection.
  // A checked entry shows its picture at the check mark's size; without a picture of its
  // own it shows the check mark, picture 191.
  std::uint32_t number = record->sharedPicture;
  if (checked) {
    record->pictureWidth = 16;
    record->pictureHeight = 15;
    if (number == 0 && record->icon == 0 && record->bitmap == 0 && record->resourceModule == 0) {
      number = 191;
    }
  }
  const int pictureWidth = record->pictureWidth;
  const int pictureHeight = record->pictureHeight;
  PictureSource source;
  Rect from;
  bool icon = false;
  if (number != 0) {
    if (const auto strip = FindStrip(number, pictureHeight)) {
      record->pictureY = PictureTop(*strip, number);
      source.Borrow(strip->bitmap);
      from = ornasys::RectAt(0, record->pictureY, std::min<int>(strip->pictureWidth, pictureWidth),
                             std::min<int>(strip->pictureHeight, pictureHeight));
    }
  } else if (record->icon != 0) {
    icon = true;
  } else if (record->bitmap != 0) {
    source.Borrow(record->bitmap);
    from = ornasys::RectAt(record->pictureX, record->pictureY, pictureWidth, pictureHeight);
  } else if (record->resourceModule != 0) {
    source.Own(ornasys::LoadBitmapResource(record->resourceModule, ResourceNameFor(*record)));
    from = ornasys::RectAt(record->pictureX, record->pictureY, pictureWidth, pictureHeight);
  }

  // The picture column; the text column starts behind it for every entry alike, so that the
  // labels of a popup align.
  const int textLeft =
      std::max({checkMark.width, 16, source.get() != nullptr ? pictureWidth : 0}) + 4;
  const int pictureTop = std::max((height - pictureHeight) / 2, 0);
  if (pictureWidth != 0 && checked) {
    Rect cell{0, pictureTop, pictureWidth + 2, std::min(pictureTop + pictureHeight, height - 1)};
    cell.top -= 1;
    cell.bottom += 1;
    const ornasys::Handle pattern = ornasys::LoadBitmapResource(resources_, "HalftonePattern");
    if (const Picture* halftone = ornasys::GetBitmap(pattern)) {
      const ornasys::Handle brush =
          ornasys::CreatePatternBrush(*halftone, ornasys::Rgb(255, 255, 255), CtlTools_rgbBkgnd());
      if (const ornasys::Brush* fill = ornasys::GetBrush(brush)) {
        ornasys::FillWithBrush(image, cell, *fill);
      }
      ornasys::DeleteObject(brush);
    }
    ornasys::DeleteObject(pattern);
    ornasys::DrawFrame(image, cell, Sys(SystemColour::kShadow3D), Sys(SystemColour::kHighlight3D));
  }

  // The text background (the image starts in the menu colour).
  if (selectedLook) {
    ornasys::FillRect(image, {textLeft, 0, width, height}, Sys(SystemColour::kActiveCaption));
  }

  // The picture.
  if (icon) {
    if (const Picture* picture = ornasys::GetIcon(record->icon)) {
      const Rect place = ornasys::RectAt(1, std::max((height - 16) / 2, 0), 16, 16);
      if (const ornasys::Brush* background = ornasys::GetBrush(CtlTools_hBrBkgnd())) {
        ornasys::FillWithBrush(image, place, *background);
      }
      ornasys::DrawAlpha(image, place, *picture);
    }
  } else if (const Picture* picture = source.get()) {
    ornasys::BlitTransparent(image, 1, (height - pictureHeight) / 2, *picture, from,
                             picture->At(0, 0));
  }

  // Picture effects.
  if (pictureWidth >= 1) {
    if (grayed) {
      Emboss(image, pictureWidth, pictureHeight);
    } else if (selected) {
      const int top = (height - pictureHeight) / 2 - 1;
      ornasys::DrawFrame(image, {0, top, pictureWidth + 2, top + pictureHeight + 2},
                         Sys(SystemColour::kHighlight3D), Sys(SystemColour::kShadow3D));
    }
  }

  // The label and the accelerator.
  ornasys::TextEngine& engine = ornasys::GetTextEngine();
  const SplitText text = SplitAtTab(TextOf(*record));
  // A single line is as high as the font's line, whatever the label holds.
  const int textHeight = engine.Measure(font, {}, 0).height;
  const Rect labelRect{textLeft, (height - textHeight) / 2, width, height};
  const Rect acceleratorRect{labelRect.left, labelRect.top, width - (column + 6), height};
  const auto drawBoth = [&](int shift, Colour colour) {
    engine.Draw(image, labelRect.Translated(shift, shift), font, text.label, colour,
                ornasys::kTextLeft);
    if (text.hasTab) {
      engine.Draw(image, acceleratorRect.Translated(shift, shift), font, text.accelerator, colour,
                  ornasys::kTextRight);
    }
  };
  if (grayed) {
    if (!selectedLook) drawBoth(1, Sys(SystemColour::kHighlight3D));
    drawBoth(0, Sys(SystemColour::kShadow3D));
  } else {
    drawBoth(0, Sys(selected ? SystemColour::kHighlightText : SystemColour::kMenuText));
  }

  CopyToSurface(*surface, entry.left, entry.top, image);
  return true;
}

}  // namespace ornamo
