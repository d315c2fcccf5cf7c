#include "ui/band_layout.h"

#include <algorithm>

namespace trimora::ui {

namespace {

constexpr int kBandMargin = 13;
constexpr int kXpBandMargin = 20;
constexpr int kWindowMargin = 8;
constexpr int kRowEndMargin = 10;
constexpr int kFormatBand = 4;

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

BandBar::BandBar(const std::array<int, 5>& minimumWidths, bool xpOrLater)
    : minimum_(minimumWidths), margin_(xpOrLater ? kXpBandMargin : kBandMargin) {}

bool BandBar::RowShown() const {
  return std::any_of(visible_.begin(), visible_.end(), [](bool shown) { return shown; });
}

int BandBar::BandWidth(int band) const { return minimum_[Index(band)] + margin_; }

int BandBar::ShownWidth() const {
  int sum = 0;
  for (int band = 1; band <= 5; ++band) {
    if (Visible(band)) sum += BandWidth(band);
  }
  return sum;
}

BandToggle BandBar::Toggle(std::optional<int> band, int windowWidth,
                           std::optional<int> formatBarWidth) {
  const bool rowWasShown = RowShown();
  if (band) {
    visible_[Index(*band)] = !visible_[Index(*band)];
  } else if (formatBarWidth) {
    minimum_[Index(kFormatBand)] = *formatBarWidth;
  }
  BandToggle result;
  const int sum = ShownWidth();
  if (sum == 0) {
    if (band && rowWasShown) result.shift = -kToolBarRowHeight;
    return result;
  }
  if (windowWidth < sum + kWindowMargin) result.widenWindowTo = sum + kWindowMargin;
  result.minimumWindowWidth = std::max(kSmallestWindowWidth, sum + kWindowMargin);
  if (!rowWasShown) result.shift = kToolBarRowHeight;
  return result;
}

std::vector<BandPlace> BandBar::Layout(int barWidth) const {
  std::vector<BandPlace> places;
  int left = 0;
  for (int band : order_) {
    if (!Visible(band)) continue;
    places.push_back({band, left, BandWidth(band)});
    left += BandWidth(band);
  }
  if (!places.empty()) places.back().width += std::max(0, barWidth - left - kRowEndMargin);
  return places;
}

void BandBar::Drop(int band, int left, int barWidth) {
  // The other shown bands keep their places; the dropped one goes before the first whose
  // middle lies right of its left edge.
  std::vector<int> others;
  int position = 0;
  int slot = -1;
  for (const BandPlace& place : Layout(barWidth)) {
    if (place.band == band) continue;
    if (slot < 0 && left < place.left + place.width / 2) slot = position;
    others.push_back(place.band);
    ++position;
  }
  if (slot < 0) slot = static_cast<int>(others.size());
  others.insert(others.begin() + slot, band);
  // Hidden bands keep their positions in the order; the shown ones fill the others in turn.
  auto next = others.begin();
  for (int& number : order_) {
    if (Visible(number) || number == band) number = *next++;
  }
}

}  // namespace trimora::ui
