#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

namespace kelvane::testing {

// Waits, inside the modal loop of the dialog the test is about to open, for a modal widget of type
// Dialog and hands it to `answer`, which inspects it and closes it.
template <typename Dialog>
void AnswerNextModal(std::function<void(Dialog*)> answer) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, answer = std::move(answer)] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    answer(dialog);
  });
  timer->start();
}

}  // namespace kelvane::testing
