/* Ornacore: the control library under Ornamo: shared picture strips, and the background
 * colour and brush of picture cells.
 *
 * A strip is one bitmap with pictures of one size stacked from top to bottom, numbered from its
 * first to its last picture number, optionally separated by one pixel line; it suits entries
 * whose height lies in its range. The colour of a strip's top-left pixel is transparent. */
#ifndef ORNACORE_H
#define ORNACORE_H

#include <stdint.h>

#include "ornasys.h"

#if defined(ORNACORE_BUILDING)
#define ORNACORE_EXPORT __attribute__((visibility("default")))
#else
#define ORNACORE_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The descriptor of a picture strip: 40 bytes of 32-bit fields. */
typedef struct CtlBitmapInfo {
  uint32_t size;           /* 40; set by the caller */
  uint32_t firstPicture;   /* number of the topmost picture */
  uint32_t lastPicture;    /* number of the bottom picture */
  OrsHandle bitmap;        /* the strip; owned by Ornacore */
  uint32_t pictureWidth;   /* pixels */
  uint32_t pictureHeight;  /* pixels */
  uint32_t minEntryHeight; /* smallest entry height the strip suits */
  uint32_t maxEntryHeight; /* largest entry height the strip suits */
  uint32_t separated;      /* 1: one pixel line between pictures */
  uint32_t reserved;
} CtlBitmapInfo;

#ifdef __cplusplus
static_assert(sizeof(CtlBitmapInfo) == 40, "the strip descriptor has 40 bytes");
#else
_Static_assert(sizeof(CtlBitmapInfo) == 40, "the strip descriptor has 40 bytes");
#endif

/* Fills `info` for strip number `strip` (0, 1, 2, ...) and returns 1; 0 when there is no such
 * strip or `info` is null or its size field is not 40. */
ORNACORE_EXPORT int32_t CtlGetBitmap(CtlBitmapInfo* info, int32_t strip);

/* The background colour of checked picture cells, 0x00RRGGBB: the menu colour darkened by a
 * third towards the 3-D shadow colour. */
ORNACORE_EXPORT uint32_t CtlTools_rgbBkgnd(void);

/* A solid brush of the menu colour, for the background of icons; owned by Ornacore. */
ORNACORE_EXPORT OrsHandle CtlTools_hBrBkgnd(void);

#ifdef __cplusplus
}
#endif

#endif /* ORNACORE_H */
