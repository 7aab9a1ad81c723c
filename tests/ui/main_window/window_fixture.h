#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "platform/dialogs/fake_dialogs.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::testing {

// A KelvaneMain on scripted dialogs and a 96 dpi screen, with a fresh folder of model files.
class WindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<ui::KelvaneMain> NewWindow(double twipsPerPixel = 15.0) const {
    return std::make_unique<ui::KelvaneMain>(
        ui::WindowServices{messages, fileDialog, std::make_shared<FakeScreenMetrics>(twipsPerPixel)});
  }
  ui::LineListModel& Model() const { return *window->DATDataListModel(); }
  const document::LineList& Lines() const { return Model().Lines(); }
  // Writes the lines with CR LF into a model file and opens it as the browse command does.
  void Open(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    folder.Write(name, bytes);
    window->DATPath = folder.Path();
    window->DATFileCombo->setEditText(QString::fromStdString(name));
  }
  // Sets a check mark as the list view does.
  void Check(int row, bool checked = true) {
    Model().setData(Model().index(row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
  std::vector<int> CheckedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < Lines().Size(); ++i)
      if (Lines().IsChecked(i)) rows.push_back(static_cast<int>(i));
    return rows;
  }
  static void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
  std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();
  std::unique_ptr<ui::KelvaneMain> window = NewWindow();
  TemporaryFolder folder;
};

}  // namespace kelvane::testing
