#include "ui/main_window/rectangle_shape.h"

#include <QPainter>

namespace kelvane::ui {

RectangleShape::RectangleShape(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

QColor RectangleShape::OutlineColor() const {
  return outline_.value_or(palette().color(QPalette::WindowText));
}

void RectangleShape::SetOutlineColor(const QColor& color) {
  if (outline_ == color) return;
  outline_ = color;
  update();
}

void RectangleShape::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(OutlineColor());
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace kelvane::ui
