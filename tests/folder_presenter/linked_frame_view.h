// The frame presenter's view as the main window gives it to the frame presenter: the frame and
// panel of a recording FakeFrameView, and the main-window state and actions of the folder
// presenter and its main view, forwarded one to one as the window's frame wiring does.
#pragma once

#include "../frame/fake_frame_view.h"
#include "folder/folder_presenter.h"
#include "folder/main_view.h"

namespace trimora::testing {

class LinkedFrameView : public FakeFrameView {
 public:
  // Forwards to `folder` and its view `main`; both must outlive this view.
  void Link(FolderPresenter& folder, MainView& main) {
    folder_ = &folder;
    main_ = &main;
  }

  bool PicturesListed() const override { return folder_->ThumbnailCount() > 0; }
  bool CorrectionApplied(Correction which) const override {
    switch (which) {
      case Correction::RedEye:
        return folder_->CommandEnabled(Command::RedEyeRemove);
      case Correction::AutoCorrection:
        return folder_->CommandEnabled(Command::AutoCorrectUndo);
      case Correction::Enlargement:
        return folder_->CommandEnabled(Command::EnlargeRemove);
    }
    return false;
  }
  int ShowMessageBox(const std::string& title, const std::string& text, int buttons,
                     const std::string& key, int width, int height) override {
    FakeFrameView::ShowMessageBox(title, text, buttons, key, width, height);
    return main_->ShowMessageBox(title, text, buttons, key, width, height);
  }
  void SetStatusText(int panel, const std::string& text) override {
    folder_->SetStatusText(panel, text);
  }
  void MarkCurrentForSaving(bool value, bool disableBox) override {
    folder_->MarkForSaving(value, -1, disableBox);
  }
  void EnableCurrentMarkBox() override {
    if (folder_->CurrentPosition() >= 0)
      main_->SetEntryCheckEnabled(folder_->CurrentPosition(), true);
  }
  void MarkEntryForSaving(int entry) override { folder_->MarkForSaving(true, entry, false); }
  void UpdateCommandStates(bool active) override { folder_->UpdateCommandStates(active); }
  int StripEntryCount() const override { return folder_->ThumbnailCount(); }
  void SetTypeButton(int entry, const std::string& caption, bool red) override {
    main_->SetEntryFileType(entry, caption, red);
  }

 private:
  FolderPresenter* folder_ = nullptr;
  MainView* main_ = nullptr;
};

}  // namespace trimora::testing
