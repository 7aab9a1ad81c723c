#pragma once

#include <QString>

class QWidget;

namespace kelvane::platform {

enum class MessageIcon { kNone, kWarning };

// A modal message with a single OK button; returns when the user has closed it.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) = 0;
};

class QtMessageBox final : public MessageBox {
 public:
  void Show(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override;
};

}  // namespace kelvane::platform
