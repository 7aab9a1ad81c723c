#include "ui/main_window/sort_panel_rules.h"

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

using sorting::kAxisX;
using sorting::kAxisY;
using sorting::kAxisZ;

TEST(EnablingForSortKeyTest, EnablesOnlyTheControlsOfTheChosenKey) {
  struct Case {
    int key;
    PanelEnabling expected;
  };
  const Case cases[] = {
      {0, {true, false, false}},
      {1, {false, true, false}},
      {2, {false, false, true}},
  };
  for (const Case& c : cases) EXPECT_EQ(EnablingForSortKey(c.key), c.expected) << "key " << c.key;
}

TEST(SwapSortKeysTest, EachButtonExchangesTwoNeighbouringKeys) {
  struct Case {
    KeyOrder before;
    int button;
    KeyOrder after;
  };
  const Case cases[] = {
      {{kAxisY, kAxisZ, kAxisX}, 0, {kAxisZ, kAxisY, kAxisX}},
      {{kAxisY, kAxisZ, kAxisX}, 1, {kAxisZ, kAxisY, kAxisX}},
      {{kAxisY, kAxisZ, kAxisX}, 2, {kAxisY, kAxisX, kAxisZ}},
      {{kAxisY, kAxisZ, kAxisX}, 3, {kAxisY, kAxisX, kAxisZ}},
      {{kAxisX, kAxisY, kAxisZ}, 0, {kAxisY, kAxisX, kAxisZ}},
      {{kAxisX, kAxisY, kAxisZ}, 3, {kAxisX, kAxisZ, kAxisY}},
      {{kAxisX, kAxisY, kAxisZ}, 4, {kAxisX, kAxisY, kAxisZ}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SwapSortKeys(c.before, c.button), c.after) << "button " << c.button;
  }
}

TEST(SwapSortKeysTest, TheButtonBelowUndoesTheButtonAbove) {
  const KeyOrder orders[] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  for (const KeyOrder& order : orders) {
    EXPECT_EQ(SwapSortKeys(SwapSortKeys(order, 0), 1), order);
    EXPECT_EQ(SwapSortKeys(SwapSortKeys(order, 2), 3), order);
    EXPECT_EQ(SwapSortKeys(SwapSortKeys(order, 1), 0), order);
    EXPECT_EQ(SwapSortKeys(SwapSortKeys(order, 3), 2), order);
  }
}

TEST(CoordFrameTopsTwipsTest, PutsEachAxisInTheSlotOfItsKey) {
  struct Case {
    KeyOrder order;
    std::array<int, 3> topsByAxis;  // X, Y, Z
  };
  const Case cases[] = {
      {{kAxisY, kAxisZ, kAxisX}, {1800, 600, 1200}},  // the order at creation
      {{kAxisZ, kAxisY, kAxisX}, {1800, 1200, 600}},  // after swap button 0
      {{kAxisY, kAxisX, kAxisZ}, {1200, 600, 1800}},  // after swap button 2
      {{kAxisX, kAxisY, kAxisZ}, {600, 1200, 1800}},
      {{kAxisX, kAxisZ, kAxisY}, {600, 1800, 1200}},
      // Orders a hand-edited setting could hold stand as Y, Z, X, the order the sort then uses.
      {{kAxisX, kAxisX, kAxisY}, {1800, 600, 1200}},
      {{kAxisX, 3, kAxisZ}, {1800, 600, 1200}},
      {{-1, kAxisY, kAxisZ}, {1800, 600, 1200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CoordFrameTopsTwips(c.order), c.topsByAxis)
        << c.order[0] << "," << c.order[1] << "," << c.order[2];
  }
}

TEST(ReadSortOptionsTest, TranslatesThePanelIntoTheEnginesOptions) {
  PanelSelections panel;
  sorting::SortOptions options = ReadSortOptions(panel);
  EXPECT_EQ(options.sortKey, sorting::SortKey::kCoordinates);
  EXPECT_EQ(options.keyOrder, (KeyOrder{kAxisY, kAxisZ, kAxisX}));
  // Button 0 of each axis pair ("+X to -X" and so on) puts the largest coordinate first.
  EXPECT_FALSE(options.xAscending);
  EXPECT_FALSE(options.yAscending);
  EXPECT_FALSE(options.zAscending);
  EXPECT_TRUE(options.partAscending);
  EXPECT_TRUE(options.colorAscending);
  EXPECT_FALSE(options.betweenSteps);

  panel.xFirstSelected = false;
  panel.zFirstSelected = false;
  panel.partFirstSelected = false;
  panel.betweenSteps = true;
  panel.keyOrder = {kAxisX, kAxisZ, kAxisY};
  options = ReadSortOptions(panel);
  EXPECT_TRUE(options.xAscending);
  EXPECT_FALSE(options.yAscending);
  EXPECT_TRUE(options.zAscending);
  EXPECT_FALSE(options.partAscending);
  EXPECT_TRUE(options.colorAscending);
  EXPECT_TRUE(options.betweenSteps);
  EXPECT_EQ(options.keyOrder, (KeyOrder{kAxisX, kAxisZ, kAxisY}));
}

TEST(ReadSortOptionsTest, ColorIsWhateverIsNeitherCoordinatesNorPartNumber) {
  struct Case {
    bool byCoordinates;
    bool byPartNumber;
    sorting::SortKey key;
  };
  const Case cases[] = {
      {true, false, sorting::SortKey::kCoordinates},
      {false, true, sorting::SortKey::kPartNumber},
      {false, false, sorting::SortKey::kColor},
      {true, true, sorting::SortKey::kCoordinates},
  };
  for (const Case& c : cases) {
    PanelSelections panel;
    panel.byCoordinates = c.byCoordinates;
    panel.byPartNumber = c.byPartNumber;
    EXPECT_EQ(ReadSortOptions(panel).sortKey, c.key);
  }
}

}  // namespace
}  // namespace kelvane::ui
