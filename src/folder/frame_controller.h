// What showing a picture and the type menu ask of the crop frame and the format presenter: a
// narrow interface, so that the folder presenter does not depend on the frame control. The
// frame presenter implements it (frame/frame_controller_adapter.h).
#pragma once
#include <cstdint>

namespace trimora {

struct FileTypeDefaults;
struct TypeMenuEntry;

// The crop frame and the format operations that ShowPicture and the type menu use.
class FrameController {
 public:
  virtual ~FrameController() = default;

  // Whether the crop frame is visible.
  virtual bool FrameVisible() const = 0;
  // Hides the crop frame (also when the stripes are on).
  virtual void HideFrame() = 0;
  // Frame at the top-left corner, SelX = SelY = 0, 800 x 592 pixels in the current block size.
  virtual void ResetSelection() = 0;
  // Tells the frame the size of the displayed picture, which it must fit into the panel; the
  // picture is the one of the strip entry `entry`.
  virtual void FitPictureIntoPanel(int entry, int pictureWidth, int pictureHeight) = 0;
  // Swaps SelW and SelH when the selection's orientation differs from the picture's.
  virtual void MatchSelectionOrientation() = 0;
  // Takes the stored selection of a record (in blocks of `blockSize`).
  virtual void RestoreSelection(int blockSize, int x, int y, int width, int height) = 0;
  // Applies format `formatId` to the shown picture and commits the selection into its record
  // (X, Y, Width, Height, FormatID, jpegCompressionBlockSize).
  virtual void ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) = 0;
  // After ApplyFormat on a picture shown for the first time: the format as large as the picture
  // allows, centred, committed into the record (nothing when the format was refused).
  virtual void PlaceFirstShowingSelection() = 0;
  // The next commit of the selection redraws even when nothing moved.
  virtual void InvalidateLastFrame() = 0;
  // After the stored corrections of the picture on screen were applied: a corrected picture
  // leaves the block grid (without a note).
  virtual void KeepCorrectedPictureOffBlockGrid() = 0;
  // A type menu entry chosen for the picture on screen; false when the entry is disabled.
  virtual bool ChooseTypeOfShownPicture(const TypeMenuEntry& entry) = 0;
  // Whether "JPG (verlustfrei)" is enabled for the picture on screen.
  virtual bool LosslessEntryEnabled() const = 0;
  // The default type pairs from the settings FileFormat1 and FileFormat2.
  virtual const FileTypeDefaults& FileTypes() const = 0;
  // The format id of the shown picture.
  virtual std::int32_t CurrentFormatId() const = 0;
  // Whether the red-eye frame is visible.
  virtual bool RedEyeFrameVisible() const = 0;
  // Leaves red-eye marking (another picture is shown).
  virtual void EndRedEyeMarking() = 0;
  // The view takes the opacity outside the selection that the shown picture needs (full while
  // side stripes are on).
  virtual void RefreshDisplayAlpha() = 0;
};

}  // namespace trimora
