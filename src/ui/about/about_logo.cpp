#include "ui/about/about_logo.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace kelvane::ui {
namespace {

const QColor kOutline(40, 40, 48);

// One brick seen from the front: a body with a darker lower edge and a row of studs on top.
void PaintBrick(QPainter& painter, const QRectF& body, const QColor& colour) {
  constexpr double kStudWidth = 8.0;
  constexpr double kStudHeight = 4.0;
  constexpr double kStudPitch = 12.0;
  painter.setPen(QPen(kOutline, 1.0));
  painter.setBrush(colour);
  for (double x = body.left() + 4.0; x + kStudWidth <= body.right() - 2.0; x += kStudPitch) {
    painter.drawRect(QRectF(x, body.top() - kStudHeight, kStudWidth, kStudHeight));
  }
  painter.drawRoundedRect(body, 2.0, 2.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour.darker(135));
  painter.drawRect(QRectF(body.left() + 1.0, body.bottom() - 5.0, body.width() - 2.0, 4.0));
  painter.setBrush(colour.lighter(130));
  painter.drawRect(QRectF(body.left() + 2.0, body.top() + 2.0, body.width() - 4.0, 2.0));
}

void PaintArrow(QPainter& painter) {
  painter.setPen(QPen(kOutline, 1.0));
  painter.setBrush(QColor(90, 96, 110));
  QPainterPath arrow;
  arrow.addPolygon(QPolygonF({QPointF(82, 14), QPointF(90, 14), QPointF(90, 48), QPointF(97, 48),
                              QPointF(86, 62), QPointF(75, 48), QPointF(82, 48), QPointF(82, 14)}));
  painter.drawPath(arrow);
}

}  // namespace

QImage PaintAboutLogo() {
  QImage logo(kAboutLogoWidth, kAboutLogoHeight, QImage::Format_ARGB32_Premultiplied);
  logo.fill(Qt::transparent);
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  PaintBrick(painter, QRectF(4.5, 70.5, 91.0, 22.0), QColor(30, 90, 190));   // longest at the bottom
  PaintBrick(painter, QRectF(4.5, 44.5, 64.0, 22.0), QColor(240, 190, 20));  // then shorter
  PaintBrick(painter, QRectF(4.5, 18.5, 40.0, 22.0), QColor(200, 40, 40));   // shortest on top
  PaintArrow(painter);
  painter.end();
  return logo;
}

}  // namespace kelvane::ui
