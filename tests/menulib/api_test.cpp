// The real libOrnamo.so, loaded at run time as a host loads it: its exports, its refusals of
// bad calls, the menu messages through a subclassed window, and its debug channel at load,
// on undoing and at unload.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <cstring>
#include <set>

#include "debug_viewer.h"
#include "host/ornamo_library.h"
#include "menu_fixture.h"
#include "ornamo.h"
#include "ornamo/subclass.h"
#include "ornautil.h"

namespace ornamo {
namespace {

using namespace ornamo::testing;
using Messages = std::vector<std::string>;

const std::string kLibraryFile = std::string(TRIMORA_PROGRAM_DIR) + "/" + OrnamoLibrary::kFileName;

intptr_t HostProcedure(Handle, std::uint32_t, uintptr_t, intptr_t) { return 5; }

class ApiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestEnvironment();
    ASSERT_TRUE(viewer_.Listening());
    std::string error;
    auto loaded = OrnamoLibrary::Load(kLibraryFile, &error);
    ASSERT_TRUE(loaded) << error;
    ornamo_ = std::move(*loaded);
    window_ = ornasys::CreateWindow(HostProcedure);
  }
  void TearDown() override {
    ornamo_.Unload();
    ornasys::DestroyWindow(window_);
  }

  PrivateRuntime runtime_;
  TestViewer viewer_{ORNAUTIL_VIEWER_CLASS_32};
  OrnamoLibrary ornamo_;
  Handle window_ = 0;
};

TEST(ExportTest, TheLibraryExportsExactlyItsThirteenFunctions) {
  QProcess nm;
  nm.start("nm", {"-D", "--defined-only", QString::fromStdString(kLibraryFile)});
  ASSERT_TRUE(nm.waitForFinished(10000)) << "nm is needed: " << nm.errorString().toStdString();
  ASSERT_EQ(nm.exitCode(), 0);
  std::set<std::string> exported;
  for (const QString& line : QString::fromUtf8(nm.readAllStandardOutput()).split('\n')) {
    const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
    if (fields.size() == 3) exported.insert(fields[2].toStdString());
  }
  EXPECT_EQ(exported, std::set<std::string>(
                          {"OrmGetVersion", "OrmAttachMenu", "OrmDetachMenu", "OrmAddMenuItem",
                           "OrmAddMenuItemCtl", "OrmGetMenuItem", "OrmGetMenuItemCtl",
                           "OrmSetMenuItemTextA", "OrmSetMenuItemTextW", "OrmAddMenuGraphics",
                           "OrmReleaseMenuGraphics", "OrmForceMenuLoaded", "OrmForceUniqueIDs"}));
}

TEST_F(ApiTest, LoadingReportsTheImageAndTheVersion) {
  const Messages messages = viewer_.Collect(1);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0].rfind("Ornamo:ORM: 8.2 " + kLibraryFile + " at 0x", 0), 0u) << messages[0];
  EXPECT_EQ(ornamo_.GetVersion(0), 0x0802);
  EXPECT_EQ(ornamo_.GetVersion(1), 8);
  EXPECT_EQ(ornamo_.GetVersion(2), 2);
  EXPECT_EQ(ornamo_.GetVersion(3), -1);
}

TEST_F(ApiTest, BadCallsAreRefusedWithoutHarm) {
  ornamo_.AttachMenu(window_);
  const Handle notAWindow = ornasys::CreatePopupMenu();
  OrmMenuItem item = Record(7);
  OrmMenuItem wrong = Record(7);
  wrong.size = 237;
  OrmMenuItem zero = Record(0);
  const std::uint16_t wide[] = {u'N', u'e', u'u', 0};
  for (const Handle window : {Handle{0}, notAWindow, Handle{0x7FFF1234}, ORM_EMPTY_POPUPS}) {
    EXPECT_EQ(ornamo_.AddMenuItem(window, &item), 0) << window;
    EXPECT_EQ(ornamo_.AddMenuItemCtl(window, 7, 1), 0);
    EXPECT_EQ(ornamo_.GetMenuItem(window, 7, &item), 0);
    EXPECT_EQ(ornamo_.GetMenuItemCtl(window, 7), 0u);
    EXPECT_EQ(ornamo_.SetMenuItemTextA(window, 7, "Neu"), 0);
    EXPECT_EQ(ornamo_.SetMenuItemTextW(window, 7, wide), 0);
    ornamo_.ForceMenuLoaded(window, notAWindow);
  }
  EXPECT_EQ(ornamo_.AddMenuItem(window_, &wrong), 0);
  EXPECT_EQ(ornamo_.AddMenuItem(window_, &zero), 0);
  EXPECT_EQ(ornamo_.AddMenuItem(window_, nullptr), 0);
  EXPECT_EQ(ornamo_.AddMenuItemCtl(window_, 0, 1), 0);
  EXPECT_EQ(ornamo_.GetMenuItem(window_, 7, nullptr), 0);
  EXPECT_EQ(ornamo_.GetMenuItem(window_, 7, &item), 0) << "nothing stored";
  EXPECT_EQ(ornamo_.SetMenuItemTextA(window_, 7, nullptr), 0);
  EXPECT_EQ(ornamo_.SetMenuItemTextW(window_, 7, nullptr), 0);
  ornamo_.AddMenuGraphics(0, 0, 1);
  ornamo_.AddMenuGraphics(notAWindow, 0x12345, 0);
  EXPECT_EQ(ornamo_.ReleaseMenuGraphics(notAWindow), 0);
  EXPECT_EQ(ornamo_.ReleaseMenuGraphics(0), 0);
  ornamo_.ForceMenuLoaded(window_, 0);
  ornamo_.ForceUniqueIDs(0, 5);
  ornamo_.ForceUniqueIDs(window_, 5);

  // Detaching more often than attaching does nothing.
  ornamo_.DetachMenu(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &HostProcedure);
  ornamo_.DetachMenu(window_);
  ornamo_.DetachMenu(0);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &HostProcedure);
  ornasys::DestroyMenu(notAWindow);
}

TEST_F(ApiTest, TextsAreKeptWithinTheirFields) {
  ornamo_.AttachMenu(window_);
  const Handle popup = Popup({Command(7, "Neu"), Command(8, "&Mehr")});
  ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 0);
  // The host replaces the record with one whose texts have no NUL within their fields.
  OrmMenuItem item = Record(7);
  std::memset(item.text, 'A', sizeof item.text);
  std::memset(item.resourceName, 'B', sizeof item.resourceName);
  item.resourceModule = ornasys::RegisterModule("Leer", nullptr);
  item.sharedPicture = 1999;  // no strip holds it
  ASSERT_EQ(ornamo_.AddMenuItem(window_, &item), 1);
  ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 0);
  OrsMeasureItem measure = MeasureItemFor(popup, 0);
  EXPECT_EQ(
      ornasys::SendMessage(window_, ORS_WM_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&measure)),
      0);
  EXPECT_EQ(measure.itemWidth, static_cast<std::uint32_t>(129 * kCell + 1 + 3 * kCell + 1 + 20));
  const Handle surface = ornasys::CreateSurface(900, 40, kMenu);
  OrsDrawItem draw = DrawItemFor(popup, 0, surface, {0, 0, 900, 18}, ORS_ODS_SELECTED);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_DRAWITEM, 0, reinterpret_cast<intptr_t>(&draw)),
            0);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_MENUCHAR, 'a' | ORS_MF_POPUP << 16, popup), 5);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_MENUCHAR, 'm' | ORS_MF_POPUP << 16, popup),
            1 | 2 << 16);

  // Texts set by the host are cut to 128 characters; wide texts become Windows-1252.
  const std::string longText(200, 'x');
  EXPECT_EQ(ornamo_.SetMenuItemTextA(window_, 7, longText.c_str()), 1);
  OrmMenuItem back = Record(0);
  ASSERT_EQ(ornamo_.GetMenuItem(window_, 7, &back), 1);
  EXPECT_EQ(std::string(back.text), std::string(128, 'x'));
  const std::uint16_t wide[] = {u'G', u'r', 0x00F6, 0x00DF, u'e', 0x2192, 0xD800, u'!', 0};
  EXPECT_EQ(ornamo_.SetMenuItemTextW(window_, 7, wide), 1);
  ASSERT_EQ(ornamo_.GetMenuItem(window_, 7, &back), 1);
  EXPECT_EQ(std::string(back.text),
            "Gr\xF6\xDF"
            "e?"
            "?!");
  ornasys::DeleteObject(surface);
  ornasys::DestroyMenu(popup);
  ornasys::UnregisterModule(item.resourceModule);
}

TEST_F(ApiTest, PictureNumbersAreReducedInTheCallersRecord) {
  ornamo_.AttachMenu(window_);
  OrmMenuItem item = Record(7);
  item.sharedPicture = 2005;
  ASSERT_EQ(ornamo_.AddMenuItem(window_, &item), 1);
  EXPECT_EQ(item.sharedPicture, 5u);
  EXPECT_EQ(ornamo_.GetMenuItemCtl(window_, 7), 5u);
}

TEST_F(ApiTest, AttachingTwiceNeedsTwoDetaches) {
  ornamo_.AttachMenu(window_);
  const OrsWindowProc subclassed = ornasys::GetWindowProcedure(window_);
  EXPECT_NE(subclassed, &HostProcedure);
  ornamo_.AttachMenu(window_);
  ornamo_.DetachMenu(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), subclassed);
  ornamo_.DetachMenu(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &HostProcedure);
  EXPECT_EQ(ornasys::GetProperty(window_, kSubclassListProperty), 0u);
}

intptr_t Later(Handle window, std::uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return ornasys::SendMessage(window, message, wParam, lParam);
}

TEST_F(ApiTest, UndoingBelowAnotherSubclasserWarnsOnTheDebugChannel) {
  ornamo_.AttachMenu(window_);
  const auto* ours =
      reinterpret_cast<const SubclassRecord*>(ornasys::GetProperty(window_, kSubclassListProperty));
  ASSERT_NE(ours, nullptr);
  EXPECT_STREQ(ours->name, "ORM8");
  SubclassRecord* theirs = Subclass(window_, Later, "TEST");
  viewer_.Collect(1);
  viewer_.Clear();
  ornamo_.DetachMenu(window_);
  char second[100];
  std::snprintf(second, sizeof second, "Ornamo: (wrong order: pSC=%08lx, this=%08lx)",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(theirs)),
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ours)));
  EXPECT_EQ(viewer_.Collect(2),
            Messages({"Ornamo:WARNING: clsSubclassed::UndoSubclass: reverting subclass not "
                      "possible",
                      second}));
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &HostProcedure);
  delete theirs;
}

TEST_F(ApiTest, UnloadingWithAttachedWindowsWarnsAndGivesTheWindowsBack) {
  ornamo_.AttachMenu(window_);
  ornamo_.AttachMenu(window_);
  ASSERT_EQ(ornamo_.AddMenuItemCtl(window_, 7, 3), 1);
  const Handle popup = Popup({Command(7, "Neu")});
  ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 0);
  ASSERT_NE(ornasys::GetMenuItem(popup, 0)->type & ornasys::kItemOwnerDraw, 0u);
  viewer_.Collect(1);
  viewer_.Clear();

  ornamo_.Unload();
  EXPECT_EQ(viewer_.Collect(1), Messages({"Ornamo:ORM: WRN: Menu list not empty"}));
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &HostProcedure);
  EXPECT_EQ(ornasys::GetMenuItem(popup, 0)->type & ornasys::kItemOwnerDraw, 0u);
  EXPECT_EQ(ornasys::GetMenuItem(popup, 0)->data, 0u);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 0), 5);
  ornasys::DestroyMenu(popup);
}

TEST_F(ApiTest, ForcedPreparationAndUniqueIdentifiersReachTheMenus) {
  ornamo_.AttachMenu(window_);
  const Handle sub = Popup({Command(20, "Tief", ornasys::kItemGrayed)});
  const Handle file = Popup({Command(10, "Neu"), Opens(sub, "Mehr")});
  const Handle bar = ornasys::CreateMenuBar();
  ornasys::InsertMenuItem(bar, -1, Opens(file, "&Datei"));
  ornamo_.ForceUniqueIDs(bar, 900);
  EXPECT_EQ(ornasys::GetMenuItem(bar, 0)->id, 900u);
  EXPECT_EQ(ornasys::GetMenuItem(file, 1)->id, 901u);
  ASSERT_EQ(ornamo_.AddMenuItemCtl(window_, 901, 4), 1);
  ornamo_.DetachMenu(ORM_EMPTY_POPUPS);
  ornamo_.ForceMenuLoaded(window_, bar);
  for (const Handle menu : {file, sub}) {
    EXPECT_NE(ornasys::GetMenuItem(menu, 0)->type & ornasys::kItemOwnerDraw, 0u);
  }
  EXPECT_EQ(ornasys::GetMenuItem(file, 1)->state, ornasys::kItemGrayed | ornasys::kItemDisabled);
  OrmMenuItem back = Record(0);
  ASSERT_EQ(ornamo_.GetMenuItem(window_, 901, &back), 1);
  EXPECT_EQ(std::string(back.text), "Mehr");
  EXPECT_EQ(back.pictureWidth, 16);
  ornamo_.AttachMenu(ORM_EMPTY_POPUPS);
  for (const Handle menu : {bar, file, sub}) ornasys::DestroyMenu(menu);
}

}  // namespace
}  // namespace ornamo
