// Parsing and writing the text form of a settings file.
#include "platform/settings_file.h"

#include <cstdio>

namespace trimora {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

const char kHex[] = "0123456789abcdef";

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

// Reads a quoted text starting at text[pos] == '"'; moves pos past the closing quote.
std::optional<std::string> Unquote(std::string_view text, std::size_t& pos) {
  if (pos >= text.size() || text[pos] != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = pos + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') {
      pos = i + 1;
      return out;
    }
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= text.size()) return std::nullopt;
    switch (text[i]) {
      case '\\':
        out += '\\';
        break;
      case '"':
        out += '"';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'x': {
        if (i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string EscapeKeyPath(std::string_view path) {
  std::string out;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '%') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeKeyPath(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
        HexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::size_t SkipBlanks(std::string_view text, std::size_t pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

std::string FormatValueLine(std::string_view name, const SettingsValue& value) {
  std::string line = Quote(name) + "=";
  if (value.kind == SettingsValue::Kind::kString) return line + Quote(value.text);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<std::uint32_t>(value.number));
  return line + "dword:" + digits;
}

// The value part after "=": a quoted string or "dword:" with one to eight hex digits.
std::optional<SettingsValue> ParseValue(std::string_view text, std::size_t pos) {
  SettingsValue value;
  if (pos < text.size() && text[pos] == '"') {
    auto unquoted = Unquote(text, pos);
    if (!unquoted || SkipBlanks(text, pos) != text.size()) return std::nullopt;
    value.text = std::move(*unquoted);
    return value;
  }
  constexpr std::string_view kDword = "dword:";
  if (text.size() - pos < kDword.size() || !SameName(text.substr(pos, kDword.size()), kDword)) {
    return std::nullopt;
  }
  pos += kDword.size();
  std::uint32_t number = 0;
  std::size_t digits = 0;
  while (pos < text.size() && HexDigit(text[pos]) >= 0) {
    if (++digits > 8) return std::nullopt;
    number = number * 16 + static_cast<std::uint32_t>(HexDigit(text[pos++]));
  }
  if (digits == 0 || SkipBlanks(text, pos) != text.size()) return std::nullopt;
  value.kind = SettingsValue::Kind::kNumber;
  value.number = static_cast<std::int32_t>(number);
  return value;
}

}  // namespace

namespace {

// Calls `visit` with each line of `content`, without its line end, and the line's offset in
// `content` when it ends with exactly "\n" (else `noOrigin`).
template <typename Visit>
void ForEachLine(std::string_view content, std::size_t noOrigin, Visit visit) {
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    const bool newline = end != std::string_view::npos;
    if (!newline) end = content.size();
    std::string_view text = content.substr(start, end - start);
    const std::size_t origin = newline && (text.empty() || text.back() != '\r') ? start : noOrigin;
    start = end + 1;
    while (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    visit(text, origin);
  }
}

// The key path of a section line "[...]".
std::optional<std::string> SectionPath(std::string_view text) {
  const std::size_t first = SkipBlanks(text, 0);
  if (first >= text.size() || text[first] != '[') return std::nullopt;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos || close <= first ||
      SkipBlanks(text, close + 1) != text.size()) {
    return std::nullopt;
  }
  return UnescapeKeyPath(text.substr(first + 1, close - first - 1));
}

// The name of a value line; `pos` is left at the start of the value.
std::optional<std::string> ValueName(std::string_view text, std::size_t& pos) {
  pos = SkipBlanks(text, 0);
  auto name = Unquote(text, pos);
  if (!name) return std::nullopt;
  pos = SkipBlanks(text, pos);
  if (pos >= text.size() || text[pos] != '=') return std::nullopt;
  pos = SkipBlanks(text, pos + 1);
  return name;
}

}  // namespace

SettingsDocument SettingsDocument::Parse(std::string_view content) {
  SettingsDocument document;
  ForEachLine(content, kNoOrigin, [&](std::string_view text, std::size_t origin) {
    if (auto path = SectionPath(text)) {
      document.sections_.push_back(
          {{std::string(text), std::nullopt, std::nullopt, origin}, std::move(*path), {}});
      return;
    }
    Line line{std::string(text), std::nullopt, std::nullopt, origin};
    std::size_t pos = 0;
    if (auto name = ValueName(text, pos)) {
      line.name = std::move(name);
      line.value = ParseValue(text, pos);
    }
    (document.sections_.empty() ? document.preamble_ : document.sections_.back().lines)
        .push_back(std::move(line));
  });
  return document;
}

SettingsLookup SettingsDocument::Lookup(std::string_view content, std::string_view keyPath,
                                        std::string_view name) {
  SettingsLookup result;
  bool inKey = false;
  bool found = false;
  ForEachLine(content, kNoOrigin, [&](std::string_view text, std::size_t) {
    if (found) return;
    const std::size_t first = SkipBlanks(text, 0);
    if (first < text.size() && text[first] == '[') {
      if (auto path = SectionPath(text)) {
        // Only the first section of the key counts, as in Find.
        if (inKey) {
          found = true;
          return;
        }
        inKey = SameName(*path, keyPath);
        result.hasKey = result.hasKey || inKey;
        return;
      }
    }
    if (!inKey) return;
    std::size_t pos = 0;
    const auto lineName = ValueName(text, pos);
    if (lineName && SameName(*lineName, name)) {
      result.value = ParseValue(text, pos);
      found = true;
    }
  });
  return result;
}

std::string SettingsDocument::Serialize() const {
  std::size_t size = 0;
  for (const auto& line : preamble_) size += line.raw.size() + 1;
  for (const auto& section : sections_) {
    size += section.header.raw.size() + 1;
    for (const auto& line : section.lines) size += line.raw.size() + 1;
  }
  std::string out;
  out.reserve(size);
  const auto add = [&out](const Line& line) {
    out += line.raw;
    out += '\n';
  };
  for (const auto& line : preamble_) add(line);
  for (const auto& section : sections_) {
    add(section.header);
    for (const auto& line : section.lines) add(line);
  }
  return out;
}

std::vector<std::string_view> SettingsDocument::Pieces(std::string_view parsed) const {
  std::vector<std::string_view> pieces;
  const auto add = [&](const Line& line) {
    // A line still as it was read: its bytes and line end in `parsed`, joined to the range
    // before when that ends where it begins.
    if (line.origin != kNoOrigin && line.origin + line.raw.size() < parsed.size() &&
        parsed[line.origin + line.raw.size()] == '\n' &&
        (!line.edited || parsed.compare(line.origin, line.raw.size(), line.raw) == 0)) {
      const std::size_t size = line.raw.size() + 1;
      if (!pieces.empty() &&
          pieces.back().data() + pieces.back().size() == parsed.data() + line.origin) {
        pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + size);
      } else {
        pieces.push_back(parsed.substr(line.origin, size));
      }
      return;
    }
    if (!line.raw.empty()) pieces.push_back(line.raw);
    pieces.push_back("\n");
  };
  for (const auto& line : preamble_) add(line);
  for (const auto& section : sections_) {
    add(section.header);
    for (const auto& line : section.lines) add(line);
  }
  return pieces;
}

SettingsDocument::Section* SettingsDocument::FindSection(std::string_view keyPath) {
  for (auto& section : sections_) {
    if (SameName(section.path, keyPath)) return &section;
  }
  return nullptr;
}

const SettingsDocument::Section* SettingsDocument::FindSection(std::string_view keyPath) const {
  return const_cast<SettingsDocument*>(this)->FindSection(keyPath);
}

bool SettingsDocument::HasKey(std::string_view keyPath) const {
  return FindSection(keyPath) != nullptr;
}

void SettingsDocument::AddKey(std::string_view keyPath) {
  if (HasKey(keyPath)) return;
  // A blank line between sections, as people write them by hand.
  auto& previous = sections_.empty() ? preamble_ : sections_.back().lines;
  if (!sections_.empty() || !preamble_.empty()) {
    if (previous.empty() || !previous.back().raw.empty()) previous.push_back({"", {}, {}});
  }
  sections_.push_back({{"[" + EscapeKeyPath(keyPath) + "]", {}, {}}, std::string(keyPath), {}});
}

std::optional<SettingsValue> SettingsDocument::Find(std::string_view keyPath,
                                                    std::string_view name) const {
  const Section* section = FindSection(keyPath);
  if (section == nullptr) return std::nullopt;
  for (const auto& line : section->lines) {
    if (line.name && SameName(*line.name, name)) return line.value;
  }
  return std::nullopt;
}

void SettingsDocument::Set(std::string_view keyPath, std::string_view name,
                           const SettingsValue& value) {
  AddKey(keyPath);
  Section& section = *FindSection(keyPath);
  for (auto& line : section.lines) {
    if (line.name && SameName(*line.name, name)) {
      line.raw = FormatValueLine(*line.name, value);
      line.value = value;
      line.edited = true;
      return;
    }
  }
  // New values go after the last value line, before any blank lines that end the section.
  auto at = section.lines.end();
  while (at != section.lines.begin() && (at - 1)->raw.empty()) --at;
  section.lines.insert(at, {FormatValueLine(name, value), std::string(name), value});
}

}  // namespace trimora
