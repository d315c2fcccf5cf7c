// The frame presenter's view as the main window gives it to the frame presenter: the frame and
// panel of a recording FakeFrameView, and the main-window state and actions of the folder
// presenter, its view and the window holding it, forwarded one to one as the main presenter
// does.
#pragma once

#include "../frame/fake_frame_view.h"
#include "folder/folder_presenter.h"
#include "folder/folder_view.h"

namespace trimora::testing {

class LinkedFrameView : public FakeFrameView {
 public:
  // Forwards to `folder`, its view `main` and the window `host`; all must outlive this view.
  void Link(FolderPresenter& folder, FolderView& main, FolderHost& host) {
    folder_ = &folder;
    main_ = &main;
    host_ = &host;
  }

  bool PicturesListed() const override { return folder_->ThumbnailCount() > 0; }
  bool CorrectionApplied(Correction which) const override {
    switch (which) {
      case Correction::RedEye:
        return folder_->Corrections().redEye;
      case Correction::AutoCorrection:
        return folder_->Corrections().autoCorrection;
      case Correction::Enlargement:
        return folder_->Corrections().enlarged;
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
  void EnableCurrentMarkBox() override { folder_->EnableMarkBox(folder_->CurrentPosition()); }
  void MarkEntryForSaving(int entry) override { folder_->MarkForSaving(true, entry, false); }
  void UpdateCommandStates(bool active) override { host_->UpdateCommandStates(active); }
  int StripEntryCount() const override { return folder_->ThumbnailCount(); }
  void SetTypeButton(int entry, const std::string& caption, bool red) override {
    main_->SetEntryFileType(entry, caption, red);
  }

 private:
  FolderPresenter* folder_ = nullptr;
  FolderView* main_ = nullptr;
  FolderHost* host_ = nullptr;
};

}  // namespace trimora::testing
