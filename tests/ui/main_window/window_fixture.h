#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs/fake_dialogs.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::testing {

// A KelvaneMain on scripted dialogs and a 96 dpi screen, with a fresh folder of model files.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : messages(std::make_shared<FakeMessageBox>()),
        fileDialog(std::make_shared<FakeFileDialog>()),
        window(std::make_unique<ui::KelvaneMain>(
            ui::WindowServices{messages, fileDialog, std::make_shared<FakeScreenMetrics>(15.0)})) {}

  ui::LineListModel& Model() const { return *window->DATDataListModel(); }
  const document::LineList& Lines() const { return Model().Lines(); }

  // Writes a model file into the folder and opens it the way the browse command does: DATPath, then
  // the combo box's text.
  void Open(const std::string& name, const std::string& bytes) {
    folder.Write(name, bytes);
    OpenExisting(name);
  }
  void OpenExisting(const std::string& name) {
    window->DATPath = folder.Path();
    window->DATFileCombo->setEditText(QString::fromStdString(name));
  }

  // Sets a check mark the way the list view does when the user clicks a check box.
  void Check(int row, bool checked = true) {
    Model().setData(Model().index(row), checked ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
  std::vector<int> CheckedRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < Lines().Size(); ++i) {
      if (Lines().IsChecked(i)) rows.push_back(static_cast<int>(i));
    }
    return rows;
  }

  std::vector<QString> MessageTexts() const {
    std::vector<QString> texts;
    for (const auto& message : messages->messages) texts.push_back(message.text);
    return texts;
  }

  std::shared_ptr<FakeMessageBox> messages;
  std::shared_ptr<FakeFileDialog> fileDialog;
  std::unique_ptr<ui::KelvaneMain> window;
  TemporaryFolder folder;
};

}  // namespace kelvane::testing
