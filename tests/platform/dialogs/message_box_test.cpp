#include "platform/dialogs/message_box.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

#include "platform/dialogs/modal_answerer.h"

namespace kelvane::platform {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  Qt::TextFormat format = Qt::AutoText;
};

SeenBox ShowAndClose(MessageIcon icon, const QString& text) {
  SeenBox seen;
  testing::AnswerNextModal<QMessageBox>([&seen](QMessageBox* box) {
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.format = box->textFormat();
    for (QAbstractButton* button : box->buttons()) seen.buttons.append(button->text().remove('&'));
    box->button(QMessageBox::Ok)->click();
  });
  QtMessageBox().Show(nullptr, "Kelvane", text, icon);
  return seen;
}

TEST(QtMessageBoxTest, ShowsTitleTextAndOneOkButton) {
  const SeenBox seen = ShowAndClose(MessageIcon::kNone, "The file \"a<b>.dat\" has been saved");
  EXPECT_EQ(seen.title, "Kelvane");
  EXPECT_EQ(seen.text, "The file \"a<b>.dat\" has been saved");
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QStringList{"OK"});
}

TEST(QtMessageBoxTest, WarningCarriesTheWarningIcon) {
  EXPECT_EQ(ShowAndClose(MessageIcon::kWarning, "not saved").icon, QMessageBox::Warning);
}

}  // namespace
}  // namespace kelvane::platform
