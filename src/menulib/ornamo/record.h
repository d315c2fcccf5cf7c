// Reading and writing the text fields of the menu item record within their bounds: a field
// without its NUL ends at the field's end.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "ornamo.h"

namespace ornamo {

// The NUL-terminated text in `field` of `size` bytes, at most `size` characters.
inline std::string_view FieldText(const char* field, std::size_t size) {
  const void* end = std::memchr(field, '\0', size);
  return {field,
          end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : size};
}

// The record's entry text.
inline std::string_view TextOf(const OrmMenuItem& item) {
  return FieldText(item.text, sizeof item.text);
}

// The record's resource name.
inline std::string_view ResourceNameOf(const OrmMenuItem& item) {
  return FieldText(item.resourceName, sizeof item.resourceName);
}

// The name of the record's bitmap resource: its resource name, or "BMP_MENUITEM_<command>".
inline std::string ResourceNameFor(const OrmMenuItem& item) {
  const std::string_view name = ResourceNameOf(item);
  return name.empty() ? "BMP_MENUITEM_" + std::to_string(item.command) : std::string(name);
}

// Stores `text` into the record's text field, cut to 128 characters, with its NUL.
inline void SetTextOf(OrmMenuItem& item, std::string_view text) {
  const std::size_t length =
      text.size() < sizeof item.text - 1 ? text.size() : sizeof item.text - 1;
  std::memcpy(item.text, text.data(), length);
  std::memset(item.text + length, 0, sizeof item.text - length);
}

// The label (before the first tab) and the accelerator text (after it); `hasTab` tells whether
// there was a tab.
struct SplitText {
  std::string_view label;
  std::string_view accelerator;
  bool hasTab = false;
};

inline SplitText SplitAtTab(std::string_view text) {
  const std::size_t tab = text.find('\t');
  if (tab == std::string_view::npos) return {text, {}, false};
  return {text.substr(0, tab), text.substr(tab + 1), true};
}

}  // namespace ornamo
