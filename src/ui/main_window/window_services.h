#pragma once

#include <memory>

#include "platform/dialogs/file_dialog.h"
#include "platform/dialogs/message_box.h"
#include "platform/dialogs/screen_metrics.h"

namespace kelvane::ui {

// What the window asks of the platform. The program uses the Qt implementations; tests hand in
// scripted ones so that no dialog ever waits for a person.
struct WindowServices {
  std::shared_ptr<platform::MessageBox> messageBox;
  std::shared_ptr<platform::FileDialog> fileDialog;
  std::shared_ptr<platform::ScreenMetrics> screen;

  static WindowServices Qt() {
    return WindowServices{std::make_shared<platform::QtMessageBox>(),
                          std::make_shared<platform::QtFileDialog>(),
                          std::make_shared<platform::QtScreenMetrics>()};
  }
};

}  // namespace kelvane::ui
