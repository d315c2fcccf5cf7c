#include "imaging/red_eye.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "imaging/rounding.h"
#include "platform/error.h"

namespace trimora {

namespace {

std::uint8_t Scaled(int value, float factor) {
  // The product is formed in double precision, then rounded half to even.
  return static_cast<std::uint8_t>(RoundHalfEven(static_cast<double>(value) * factor));
}

void FilterPixel(std::uint8_t* p) {
  const int b = p[0], g = p[1], r = p[2];
  // Single-precision intermediate values, as the filter was tuned with them.
  float s = static_cast<float>(g + b);
  if (s < 1.0f) s = 1.0f;
  const float q = g > 1 ? static_cast<float>(b) / static_cast<float>(g) : static_cast<float>(b);
  const float h = std::clamp(std::sqrt(q), 0.5f, 1.5f);
  const float m = static_cast<float>(static_cast<double>(r) / s * h);
  if (m <= 0.7) return;
  float t = static_cast<float>(1.775 - (0.75 * static_cast<double>(m) + 0.25));
  if (t < 0.0f) t = 0.0f;
  const float w = t * t;
  const float blueFactor = static_cast<float>(1.0 - (1.0 - static_cast<double>(w)) / 2.0);
  const float greenFactor = static_cast<float>(1.0 - (1.0 - static_cast<double>(w)) / 4.0);
  p[2] = Scaled(r, w);
  p[0] = Scaled(b, blueFactor);
  p[1] = Scaled(g, greenFactor);
}

[[noreturn]] void Malformed(std::string_view list) {
  throw Error(ErrorCode::kRedEyeListInvalid, {std::string(list)});
}

// A decimal integer with an optional minus sign, and nothing else.
int ParseNumber(std::string_view text, std::string_view list) {
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [end, error] = std::from_chars(first, last, value);
  if (text.empty() || error != std::errc() || end != last) Malformed(list);
  return value;
}

}  // namespace

void RedEyeFilter(Picture& picture, const PixelRect& rect) {
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, picture.width());
  const int bottom = std::min(rect.bottom, picture.height());
  for (int y = top; y < bottom; ++y) {
    std::uint8_t* row = picture.row(y);
    for (int x = left; x < right; ++x) FilterPixel(row + 4 * x);
  }
}

std::string RedEyeEntry(const PixelRect& rect) {
  return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::vector<PixelRect> ParseRedEyeCoords(std::string_view list) {
  std::vector<PixelRect> rects;
  std::string_view rest = list;
  while (!rest.empty()) {
    const std::size_t bar = rest.find('|');
    std::string_view entry = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    int parts[4];
    for (int i = 0; i < 4; ++i) {
      const std::size_t comma = i < 3 ? entry.find(',') : entry.size();
      if (comma == std::string_view::npos) Malformed(list);
      parts[i] = ParseNumber(entry.substr(0, comma), list);
      entry = comma < entry.size() ? entry.substr(comma + 1) : std::string_view();
    }
    rects.push_back({parts[0], parts[1], parts[2], parts[3]});
  }
  return rects;
}

void ReapplyRedEye(Picture& picture, std::string_view list) {
  for (const PixelRect& rect : ParseRedEyeCoords(list)) RedEyeFilter(picture, rect);
}

std::string AppendRedEyeEntry(std::string_view list, std::string_view entry) {
  std::string result(list);
  result += entry;
  result += '|';
  return result;
}

bool RedEyeEntryFits(std::string_view list, std::string_view entry) {
  return list.size() + entry.size() + 1 <= kRedEyeCoordsLimit;
}

std::string RemoveLastRedEyeEntry(std::string_view list) {
  if (list.empty()) return {};
  list.remove_suffix(1);
  const std::size_t bar = list.rfind('|');
  return std::string(bar == std::string_view::npos ? std::string_view() : list.substr(0, bar + 1));
}

PixelRect RedEyeRectFromMarker(const MarkerRect& marker, int boxSize, double scale) {
  auto at = [scale](int screen) { return RoundHalfEven(static_cast<double>(screen) * scale); };
  return {at(marker.left + boxSize), at(marker.top + boxSize),
          at(marker.left + marker.width - boxSize), at(marker.top + marker.height - boxSize)};
}

}  // namespace trimora
