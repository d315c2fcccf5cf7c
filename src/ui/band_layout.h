// The band bar of the main window without a toolkit: the order of the five tool bar bands as
// the setting "ToolBar\Order" stores it, and the places of the visible bands in their row.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace trimora::ui {

// Band numbers 1 to 5 in their order on the row.
using BandOrder = std::array<int, 5>;

// The designed order 1, 2, 3, 4, 5.
inline constexpr BandOrder kDesignedBandOrder = {1, 2, 3, 4, 5};

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
};

// The row of bands.
struct BandRow {
  std::vector<BandPlace> places;  // the visible bands from left to right
  int minimumWindowWidth = 800;   // the window must be at least this wide to show them all
};

// The row for bands in `order`, `visible[n - 1]` telling whether band n is shown and
// `contentWidth[n - 1]` the width band n needs (at least its designed minimum). Each band gets
// its width plus 13 pixels; the last one takes what is left of `rowWidth`.
BandRow LayoutBandRow(const BandOrder& order, const std::array<bool, 5>& visible,
                      const std::array<int, 5>& contentWidth, int rowWidth);

}  // namespace trimora::ui
