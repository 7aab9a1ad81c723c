#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "platform/dialogs/file_dialog.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/screen_metrics.h"

namespace kelvane::testing {

// Records every message instead of showing it.
class FakeMessageBox final : public platform::MessageBox {
 public:
  struct Message {
    QString title;
    QString text;
    platform::MessageIcon icon;
  };

  void Show(QWidget*, const QString& title, const QString& text, platform::MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }

  std::vector<Message> messages;
};

// Answers with the scripted paths in turn; with none left it answers like a cancelled dialog.
class FakeFileDialog final : public platform::FileDialog {
 public:
  void AnswerNext(QString path) { answers_.push_back(std::move(path)); }

  QString GetOpenFileName(QWidget*, const platform::OpenFileRequest& request) override {
    requests.push_back(request);
    if (answers_.empty()) return {};
    QString answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
  }

  std::vector<platform::OpenFileRequest> requests;

 private:
  std::deque<QString> answers_;
};

// A screen of fixed size and resolution: 96 dpi (15 twips per pixel) unless told otherwise.
class FakeScreenMetrics final : public platform::ScreenMetrics {
 public:
  explicit FakeScreenMetrics(double twipsPerPixel = 15.0, int widthPixels = 1920, int heightPixels = 1080)
      : twipsPerPixel_(twipsPerPixel), widthPixels_(widthPixels), heightPixels_(heightPixels) {}

  double TwipsPerPixelX() const override { return twipsPerPixel_; }
  double TwipsPerPixelY() const override { return twipsPerPixel_; }
  double WidthTwips() const override { return widthPixels_ * twipsPerPixel_; }
  double HeightTwips() const override { return heightPixels_ * twipsPerPixel_; }

 private:
  double twipsPerPixel_;
  int widthPixels_;
  int heightPixels_;
};

}  // namespace kelvane::testing
