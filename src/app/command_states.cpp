#include "app/command_states.h"

namespace trimora {

CommandSet EnabledCommands(const CommandState& s) {
  using C = CommandId;
  CommandSet on;
  auto set = [&on](std::initializer_list<CommandId> ids, bool enabled) {
    for (CommandId id : ids) on.set(Index(id), enabled);
  };
  const bool a = s.active, e = s.enlarged, r = s.redEyeFrameVisible, sc = s.scalable;

  // Not governed: enabled whatever the picture.
  set({C::ChooseSourceFolder, C::Settings, C::Quit, C::StandardSkin, C::FashionSkin, C::ZoomPause,
       C::ToolBarFiles, C::ToolBarTouchUp, C::ToolBarRotate, C::ToolBarFormat, C::ToolBarNavigation,
       C::FormatDefinitions, C::HelpContents, C::QuickGuide, C::Faq, C::HomePage, C::About},
      true);
  set({C::ZoomIn}, s.zoomLevel > 5);
  set({C::ZoomOut}, s.zoomLevel < 100);

  set({C::CropAndSave, C::CropAndBurn, C::ResetFolder, C::MarkForSaving, C::UnmarkForSaving,
       C::RotatePlus90, C::RotateMinus90, C::FullScreen, C::FormatButton, C::ExifInfo,
       C::CorrectionButton, C::FormatForCurrent},
      a);
  // An enlarged picture has no selection to dim around: it is shown whole (unless the red-eye
  // marker dims it). The two step commands also stop at their end of the opacity range.
  const bool dimming = a && !(e && !r);
  set({C::CropOutside, C::ShowWhole}, dimming);
  set({C::HideOutside}, dimming && s.masterAlpha > 0);
  set({C::ShowOutside}, dimming && s.masterAlpha < 255);
  set({C::StepLeft, C::StepRight, C::StepUp, C::StepDown, C::EdgeLeft, C::EdgeRight, C::EdgeTop,
       C::EdgeBottom, C::Centre},
      a && !(e && !r));
  set({C::Shrink, C::Grow}, a && ((!e && sc) || r));
  set({C::Minimise, C::Maximise}, a && sc && !e && !r);
  set({C::TurnSelection}, a && !e && !r);
  set({C::RedEyeFilter}, a && s.redEyeAvailable);
  set({C::RedEyeRemove}, a && s.redEyeFiltered);
  set({C::AutoCorrect}, a && !s.corrected);
  set({C::AutoCorrectUndo}, a && s.corrected);
  set({C::EnlargeButton}, a && sc);
  set({C::Enlarge}, a && sc && !e);
  set({C::EnlargeRemove}, a && e);
  set({C::ApplyRedEye, C::CancelRedEye}, a && r);

  set({C::FirstPicture, C::PreviousPicture}, s.canGoBack);
  set({C::NextPicture, C::LastPicture}, s.canGoForward);
  return on;
}

}  // namespace trimora
