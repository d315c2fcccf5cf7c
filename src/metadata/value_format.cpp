#include "metadata/value_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace trimora::metadata {
namespace {

constexpr bool IsIntegerType(unsigned type) {
  return type == kByte || type == kShort || type == kLong || type == kSByte || type == kSShort ||
         type == kSLong;
}

// The bytes as one unsigned number in the given order (bits beyond 64 are dropped).
std::uint64_t WholeNumber(std::span<const std::uint8_t> raw, ByteOrder order) {
  std::uint64_t v = 0;
  if (order == ByteOrder::Motorola) {
    for (std::uint8_t b : raw) v = v << 8 | b;
  } else {
    const std::size_t n = std::min<std::size_t>(raw.size(), 8);
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(raw[i]) << (8 * i);
  }
  return v;
}

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12 & 0x0F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string ComponentLetters(std::string_view data) {
  static constexpr std::string_view kLetters[] = {"", "Y", "Cb", "Cr", "R", "G", "B"};
  std::string text;
  for (char c : data.substr(std::min<std::size_t>(1, data.size()), 4)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 1 && b <= 6) text += kLetters[b];
  }
  return text;
}

std::string ShutterSpeed(std::string_view data) {
  const auto fields = SplitFields(data);
  enforce(!fields.empty(), "no shutter speed");
  const double v = ParseFraction(fields.front());
  const double t = std::pow(2.0, -v);
  enforce(std::isfinite(t), "shutter speed out of range");
  std::string text = FormatFixed(t, 4, 4) + " sec";
  if (t <= 0.5) {
    const double inverse = std::nearbyint(1.0 / t);
    enforce(std::isfinite(inverse) && inverse <= 2147483647.0, "shutter speed out of range");
    text += " (1/" + std::to_string(static_cast<std::int64_t>(inverse)) + ")";
  }
  return text;
}

std::string FlashText(std::string_view data) {
  const std::int64_t v = ParseInteger(Trim(data));
  std::string text = (v & 1) ? "On" : "Off";
  switch (v & 6) {
    case 2:
      text += ", UNKNOWN";
      break;
    case 4:
      text += ", no strobe return";
      break;
    case 6:
      text += ", strobe return";
      break;
  }
  switch (v & 24) {
    case 8:
      text += ", forced";
      break;
    case 16:
      text += ", surpressed";
      break;
    case 24:
      text += ", auto mode";
      break;
  }
  if (v & 32) text += ", no flash function";
  if (v & 64) text += ", red-eye reduction";
  return text;
}

std::string Text16(std::string_view data) {
  const auto fields = SplitFields(data);
  const std::size_t commas = fields.size() - 1;
  std::string text;
  for (std::size_t k = 1; k <= commas; k += 2) {
    const std::int64_t code = ParseInteger(fields[k - 1]);
    enforce(code >= 0 && code <= 0xFFFF, "character out of range");
    if (code != 0) AppendUtf8(text, static_cast<std::uint32_t>(code));
  }
  return text;
}

std::vector<double> Fractions(std::string_view data, std::size_t needed) {
  const auto fields = SplitFields(data);
  enforce(fields.size() >= needed, "too few values");
  std::vector<double> values;
  for (std::size_t i = 0; i < needed; ++i) values.push_back(ParseFraction(fields[i]));
  return values;
}

std::string GpsAngle(std::string_view data) {
  auto v = Fractions(data, 3);
  double d = v[0], m = v[1], s = v[2];
  if (s == 0) {
    s = (m - std::trunc(m)) * 60;
    m = std::trunc(m);
  }
  return FormatFixed(d, 0) + " Degrees " + FormatFixed(m, 0) + " Minutes " + FormatFixed(s, 0) +
         " Seconds";
}

std::string GpsTime(std::string_view data) {
  auto v = Fractions(data, 3);
  return FormatFixed(v[0], 0) + ":" + FormatFixed(v[1], 0) + ":" + FormatFixed(v[2], 0);
}

}  // namespace

void WriteNumber(std::span<std::uint8_t> bytes, std::uint64_t index, int width, std::uint32_t value,
                 ByteOrder order) {
  enforce(width == 2 || width == 4, "unsupported number width");
  enforce(index <= bytes.size() && static_cast<std::uint64_t>(width) <= bytes.size() - index,
          "write outside the data");
  for (int i = 0; i < width; ++i) {
    const int shift = order == ByteOrder::Intel ? 8 * i : 8 * (width - 1 - i);
    bytes[index + i] = static_cast<std::uint8_t>(value >> shift);
  }
}

std::string_view CodeText(std::string_view code, std::string_view value) {
  // The same as searching "," + value + ":" in "," + code + ",": try every field start.
  std::size_t start = 0;
  while (start <= code.size()) {
    const std::size_t comma = code.find(',', start);
    const std::string_view field = code.substr(
        start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (field.size() > value.size() && field.substr(0, value.size()) == value &&
        field[value.size()] == ':') {
      return field.substr(value.size() + 1);
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return {};
}

std::string FormatNumbers(std::span<const std::uint8_t> raw, unsigned type, ByteOrder order,
                          std::string_view code, std::string_view format) {
  const int w = BytesPerValue(type);
  if (w == 0) return "0";
  const std::size_t n = std::min<std::size_t>(raw.size() / w, 8);
  const ByteReader r(raw, order);
  std::string text;
  char number[32];
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) text += ", ";
    const std::size_t at = i * w;
    switch (type) {
      case kRational:
      case kSRational: {
        const auto num = static_cast<std::int32_t>(r.u32(at));
        const auto den = static_cast<std::int32_t>(r.u32(at + 4));
        text += std::to_string(num);
        text += '/';
        text += std::to_string(den);
        break;
      }
      case kFloat:
      case kDouble:
        text += "-9999.99";
        break;
      case kAscii:
      case kUndefined:
        text += "?";
        break;
      default: {
        const std::uint64_t v = WholeNumber(raw.subspan(at, w), order);
        const auto end =
            type == kSLong
                ? std::to_chars(number, number + sizeof number, static_cast<std::int32_t>(v)).ptr
                : std::to_chars(number, number + sizeof number, v).ptr;
        const std::string_view digits(number, end - number);
        if (code.empty()) {
          text += digits;
        } else {
          text += CodeText(code, digits);
        }
      }
    }
  }
  if (!format.empty()) {
    const std::size_t s = format.find("%s");
    if (s != std::string_view::npos) {
      std::string filled(format.substr(0, s));
      filled += text;
      filled += format.substr(s + 2);
      return filled;
    }
    return ApplyPattern(format, NumericValue(raw, type, order));
  }
  return text;
}

double NumericValue(std::span<const std::uint8_t> raw, unsigned type, ByteOrder order) {
  if (raw.empty()) return 0;
  const ByteReader r(raw, order);
  if (IsIntegerType(type)) {
    const std::uint64_t v = WholeNumber(raw, order);
    if (type == kSLong && raw.size() == 4) return static_cast<std::int32_t>(v);
    return static_cast<double>(v);
  }
  if ((type == kRational || type == kSRational) && raw.size() >= 8) {
    const std::uint32_t num = r.u32(0), den = r.u32(4);
    if (den == 0) return 0;
    if (type == kSRational) {
      return static_cast<double>(static_cast<std::int32_t>(num)) / static_cast<std::int32_t>(den);
    }
    return static_cast<double>(num) / den;
  }
  if (type == kFloat && raw.size() >= 4) {
    const std::uint32_t bits = r.u32(0);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
  }
  if (type == kDouble && raw.size() >= 8) {
    const std::uint64_t bits = WholeNumber(raw.first(8), order);
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
  }
  return 0;
}

std::string FormatFixed(double v, int precision, int width) {
  if (v == 0) v = 0;  // no "-0"
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, precision);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string ApplyPattern(std::string_view pattern, double v) {
  const std::size_t percent = pattern.find('%');
  if (percent == std::string_view::npos) return std::string(pattern);
  std::size_t i = percent + 1;
  int width = 0, precision = 6;
  while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && width < 1000) {
    width = width * 10 + (pattern[i++] - '0');
  }
  if (i < pattern.size() && pattern[i] == '.') {
    precision = 0;
    ++i;
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && precision < 100) {
      precision = precision * 10 + (pattern[i++] - '0');
    }
  }
  if (i >= pattern.size() || pattern[i] != 'f') return std::string(pattern);
  std::string text(pattern.substr(0, percent));
  text += FormatFixed(v, precision, width);
  text += pattern.substr(i + 1);
  return text;
}

std::string Sanitize(std::string text) {
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 32) c = '.';
  }
  if (text.size() > 50) text.resize(50);
  return text;
}

std::string Quoted(std::span<const std::uint8_t> raw, bool upToNul) {
  std::size_t n = raw.size();
  if (upToNul) n = std::find(raw.begin(), raw.end(), 0) - raw.begin();
  std::string text;
  text.reserve(n + 2);
  text += '"';
  text.append(reinterpret_cast<const char*>(raw.data()), n);
  text += '"';
  return text;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = text.find(',', start);
    fields.push_back(
        Trim(text.substr(start, comma == std::string_view::npos ? comma : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

std::int64_t ParseInteger(std::string_view text) {
  std::int64_t v = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, v);
  enforce(result.ec == std::errc() && result.ptr == last && first != last, "not a number");
  return v;
}

double ParseFraction(std::string_view text) {
  text = Trim(text);
  double whole = 0;
  const std::size_t blank = text.find(' ');
  if (blank != std::string_view::npos) {
    whole = static_cast<double>(ParseInteger(text.substr(0, blank)));
    text = Trim(text.substr(blank + 1));
  }
  const std::size_t slash = text.find('/');
  enforce(slash != std::string_view::npos, "not a fraction");
  const std::int64_t num = ParseInteger(text.substr(0, slash));
  const std::int64_t den = ParseInteger(text.substr(slash + 1));
  enforce(den != 0, "division by zero");
  return whole + static_cast<double>(num) / static_cast<double>(den);
}

std::string FormatExifValue(Formatter formatter, std::string_view data) {
  switch (formatter) {
    case Formatter::ComponentLetters:
      return ComponentLetters(data);
    case Formatter::ShutterSpeed:
      return ShutterSpeed(data);
    case Formatter::Flash:
      return FlashText(data);
    case Formatter::Comment:
      return std::string(data.substr(std::min<std::size_t>(8, data.size())));
    case Formatter::Text16:
      return Text16(data);
    case Formatter::GpsAngle:
      return GpsAngle(data);
    case Formatter::GpsTime:
      return GpsTime(data);
    default:
      return std::string(data);
  }
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

const TagRow* FindSortedRow(TagTable table, std::uint16_t tag) {
  const auto it = std::lower_bound(table.begin(), table.end(), tag,
                                   [](const TagRow& row, std::uint16_t t) { return row.tag < t; });
  return it != table.end() && it->tag == tag ? &*it : nullptr;
}

const TagRow* FindRow(TagTable table, std::uint16_t tag) {
  for (const TagRow& row : table) {
    if (row.tag == tag) return &row;
  }
  return nullptr;
}

}  // namespace trimora::metadata
