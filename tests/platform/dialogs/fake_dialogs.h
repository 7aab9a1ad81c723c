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

struct FakeFileDialog final : platform::FileDialog {  // the scripted answers in turn, then a cancel
  void AnswerNext(QString path) { answers.append(std::move(path)); }
  QString GetOpenFileName(QWidget*, const platform::OpenFileRequest& request) override {
    requests.push_back(request);
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
  std::vector<platform::OpenFileRequest> requests;
  QStringList answers;
};

// A screen of 1920 x 1080 pixels, 96 dpi unless told otherwise.
struct FakeScreenMetrics final : platform::ScreenMetrics {
  explicit FakeScreenMetrics(double twipsPerPixel = 15.0) : tpp(twipsPerPixel) {}
  double TwipsPerPixelX() const override { return tpp; }
  double TwipsPerPixelY() const override { return tpp; }
  double WidthTwips() const override { return 1920 * tpp; }
  double HeightTwips() const override { return 1080 * tpp; }
  double tpp;
};

}  // namespace kelvane::testing
