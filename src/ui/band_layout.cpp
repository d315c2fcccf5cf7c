#include "ui/band_layout.h"

#include <algorithm>

namespace trimora::ui {

namespace {

constexpr int kBandMargin = 13;
constexpr int kWindowMargin = 8;
constexpr int kSmallestWindow = 800;

}  // namespace

BandOrder ParseBandOrder(std::string_view text) {
  if (text.size() != 5) return kDesignedBandOrder;
  BandOrder order{};
  for (std::size_t i = 0; i < 5; ++i) order[i] = text[i] - '0';
  BandOrder sorted = order;
  std::sort(sorted.begin(), sorted.end());
  return sorted == kDesignedBandOrder ? order : kDesignedBandOrder;
}

std::string BandOrderText(const BandOrder& order) {
  std::string text;
  for (int band : order) text += static_cast<char>('0' + band);
  return text;
}

BandRow LayoutBandRow(const BandOrder& order, const std::array<bool, 5>& visible,
                      const std::array<int, 5>& contentWidth, int rowWidth) {
  BandRow row;
  int sum = 0;
  for (int band : order) {
    const std::size_t i = static_cast<std::size_t>(band - 1);
    if (!visible[i]) continue;
    row.places.push_back({band, sum, contentWidth[i] + kBandMargin});
    sum += contentWidth[i] + kBandMargin;
  }
  row.minimumWindowWidth = std::max(kSmallestWindow, sum + kWindowMargin);
  if (!row.places.empty()) {
    BandPlace& last = row.places.back();
    last.width = std::max(last.width, rowWidth - last.left);
  }
  return row;
}

}  // namespace trimora::ui
