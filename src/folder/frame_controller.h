// What showing a picture asks of the crop frame and the format presenter: a narrow interface,
// so that the folder presenter does not depend on the frame control. SimpleFrameController is
// a minimal stand-in that keeps the selection as numbers and writes it into the record.
#pragma once
#include <cstdint>

namespace trimora {

class Table;
class FormatTables;

// The crop frame and the format operations that ShowPicture and the file-type menu use.
class FrameController {
 public:
  virtual ~FrameController() = default;

  // Whether the crop frame is visible.
  virtual bool FrameVisible() const = 0;
  // Hides the crop frame (also when the stripes are on).
  virtual void HideFrame() = 0;
  // Frame at the top-left corner, SelX = SelY = 0, 800 x 592 pixels in the current block size.
  virtual void ResetSelection() = 0;
  // Tells the frame the size of the displayed picture, which it must fit into the panel.
  virtual void FitPictureIntoPanel(int pictureWidth, int pictureHeight, bool keepZoom) = 0;
  // Swaps SelW and SelH when the selection's orientation differs from the picture's.
  virtual void MatchSelectionOrientation(int pictureWidth, int pictureHeight) = 0;
  // Takes the stored selection of a record (in blocks of `blockSize`).
  virtual void RestoreSelection(int blockSize, int x, int y, int width, int height) = 0;
  // Applies format `formatId` to the shown picture and commits the selection into the current
  // record (columns X, Y, Width, Height, FormatID, jpegCompressionBlockSize).
  virtual void ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) = 0;
  // The next CommitSelection redraws even when nothing moved.
  virtual void InvalidateLastFrame() = 0;
  // Writes the selection into the current record; `forceRedraw` redraws the frame.
  virtual void CommitSelection(bool forceRedraw) = 0;
  // The selection onto the 16-pixel block grid (position and size divided by 16).
  virtual void UseBlockGrid() = 0;
  // The selection onto the pixel grid (position and size multiplied by 16).
  virtual void UsePixelGrid() = 0;
  // The current block size (16 for lossless JPEG, else 1).
  virtual int BlockSize() const = 0;
  // The format id of the shown picture.
  virtual std::int32_t CurrentFormatId() const = 0;
  // Whether the red-eye frame is visible.
  virtual bool RedEyeFrameVisible() const = 0;
};

// The selection as numbers, a format's whole-picture fit centred on the picture, and the
// commit into the current record of the cutting-data table.
class SimpleFrameController : public FrameController {
 public:
  // Works on `table`'s current record and the formats of `formats`.
  SimpleFrameController(Table& table, FormatTables& formats);

  bool FrameVisible() const override { return visible_; }
  void HideFrame() override { visible_ = false; }
  void ResetSelection() override;
  void FitPictureIntoPanel(int pictureWidth, int pictureHeight, bool keepZoom) override;
  void MatchSelectionOrientation(int pictureWidth, int pictureHeight) override;
  void RestoreSelection(int blockSize, int x, int y, int width, int height) override;
  void ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) override;
  void InvalidateLastFrame() override {}
  void CommitSelection(bool forceRedraw) override;
  void UseBlockGrid() override;
  void UsePixelGrid() override;
  int BlockSize() const override { return blockSize_; }
  std::int32_t CurrentFormatId() const override { return formatId_; }
  bool RedEyeFrameVisible() const override { return false; }

  // The selection in blocks.
  int SelX() const { return selX_; }
  int SelY() const { return selY_; }
  int SelW() const { return selW_; }
  int SelH() const { return selH_; }

 private:
  Table& table_;
  FormatTables& formats_;
  bool visible_ = false;
  int blockSize_ = 1;
  int selX_ = 0, selY_ = 0, selW_ = 800, selH_ = 592;
  int pictureWidth_ = 0, pictureHeight_ = 0;
  std::int32_t formatId_ = 1;
  bool restored_ = false;
};

}  // namespace trimora
