#pragma once

#include <QDialog>
#include <array>

class QLabel;

namespace kelvane::platform {
class ScreenMetrics;
}

namespace kelvane::ui {

// The About box: the program's name, a one-sentence description, the version and a credits line,
// beside the logo and the program's icon. It closes at the first click on its surface, a label or
// the logo, or as soon as it loses the focus; a click on the icon does nothing. Each showing is a
// new box, centred over its owner when it is made.
class Kelvane_About final : public QDialog {
  Q_OBJECT

 public:
  // Sizes and places itself in the screen's twips; `owner` also lends its window icon.
  Kelvane_About(QWidget* owner, const platform::ScreenMetrics& screen);

  QLabel* QORNLogo = nullptr;
  QLabel* IconImage = nullptr;
  std::array<QLabel*, 4> AboutText{};  // product name, description, version, credits

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls(const platform::ScreenMetrics& screen);
  void Form_Load(const platform::ScreenMetrics& screen);
  void Form_Click();
  void AboutText_Click(int index);
  void QORNLogo_Click();
  void Form_LostFocus();

  bool surfacePressed_ = false;
  bool hasBeenActive_ = false;
};

// Shows a new About box modally over `owner` and returns when it has closed (the "About Kelvane"
// menu command and F1).
void ShowAboutBox(QWidget* owner, const platform::ScreenMetrics& screen);
void ShowAboutBox(QWidget* owner);

}  // namespace kelvane::ui
