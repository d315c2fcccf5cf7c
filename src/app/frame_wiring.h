// The crop frame in the main window: the frame presenter with its view over the picture panel
// and the window, behind the folder presenter's frame interface; the frame commands of menus,
// keys and the wheel.
#pragma once

#include <QtCore/qnamespace.h>

#include <memory>

#include "frame/frame_controller_adapter.h"
#include "frame/frame_presenter.h"
#include "frame/qt_frame_view.h"
#include "output/crop_and_save.h"

namespace trimora {
class TImagePanel;
}

namespace trimora::app {

class TKvMainForm;

// The frame presenter of the main window and the window part of its view.
class MainFrameWiring : public QtFrameView {
 public:
  // Over `form` and its picture panel `panel`; gives the folder presenter the real frame.
  MainFrameWiring(TKvMainForm& form, TImagePanel* panel);

  // The frame presenter.
  FramePresenter& Presenter() { return presenter_; }
  // Connects the frame and dimming items of the menus (by caption) to the presenter.
  void ConnectMenuItems();
  // Runs the frame command of a key; true when the key was one.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
  // A wheel turn of `delta` grows or shrinks the selection by one step.
  void Wheel(int delta);
  // The displayed picture reached the screen: the display copy is made anew, from `preview`
  // (a reduced copy of the picture) when it is at least as large as the view.
  void PictureShown(const Picture* preview = nullptr);
  // No picture: view and frame hidden.
  void PictureCleared();
  // "Zuschneiden und speichern" (Ctrl+S, " Speichern "): the crop-and-save run of the marked
  // pictures, with the destination chooser, the overwrite question and "Speichere n/m".
  void CropAndSaveClick();
  // "Original um 90° drehen + speichern" (angle "90", F6) and "... -90° ..." ("270", F7).
  void RotateOriginal(const std::string& angle);
  // The state of the crop-and-save run (SavingInProgress).
  SaveRunState& SaveState() { return saveState_; }

  bool PicturesListed() const override;
  bool CorrectionApplied(Correction which) const override;
  void SetCommandEnabled(FrameCommand command, bool enabled) override;
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& dontShowAgainKey, int width, int height) override;
  void SetStatusText(int panel, const std::string& text) override;
  void MarkCurrentForSaving(bool value, bool disableBox) override;
  void EnableCurrentMarkBox() override;
  void MarkEntryForSaving(int entry) override;
  void UpdateCommandStates(bool active) override;
  void SetChooserCaption(const std::string& caption) override;
  void SetBusyCursor(bool busy) override;
  int StripEntryCount() const override;
  void SetTypeButton(int entry, const std::string& caption, bool red) override;

 private:
  TKvMainForm& form_;
  TImagePanel* panel_;
  FramePresenter presenter_;
  PresenterFrameController controller_;
  SaveRunState saveState_;
};

}  // namespace trimora::app
