#include "frame/frame_presenter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/message_codes.h"

namespace trimora {

namespace {

const char* const kLargerText =
    "Das gewählte Ausgabeformat ist größer als die aktuellen Bildmaße und kann deshalb nicht "
    "angewendet werden.";
const char* const kTooSmallText = "Das gewählte Bild ist für die Bearbeitung mit Trimora zu klein.";
const char* const kCorrectedText =
    "Nach der Anwendung von Bildkorrekturen/-erweiterungen kann ein Bild nicht mehr verlustfrei "
    "als JPEG gespeichert werden.";

// Resets the busy cursor however a type-button refresh ends.
class BusyCursor {
 public:
  explicit BusyCursor(FrameView& view) : view_(view) { view_.SetBusyCursor(true); }
  ~BusyCursor() { view_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  FrameView& view_;
};

}  // namespace

std::optional<SelectionCommand> SelectionCommandOf(CommandId id) {
  using C = SelectionCommand;
  static constexpr std::pair<CommandId, SelectionCommand> kFrameCommands[] = {
      {CommandId::StepLeft, C::StepLeft},
      {CommandId::StepRight, C::StepRight},
      {CommandId::StepUp, C::StepUp},
      {CommandId::StepDown, C::StepDown},
      {CommandId::EdgeLeft, C::EdgeLeft},
      {CommandId::EdgeRight, C::EdgeRight},
      {CommandId::EdgeTop, C::EdgeTop},
      {CommandId::EdgeBottom, C::EdgeBottom},
      {CommandId::Centre, C::Centre},
      {CommandId::Shrink, C::Shrink},
      {CommandId::Grow, C::Grow},
      {CommandId::Minimise, C::Minimise},
      {CommandId::Maximise, C::Maximise},
      {CommandId::TurnSelection, C::Turn},
      {CommandId::HideOutside, C::HideOutside},
      {CommandId::ShowOutside, C::ShowOutside},
      {CommandId::CropOutside, C::CropOutside},
      {CommandId::ShowWhole, C::ShowWhole},
  };
  for (const auto& [window, frame] : kFrameCommands) {
    if (window == id) return frame;
  }
  return std::nullopt;
}

FramePresenter::FramePresenter(FrameView& view, FormatTables& formats,
                               std::vector<CuttingRecord>& records, SettingsAccess& settings)
    : view_(view), formats_(formats), records_(records), settings_(settings) {}

CuttingRecord* FramePresenter::CurrentRecord() {
  if (entry_ < 0 || entry_ >= static_cast<int>(records_.size())) return nullptr;
  return &records_[static_cast<std::size_t>(entry_)];
}

void FramePresenter::SetCurrentPicture(int entry, int width, int height) {
  entry_ = entry;
  pictureWidth_ = width;
  pictureHeight_ = height;
  LastFrameRect.left = -999;
}

void FramePresenter::ClearCurrentPicture() {
  entry_ = -1;
  pictureWidth_ = pictureHeight_ = 0;
}

void FramePresenter::InitBlockSize() { grid.BlockSize = fileTypes.PrefersLosslessJpeg() ? 16 : 1; }

void FramePresenter::ResetSelection() {
  ScreenRect f = view_.FrameRect();
  f.left = f.top = 0;
  view_.SetFrameRect(f);
  grid.SelX = grid.SelY = 0;
  if (grid.BlockSize == 16) {
    grid.SelW = 50;
    grid.SelH = 37;
  } else {
    grid.SelW = 800;
    grid.SelH = 592;
  }
}

void FramePresenter::PlaceFirstShowingSelection() {
  if (entry_ < 0 || !view_.FrameVisible()) return;
  if (!PlaceFirstSelection(grid, pictureWidth_, pictureHeight_, formats_.CurrentFormat,
                           CurrentRatio))
    return;
  PlaceFrame();
  CommitSelection(true);
}

void FramePresenter::RestoreSelection(int blockSize, int x, int y, int width, int height) {
  grid.BlockSize = blockSize == 16 ? 16 : 1;
  grid.SelX = x;
  grid.SelY = y;
  grid.SelW = width;
  grid.SelH = height;
}

void FramePresenter::TurnSelectionToPicture() {
  const bool wide = pictureWidth_ > pictureHeight_;
  const bool high = pictureHeight_ > pictureWidth_;
  if ((wide && grid.SelW < grid.SelH) || (high && grid.SelW > grid.SelH)) {
    std::swap(grid.SelW, grid.SelH);
  }
}

void FramePresenter::ComputeBlockGrid() {
  trimora::ComputeBlockGrid(grid, pictureWidth_, pictureHeight_, grid.ViewWidth, grid.ViewHeight);
}

void FramePresenter::FitSelectionToFormat() {
  trimora::FitSelectionToFormat(grid, formats_.CurrentFormat, CurrentRatio);
}

void FramePresenter::PlaceFrame() {
  view_.SetFrameRect(grid.ScreenFrame());
  const std::uint32_t color = SelectionColor(grid, formats_.CurrentFormat);
  view_.SetFrameColor(color);
  if (view_.FrameVisible()) {
    view_.SetFrameFocus(false);
    view_.SetFrameFocus(true);
  }
  CommitSelection(false);
}

void FramePresenter::CommitSelection(bool force) {
  if (entry_ < 0) return;
  const int V = grid.ViewWidth, U = grid.ViewHeight;
  ScreenRect f = view_.FrameRect();
  const ScreenRect before = f;
  if (f.top < 0) f.top = 0;
  if (f.left < 0) f.left = 0;
  if (f.top + f.height > U) f.height = U - f.top;
  if (f.left + f.width > V) f.width = V - f.left;
  if (!(f == before)) view_.SetFrameRect(f);
  CuttingRecord* record = CurrentRecord();
  if (record == nullptr) return;
  if (!(f == LastFrameRect) || force) {
    LastFrameRect = f;
    view_.SelectionRedraw(f);
  }
  record->x = grid.SelX;
  record->y = grid.SelY;
  record->width = grid.SelW;
  record->height = grid.SelH;
  record->formatId = formats_.CurrentFormat.FormatID;
  record->blockSize = grid.BlockSize;
  const int P = record->pictureWidth.value_or(pictureWidth_);
  const int Q = record->pictureHeight.value_or(pictureHeight_);
  if (view_.CorrectionApplied(Correction::Enlargement)) return;
  const ScreenRect s = SelectionInPixels(grid, P, Q);
  view_.SetStatusText(2, "Auswahl: (" + std::to_string(s.left + 1) + "," +
                             std::to_string(s.top + 1) + ") (" + std::to_string(s.width) + "x" +
                             std::to_string(s.height) + ")");
}

std::pair<int, int> FramePresenter::ReadFrame(bool dragging) {
  const int V = grid.ViewWidth, U = grid.ViewHeight;
  ScreenRect f = view_.FrameRect();
  const ScreenRect before = f;
  if (!dragging && f.left + f.width == V && grid.EdgeColPixels > 0) {
    f.width += grid.BlockScaleRounded - grid.EdgeColPixels;
  }
  grid.SelW = RoundEven(f.width / grid.BlockScale);
  if (!dragging && f.top + f.height == U && grid.EdgeRowPixels > 0) {
    f.height += grid.BlockScaleRounded - grid.EdgeRowPixels;
  }
  grid.SelH = RoundEven(f.height / grid.BlockScale);
  FitSelectionToFormat();
  if (f.left + f.width > V) {
    f.left = V - f.width;
  } else if (f.left < 0) {
    f.left = 0;
  }
  if (f.top + f.height > U) {
    f.top = U - f.height;
  } else if (f.top < 0) {
    f.top = 0;
  }
  if (!(f == before)) view_.SetFrameRect(f);
  const int x =
      f.left + f.width == V ? grid.GridCols - grid.SelW : RoundEven(f.left / grid.BlockScale);
  const int y =
      f.top + f.height == U ? grid.GridRows - grid.SelH : RoundEven(f.top / grid.BlockScale);
  return {x, y};
}

void FramePresenter::frameRectMoved() {
  const auto [x, y] = ReadFrame(true);
  grid.SelX = x;
  grid.SelY = y;
  CommitSelection(false);
}

bool FramePresenter::FrameBeyondView() const {
  const ScreenRect f = view_.FrameRect();
  return f.right() > grid.ViewWidth || f.bottom() > grid.ViewHeight || grid.SelectionBeyondView();
}

void FramePresenter::frameMouseUp() {
  const auto [x, y] = ReadFrame(false);
  grid.SelX = x;
  grid.SelY = y;
  if (grid.SelX + grid.SelW > grid.GridCols) grid.SelX = grid.GridCols - grid.SelW;
  if (grid.SelY + grid.SelH > grid.GridRows) grid.SelY = grid.GridRows - grid.SelH;
  PlaceFrame();
  if (std::min(grid.SelW, grid.SelH) < grid.MinSelectionBlocks()) {
    Minimise();
  } else if (FrameBeyondView()) {
    const auto [x2, y2] = ReadFrame(true);
    grid.SelX = x2;
    grid.SelY = y2;
    PlaceFrame();
  }
}

std::string FramePresenter::ChooserCaption(const std::string& name) {
  std::string s = name;
  // Characters, not bytes: names are UTF-8.
  auto length = [](const std::string& t) {
    return std::count_if(t.begin(), t.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
  };
  while (length(s) < 12) s = " " + s + " ";
  return s;
}

AppliedCorrections FramePresenter::AppliedOnScreen() const {
  AppliedCorrections applied;
  applied.redEye = view_.CorrectionApplied(Correction::RedEye);
  applied.autoCorrection = view_.CorrectionApplied(Correction::AutoCorrection);
  applied.enlargement = view_.CorrectionApplied(Correction::Enlargement);
  return applied;
}

void FramePresenter::SetLosslessEnabled(bool enabled) {
  losslessEnabled_ = enabled;
  view_.SetCommandEnabled(FrameCommand::LosslessJpeg, enabled);
}

void FramePresenter::ApplyFormat(std::int32_t formatId, bool mayAlignToBlocks) {
  if (view_.MarkerVisible()) view_.EndRedEyeMarking();
  FormatRecord format = formats_.CurrentFormat;
  if (!formats_.LookupFormat(formatId, format)) {
    format = FormatRecord{};
    format.FormatID = formatId;
  }
  formats_.CurrentFormat = format;
  CurrentRatio = format.Ratio();
  view_.SetChooserCaption(ChooserCaption(format.Name));
  view_.FormatApplied(formatId);
  // Without a picture on screen there is nothing to fit (and nothing to refuse).
  if (!view_.PicturesListed() || entry_ < 0) return;
  // An enlarged picture has no selection: the stored one waits, untouched, until the stripes
  // are removed (the picture is then shown anew and gets its format again).
  if (view_.CorrectionApplied(Correction::Enlargement)) {
    SetLosslessEnabled(false);
    HideFrame();
    view_.UpdateCommandStates(true);
    return;
  }

  const bool scalable = formatId > 0;
  for (FrameCommand c :
       {FrameCommand::Shrink, FrameCommand::Grow, FrameCommand::Minimise, FrameCommand::Maximise}) {
    view_.SetCommandEnabled(c, scalable);
  }
  view_.SetFrameDrawBoxes(scalable);
  const bool quiet = view_.Reshowing() || view_.FullScreenVisible();
  const FormatFit fit = FitOfFormat(grid, pictureWidth_, pictureHeight_, format);

  // While a refusal is on screen, the status no longer shows the selection of before.
  if (fit == FormatFit::SmallerThanFormat) {
    view_.SetFrameVisible(false);
    view_.SetStatusText(2, "");
    if (!quiet) view_.ShowMessageBox("Fehler", kLargerText, ui::kButtonsOk, "", 315, 180);
    view_.MarkCurrentForSaving(false, true);
    ScreenRect f = view_.FrameRect();
    f.width = 0;
    view_.SetFrameRect(f);
  } else if (fit == FormatFit::TooSmall) {
    view_.SetFrameVisible(false);
    view_.SetStatusText(2, "");
    if (!quiet) view_.ShowMessageBox("Fehler", kTooSmallText, ui::kButtonsOk, "", 315, 180);
    view_.MarkCurrentForSaving(false, true);
  } else {
    view_.SetFrameVisible(true);
    view_.EnableCurrentMarkBox();
    if (!FormatOnBlockGrid(format)) {
      if (settings_.Get(setting::kShowLossySavingInfo)) {
        view_.RepaintWindow();
        if (view_.FrameVisible() && !quiet) {
          view_.ShowMessageBox("Information",
                               "Bilder im Format " + format.Name +
                                   " können nicht verlustfrei als JPEG gespeichert werden.",
                               ui::kButtonsOk, std::string(setting::kShowLossySavingInfo.name), 270,
                               170);
        }
      }
      SetLosslessEnabled(false);
      if (grid.BlockSize == kJpegBlockSize) {
        grid.BlockSize = kPixelBlockSize;
        ComputeBlockGrid();
        grid.SelX *= kJpegBlockSize;
        grid.SelY *= kJpegBlockSize;
      }
    } else {
      SetLosslessEnabled(trimora::LosslessEntryEnabled(format, AppliedOnScreen()));
      const CuttingRecord* record = CurrentRecord();
      if (ReturnsToBlockGrid(losslessEnabled_, grid.BlockSize, fileTypes,
                             record ? record->fileType : std::nullopt, mayAlignToBlocks)) {
        grid.BlockSize = kJpegBlockSize;
        ComputeBlockGrid();
        grid.SelX /= kJpegBlockSize;
        grid.SelY /= kJpegBlockSize;
        if (formatId >= 0) {
          grid.SelW /= kJpegBlockSize;
          grid.SelH /= kJpegBlockSize;
        }
      }
    }
    grid.SelX = std::max(0, grid.SelX);
    grid.SelY = std::max(0, grid.SelY);
    if (formatId < 0) {
      grid.SelW = format.PixelWidth / grid.BlockSize;
      grid.SelH = format.PixelHeight / grid.BlockSize;
    } else {
      // An empty selection (none was ever set) starts from the default size.
      if (grid.SelW <= 0 || grid.SelH <= 0) {
        grid.SelW = grid.BlockSize == 16 ? 50 : 800;
        grid.SelH = grid.BlockSize == 16 ? 37 : 592;
      }
      FitSelectionToFormat();
      if (grid.SelX + grid.SelW > grid.GridCols || grid.SelY + grid.SelH > grid.GridRows)
        Maximise();
    }
    if (grid.SelX + grid.SelW > grid.GridCols) grid.SelX = grid.GridCols - grid.SelW;
    if (grid.SelY + grid.SelH > grid.GridRows) grid.SelY = grid.GridRows - grid.SelH;
    PlaceFrame();
    if (FrameBeyondView()) {
      Maximise();
      if (FrameBeyondView()) Centre();
    }
    RefreshTypeButtons(true);
    CommitSelection(true);
  }
  view_.SetOverlayVisible(view_.FrameVisible());
  view_.UpdateCommandStates(true);
}

bool FramePresenter::CanStepFrame(SelectionCommand d) const {
  switch (d) {
    case SelectionCommand::StepLeft:
      return grid.SelX > 0;
    case SelectionCommand::StepRight:
      return grid.SelX + grid.SelW < grid.GridCols;
    case SelectionCommand::StepUp:
      return grid.SelY > 0;
    case SelectionCommand::StepDown:
      return grid.SelY + grid.SelH < grid.GridRows;
    default:
      return false;
  }
}

void FramePresenter::Run(SelectionCommand command) {
  using C = SelectionCommand;
  switch (command) {
    case C::HideOutside:
    case C::ShowOutside:
    case C::CropOutside:
    case C::ShowWhole:
      Dim(command);
      return;
    default:
      break;
  }
  if (entry_ < 0) return;
  if (view_.MarkerVisible()) {
    MarkerCommand(command);
    return;
  }
  // With side stripes on, the frame commands are disabled.
  if (!view_.FrameVisible() || view_.CorrectionApplied(Correction::Enlargement)) return;
  const std::int32_t id = formats_.CurrentFormat.FormatID;
  switch (command) {
    case C::StepLeft:
    case C::StepRight:
    case C::StepUp:
    case C::StepDown:
      Step(command);
      break;
    case C::EdgeLeft:
    case C::EdgeRight:
    case C::EdgeTop:
    case C::EdgeBottom:
      ToEdge(command);
      break;
    case C::Centre:
      Centre();
      break;
    case C::Shrink:
      if (id > 0) Resize(-1);
      break;
    case C::Grow:
      if (id > 0) Resize(+1);
      break;
    case C::Minimise:
      if (id > 0) Minimise();
      break;
    case C::Maximise:
      if (id > 0) Maximise();
      break;
    case C::Turn:
      Turn();
      break;
    default:
      break;
  }
}

void FramePresenter::Step(SelectionCommand d) {
  if (!CanStepFrame(d)) return;
  GridState& g = grid;
  ScreenRect f = view_.FrameRect();
  const bool horizontal = d == SelectionCommand::StepLeft || d == SelectionCommand::StepRight;
  if (horizontal) {
    const int remembered = g.ScreenLeft();
    if (d == SelectionCommand::StepLeft) {
      do {
        --g.SelX;
      } while (g.ScreenLeft() == remembered && g.SelX != 0);
    } else {
      do {
        ++g.SelX;
      } while (g.ScreenLeft() == remembered && g.SelX + g.SelW != g.GridCols);
    }
    f.left = g.ScreenLeft();
    f.width = g.ScreenWidth();
  } else {
    const int remembered = g.ScreenTop();
    if (d == SelectionCommand::StepUp) {
      do {
        --g.SelY;
      } while (g.ScreenTop() == remembered && g.SelY != 0);
    } else {
      do {
        ++g.SelY;
      } while (g.ScreenTop() == remembered && g.SelY + g.SelH != g.GridRows);
    }
    f.top = g.ScreenTop();
    f.height = g.ScreenHeight();
  }
  view_.SetFrameRect(f);
  CommitSelection(false);
}

void FramePresenter::ToEdge(SelectionCommand e) {
  GridState& g = grid;
  ScreenRect f = view_.FrameRect();
  if (e == SelectionCommand::EdgeLeft || e == SelectionCommand::EdgeRight) {
    g.SelX = e == SelectionCommand::EdgeLeft ? 0 : g.GridCols - g.SelW;
    f.left = g.ScreenLeft();
    f.width = g.ScreenWidth();
  } else {
    g.SelY = e == SelectionCommand::EdgeTop ? 0 : g.GridRows - g.SelH;
    f.top = g.ScreenTop();
    f.height = g.ScreenHeight();
  }
  view_.SetFrameRect(f);
  CommitSelection(false);
}

void FramePresenter::Centre() {
  GridState& g = grid;
  ScreenRect f = view_.FrameRect();
  g.SelX = (g.GridCols - g.SelW) / 2;
  f.left = g.ScreenLeft();
  g.SelY = (g.GridRows - g.SelH) / 2;
  f.top = g.ScreenTop();
  view_.SetFrameRect(f);
  CommitSelection(false);
}

void FramePresenter::Resize(int step) {
  GridState& g = grid;
  bool allowed;
  if (step > 0) {
    allowed = (g.SelW > g.SelH && g.SelW < g.GridCols) ||
              (g.SelH > g.SelW && g.SelH < g.GridRows) ||
              (g.SelW == g.SelH && (g.SelW < g.GridCols || g.SelH < g.GridRows));
  } else {
    allowed = std::max(g.SelW, g.SelH) > RoundEven(g.MinSelectionBlocks() * CurrentRatio);
  }
  if (!allowed) return;
  const int rw = g.ScreenWidth(), rh = g.ScreenHeight();
  for (;;) {
    const GridState before = g;
    if (g.SelH < g.SelW) {
      g.SelW += step;
    } else if (g.SelH > g.SelW) {
      g.SelH += step;
    } else if (step < 0 || (g.SelX + g.SelW < g.GridCols && g.SelY + g.SelH < g.GridRows)) {
      g.SelW += step;
      g.SelH += step;
    }
    FitSelectionToFormat();
    if (g.SelX + g.SelW > g.GridCols) --g.SelX;
    if (g.SelY + g.SelH > g.GridRows) --g.SelY;
    if (g.ScreenWidth() != rw || g.ScreenHeight() != rh ||
        g.ScreenLeft() + g.ScreenWidth() == g.ViewWidth ||
        g.ScreenTop() + g.ScreenHeight() == g.ViewHeight) {
      break;
    }
    // A pass that changes nothing would repeat for ever.
    if (g.SelX == before.SelX && g.SelY == before.SelY && g.SelW == before.SelW &&
        g.SelH == before.SelH)
      break;
    if (g.SelW <= 0 || g.SelH <= 0) break;
  }
  PlaceFrame();
}

void FramePresenter::Minimise() {
  GridState& g = grid;
  const int m = g.MinSelectionBlocks();
  if (g.SelH < g.SelW) {
    g.SelH = m;
    g.SelW = RoundEven(m * CurrentRatio);
  } else {
    g.SelW = m;
    g.SelH = RoundEven(m * CurrentRatio);
  }
  PlaceFrame();
}

void FramePresenter::Maximise() {
  if (formats_.CurrentFormat.FormatID < 0 || !view_.FrameVisible()) return;
  GridState& g = grid;
  if (g.SelW < g.SelH) {
    g.SelH = g.GridRows;
  } else {
    g.SelW = g.GridCols;
  }
  FitSelectionToFormat();
  if (g.SelX + g.SelW > g.GridCols) g.SelX = g.GridCols - g.SelW;
  if (g.SelY + g.SelH > g.GridRows) g.SelY = g.GridRows - g.SelH;
  PlaceFrame();
}

void FramePresenter::Turn() {
  if (formats_.CurrentFormat.FormatID < 0) return;
  GridState& g = grid;
  std::swap(g.SelW, g.SelH);
  if (g.SelX + g.SelW > g.GridCols) g.SelX = std::max(0, g.GridCols - g.SelW);
  if (g.SelY + g.SelH > g.GridRows) g.SelY = std::max(0, g.GridRows - g.SelH);
  if (g.SelW > g.GridCols) {
    g.SelW = g.GridCols;
    g.SelH = 0;
    FitSelectionToFormat();
  } else if (g.SelH > g.GridRows) {
    g.SelH = g.GridRows;
    g.SelW = 0;
    FitSelectionToFormat();
  }
  PlaceFrame();
  if (std::min(g.SelW, g.SelH) < g.MinSelectionBlocks()) {
    Minimise();
  } else if (FrameBeyondView()) {
    Maximise();
  }
}

void FramePresenter::MarkerCommand(SelectionCommand command) {
  using C = SelectionCommand;
  ScreenRect r = view_.MarkerRect();
  const int V = grid.ViewWidth, U = grid.ViewHeight;
  const int minimum = 3 * view_.MarkerBoxSize() + 2;
  switch (command) {
    case C::StepLeft:
      if (r.left > 0) --r.left;
      break;
    case C::StepUp:
      if (r.top > 0) --r.top;
      break;
    case C::StepRight:
      if (r.right() < V) ++r.left;
      break;
    case C::StepDown:
      if (r.bottom() < U) ++r.top;
      break;
    case C::EdgeLeft:
      r.left = 0;
      break;
    case C::EdgeTop:
      r.top = 0;
      break;
    case C::EdgeRight:
      r.left = V - r.width;
      break;
    case C::EdgeBottom:
      r.top = U - r.height;
      break;
    case C::Centre:
      r.left = (V - r.width) / 2;
      r.top = (U - r.height) / 2;
      break;
    case C::Grow:
    case C::Shrink: {
      const int step = command == C::Grow ? 1 : -1;
      const int w = r.width + step, h = r.height + step;
      if (r.left + w <= V && w >= minimum) r.width = w;
      if (r.top + h <= U && h >= minimum) r.height = h;
      break;
    }
    default:
      return;  // minimise, maximise and turn do nothing on the marker
  }
  view_.SetMarkerRect(r);
  view_.MarkerChanged();
}

void FramePresenter::HideFrame() {
  view_.SetFrameVisible(false);
  view_.SetOverlayVisible(false);
}

void FramePresenter::ShowFrame() {
  view_.SetFrameVisible(true);
  view_.SetOverlayVisible(true);
  view_.SetFrameFocus(false);
  view_.SetFrameFocus(true);
  CommitSelection(true);
}

void FramePresenter::SetMarkerShown(bool shown) {
  view_.SetMarkerVisible(shown);
  view_.MarkerChanged();
}

int FramePresenter::DisplayAlpha() const {
  return view_.CorrectionApplied(Correction::Enlargement) ? 255 : MasterAlpha;
}

void FramePresenter::RefreshDisplayAlpha() {
  const int alpha = DisplayAlpha();
  if (alpha == shownAlpha_) return;
  shownAlpha_ = alpha;
  view_.OutsideAlphaChanged(alpha, true);
}

void FramePresenter::FitPictureIntoPanel(bool placeFrameToo) {
  const double P = pictureWidth_, Q = pictureHeight_;
  if (pictureWidth_ <= 0 || pictureHeight_ <= 0) return;
  const double A = std::max(0, view_.PanelWidth()), B = std::max(0, view_.PanelHeight());
  double w, h;
  if (P > Q) {
    w = std::min(A, P);
    h = Q / (P / w);
    if (h > B) {
      h = B;
      w = P / (Q / B);
    }
  } else {
    h = std::min(B, Q);
    w = P / (Q / h);
    if (w > A) {
      w = A;
      h = Q / (P / A);
    }
  }
  if (!std::isfinite(w)) w = 0;
  if (!std::isfinite(h)) h = 0;
  ScreenRect v;
  v.width = RoundEven(w);
  v.height = RoundEven(h);
  v.left = (static_cast<int>(A) - v.width) / 2;
  v.top = (static_cast<int>(B) - v.height) / 2;
  view_.SetViewGeometry(v);
  grid.ViewWidth = v.width;
  grid.ViewHeight = v.height;
  ComputeBlockGrid();
  if (placeFrameToo) PlaceFrame();
}

void FramePresenter::imagePanelResize() {
  LastFrameRect.left = -999;
  FitPictureIntoPanel(true);
  view_.RebuildDisplayCopy();
}

void FramePresenter::SetMasterAlpha(int alpha) {
  MasterAlpha = std::clamp(alpha, 0, 255);
  RefreshDimmingCommands();
  RefreshDisplayAlpha();
}

void FramePresenter::RefreshDimmingCommands() {
  view_.SetCommandEnabled(FrameCommand::HideOutside, MasterAlpha > 0);
  view_.SetCommandEnabled(FrameCommand::ShowOutside, MasterAlpha < 255);
}

void FramePresenter::Dim(SelectionCommand command) {
  bool force = false;
  switch (command) {
    case SelectionCommand::HideOutside:
      if (MasterAlpha > 0) MasterAlpha = std::max(0, MasterAlpha - 15);
      break;
    case SelectionCommand::ShowOutside:
      if (MasterAlpha < 255) MasterAlpha = std::min(255, MasterAlpha + 15);
      break;
    case SelectionCommand::CropOutside:
      MasterAlpha = 0;
      force = true;
      break;
    default:
      MasterAlpha = 255;
      force = true;
      break;
  }
  RefreshDimmingCommands();
  shownAlpha_ = DisplayAlpha();
  view_.OutsideAlphaChanged(shownAlpha_, force);
}

FileTypeChoice FramePresenter::DefaultFileType() const {
  return trimora::DefaultFileType(fileTypes, formats_.DefaultFormat, AppliedOnScreen());
}

void FramePresenter::RefreshTypeButtons(bool onlyCurrent) {
  BusyCursor busy(view_);
  const int count = std::min(view_.StripEntryCount(), static_cast<int>(records_.size()));
  if (onlyCurrent) {
    // Only a JPEG picture's button changes colour; the model decides, never the button.
    if (entry_ < 0 || entry_ >= count) return;
    const CuttingRecord& record = records_[static_cast<std::size_t>(entry_)];
    if (record.fileType != "JPG") return;
    view_.SetTypeButton(entry_, *record.fileType, TypeButtonRed(record));
    return;
  }
  const FileTypeChoice choice = DefaultFileType();
  for (int i = 0; i < count; ++i) {
    CuttingRecord& record = records_[static_cast<std::size_t>(i)];
    if (record.Shown()) continue;
    // The record's type follows its button, so that the save run writes what is shown.
    record.fileType = choice.type;
    record.blockSize = BlockSizeFor(choice);
    view_.SetTypeButton(i, choice.type, TypeButtonRed(record));
  }
}

void FramePresenter::GiveRecordsNotShownTheDefaultType() {
  const FileTypeChoice choice = DefaultFileType();
  for (CuttingRecord& record : records_) {
    if (record.Shown()) continue;
    record.fileType = choice.type;
    record.blockSize = BlockSizeFor(choice);
  }
}

void FramePresenter::UsePixelGrid() {
  const BlockSelection s =
      MoveToGrid({grid.SelX, grid.SelY, grid.SelW, grid.SelH}, grid.BlockSize, kPixelBlockSize);
  grid.BlockSize = kPixelBlockSize;
  ComputeBlockGrid();
  grid.SelX = s.x;
  grid.SelY = s.y;
  grid.SelW = s.width;
  grid.SelH = s.height;
}

void FramePresenter::UseBlockGrid() {
  const BlockSelection s =
      MoveToGrid({grid.SelX, grid.SelY, grid.SelW, grid.SelH}, grid.BlockSize, kJpegBlockSize);
  grid.BlockSize = kJpegBlockSize;
  ComputeBlockGrid();
  grid.SelX = s.x;
  grid.SelY = s.y;
  grid.SelW = s.width;
  grid.SelH = s.height;
}

void FramePresenter::LosslessLost() {
  if (!losslessEnabled_) return;
  SetLosslessEnabled(false);
  if (grid.BlockSize == kJpegBlockSize) {
    if (settings_.Get(setting::kShowLossySavingInfo2)) {
      view_.ShowMessageBox("Information", kCorrectedText, ui::kButtonsOk,
                           std::string(setting::kShowLossySavingInfo2.name), 320, 170);
    }
    UsePixelGrid();
    CommitSelection(true);
  }
  RefreshTypeButtons(true);
}

void FramePresenter::LosslessCheck() {
  SetLosslessEnabled(trimora::LosslessEntryEnabled(formats_.CurrentFormat, AppliedOnScreen()));
  const CuttingRecord* record = CurrentRecord();
  if (ReturnsToBlockGrid(losslessEnabled_, grid.BlockSize, fileTypes,
                         record ? record->fileType : std::nullopt, true)) {
    UseBlockGrid();
    CommitSelection(true);
  }
  RefreshTypeButtons(true);
}

void FramePresenter::KeepCorrectedPictureOffBlockGrid() {
  if (!AppliedOnScreen().Any()) return;
  SetLosslessEnabled(false);
  if (grid.BlockSize != kJpegBlockSize) return;
  UsePixelGrid();
  CommitSelection(true);
  RefreshTypeButtons(true);
}

bool FramePresenter::ChooseTypeOfShownPicture(const TypeMenuEntry& entry) {
  CuttingRecord* record = CurrentRecord();
  if (record == nullptr) return false;
  if (entry.tag == kJpegBlockSize && !losslessEnabled_) return false;  // a disabled entry
  if (entry.tag == kPixelBlockSize && grid.BlockSize == kJpegBlockSize) {
    UsePixelGrid();
  } else if (entry.tag == kJpegBlockSize && grid.BlockSize == kPixelBlockSize) {
    UseBlockGrid();
  }
  record->fileType = std::string(entry.type);
  CommitSelection(true);
  ApplyFormat(formats_.CurrentFormat.FormatID, false);
  return true;
}

}  // namespace trimora
