/* Ornamo 8.2: menus with pictures for the windows of a host program.
 *
 * A host attaches the library to a top-level window. From then on the library takes part in
 * the window's menu messages: the first time a popup opens, its entries become owner-drawn;
 * the library measures and paints them (a picture column in front of the text, an optional
 * picture band down the left side of a popup, bold default entries, embossed pictures of
 * disabled entries, aligned accelerator columns) and answers mnemonic keys. The host registers
 * per-command pictures and texts with the functions below; bitmaps it hands over stay its own.
 *
 * Calling order: attach, add items and side bands, let menus open, detach. Every function
 * accepts 0 handles and windows that are not attached, and then returns 0 or does nothing.
 * Calls come on the thread that owns the windows. */
#ifndef ORNAMO_H
#define ORNAMO_H

#include <stdint.h>

#include "ornasys.h"

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "The menu item record is little-endian."
#endif

#if defined(ORNAMO_BUILDING)
#define ORNAMO_EXPORT __attribute__((visibility("default")))
#else
#define ORNAMO_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The library's version. */
#define ORNAMO_VERSION_MAJOR 8
#define ORNAMO_VERSION_MINOR 2

/* The pseudo-window of OrmAttachMenu/OrmDetachMenu that switches the disabling of popups
 * whose entries are all disabled: detaching it switches the disabling on, attaching it off. */
#define ORM_EMPTY_POPUPS ((OrsHandle)0xFFFFFFFFu)

/* Size of the menu item record. */
#define ORM_ITEM_SIZE 238

/* The menu item record: 238 bytes, packed, 32-bit little-endian integers. Handles and
 * callbacks are 32-bit handles of the window system (callbacks: OrsRegisterProcedure). */
#pragma pack(push, 1)
typedef struct OrmMenuItem {
  uint32_t size;              /*   0: must be 238 */
  OrsHandle menu;             /*   4: menu that holds the entry; set when it is prepared */
  uint32_t command;           /*   8: command identifier; 0 is refused */
  uint32_t sharedPicture;     /*  12: picture number in Ornacore's strips (mod 2000); 0 none */
  OrsHandle icon;             /*  16: icon, drawn 16 x 16; 0 none */
  OrsHandle bitmap;           /*  20: bitmap holding the picture; 0 none */
  int32_t pictureX;           /*  24: left edge of the picture in the bitmap */
  int32_t pictureY;           /*  28: top edge of the picture in the bitmap */
  int32_t pictureWidth;       /*  32: 0 = the bitmap's */
  int32_t pictureHeight;      /*  36: 0 = the bitmap's */
  OrsHandle resourceModule;   /*  40: module holding a bitmap resource; 0 none */
  char resourceName[33];      /*  44: empty: "BMP_MENUITEM_<command>" */
  char text[129];             /*  77: Windows-1252; tab before the accelerator; & mnemonic */
  int32_t textWidth;          /* 206: computed: widest label of the popup */
  int32_t acceleratorWidth;   /* 210: computed: widest accelerator of the popup */
  int32_t entryHeight;        /* 214: computed */
  OrsHandle measureCallback;  /* 218: OrmMeasureProc measuring the entry; 0 = the library */
  OrsHandle paintCallback;    /* 222: OrmPaintProc painting the entry; 0 = the library */
  OrsHandle mnemonicCallback; /* 226: OrmMnemonicProc answering a key; 0 = the library */
  uint8_t reserved[8];        /* 230: copied, never interpreted */
} OrmMenuItem;
#pragma pack(pop)

/* A host's own measuring: fills measure->itemWidth and itemHeight and returns non-zero, or
 * returns 0 to leave the entry to the window's previous procedure. */
typedef int32_t (*OrmMeasureProc)(OrmMenuItem* item, OrsMeasureItem* measure);
/* A host's own painting: returns non-zero when it painted the entry. */
typedef int32_t (*OrmPaintProc)(OrmMenuItem* item, const OrsDrawItem* draw);
/* A host's own mnemonic: returns the answer to ORS_WM_MENUCHAR (position | ORS_MNC_EXECUTE
 * << 16) or 0 to let the library look at the entry's text. `character` is upper-cased. */
typedef int32_t (*OrmMnemonicProc)(OrmMenuItem* item, uint32_t character, OrsHandle menu,
                                   int32_t position);

/* kind 0: major * 256 + minor (0x0802); 1: major; 2: minor; other kinds: -1. */
ORNAMO_EXPORT int32_t OrmGetVersion(int32_t kind);

/* Attaches the library to `window` (subclassing it on the first attach) and starts a fresh
 * table of records. Each attach needs one detach. */
ORNAMO_EXPORT void OrmAttachMenu(OrsHandle window);

/* Drops the window's newest table of records; the last detach undoes the subclassing. */
ORNAMO_EXPORT void OrmDetachMenu(OrsHandle window);

/* Adds or replaces the record of item->command; the picture number is reduced modulo 2000 in
 * `item` too. Non-zero on success; 0 for a size other than 238, command 0 or no memory. */
ORNAMO_EXPORT int32_t OrmAddMenuItem(OrsHandle window, OrmMenuItem* item);

/* Adds a record with only a command and a picture number. */
ORNAMO_EXPORT int32_t OrmAddMenuItemCtl(OrsHandle window, uint32_t command, uint32_t sharedPicture);

/* Copies the stored record into `item`, whose size field must be 238; 1 if found, else 0. */
ORNAMO_EXPORT int32_t OrmGetMenuItem(OrsHandle window, uint32_t command, OrmMenuItem* item);

/* The stored picture number of the command, or 0. */
ORNAMO_EXPORT uint32_t OrmGetMenuItemCtl(OrsHandle window, uint32_t command);

/* Sets the stored text (at most 128 characters); non-zero if the command was found. */
ORNAMO_EXPORT int32_t OrmSetMenuItemTextA(OrsHandle window, uint32_t command, const char* text);

/* As OrmSetMenuItemTextA for UTF-16 text, converted to Windows-1252 ("?" for what it lacks). */
ORNAMO_EXPORT int32_t OrmSetMenuItemTextW(OrsHandle window, uint32_t command, const uint16_t* text);

/* Registers or replaces the picture band down the left side of the popup `menu`, drawn at the
 * band's size at the bottom (stretch 0) or stretched over the popup's height (non-zero). */
ORNAMO_EXPORT void OrmAddMenuGraphics(OrsHandle menu, OrsHandle bitmap, int32_t stretch);

/* Forgets the popup's band; non-zero if there was one. The bitmap stays the caller's. */
ORNAMO_EXPORT int32_t OrmReleaseMenuGraphics(OrsHandle menu);

/* Prepares `menu` (when it is a popup) and every popup below it now, as if each had opened. */
ORNAMO_EXPORT void OrmForceMenuLoaded(OrsHandle window, OrsHandle menu);

/* Gives every entry below `menu` that opens a submenu the next identifier, starting with
 * `firstId`, depth first, so that such entries can carry records. */
ORNAMO_EXPORT void OrmForceUniqueIDs(OrsHandle menu, uint32_t firstId);

/* The exported functions as pointer types, for hosts that load the library at run time. */
typedef int32_t (*OrmGetVersionFn)(int32_t);
typedef void (*OrmAttachMenuFn)(OrsHandle);
typedef void (*OrmDetachMenuFn)(OrsHandle);
typedef int32_t (*OrmAddMenuItemFn)(OrsHandle, OrmMenuItem*);
typedef int32_t (*OrmAddMenuItemCtlFn)(OrsHandle, uint32_t, uint32_t);
typedef int32_t (*OrmGetMenuItemFn)(OrsHandle, uint32_t, OrmMenuItem*);
typedef uint32_t (*OrmGetMenuItemCtlFn)(OrsHandle, uint32_t);
typedef int32_t (*OrmSetMenuItemTextAFn)(OrsHandle, uint32_t, const char*);
typedef int32_t (*OrmSetMenuItemTextWFn)(OrsHandle, uint32_t, const uint16_t*);
typedef void (*OrmAddMenuGraphicsFn)(OrsHandle, OrsHandle, int32_t);
typedef int32_t (*OrmReleaseMenuGraphicsFn)(OrsHandle);
typedef void (*OrmForceMenuLoadedFn)(OrsHandle, OrsHandle);
typedef void (*OrmForceUniqueIDsFn)(OrsHandle, uint32_t);

#ifdef __cplusplus
}
#endif

/* The record's layout is part of the interface. */
#ifdef __cplusplus
#include <cstddef>
#define ORM_LAYOUT_CHECK(condition, what) static_assert(condition, what)
#else
#include <stddef.h>
#define ORM_LAYOUT_CHECK(condition, what) _Static_assert(condition, what)
#endif
ORM_LAYOUT_CHECK(sizeof(OrmMenuItem) == ORM_ITEM_SIZE, "the record has 238 bytes");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, menu) == 4, "menu at 4");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, command) == 8, "command at 8");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, sharedPicture) == 12, "picture number at 12");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, icon) == 16, "icon at 16");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, bitmap) == 20, "bitmap at 20");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, pictureX) == 24, "picture x at 24");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, pictureY) == 28, "picture y at 28");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, pictureWidth) == 32, "picture width at 32");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, pictureHeight) == 36, "picture height at 36");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, resourceModule) == 40, "resource module at 40");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, resourceName) == 44, "resource name at 44");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, text) == 77, "text at 77");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, textWidth) == 206, "text width at 206");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, acceleratorWidth) == 210, "accelerator width at 210");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, entryHeight) == 214, "entry height at 214");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, measureCallback) == 218, "measure callback at 218");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, paintCallback) == 222, "paint callback at 222");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, mnemonicCallback) == 226, "mnemonic callback at 226");
ORM_LAYOUT_CHECK(offsetof(OrmMenuItem, reserved) == 230, "reserved at 230");
#undef ORM_LAYOUT_CHECK

#endif /* ORNAMO_H */
