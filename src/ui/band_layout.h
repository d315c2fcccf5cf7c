// The band bar of the main window without a toolkit: the order of the five tool bar bands as
// the setting "ToolBar\Order" stores it, which bands are shown, their widths on the one row
// below the menu band, and what showing or hiding a band does to the window.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimora::ui {

// Band numbers 1 to 5 in their order on the row.
using BandOrder = std::array<int, 5>;

// The designed order 1, 2, 3, 4, 5.
inline constexpr BandOrder kDesignedBandOrder = {1, 2, 3, 4, 5};

// The height of the tool bar row and of the menu band.
inline constexpr int kToolBarRowHeight = 54;
inline constexpr int kMenuBandHeight = 24;
// The smallest width of the main window.
inline constexpr int kSmallestWindowWidth = 800;

// The order a setting text gives: its five digits when they are a permutation of 1 to 5,
// otherwise the designed order.
BandOrder ParseBandOrder(std::string_view text);
// The setting text of an order ("31245").
std::string BandOrderText(const BandOrder& order);

// One band on the row: its number, left edge and width in pixels.
struct BandPlace {
  int band = 0;
  int left = 0;
  int width = 0;
  bool operator==(const BandPlace&) const = default;
};

// What showing or hiding a band asks of the window.
struct BandToggle {
  // The strip, picture, magnifier and folder panels move down by this much (up when negative)
  // and the strip, picture and folder panels become as much shorter: 54 when the first band
  // appears, -54 when the last one goes, else 0.
  int shift = 0;
  // The window's new minimum width, when it changes.
  std::optional<int> minimumWindowWidth;
  // The window must become this wide (it was narrower) and is centred on the screen.
  std::optional<int> widenWindowTo;
};

// The five tool bar bands: their order, visibility and minimum widths.
class BandBar {
 public:
  // `minimumWidths[n - 1]` is the designed minimum width of band n; `xpOrLater` makes every
  // band 7 pixels wider.
  explicit BandBar(const std::array<int, 5>& minimumWidths, bool xpOrLater = false);

  const BandOrder& Order() const { return order_; }
  // Puts the bands into `order` (a permutation of 1 to 5).
  void SetOrder(const BandOrder& order) { order_ = order; }
  bool Visible(int band) const { return visible_[Index(band)]; }
  const std::array<bool, 5>& VisibleBands() const { return visible_; }
  // Shows or hides band `band` without any of Toggle's consequences (the designed start).
  void SetVisible(int band, bool visible) { visible_[Index(band)] = visible; }
  int MinimumWidth(int band) const { return minimum_[Index(band)]; }
  // True while at least one band is shown (the row below the menu band is there).
  bool RowShown() const;
  // The width a band takes: its minimum width and the band margin.
  int BandWidth(int band) const;
  // The sum of BandWidth over the shown bands.
  int ShownWidth() const;

  // Shows band `band` when it is hidden and hides it when it is shown; with no band, nothing
  // changes but the format band's minimum width, which becomes `formatBarWidth` when given
  // (its caption changed). `windowWidth` is the main window's width now.
  BandToggle Toggle(std::optional<int> band, int windowWidth,
                    std::optional<int> formatBarWidth = std::nullopt);

  // The shown bands on a row `barWidth` wide, left to right: each its BandWidth, the last one
  // widened to fill the row but for 10 pixels.
  std::vector<BandPlace> Layout(int barWidth) const;

  // Band `band` was dragged and let go with its left edge at `left` (pixels in the row, any row):
  // it takes the place among the shown bands that its left edge reached; all stay on one row.
  void Drop(int band, int left, int barWidth);

 private:
  static std::size_t Index(int band) { return static_cast<std::size_t>(band - 1); }

  BandOrder order_ = kDesignedBandOrder;
  std::array<bool, 5> visible_{};
  std::array<int, 5> minimum_{};
  int margin_;
};

}  // namespace trimora::ui
