#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace kelvane::ui {

// An outline drawn on its container, transparent inside and to the mouse: it only frames the
// controls that stand over it.
class RectangleShape final : public QWidget {
  Q_OBJECT

 public:
  explicit RectangleShape(QWidget* parent = nullptr);

  // Until an outline colour is set, the palette's text colour is used.
  QColor OutlineColor() const;
  void SetOutlineColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::optional<QColor> outline_;
};

}  // namespace kelvane::ui
