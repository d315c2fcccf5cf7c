// The red-eye filter: lowers the red share of the pixels in a rectangle, and the text list of
// applied rectangles that a picture's record keeps (RedEyeCoords).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/picture.h"

namespace trimora {

// The longest RedEyeCoords text a record holds.
inline constexpr std::size_t kRedEyeCoordsLimit = 1000;

// Filters the red eyes in `rect` of `picture`; the part of `rect` outside the picture is
// ignored, an empty rectangle changes nothing. The fourth byte of each pixel is kept.
void RedEyeFilter(Picture& picture, const PixelRect& rect);

// The entry text of a rectangle: left "," top "," right "," bottom (without the closing "|").
std::string RedEyeEntry(const PixelRect& rect);

// Reads a RedEyeCoords text ("412,230,440,251|1210,244,1236,262|"); the last "|" may be
// missing. Throws trimora::Error when an entry is not four decimal integers.
std::vector<PixelRect> ParseRedEyeCoords(std::string_view list);

// Filters every rectangle of `list` in order, as when a picture is shown or saved.
// Throws trimora::Error for a malformed list before changing any pixel.
void ReapplyRedEye(Picture& picture, std::string_view list);

// `list` with `entry` and its closing "|" appended.
std::string AppendRedEyeEntry(std::string_view list, std::string_view entry);

// Whether `entry` can be appended to `list` within the record's field length.
bool RedEyeEntryFits(std::string_view list, std::string_view entry);

// `list` without its last entry; an empty text when nothing is left.
std::string RemoveLastRedEyeEntry(std::string_view list);

// The marker's position and size on the picture view, in screen pixels.
struct MarkerRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The picture rectangle inside the marker's handles: the marker shrunk by `boxSize` on each
// side and multiplied by `scale` (picture pixels per screen pixel), rounded half to even.
PixelRect RedEyeRectFromMarker(const MarkerRect& marker, int boxSize, double scale);

}  // namespace trimora
