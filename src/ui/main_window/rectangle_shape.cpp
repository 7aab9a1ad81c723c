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
  // The outline runs through the middle of the edge pixels: drawn on the edge itself, half of a one-pixel
  // line falls outside the widget, and at a fractional scale such as 1.5 the top and left lines vanish.
  painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

}  // namespace kelvane::ui
