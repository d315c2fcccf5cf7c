// Thumbnails for the picture strip: a box filter into at most 75 x 75 pixels and a light
// sharpening, fed by the one-eighth JPEG decoder.
#pragma once

#include <string>

#include "imaging/picture.h"

namespace trimora {

// The long side of a thumbnail in pixels.
inline constexpr int kThumbnailBox = 75;

// Width and height of a thumbnail.
struct ThumbnailSize {
  int width = 0;
  int height = 0;
  bool operator==(const ThumbnailSize&) const = default;
};

// The size of the thumbnail of a w x h picture: the long side 75, the other in proportion
// (rounded to nearest, ties to even, at least 1). A picture within 75 x 75 keeps its size.
ThumbnailSize ThumbnailSizeFor(int width, int height);

// Scales `source` into a thumbnail: a copy when it fits into 75 x 75, else the box filter
// followed by sharpening. An empty source gives an empty picture.
Picture ScaleThumbnail(const Picture& source);

// The strip's thumbnail of the JPEG file at `path`: one-eighth decoding, then ScaleThumbnail.
// Throws trimora::Error when the file cannot be decoded.
Picture MakeThumbnail(const std::string& path);

}  // namespace trimora
