// The picture as the picture view shows it: the display copy (the picture scaled to exactly
// the view's size), the dimmed copy drawn outside the selection, and the selection overlay
// cut from the display copy. The view paints these pictures 1:1, so what is on screen equals
// ComposeView pixel for pixel.
#pragma once

#include <cstdint>
#include <functional>

#include "frame/block_grid.h"
#include "imaging/picture.h"

namespace trimora {

// The background of the picture panel and view: RGB(235, 239, 252), as 0xRRGGBB.
inline constexpr std::uint32_t kPictureBackground = 0xEBEFFC;

// `source` scaled to width x height by averaging the source pixels that fall into each target
// pixel (integer bins; every source pixel is read once). An empty source or size gives an
// empty picture.
Picture ScaleToView(const Picture& source, int width, int height);

// ScaleToView of `source` as it is once `finishRows(first, end)` has finished its rows first
// to end - 1. Each source row is handed to `finishRows` exactly once, also when the size is
// empty. Unless the height grows, the rows of each bin are handed on the thread that scales
// them just before they are read, so that a last pass over the picture and its scaling share
// the rows while they are in the cache.
Picture ScaleToView(const Picture& source, int width, int height,
                    const std::function<void(int first, int end)>& finishRows);

// ScaleToView of `source` written into `target`, whose memory is reused when it has that size
// already: a picture shown again at the same size faults in and clears no fresh pages.
// `target` must not be `source`. `meanwhile`, when given, runs on the calling thread while the
// other cores scale (before the calling thread's own share); it must not touch either picture.
void ScaleInto(
    const Picture& source, int width, int height, Picture& target,
    const std::function<void()>& meanwhile = [] {});

// Recomputes the pixels of `display` (ScaleToView of `source` at display's size) whose source
// bins meet `part` of `source`, after that part of `source` changed; equal to a whole rebuild.
void RescalePart(const Picture& source, const PixelRect& part, Picture& display);

// Each pixel blended with the background: (M x pixel + (255 - M) x background) / 255 per
// channel, M = masterAlpha (kept within 0..255). Alpha bytes become 255.
Picture DimmedCopy(const Picture& display, int masterAlpha, std::uint32_t background);

// Writes DimmedCopy of `display` into `target` (resized when its size differs).
void DimInto(const Picture& display, int masterAlpha, std::uint32_t background, Picture& target);

// The rectangle of the view that the overlay layer covers for the frame `frame`:
// from (max(0, left), max(0, top)) with the frame's width and height.
ScreenRect OverlayPlace(const ScreenRect& frame);

// The overlay layer for the frame: frame width x height pixels, the part of `display` under
// the frame copied to its top-left, the rest (outside the display copy) in the background.
// Reuses `layer`'s memory when the size stays.
void CutOverlay(const Picture& display, const ScreenRect& frame, std::uint32_t background,
                Picture& layer);

// What the view shows: the dimmed copy, and over it the overlay at OverlayPlace(frame) when
// `overlayVisible`.
Picture ComposeView(const Picture& display, int masterAlpha, std::uint32_t background,
                    const ScreenRect& frame, bool overlayVisible);

}  // namespace trimora
