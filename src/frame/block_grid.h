// The block grid laid over the picture being shown, the crop selection on it, and the mapping
// between the grid and the crop frame on screen. Plain C++; the frame presenter and the tests
// use it directly.
//
// Blocks are 16 x 16 picture pixels while a picture is to be cut losslessly as JPEG, 1 x 1
// otherwise. The selection is kept in blocks; the screen frame is derived from it.
#pragma once

#include <cstdint>

#include "formats/format_tables.h"
#include "platform/screen_area.h"

namespace trimora {

// Rounds to the nearest integer with ties to the even integer, in the extended precision the
// grid arithmetic uses (2.5 gives 2, 3.5 gives 4).
int RoundEven(long double value);

// The grid and selection state of the picture being shown.
struct GridState {
  int BlockSize = 1;            // side of a block in picture pixels: 1 or 16
  int GridCols = 0;             // block columns, a visible partial last column included
  int GridRows = 0;             // block rows, a visible partial last row included
  long double BlockScale = 1;   // width of one block on screen
  int BlockScaleRounded = 1;    // BlockScale rounded
  int EdgeColPixels = 0;        // screen width of the partial last column (0: none)
  int EdgeRowPixels = 0;        // screen height of the partial last row (0: none)
  int SelX = 0;                 // selection left in blocks
  int SelY = 0;                 // selection top in blocks
  int SelW = 0;                 // selection width in blocks
  int SelH = 0;                 // selection height in blocks
  int ViewWidth = 0;            // V: displayed width of the picture view
  int ViewHeight = 0;           // U: displayed height of the picture view

  // The smallest shorter side of a selection in blocks: 80 pixels on either grid.
  int MinSelectionBlocks() const { return BlockSize == 16 ? 5 : 80; }
  // Left of the frame: SelX x BlockScale rounded.
  int ScreenLeft() const;
  // Top of the frame: SelY x BlockScale rounded.
  int ScreenTop() const;
  // Width of the frame; the rest of the view when the selection ends at the last column.
  int ScreenWidth() const;
  // Height of the frame; the rest of the view when the selection ends at the last row.
  int ScreenHeight() const;
  // The frame rectangle of the selection.
  ScreenRect ScreenFrame() const { return {ScreenLeft(), ScreenTop(), ScreenWidth(), ScreenHeight()}; }
  // True when the selection or its frame reaches beyond the grid or the view.
  bool SelectionBeyondView() const;
};

// Derives the grid from the picture size (P x Q pixels), BlockSize and the view size (V x U):
// columns and rows, the block scale and the screen size of partial last blocks. Also stores
// V and U. A picture narrower or lower than one block gets a usable scale (such pictures are
// refused when a format is applied).
void ComputeBlockGrid(GridState& grid, int pictureWidth, int pictureHeight, int viewWidth,
                      int viewHeight);

// Gives the selection the side ratio `ratio` (>= 1) keeping its orientation and position;
// a non-scalable format (FormatID < 0) gets its exact size in blocks.
void FitSelectionToFormat(GridState& grid, const FormatRecord& format, long double ratio);

// Whether a format can be applied to a picture of P x Q pixels on the grid's block size.
enum class FormatFit {
  Fits,
  SmallerThanFormat,  // a non-scalable format is larger than the picture
  TooSmall,           // the picture is narrower or lower than the shortest selection
};
FormatFit FitOfFormat(const GridState& grid, int pictureWidth, int pictureHeight,
                      const FormatRecord& format);

// The selection of a picture (P x Q pixels) shown for the first time with `format` (side ratio
// `ratio`) on `grid` (block size, columns, rows): a non-scalable format at its exact size, a
// scalable one as large as the grid allows in the picture's orientation (landscape for a square
// picture); centred on the grid. Returns false and leaves the grid alone when the format does
// not fit the picture (FitOfFormat).
bool PlaceFirstSelection(GridState& grid, int pictureWidth, int pictureHeight,
                         const FormatRecord& format, long double ratio);

// Colours of the crop frame, as 0xRRGGBB.
inline constexpr std::uint32_t kFrameLime = 0x00FF00;
inline constexpr std::uint32_t kFrameYellow = 0xFFFF00;
inline constexpr std::uint32_t kFrameRed = 0xFF0000;

// The frame colour that tells whether the selection reaches the format's optimal size (lime),
// its minimal size (yellow) or neither (red); orientation does not matter.
std::uint32_t SelectionColor(const GridState& grid, const FormatRecord& format);

// The selection in picture pixels, clipped to a picture of P x Q pixels at the right and
// bottom: (left, top, width, height).
ScreenRect SelectionInPixels(const GridState& grid, int pictureWidth, int pictureHeight);

}  // namespace trimora
