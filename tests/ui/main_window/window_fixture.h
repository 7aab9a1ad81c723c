#pragma once

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "platform/dialogs/fake_dialogs.h"
#include "settings/memory_settings_store.h"
#include "support/temporary_folder.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/line_list_model.h"

namespace kelvane::testing {

// A KelvaneMain on scripted dialogs, a 96 dpi screen and settings in memory whose model folder is a
// fresh temporary one. Controls are found by their names, as a screen reader or a person finds them.
class WindowTest : public ::testing::Test {
 protected:
  void Start(const std::string& commandLine = "") {
    window = std::make_unique<ui::KelvaneMain>(ui::WindowServices{messages, fileDialog, screen});
    window->Form_Load(store, {commandLine, folder.Path()});
  }
  void StartActive() {  // shown and active, so that keys and the focus go where a person's would
    Start();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  template <typename T = QAbstractButton>
  T* Find(const QString& name) const {
    T* found = window->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
  }
  QComboBox* Combo() const { return Find<QComboBox>("DATFileCombo"); }
  QListView* List() const { return Find<QListView>("DATDataList"); }
  ui::LineListModel& Model() const { return *qobject_cast<ui::LineListModel*>(List()->model()); }
  const document::LineList& Lines() const { return Model().Lines(); }
  // Writes the lines with CR LF into a model file of the folder and names it in the combo box.
  void Open(const std::string& name, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    folder.Write(name, bytes);
    Combo()->setEditText(QString::fromStdString(name));
  }
  static std::vector<int> CheckedRows(const document::LineList& lines) {
    std::vector<int> rows;
    for (std::size_t i = 0; i < lines.Size(); ++i)
      if (lines.IsChecked(i)) rows.push_back(static_cast<int>(i));
    return rows;
  }
  void Click(const QString& name) const { QTest::mouseClick(Find(name), Qt::LeftButton); }
  bool SortEnabled() const {  // the button and the menu command go together
    const bool button = Find("SortBtn")->isEnabled();
    EXPECT_EQ(Find<QAction>("MenuSortFile")->isEnabled(), button);
    return button;
  }

  std::shared_ptr<FakeMessageBox> messages = std::make_shared<FakeMessageBox>();
  std::shared_ptr<FakeFileDialog> fileDialog = std::make_shared<FakeFileDialog>();
  std::shared_ptr<FakeScreenMetrics> screen = std::make_shared<FakeScreenMetrics>();
  TemporaryFolder folder;
  settings::MemorySettingsStore store;
  std::unique_ptr<ui::KelvaneMain> window;
};

}  // namespace kelvane::testing
