#include "ui/main_window/line_list_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <string>
#include <vector>

namespace kelvane::ui {
namespace {

std::vector<std::string> SampleLines() {
  return {"0 Name: car.ldr", "1 4 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat", "", "0 Caf\xE9"};
}

TEST(LineListModelTest, ShowsEveryLineInFileOrderUnchecked) {
  LineListModel model;
  model.Assign(SampleLines());
  ASSERT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.data(model.index(0)).toString(), "0 Name: car.ldr");
  EXPECT_EQ(model.data(model.index(2)).toString(), "");
  EXPECT_EQ(model.data(model.index(3)).toString(), QString::fromUtf8("0 Café"));
  for (int row = 0; row < 4; ++row) {
    EXPECT_EQ(model.data(model.index(row), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    EXPECT_TRUE(model.flags(model.index(row)) & Qt::ItemIsUserCheckable);
  }
  EXPECT_EQ(model.Lines().Text(3), "0 Caf\xE9") << "display decoding must not touch the bytes";
}

TEST(LineListModelTest, CheckStateFromTheViewReachesTheDocumentAndIsAnnouncedOnce) {
  LineListModel model;
  model.Assign(SampleLines());
  QSignalSpy announced(&model, &LineListModel::CheckChanged);
  QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);

  // The view passes the state as an int; code may pass the enum itself.
  EXPECT_TRUE(model.setData(model.index(1), static_cast<int>(Qt::Checked), Qt::CheckStateRole));
  EXPECT_TRUE(model.Lines().IsChecked(1));
  EXPECT_TRUE(model.setData(model.index(1), QVariant::fromValue(Qt::Checked), Qt::CheckStateRole));
  EXPECT_EQ(announced.count(), 1) << "setting a mark it already has is no change";
  EXPECT_EQ(announced.at(0).at(0).toInt(), 1);
  EXPECT_EQ(repainted.count(), 1);

  EXPECT_TRUE(model.setData(model.index(1), QVariant::fromValue(Qt::Unchecked), Qt::CheckStateRole));
  EXPECT_FALSE(model.Lines().IsChecked(1));
  EXPECT_EQ(announced.count(), 2);
}

TEST(LineListModelTest, RefusesEditsOtherThanCheckMarks) {
  LineListModel model;
  model.Assign(SampleLines());
  EXPECT_FALSE(model.setData(model.index(0), "1 changed", Qt::EditRole));
  EXPECT_FALSE(model.setData(model.index(7), Qt::Checked, Qt::CheckStateRole));
  EXPECT_FALSE(model.SetChecked(-1, true));
  EXPECT_EQ(model.Lines().Text(0), "0 Name: car.ldr");
  EXPECT_EQ(model.Lines().CheckedCount(), 0u);
}

TEST(LineListModelTest, BulkChangeIsAnnouncedAsOneRepaintAndNoCheckEvents) {
  LineListModel model;
  model.Assign(SampleLines());
  QSignalSpy announced(&model, &LineListModel::CheckChanged);
  QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
  model.ChangeAll([](document::LineList& lines) {
    for (std::size_t i = 0; i < lines.Size(); ++i) lines.SetChecked(i, true);
    lines.SetText(0, "0 renamed");
  });
  ASSERT_EQ(repainted.count(), 1);
  EXPECT_EQ(repainted.at(0).at(0).toModelIndex().row(), 0);
  EXPECT_EQ(repainted.at(0).at(1).toModelIndex().row(), 3);
  EXPECT_EQ(announced.count(), 0);
  EXPECT_EQ(model.data(model.index(0)).toString(), "0 renamed");
}

TEST(LineListModelTest, ReplacingTheLinesResetsTheViewAndEveryMark) {
  LineListModel model;
  model.Assign(SampleLines());
  model.SetChecked(1, true);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
  model.Assign({"1 a", "1 b"});
  EXPECT_EQ(reset.count(), 1);
  EXPECT_EQ(model.rowCount(), 2);
  EXPECT_EQ(model.Lines().CheckedCount(), 0u);
  model.Clear();
  EXPECT_EQ(model.rowCount(), 0);
  model.Clear();
  EXPECT_EQ(reset.count(), 2) << "clearing an empty list is no change";
}

TEST(LineListModelTest, HoldsAMillionLines) {
  constexpr int kLines = 1'000'000;
  std::vector<std::string> lines;
  lines.reserve(kLines);
  for (int i = 0; i < kLines; ++i) {
    lines.push_back(i % 50 == 49 ? std::string("0 STEP")
                                 : std::string("1 ") + std::to_string(i % 16) + " " + std::to_string(i) +
                                       " 0 0 1 0 0 0 1 0 0 0 1 3001.dat");
  }
  LineListModel model;
  model.Assign(std::move(lines));
  ASSERT_EQ(model.rowCount(), kLines);
  EXPECT_EQ(model.data(model.index(0)).toString(), "1 0 0 0 0 1 0 0 0 1 0 0 0 1 3001.dat");
  EXPECT_EQ(model.data(model.index(49)).toString(), "0 STEP");
  EXPECT_EQ(model.data(model.index(kLines - 1)).toString(), "0 STEP");
  EXPECT_EQ(model.data(model.index(kLines - 2)).toString(), "1 14 999998 0 0 1 0 0 0 1 0 0 0 1 3001.dat");
  model.SetChecked(kLines - 2, true);
  EXPECT_EQ(model.data(model.index(kLines - 2), Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_EQ(model.Lines().CheckedCount(), 1u);
}

}  // namespace
}  // namespace kelvane::ui
