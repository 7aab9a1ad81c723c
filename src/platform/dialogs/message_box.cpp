#include "platform/dialogs/message_box.h"

#include <QMessageBox>

namespace kelvane::platform {

void QtMessageBox::Show(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::kWarning ? QMessageBox::Warning : QMessageBox::NoIcon, title, text,
                  QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);  // file names may hold "<" and "&"
  box.exec();
}

bool QtMessageBox::Ask(QWidget* owner, const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace kelvane::platform
