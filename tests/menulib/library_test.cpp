// The menu library's core without a display: registries, attaching, popup preparation,
// measuring and the mnemonic search, driven through the window system as a host drives it.
#include "ornamo/library.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "menu_fixture.h"
#include "ornamo/record.h"
#include "ornamo/subclass.h"

namespace ornamo {
namespace {

using namespace ornamo::testing;

// What the window's own procedure received.
std::vector<std::uint32_t>& BaseMessages() {
  static std::vector<std::uint32_t> messages;
  return messages;
}

intptr_t BaseProcedure(Handle, std::uint32_t message, uintptr_t, intptr_t) {
  BaseMessages().push_back(message);
  return 77;
}

class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UseTestEnvironment();
    BaseMessages().clear();
    window_ = ornasys::CreateWindow(BaseProcedure);
    library_ = MakeLibrary({0x0A00, 0x20});
  }
  void TearDown() override {
    library_.reset();
    ornasys::DestroyWindow(window_);
  }

  std::unique_ptr<Library> MakeLibrary(ornasys::SystemVersion system) {
    Library::Options options;
    options.system = system;
    options.clock = [this] { return clock_.now; };
    return std::make_unique<Library>(options);
  }

  // The record that the entry at `position` carries, or null.
  OrmMenuItem* RecordAt(Handle menu, int position) {
    const auto item = ornasys::GetMenuItem(menu, position);
    return item ? library_->RecordOf(item->data) : nullptr;
  }

  ManualClock clock_;
  Handle window_ = 0;
  std::unique_ptr<Library> library_;
};

TEST_F(LibraryTest, VersionAnswersEachKind) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {{0, 0x0802}, {1, 8},   {2, 2},
                                                         {3, -1},     {-1, -1}, {1000, -1}};
  for (const auto& [kind, expected] : cases) {
    EXPECT_EQ(Library::Version(kind), expected) << "kind " << kind;
  }
}

TEST_F(LibraryTest, EachAttachNeedsOneDetachAndTheLastRestoresTheProcedure) {
  library_->Attach(window_);
  library_->Attach(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &Library::WindowProcedure);
  EXPECT_NE(ornasys::GetProperty(window_, kSubclassListProperty), 0u);

  library_->Detach(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &Library::WindowProcedure);
  EXPECT_TRUE(library_->IsAttached(window_));

  library_->Detach(window_);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &BaseProcedure);
  EXPECT_EQ(ornasys::GetProperty(window_, kSubclassListProperty), 0u);
  EXPECT_FALSE(library_->IsAttached(window_));

  // More detaches than attaches, and handles that are no windows, change nothing.
  library_->Detach(window_);
  library_->Detach(0);
  library_->Attach(0);
  library_->Attach(0x12345678);
  library_->Detach(0x12345678);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &BaseProcedure);
  EXPECT_FALSE(library_->IsAttached(0x12345678));
}

TEST_F(LibraryTest, OldWindowsAreAttachedWithoutSubclassing) {
  library_ = MakeLibrary({0x0333, 0x20});
  library_->Attach(window_);
  EXPECT_TRUE(library_->IsAttached(window_));
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &BaseProcedure);
  EXPECT_EQ(library_->AddItemCtl(window_, 5, 1), 1);
  library_->Detach(window_);
  EXPECT_FALSE(library_->IsAttached(window_));
}

intptr_t OtherSubclasser(Handle window, std::uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return ornasys::SendMessage(window, message, wParam, lParam);
}

TEST_F(LibraryTest, UndoingBelowAnotherSubclasserWarnsAndUnlinksIt) {
  SubclassRecord* ours = Subclass(window_, &Library::WindowProcedure, kSubclassName);
  SubclassRecord* theirs = Subclass(window_, OtherSubclasser, "TEST");
  ASSERT_NE(ours, nullptr);
  ASSERT_NE(theirs, nullptr);
  EXPECT_EQ(theirs->previousHead, reinterpret_cast<uintptr_t>(ours));

  std::string warning;
  UndoSubclass(window_, ours, [&](const std::string& text) { warning += text; });
  char expected[200];
  std::snprintf(expected, sizeof expected,
                "WARNING: clsSubclassed::UndoSubclass: reverting subclass not possible\n"
                " (wrong order: pSC=%08lx, this=%08lx)\n",
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(theirs)),
                static_cast<unsigned long>(reinterpret_cast<uintptr_t>(ours)));
  EXPECT_EQ(warning, expected);
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &BaseProcedure);
  EXPECT_EQ(ornasys::GetProperty(window_, kSubclassListProperty), 0u);
  delete theirs;
}

TEST_F(LibraryTest, UndoingAtTheHeadKeepsEarlierSubclassers) {
  SubclassRecord* theirs = Subclass(window_, OtherSubclasser, "TEST");
  SubclassRecord* ours = Subclass(window_, &Library::WindowProcedure, kSubclassName);
  std::string warning;
  UndoSubclass(window_, ours, [&](const std::string& text) { warning += text; });
  EXPECT_EQ(warning, "");
  EXPECT_EQ(ornasys::GetWindowProcedure(window_), &OtherSubclasser);
  EXPECT_EQ(ornasys::GetProperty(window_, kSubclassListProperty),
            reinterpret_cast<uintptr_t>(theirs));
  delete theirs;
}

TEST_F(LibraryTest, AWindowThatIsGoneIsForgotten) {
  library_->Attach(window_);
  ASSERT_EQ(library_->AddItemCtl(window_, 5, 1), 1);
  ornasys::DestroyWindow(window_);
  library_->Detach(window_);
  EXPECT_FALSE(library_->IsAttached(window_));
  EXPECT_EQ(UtlHeapBlockCount(library_->Heap()), 0u);
}

TEST_F(LibraryTest, AddRefusesWrongSizesCommandZeroAndUnattachedWindows) {
  library_->Attach(window_);
  OrmMenuItem stored = Record(40);
  std::strcpy(stored.text, "Gespeichert");
  ASSERT_EQ(library_->AddItem(window_, &stored), 1);

  struct Case {
    const char* what;
    Handle window;
    std::uint32_t size;
    std::uint32_t command;
  };
  const Case cases[] = {{"size 237", window_, 237, 40},
                        {"size 239", window_, 239, 40},
                        {"command 0", window_, 238, 0},
                        {"window 0", 0, 238, 40},
                        {"unattached window", ornasys::CreateWindow(), 238, 40}};
  for (const Case& c : cases) {
    OrmMenuItem item = Record(c.command);
    item.size = c.size;
    std::strcpy(item.text, "Neu");
    EXPECT_EQ(library_->AddItem(c.window, &item), 0) << c.what;
  }
  EXPECT_EQ(library_->AddItem(window_, nullptr), 0);
  EXPECT_EQ(library_->AddItemCtl(window_, 0, 5), 0);

  OrmMenuItem back = Record(0);
  ASSERT_EQ(library_->GetItem(window_, 40, &back), 1);
  EXPECT_EQ(std::string(TextOf(back)), "Gespeichert");
}

TEST_F(LibraryTest, PictureNumbersAreStoredModulo2000InTheCallersRecordToo) {
  library_->Attach(window_);
  OrmMenuItem item = Record(7);
  item.sharedPicture = 2005;
  ASSERT_EQ(library_->AddItem(window_, &item), 1);
  EXPECT_EQ(item.sharedPicture, 5u);
  EXPECT_EQ(library_->GetItemCtl(window_, 7), 5u);

  ASSERT_EQ(library_->AddItemCtl(window_, 8, 4191), 1);
  EXPECT_EQ(library_->GetItemCtl(window_, 8), 191u);
  EXPECT_EQ(library_->GetItemCtl(window_, 9), 0u);
}

TEST_F(LibraryTest, AddingACommandAgainOverwritesItsRecord) {
  library_->Attach(window_);
  OrmMenuItem first = Record(7);
  first.sharedPicture = 3;
  first.reserved[0] = 0xAB;
  ASSERT_EQ(library_->AddItem(window_, &first), 1);
  OrmMenuItem second = Record(7);
  second.sharedPicture = 4;
  std::strcpy(second.text, "Zweiter");
  ASSERT_EQ(library_->AddItem(window_, &second), 1);

  OrmMenuItem back = Record(0);
  ASSERT_EQ(library_->GetItem(window_, 7, &back), 1);
  EXPECT_EQ(std::memcmp(&back, &second, sizeof back), 0);
  EXPECT_EQ(UtlHeapBlockCount(library_->Heap()), 1u);
}

TEST_F(LibraryTest, GetNeedsABufferOfTheRightSize) {
  library_->Attach(window_);
  ASSERT_EQ(library_->AddItemCtl(window_, 7, 3), 1);
  OrmMenuItem buffer = Record(0);
  buffer.size = 237;
  EXPECT_EQ(library_->GetItem(window_, 7, &buffer), 0);
  EXPECT_EQ(buffer.sharedPicture, 0u);
  EXPECT_EQ(library_->GetItem(window_, 7, nullptr), 0);
  buffer.size = ORM_ITEM_SIZE;
  EXPECT_EQ(library_->GetItem(window_, 8, &buffer), 0);
  EXPECT_EQ(library_->GetItem(window_, 7, &buffer), 1);
  EXPECT_EQ(buffer.sharedPicture, 3u);
}

TEST_F(LibraryTest, TextsAreCutTo128CharactersAndNeedAKnownCommand) {
  library_->Attach(window_);
  ASSERT_EQ(library_->AddItemCtl(window_, 7, 0), 1);
  EXPECT_EQ(library_->SetItemText(window_, 7, std::string(300, 'x')), 1);
  OrmMenuItem back = Record(0);
  ASSERT_EQ(library_->GetItem(window_, 7, &back), 1);
  EXPECT_EQ(TextOf(back), std::string(128, 'x'));
  EXPECT_EQ(back.text[128], '\0');
  EXPECT_EQ(library_->SetItemText(window_, 8, "Neu"), 0);
  EXPECT_EQ(library_->SetItemText(0, 7, "Neu"), 0);
}

TEST_F(LibraryTest, PreparationAlignsTheColumnsOfAPopup) {
  library_->Attach(window_);
  const Handle popup = Popup({Command(1, "&Neu\tStrg+N"), Command(2, "Speichern &unter ..."),
                              Separator(), Command(3, "Beenden\tStrg+Umschalt+Alt+F12")});
  library_->PreparePopup(window_, popup);

  const std::int32_t widestLabel = 19 * kCell + 1;              // "Speichern unter ..."
  const std::int32_t widestAccelerator = (3 + 21) * kCell + 1;  // "mmm" + the long one
  for (int position = 0; position < 4; ++position) {
    const auto item = ornasys::GetMenuItem(popup, position);
    ASSERT_TRUE(item);
    EXPECT_NE(item->type & ornasys::kItemOwnerDraw, 0u) << position;
    OrmMenuItem* record = RecordAt(popup, position);
    ASSERT_NE(record, nullptr) << position;
    EXPECT_EQ(record->menu, popup);
    EXPECT_EQ(record->textWidth, widestLabel) << position;
    EXPECT_EQ(record->acceleratorWidth, widestAccelerator) << position;
    EXPECT_EQ(record->entryHeight, kLineHeight + 1) << position;
  }
  EXPECT_EQ(RecordAt(popup, 2)->command, PseudoIdentifier(popup));
  EXPECT_EQ(std::string(TextOf(*RecordAt(popup, 0))), "&Neu\tStrg+N");
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, PreparationKeepsRecordsAndTextsTheHostRegistered) {
  library_->Attach(window_);
  OrmMenuItem item = Record(1);
  std::strcpy(item.text, "Vom Programm");
  ASSERT_EQ(library_->AddItem(window_, &item), 1);
  const Handle popup = Popup({Command(1, "Aus dem Men\xFC"), Command(2, "Zweites")});
  library_->PreparePopup(window_, popup);
  // A record that exists gets the menu's text on its first preparation ...
  EXPECT_EQ(std::string(TextOf(*RecordAt(popup, 0))), "Aus dem Men\xFC");
  // ... and keeps a text set later when the popup is prepared again.
  ASSERT_EQ(library_->SetItemText(window_, 1, "Ge\xE4ndert"), 1);
  library_->PreparePopup(window_, popup);
  EXPECT_EQ(std::string(TextOf(*RecordAt(popup, 0))), "Ge\xE4ndert");
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, PictureSizesComeFromTheirSource) {
  library_->Attach(window_);
  const Handle bitmap = ornasys::CreateBitmap(ornasys::Picture(20, 12));
  const Handle icon = ornasys::CreateIcon(ornasys::Picture(32, 32));
  const Handle module = ornasys::RegisterModule("Test", [](std::string_view name) {
    return name == "BMP_MENUITEM_9" ? std::optional(ornasys::Picture(24, 22))
           : name == "EIGENES"      ? std::optional(ornasys::Picture(11, 9))
                                    : std::nullopt;
  });
  struct Case {
    const char* what;
    OrmMenuItem item;
    std::int32_t width;
    std::int32_t height;
  };
  const auto with = [](std::uint32_t command, auto change) {
    OrmMenuItem item = Record(command);
    change(item);
    return item;
  };
  const Case cases[] = {
      {"strip picture", with(9, [](auto& r) { r.sharedPicture = 5; }), 16, 15},
      {"mark picture", with(9, [](auto& r) { r.sharedPicture = 195; }), 16, 15},
      {"tall strip picture", with(9, [](auto& r) { r.sharedPicture = 5, r.pictureHeight = 30; }),
       32, 30},
      {"no strip", with(9, [](auto& r) { r.sharedPicture = 1500; }), 16, 15},
      {"icon", with(9, [&](auto& r) { r.icon = icon; }), 16, 16},
      {"bitmap", with(9, [&](auto& r) { r.bitmap = bitmap; }), 20, 12},
      {"bitmap part", with(9, [&](auto& r) { r.bitmap = bitmap, r.pictureX = 4; }), 16, 12},
      {"bitmap sized", with(9, [&](auto& r) { r.bitmap = bitmap, r.pictureWidth = 5; }), 5, 12},
      {"resource", with(9, [&](auto& r) { r.resourceModule = module; }), 24, 22},
      {"named resource",
       with(9, [&](auto& r) { r.resourceModule = module, std::strcpy(r.resourceName, "EIGENES"); }),
       11, 9},
      {"missing resource", with(8, [&](auto& r) { r.resourceModule = module; }), 0, 0},
      {"nothing", with(9, [](auto&) {}), 0, 0},
  };
  for (const Case& c : cases) {
    OrmMenuItem item = c.item;
    ASSERT_EQ(library_->AddItem(window_, &item), 1) << c.what;
    const Handle popup = Popup({Command(item.command, "Bild")});
    library_->PreparePopup(window_, popup);
    const OrmMenuItem* record = RecordAt(popup, 0);
    ASSERT_NE(record, nullptr) << c.what;
    EXPECT_EQ(record->pictureWidth, c.width) << c.what;
    EXPECT_EQ(record->pictureHeight, c.height) << c.what;
    EXPECT_EQ(record->entryHeight, std::max({13, c.height, kLineHeight + 1})) << c.what;
    ornasys::DestroyMenu(popup);
    library_->Detach(window_);
    library_->Attach(window_);
  }
  ornasys::DeleteObject(bitmap);
  ornasys::DeleteObject(icon);
  ornasys::UnregisterModule(module);
}

TEST_F(LibraryTest, MeasuringFollowsTheColumnsBandAndCheckMark) {
  library_->Attach(window_);
  const Handle popup =
      Popup({Command(1, "Neu\tStrg+N"), Separator(), Command(2, "Raster", ornasys::kItemChecked),
             Command(0xF060,
                     "Schlie\xDF"
                     "en")});
  library_->PreparePopup(window_, popup);
  const std::int32_t label = 9 * kCell + 1;  // the widest label, "Schließen"
  const std::int32_t accelerator = 9 * kCell + 1;
  const std::uint32_t plain = static_cast<std::uint32_t>(label + accelerator + 16 + 4);

  OrsMeasureItem measure = MeasureItemFor(popup, 0);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemWidth, plain);
  EXPECT_EQ(measure.itemHeight, static_cast<std::uint32_t>(kLineHeight + 1 + 3));

  measure = MeasureItemFor(popup, 1);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemWidth, 16u);
  EXPECT_EQ(measure.itemHeight, 10u);

  // A checked entry is at least as high as the check mark picture (15 pixels).
  ornasys::SetMenuFont(ornasys::Font{"Test", 6, 400, false});
  library_->PreparePopup(window_, popup);
  measure = MeasureItemFor(popup, 2);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemHeight, 15u + 3u);
  measure = MeasureItemFor(popup, 0);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemHeight, 13u + 3u);
  ornasys::SetMenuFont(ornasys::Font{"Test", 10, 400, false});
  library_->PreparePopup(window_, popup);

  // System commands and entries without a record are not the library's.
  measure = MeasureItemFor(popup, 3);
  EXPECT_FALSE(library_->Measure(measure));
  measure = MeasureItemFor(popup, 0);
  measure.itemData = 0;
  EXPECT_FALSE(library_->Measure(measure));
  measure = MeasureItemFor(popup, 0);
  measure.ctlType = 4;
  EXPECT_FALSE(library_->Measure(measure));

  // A side band widens every entry by its width and two pixels.
  const Handle band = ornasys::CreateBitmap(ornasys::Picture(21, 80));
  library_->AddGraphics(popup, band, false);
  measure = MeasureItemFor(popup, 0);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemWidth, plain + 21 + 2);
  EXPECT_EQ(library_->ReleaseGraphics(popup), 1);
  EXPECT_EQ(library_->ReleaseGraphics(popup), 0);
  ornasys::DeleteObject(band);
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, Windows98MeasuresTheCheckMarkColumnInPlaceOfTheAccelerators) {
  library_ = MakeLibrary({0x040A, 17});
  library_->Attach(window_);
  const Handle popup = Popup({Command(1, "Neu\tStrg+N")});
  library_->PreparePopup(window_, popup);
  OrsMeasureItem measure = MeasureItemFor(popup, 0);
  ASSERT_TRUE(library_->Measure(measure));
  EXPECT_EQ(measure.itemWidth, static_cast<std::uint32_t>(3 * kCell + 1 + 16 + 16 + 4));
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, Windows9xFindsSystemCommandsUnderTheirLongIdentifier) {
  for (const auto& [classification, found] :
       {std::pair<std::uint32_t, bool>{16, true}, {17, true}, {0x20, false}, {0x40, false}}) {
    library_ = MakeLibrary({0x0400, classification});
    library_->Attach(window_);
    OrmMenuItem item = Record(0xFFFFF060);
    std::strcpy(item.text,
                "Schlie\xDF"
                "en");
    item.sharedPicture = 11;
    ASSERT_EQ(library_->AddItem(window_, &item), 1);
    const Handle popup = Popup({Command(0xF060, "Close")});
    library_->PreparePopup(window_, popup);
    EXPECT_EQ(RecordAt(popup, 0)->sharedPicture == 11, found) << classification;
    ornasys::DestroyMenu(popup);
    library_->Detach(window_);
  }
}

TEST_F(LibraryTest, MnemonicsSkipDoubledAmpersandsAndDisabledEntries) {
  library_->Attach(window_);
  const Handle popup = Popup({Command(1, "&&x &y"), Separator(),
                              Command(2,
                                      "&\xD6"
                                      "ffnen"),
                              Command(3, "&Zu", ornasys::kItemGrayed), Command(4, "Ohne"),
                              Command(5, "&zweites Z"), Command(6, "Ende &&")});
  library_->PreparePopup(window_, popup);
  const auto execute = [](int position) { return position | 2 << 16; };
  const std::pair<unsigned char, std::int32_t> cases[] = {
      {'y', execute(0)},  {'Y', execute(0)},  {'x', 0},          {'&', 0},
      {0xF6, execute(2)}, {0xD6, execute(2)}, {'z', execute(5)}, {'o', 0}};
  for (const auto& [character, answer] : cases) {
    EXPECT_EQ(library_->MenuCharacter(character, popup), answer) << int(character);
  }
  EXPECT_EQ(library_->MenuCharacter('y', 0), 0);
  ornasys::DestroyMenu(popup);
}

std::int32_t AnswerEverything(OrmMenuItem*, std::uint32_t character, OrsHandle, std::int32_t) {
  return character == 'Q' ? 0x20063 : 0;
}

TEST_F(LibraryTest, AMnemonicCallbackAnswersFirst) {
  library_->Attach(window_);
  OrmMenuItem item = Record(2);
  item.mnemonicCallback = OrsRegisterProcedure(reinterpret_cast<OrsProcedure>(AnswerEverything));
  ASSERT_EQ(library_->AddItem(window_, &item), 1);
  const Handle popup = Popup({Command(1, "&Erstes"), Command(2, "&Zweites")});
  library_->PreparePopup(window_, popup);
  EXPECT_EQ(library_->MenuCharacter('q', popup), 0x20063);
  EXPECT_EQ(library_->MenuCharacter('z', popup), 1 | 2 << 16);
  OrsReleaseProcedure(item.mnemonicCallback);
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, EmptyPopupsAreDisabledOnlyAfterDetachingTheSwitch) {
  library_->Attach(window_);
  const Handle inner = Popup({Command(20, "Tief", ornasys::kItemGrayed | ornasys::kItemDisabled)});
  const Handle allOff =
      Popup({Command(10, "Eins", ornasys::kItemGrayed), Separator(), Opens(inner, "Weiter"),
             Command(11, "Zwei", ornasys::kItemDisabled)});
  const Handle oneOn = Popup({Command(12, "Drei", ornasys::kItemGrayed), Command(13, "Vier")});
  const Handle empty = Popup({});
  const Handle top =
      Popup({Opens(allOff, "Alles aus"), Opens(oneOn, "Eines an"), Opens(empty, "Leer")});
  const auto stateOf = [&](int position) { return ornasys::GetMenuItem(top, position)->state; };

  library_->PreparePopup(window_, top);
  EXPECT_EQ(stateOf(0), 0u);
  EXPECT_EQ(stateOf(2), 0u);

  library_->Detach(ORM_EMPTY_POPUPS);
  EXPECT_TRUE(library_->DisablesEmptyPopups());
  library_->PreparePopup(window_, top);
  EXPECT_EQ(stateOf(0), ornasys::kItemGrayed | ornasys::kItemDisabled);
  EXPECT_EQ(stateOf(1), 0u);
  EXPECT_EQ(stateOf(2), ornasys::kItemGrayed | ornasys::kItemDisabled);

  // An entry of the popup is enabled again: the popup follows at its next preparation.
  ornasys::MenuItem on = *ornasys::GetMenuItem(allOff, 0);
  on.state = 0;
  ornasys::UpdateMenuItem(allOff, 0, on);
  library_->PreparePopup(window_, top);
  EXPECT_EQ(stateOf(0), 0u);

  library_->Attach(ORM_EMPTY_POPUPS);
  EXPECT_FALSE(library_->DisablesEmptyPopups());
  for (const Handle menu : {top, allOff, oneOn, empty, inner}) ornasys::DestroyMenu(menu);
}

TEST_F(LibraryTest, WithoutMemoryAnEntryStaysPlain) {
  library_->Attach(window_);
  UtlHeapSetLimit(library_->Heap(), 1);
  const Handle popup = Popup({Command(1, "Neu")});
  library_->PreparePopup(window_, popup);
  const auto item = ornasys::GetMenuItem(popup, 0);
  EXPECT_EQ(item->type & ornasys::kItemOwnerDraw, 0u);
  EXPECT_EQ(item->data, 0u);
  OrsMeasureItem measure = MeasureItemFor(popup, 0);
  EXPECT_FALSE(library_->Measure(measure));
  UtlHeapSetLimit(library_->Heap(), 0);
  library_->PreparePopup(window_, popup);
  EXPECT_NE(ornasys::GetMenuItem(popup, 0)->type & ornasys::kItemOwnerDraw, 0u);
  ornasys::DestroyMenu(popup);
}

TEST_F(LibraryTest, DetachingGivesEntriesBackAndTheTableBelowTakesOver) {
  library_->Attach(window_);
  ASSERT_EQ(library_->AddItemCtl(window_, 1, 3), 1);
  library_->Attach(window_);
  ASSERT_EQ(library_->AddItemCtl(window_, 1, 4), 1);
  const Handle popup = Popup({Command(1, "Neu"), Separator()});
  library_->PreparePopup(window_, popup);
  EXPECT_EQ(RecordAt(popup, 0)->sharedPicture, 4u);

  library_->Detach(window_);
  for (int position = 0; position < 2; ++position) {
    const auto item = ornasys::GetMenuItem(popup, position);
    EXPECT_EQ(item->type & ornasys::kItemOwnerDraw, 0u);
    EXPECT_EQ(item->data, 0u);
  }
  library_->PreparePopup(window_, popup);
  EXPECT_EQ(RecordAt(popup, 0)->sharedPicture, 3u);

  library_->Detach(window_);
  EXPECT_EQ(ornasys::GetMenuItem(popup, 0)->type & ornasys::kItemOwnerDraw, 0u);
  EXPECT_EQ(UtlHeapBlockCount(library_->Heap()), 0u);
  EXPECT_EQ(UtlHeapValidate(library_->Heap()), 1);
  ornasys::DestroyMenu(popup);
}

// A menu bar with "Datei" (with a submenu "Mehr") and "Bearbeiten".
struct MenuTree {
  Handle deep = Popup({Command(30, "Tief")});
  Handle file = Popup({Command(10, "Neu"), Opens(deep, "Mehr")});
  Handle edit = Popup({Command(20, "Kopieren")});
  Handle bar = ornasys::CreateMenuBar();
  MenuTree() {
    ornasys::InsertMenuItem(bar, -1, Opens(file, "&Datei"));
    ornasys::InsertMenuItem(bar, -1, Opens(edit, "&Bearbeiten"));
  }
  ~MenuTree() {
    for (const Handle menu : {bar, file, edit, deep}) ornasys::DestroyMenu(menu);
  }
};

TEST_F(LibraryTest, ForcingPreparesEveryPopupBelowButNotTheMenuBar) {
  library_->Attach(window_);
  const MenuTree tree;
  const auto [deep, file, edit, bar] = tree;

  library_->ForceLoaded(ornasys::CreateWindow(), bar);
  EXPECT_EQ(RecordAt(file, 0), nullptr);

  // A popup given itself is prepared with the popups below it.
  library_->ForceLoaded(window_, file);
  for (const Handle menu : {deep, file}) EXPECT_NE(RecordAt(menu, 0), nullptr);
  EXPECT_EQ(RecordAt(edit, 0), nullptr);

  library_->ForceLoaded(window_, bar);
  for (const Handle menu : {deep, file, edit}) EXPECT_NE(RecordAt(menu, 0), nullptr);
  EXPECT_EQ(RecordAt(bar, 0), nullptr);
  EXPECT_EQ(ornasys::GetMenuItem(bar, 0)->type & ornasys::kItemOwnerDraw, 0u);
}

TEST_F(LibraryTest, UniqueIdentifiersAreGivenDepthFirst) {
  const MenuTree tree;
  const auto [deep, file, edit, bar] = tree;
  Library::ForceUniqueIds(bar, 500);
  EXPECT_EQ(ornasys::GetMenuItem(bar, 0)->id, 500u);
  EXPECT_EQ(ornasys::GetMenuItem(file, 1)->id, 501u);
  EXPECT_EQ(ornasys::GetMenuItem(bar, 1)->id, 502u);
  EXPECT_EQ(ornasys::GetMenuItem(file, 0)->id, 10u);
  Library::ForceUniqueIds(0, 1);
}

TEST_F(LibraryTest, TheWindowProcedureTakesPartInTheMenuMessages) {
  library_->Attach(window_);
  const Handle popup = Popup({Command(1, "&Neu"), Separator()});

  // The popup about to open: the window's own procedure first, then the preparation.
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 1 << 16), 77);
  EXPECT_EQ(RecordAt(popup, 0), nullptr);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_INITMENUPOPUP, popup, 0), 77);
  EXPECT_NE(RecordAt(popup, 0), nullptr);
  EXPECT_EQ(BaseMessages(),
            std::vector<std::uint32_t>({ORS_WM_INITMENUPOPUP, ORS_WM_INITMENUPOPUP}));

  OrsMeasureItem measure = MeasureItemFor(popup, 1);
  EXPECT_EQ(
      ornasys::SendMessage(window_, ORS_WM_MEASUREITEM, 0, reinterpret_cast<intptr_t>(&measure)),
      0);
  EXPECT_EQ(measure.itemHeight, 10u);
  EXPECT_EQ(
      ornasys::SendMessage(window_, ORS_WM_MEASUREITEM, 3, reinterpret_cast<intptr_t>(&measure)),
      77);

  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_MENUCHAR, 'n' | ORS_MF_POPUP << 16, popup),
            2 << 16);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_MENUCHAR,
                                 'n' | (ORS_MF_POPUP | ORS_MF_SYSMENU) << 16, popup),
            77);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_MENUCHAR, 'q' | ORS_MF_POPUP << 16, popup), 77);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_SETTINGCHANGE, 0, 0), 77);
  EXPECT_EQ(ornasys::SendMessage(window_, ORS_WM_DRAWITEM, 0, 0), 77);
  ornasys::DestroyMenu(popup);
}

}  // namespace
}  // namespace ornamo
