// The menu library: its registries, the exported operations and the window procedure that
// takes part in the menu messages of attached windows.
//
// Window registry: per attached window the subclassing record and a stack of entry tables
// (each attach pushes one, each detach pops one); an entry table maps command identifiers to
// records allocated from the library's private heap. Side-band registry: per popup menu the
// band's bitmap and whether it is stretched. Records that entries of menus carry are known
// here, so that an entry's data is only used while its record lives, and so that entries are
// switched back to plain entries when their record goes.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ornamo.h"
#include "ornamo/subclass.h"
#include "ornautil.h"
#include "sys/environment.h"
#include "sys/handles.h"

namespace ornamo {

using ornasys::Handle;
using Clock = std::function<std::chrono::steady_clock::time_point()>;

// The pseudo-identifier of separators and entries without identifier in `menu`.
inline std::uint32_t PseudoIdentifier(Handle menu) { return menu << 16; }

// Identifiers of system commands.
inline bool IsSystemCommand(std::uint32_t id) { return id >= 0xF000 && id <= 0xFFFF; }

class Library {
 public:
  // What the library takes from its surroundings.
  struct Options {
    ornasys::SystemVersion system = ornasys::GetSystemVersion();
    Clock clock = [] { return std::chrono::steady_clock::now(); };
    std::string module = "Ornamo";
  };

  // Opens the private heap and the job context and registers the library's own resources.
  explicit Library(Options options);
  // Frees every window object (reporting those still attached) and closes heap and job.
  ~Library();
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // OrmGetVersion.
  static std::int32_t Version(std::int32_t kind);
  // OrmAttachMenu.
  void Attach(Handle window);
  // OrmDetachMenu.
  void Detach(Handle window);
  // OrmAddMenuItem.
  std::int32_t AddItem(Handle window, OrmMenuItem* item);
  // OrmAddMenuItemCtl.
  std::int32_t AddItemCtl(Handle window, std::uint32_t command, std::uint32_t picture);
  // OrmGetMenuItem.
  std::int32_t GetItem(Handle window, std::uint32_t command, OrmMenuItem* item) const;
  // OrmGetMenuItemCtl.
  std::uint32_t GetItemCtl(Handle window, std::uint32_t command) const;
  // OrmSetMenuItemTextA with the text already read (at most 128 characters are kept).
  std::int32_t SetItemText(Handle window, std::uint32_t command, std::string_view text);
  // OrmAddMenuGraphics.
  void AddGraphics(Handle menu, Handle bitmap, bool stretch);
  // OrmReleaseMenuGraphics.
  std::int32_t ReleaseGraphics(Handle menu);
  // OrmForceMenuLoaded.
  void ForceLoaded(Handle window, Handle menu);
  // OrmForceUniqueIDs.
  static void ForceUniqueIds(Handle menu, std::uint32_t first);

  // Prepares the popup `menu` of an attached window (popup preparation).
  void PreparePopup(Handle window, Handle menu);
  // Measures an entry; false when it is not one of the library's (or a callback declined).
  bool Measure(OrsMeasureItem& measure);
  // Paints an entry; false when it is not one of the library's (or a callback declined).
  bool Paint(const OrsDrawItem& draw);
  // Answers a mnemonic key in a popup; 0 when no entry matches.
  std::int32_t MenuCharacter(unsigned char character, Handle menu);

  // True while `window` is attached.
  bool IsAttached(Handle window) const;
  // True while popups whose entries are all disabled are disabled.
  bool DisablesEmptyPopups() const { return disableEmptyPopups_; }
  // Sends text to the debug channel.
  void Debug(std::string_view text) const;
  // The private heap.
  UtlHeap* Heap() const { return heap_; }
  // The job context.
  const UtlJob* Job() const { return job_; }
  // The live record behind an entry's data, or null.
  OrmMenuItem* RecordOf(uintptr_t data) const;
  // The record of a menu entry (not a system command) in a measure or draw message, or null.
  OrmMenuItem* EntryRecord(std::uint32_t ctlType, std::uint32_t itemId, uintptr_t data) const;

  // The window procedure of subclassed windows.
  static intptr_t WindowProcedure(Handle window, std::uint32_t message, uintptr_t wParam,
                                  intptr_t lParam);

 private:
  struct EntryTable {
    std::unordered_map<std::uint32_t, OrmMenuItem*> records;
  };
  struct Window {
    SubclassRecord* subclass = nullptr;
    std::vector<EntryTable> tables;
  };
  struct Band {
    Handle bitmap = 0;
    bool stretch = false;
  };
  // When and onto which surface a stretched band was last painted.
  struct BandPainting {
    Handle surface = 0;
    std::chrono::steady_clock::time_point when;
  };

  Window* FindWindow(Handle window);
  const Window* FindWindow(Handle window) const;
  EntryTable* TopTable(Handle window);
  const EntryTable* TopTable(Handle window) const;
  OrmMenuItem* NewRecord(EntryTable& table, const OrmMenuItem& source);
  void FreeTable(EntryTable& table);
  void FreeWindow(Handle handle, Window& window);
  void NoteUser(OrmMenuItem* record, Handle menu);
  bool AllLeavesDisabled(Handle menu, std::vector<Handle>& visited) const;
  void PrepareAll(Handle window, Handle menu, std::vector<Handle>& visited);
  void PictureSize(OrmMenuItem& record) const;
  void PaintBand(const OrsDrawItem& draw, const Band& band);

  Options options_;
  UtlHeap* heap_ = nullptr;
  UtlJob* job_ = nullptr;
  Handle resources_ = 0;
  std::map<Handle, Window> windows_;
  std::map<Handle, Band> bands_;
  std::map<Handle, BandPainting> bandPaintings_;
  bool disableEmptyPopups_ = false;
  // Live records, each with the menus whose entries carry it.
  std::unordered_map<OrmMenuItem*, std::vector<Handle>> records_;

  static Library* current_;
};

}  // namespace ornamo
