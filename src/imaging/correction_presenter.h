// The picture corrections of the main window: red-eye marking and filtering, the automatic
// correction and the side stripes, each applied to the picture on screen, recorded in its
// cutting-data record at once, and taken back by showing the picture anew from its file. Every
// change tells the lossless decision (LosslessLost, LosslessCheck), so that the type button and
// the crop-and-save run follow. Plain C++ over the folder and frame presenters and a narrow,
// write-only view.
#pragma once

#include <string>

namespace trimora {

class FolderPresenter;
class FormatTables;
class FramePresenter;
class SettingsAccess;

// What the corrections need of the main window.
class CorrectionView {
 public:
  virtual ~CorrectionView() = default;

  // Shows a message box and returns its answer.
  virtual int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                             const std::string& dontShowAgainKey, int width, int height) = 0;
  // Shows an error that a correction did not handle itself.
  virtual void ShowError(const std::string& text) = 0;
  // The hourglass cursor on or off.
  virtual void SetBusy(bool busy) = 0;
  // A correction step ended, the picture on screen as it now is: the command states follow
  // (UpdateCommandStates(true)) and the magnifier is refreshed.
  virtual void CommandsChanged() = 0;
  // True while the crop-and-save run writes.
  virtual bool SavingInProgress() const = 0;
};

// The note that refuses a red-eye rectangle when the picture's list is full (a record keeps
// at most 1000 characters of it).
inline constexpr const char* kRedEyeListFullText =
    "Für dieses Bild sind so viele Rote-Augen-Bereiche gespeichert, dass kein weiterer "
    "hinzukommen kann. Nehmen Sie mit Strg+F3 einen Bereich zurück, um einen anderen zu "
    "filtern.";

// The correction commands of the picture on screen.
class CorrectionPresenter {
 public:
  // Works on the picture on screen of `folder`, with the crop frame of `frame` and the current
  // format of `formats`; `settings` tells whether the marking note is still wanted.
  CorrectionPresenter(CorrectionView& view, FolderPresenter& folder, FramePresenter& frame,
                      FormatTables& formats, SettingsAccess& settings);

  // True while the red-eye marker is shown (marking mode).
  bool Marking() const { return marking_; }
  // True while a removal command shows the picture anew from its file.
  bool Reshowing() const { return reshowing_; }

  // "Rote Augen filtern" (F3): the marker instead of the crop frame, the picture uniform.
  void StartRedEyeMarking();
  // Return while marking: filters the marked rectangle and records it.
  void ApplyRedEye();
  // Escape while marking, and another picture or a format: marking ends without a filter.
  void CancelRedEyeMarking();
  // "Rote Augen-Filter entfernen" (Ctrl+F3): the last rectangle is taken back.
  void RemoveLastRedEye();

  // "Korrigieren", "Automatische Bildkorrektur" (F4): applies the correction, or undoes it
  // while it is applied.
  void CorrectionButtonClick();
  // "Automatische Bildkorrektur rückgangig machen" (Ctrl+F4).
  void UndoCorrection();

  // "Erweitern", "Bild um seitliche Ränder erweitern" (F5): adds the stripes, or removes them
  // while they are on.
  void EnlargeButtonClick();
  // "Erweiterung entfernen" (Ctrl+F5).
  void RemoveEnlargement();

  // Before the window closes: marking ends, so that the dimming is stored as the user left it.
  void Close();

  // Shows the picture on screen anew from its file with what its record still holds (after a
  // correction was taken back, or the stripe options changed), then the lossless decision and
  // the commands follow.
  void ShowAnew();

 private:
  void EndMarking();
  void ApplyCorrection();
  bool ApplyEnlargement();
  std::string SourceFolderText() const;

  CorrectionView& view_;
  FolderPresenter& folder_;
  FramePresenter& frame_;
  FormatTables& formats_;
  SettingsAccess& settings_;
  bool marking_ = false;
  bool frameShownBeforeMarking_ = false;
  int rememberedAlpha_ = 0;  // the dimming outside the selection before marking began
  bool reshowing_ = false;
};

}  // namespace trimora
