/* Ornasys: the small window system that Ornamo's hosts and libraries share on this platform.
 *
 * Windows, menus, bitmaps, icons, brushes, drawing surfaces, resource modules and host
 * procedures are known by 32-bit handles issued from one handle table, because pointers do
 * not fit into the 32-bit fields of the menu item record. Each window has a procedure that
 * receives its messages; a library that subclasses the window puts its own procedure in front
 * and hands on what it does not handle. This header holds the part that C hosts need: the
 * handle type, the menu messages with their records, and host procedures as handles. */
#ifndef ORNASYS_H
#define ORNASYS_H

#include <stdint.h>

#if defined(ORNASYS_BUILDING)
#define ORNASYS_EXPORT __attribute__((visibility("default")))
#else
#define ORNASYS_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* A window, menu, bitmap, icon, brush, surface, module or procedure; 0 is never issued. */
typedef uint32_t OrsHandle;

/* Messages a window procedure receives from the menus of its window. */
enum {
  ORS_WM_SETTINGCHANGE = 0x001A, /* colours, fonts or metrics changed */
  ORS_WM_DRAWITEM = 0x002B,      /* wParam: control id (0 for menus); lParam: OrsDrawItem* */
  ORS_WM_MEASUREITEM = 0x002C,   /* wParam: control id (0 for menus); lParam: OrsMeasureItem* */
  ORS_WM_NCPAINT = 0x0085,
  ORS_WM_INITMENUPOPUP =
      0x0117,              /* wParam: popup menu; lParam: position, high word 1 = system menu */
  ORS_WM_MENUCHAR = 0x0120 /* wParam: character | flags << 16; lParam: menu */
};

/* Control type of menu entries in OrsMeasureItem and OrsDrawItem. */
enum { ORS_ODT_MENU = 1 };

/* Item state bits in OrsDrawItem. */
enum {
  ORS_ODS_SELECTED = 0x0001,
  ORS_ODS_GRAYED = 0x0002,
  ORS_ODS_DISABLED = 0x0004,
  ORS_ODS_CHECKED = 0x0008,
  ORS_ODS_DEFAULT = 0x0020
};

/* Flags in the high word of ORS_WM_MENUCHAR's wParam, and its answer "execute the entry". */
enum { ORS_MF_POPUP = 0x0010, ORS_MF_SYSMENU = 0x2000, ORS_MNC_EXECUTE = 2 };

/* A rectangle; right and bottom lie outside. */
typedef struct OrsRect {
  int32_t left, top, right, bottom;
} OrsRect;

/* ORS_WM_MEASUREITEM: the receiver fills itemWidth and itemHeight. */
typedef struct OrsMeasureItem {
  uint32_t ctlType;
  uint32_t ctlId;
  uint32_t itemId;
  uint32_t itemWidth;
  uint32_t itemHeight;
  uintptr_t itemData;
} OrsMeasureItem;

/* ORS_WM_DRAWITEM: paint the entry into the surface `dc` within rcItem. */
typedef struct OrsDrawItem {
  uint32_t ctlType;
  uint32_t ctlId;
  uint32_t itemId;
  uint32_t itemAction;
  uint32_t itemState;
  OrsHandle item; /* the menu that holds the entry */
  OrsHandle dc;   /* the surface of the popup, in its client coordinates */
  OrsRect rcItem;
  uintptr_t itemData;
} OrsDrawItem;

/* A window procedure. */
typedef intptr_t (*OrsWindowProc)(OrsHandle window, uint32_t message, uintptr_t wParam,
                                  intptr_t lParam);

/* Any host function; cast it back to its real type before calling. */
typedef void (*OrsProcedure)(void);

/* Issues a handle for a host function, so that it fits a 32-bit field; 0 for null. */
ORNASYS_EXPORT OrsHandle OrsRegisterProcedure(OrsProcedure procedure);

/* The function behind a procedure handle; null for anything else. */
ORNASYS_EXPORT OrsProcedure OrsProcedureAddress(OrsHandle procedure);

/* Forgets a procedure handle; 0 when it was none. */
ORNASYS_EXPORT int32_t OrsReleaseProcedure(OrsHandle procedure);

#ifdef __cplusplus
}
#endif

#endif /* ORNASYS_H */
