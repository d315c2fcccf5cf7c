// Drawing objects of the window system: bitmaps, icons, brushes, surfaces and resource
// modules, each behind a handle.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "sys/graphics.h"
#include "sys/handles.h"

namespace ornasys {

// A bitmap: an opaque picture. Null handle when `picture` is empty or the table is full.
ORNASYS_EXPORT Handle CreateBitmap(Picture picture);
// The bitmap's picture, or null when `bitmap` is no bitmap.
ORNASYS_EXPORT Picture* GetBitmap(Handle bitmap);

// An icon: a picture with alpha.
ORNASYS_EXPORT Handle CreateIcon(Picture picture);
// The icon's picture, or null.
ORNASYS_EXPORT const Picture* GetIcon(Handle icon);

// A brush fills with a solid colour or repeats a pattern.
struct Brush {
  Colour colour = 0;
  Picture pattern;  // empty for a solid brush
};

// A solid brush.
ORNASYS_EXPORT Handle CreateSolidBrush(Colour colour);
// A pattern brush from a two-colour picture: its dark pixels (luminance below 128) become
// `foreground`, the others `background`.
ORNASYS_EXPORT Handle CreatePatternBrush(const Picture& pattern, Colour foreground,
                                         Colour background);
// The brush, or null.
ORNASYS_EXPORT const Brush* GetBrush(Handle brush);
// Fills `rect` of `picture` with the brush.
ORNASYS_EXPORT void FillWithBrush(Picture& picture, const Rect& rect, const Brush& brush);

// A drawing surface: the pixels of a popup's client area (or of any picture drawn into), with
// the popup's client rectangle (empty when the surface belongs to no window) and the clip box.
struct Surface {
  Picture picture;
  Rect client;
  Rect clip;
};

// A surface of width × height filled with `fill`; client and clip are the whole picture.
ORNASYS_EXPORT Handle CreateSurface(int width, int height, Colour fill);
// The surface, or null.
ORNASYS_EXPORT Surface* GetSurface(Handle surface);

// Deletes a bitmap, icon, brush or surface; false for anything else.
ORNASYS_EXPORT bool DeleteObject(Handle object);

// Loads a named bitmap resource of a module; nothing when the module has none of that name.
using ResourceLoader = std::function<std::optional<Picture>(std::string_view name)>;

// A module with its bitmap resources: `name` identifies it, `loader` finds its pictures.
ORNASYS_EXPORT Handle RegisterModule(std::string name, ResourceLoader loader);
// Forgets a module; false when it is none.
ORNASYS_EXPORT bool UnregisterModule(Handle module);
// The module's name; empty when it is none.
ORNASYS_EXPORT std::string GetModuleName(Handle module);
// Loads the bitmap resource `name` into a new bitmap that the caller deletes; 0 when the
// module or the resource does not exist.
ORNASYS_EXPORT Handle LoadBitmapResource(Handle module, std::string_view name);

}  // namespace ornasys
