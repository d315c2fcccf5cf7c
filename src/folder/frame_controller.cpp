#include "folder/frame_controller.h"

#include <algorithm>
#include <cmath>

#include "folder/table.h"
#include "formats/format_tables.h"
#include "platform/error.h"

namespace trimora {

SimpleFrameController::SimpleFrameController(Table& table, FormatTables& formats)
    : table_(table), formats_(formats) {}

void SimpleFrameController::ResetSelection() {
  selX_ = 0;
  selY_ = 0;
  if (blockSize_ == 16) {
    selW_ = 50;
    selH_ = 37;
  } else {
    selW_ = 800;
    selH_ = 592;
  }
}

void SimpleFrameController::FitPictureIntoPanel(int pictureWidth, int pictureHeight, bool) {
  pictureWidth_ = pictureWidth;
  pictureHeight_ = pictureHeight;
}

void SimpleFrameController::MatchSelectionOrientation(int pictureWidth, int pictureHeight) {
  if ((pictureWidth > pictureHeight && selH_ > selW_) ||
      (pictureHeight > pictureWidth && selW_ > selH_)) {
    std::swap(selW_, selH_);
  }
}

void SimpleFrameController::RestoreSelection(int blockSize, int x, int y, int width, int height) {
  visible_ = false;
  blockSize_ = blockSize == 16 ? 16 : 1;
  selX_ = x;
  selY_ = y;
  selW_ = width;
  selH_ = height;
  restored_ = true;
}

void SimpleFrameController::ApplyFormat(std::int32_t formatId, bool) {
  formatId_ = formatId;
  formats_.LookupFormat(formatId, formats_.CurrentFormat);
  if (table_.CurrentPosition() < 0 || pictureWidth_ <= 0 || pictureHeight_ <= 0) return;
  if (auto size = table_.ReadInteger("jpegCompressionBlockSize")) blockSize_ = *size == 16 ? 16 : 1;
  const int pw = std::max(1, pictureWidth_ / blockSize_);
  const int ph = std::max(1, pictureHeight_ / blockSize_);
  const bool keep = restored_ && selW_ > 0 && selH_ > 0 && selX_ >= 0 && selY_ >= 0 &&
                    selX_ + selW_ <= pw && selY_ + selH_ <= ph;
  restored_ = false;
  if (keep) {
    // A stored selection that still fits stays exactly as it was.
    visible_ = true;
    CommitSelection(false);
    return;
  }
  double ratio = static_cast<double>(std::max(pw, ph)) / std::min(pw, ph);
  try {
    ratio = static_cast<double>(formats_.FormatRatio(formatId));
  } catch (const Error&) {
    // No such format: the whole picture.
  }
  // The largest selection of the format's ratio inside the picture, oriented like the picture.
  const bool landscape = pw >= ph;
  const int longSide = landscape ? pw : ph;
  const int shortSide = landscape ? ph : pw;
  int selLong = static_cast<int>(std::nearbyint(shortSide * ratio));
  int selShort = shortSide;
  if (selLong > longSide) {
    selLong = longSide;
    selShort = std::max(1, static_cast<int>(std::nearbyint(longSide / ratio)));
  }
  selW_ = landscape ? selLong : selShort;
  selH_ = landscape ? selShort : selLong;
  selX_ = (pw - selW_) / 2;
  selY_ = (ph - selH_) / 2;
  visible_ = true;
  CommitSelection(false);
}

void SimpleFrameController::CommitSelection(bool) {
  if (table_.CurrentPosition() < 0) return;
  table_.WriteInteger("X", selX_);
  table_.WriteInteger("Y", selY_);
  table_.WriteInteger("Width", selW_);
  table_.WriteInteger("Height", selH_);
  table_.WriteInteger("FormatID", formatId_);
  table_.WriteInteger("jpegCompressionBlockSize", blockSize_);
}

void SimpleFrameController::UseBlockGrid() {
  if (blockSize_ == 16) return;
  blockSize_ = 16;
  selX_ /= 16;
  selY_ /= 16;
  selW_ = std::max(1, selW_ / 16);
  selH_ = std::max(1, selH_ / 16);
}

void SimpleFrameController::UsePixelGrid() {
  if (blockSize_ == 1) return;
  blockSize_ = 1;
  selX_ *= 16;
  selY_ *= 16;
  selW_ *= 16;
  selH_ *= 16;
}

}  // namespace trimora
