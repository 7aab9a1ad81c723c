#pragma once

#include <QString>

class QWidget;

namespace kelvane::platform {

enum class MessageIcon { kNone, kWarning };

// Modal messages; each returns when the user has closed it.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // A message with a single OK button.
  virtual void Show(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) = 0;
  // A question with Yes and No, No the default (Return and Escape answer No); true for Yes.
  virtual bool Ask(QWidget* owner, const QString& title, const QString& text) = 0;
};

class QtMessageBox final : public MessageBox {
 public:
  void Show(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
  bool Ask(QWidget* owner, const QString& title, const QString& text) override;
};

}  // namespace kelvane::platform
