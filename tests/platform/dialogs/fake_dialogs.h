#pragma once

#include <vector>

#include "platform/dialogs/file_dialog.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/screen_metrics.h"

namespace kelvane::testing {

struct FakeMessageBox final : platform::MessageBox {  // records every message instead of showing it
  struct Message {
    QString title, text;
    platform::MessageIcon icon;
  };
  void Show(QWidget*, const QString& title, const QString& text, platform::MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  bool Ask(QWidget*, const QString& title, const QString& text) override {  // answers with `yes`
    questions.push_back({title, text, platform::MessageIcon::kNone});
    return yes;
  }
  std::vector<Message> messages, questions;
  bool yes = false;
};

struct FakeFileDialog final : platform::FileDialog {  // the `answers` in turn, then a cancel
  QString GetOpenFileName(QWidget*, const platform::OpenFileRequest& request) override {
    requests.push_back(request);
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
  std::vector<platform::OpenFileRequest> requests;
  QStringList answers;
};

// A screen of 1920 x 1080 pixels at 96 dpi: 15 twips per pixel.
struct FakeScreenMetrics final : platform::ScreenMetrics {
  double TwipsPerPixelX() const override { return 15; }
  double TwipsPerPixelY() const override { return 15; }
  double WidthTwips() const override { return 1920 * 15; }
  double HeightTwips() const override { return 1080 * 15; }
};

}  // namespace kelvane::testing
