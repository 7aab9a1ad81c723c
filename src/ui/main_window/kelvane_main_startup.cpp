// Start-up and shutdown: the remembered settings applied to the controls and the window before it is
// first shown, and read back off them when it closes. What to apply, and what to write, is worked out
// by the start-up plan and the shutdown record; this file only moves the values in and out.
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <utility>
#include <vector>

#include "settings/shutdown_record.h"
#include "settings/startup_plan.h"
#include "text/ascii_case.h"
#include "ui/main_window/kelvane_main.h"
#include "ui/main_window/layout/form_resize_layout.h"

namespace kelvane::ui {
namespace {

// How long the window must have been still before restored bounds that look right are taken as right.
constexpr int kPlacementSettleMilliseconds = 250;

Qt::WindowState ToQt(settings::WindowState state) {
  switch (state) {
    case settings::WindowState::kMinimised:
      return Qt::WindowMinimized;
    case settings::WindowState::kMaximised:
      return Qt::WindowMaximized;
    case settings::WindowState::kNormal:
      break;
  }
  return Qt::WindowNoState;
}

}  // namespace

void KelvaneMain::Form_Load(settings::SettingsStore& store, const Launch& launch) {
  settingsStore_ = &store;
  const platform::ScreenMetrics& screen = *services_.screen;
  settings::StartupEnvironment environment;
  environment.screen = {static_cast<float>(screen.TwipsPerPixelX()),
                        static_cast<float>(screen.TwipsPerPixelY()), static_cast<float>(screen.WidthTwips()),
                        static_cast<float>(screen.HeightTwips())};
  const QSize outer = frameGeometry().size();
  environment.windowWidth = static_cast<float>(TwipsX(outer.width()));
  environment.windowHeight = static_cast<float>(TwipsY(outer.height()));
  environment.commandLine = launch.commandLine;
  environment.fallbackFolder = launch.fallbackFolder;
  ApplyStartupPlan(settings::PlanStartup(store, environment));
}

void KelvaneMain::ApplyStartupPlan(const settings::StartupPlan& plan) {
  // A step without a value failed and leaves its control as the window was created.
  DATPath = plan.datPath;
  if (plan.backupFile) BackupFilechk->setChecked(*plan.backupFile);
  if (plan.sortOption) {
    // Selecting the button the window was created with changes nothing Qt would announce, yet the
    // panel's rule runs for the stored option all the same.
    QRadioButton* const button = SortOptionRB[static_cast<std::size_t>(*plan.sortOption)];
    const bool alreadySelected = button->isChecked();
    button->setChecked(true);
    if (alreadySelected) SortOptionRB_Click(*plan.sortOption);
  }
  SortKeyOrder = plan.sortKeyOrder;
  const auto pairs = DirectionPairs();
  for (std::size_t axis = 0; axis < pairs.size(); ++axis) {
    if (const auto index = plan.directionIndex[axis]) SetOptionPair(*pairs[axis], *index == 0, *index == 1);
  }
  if (plan.betweenSteps) SortBtwnStpChk->setChecked(*plan.betweenSteps);
  RestorePlacement(plan);

  // A folder that cannot be listed leaves the list empty, and nothing is opened.
  RefreshFileList();
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(DATFileCombo->count()));
  for (int i = 0; i < DATFileCombo->count(); ++i) {
    entries.push_back(QFile::encodeName(DATFileCombo->itemText(i)).toStdString());
  }
  // The list holds the folder's ".dat" files only; an ".ldr" or ".mpd" model named on the command
  // line is opened by its name.
  if (plan.fileToOpen && !text::EndsWithIgnoringAsciiCase(*plan.fileToOpen, "dat") &&
      QFileInfo(QFile::decodeName((DATPath + *plan.fileToOpen).c_str())).isFile()) {
    DATFileCombo->setEditText(QFile::decodeName(plan.fileToOpen->c_str()));  // loads the file
  } else if (const auto entry = settings::EntryToSelect(entries, plan.fileToOpen)) {
    DATFileCombo->setCurrentIndex(static_cast<int>(*entry));  // loads the file
  }
}

void KelvaneMain::RestorePlacement(const settings::StartupPlan& plan) {
  // The stored bounds are the outer ones, title bar and borders included. The window system tells
  // their size only once the window is on the screen (never, where no window manager draws a frame):
  // until then the inner size is set to the outer one, and corrected when the frame becomes known.
  const QRect frame = frameGeometry();
  const QSize decorations = frame.size() - size();
  const settings::WindowGeometry& geometry = plan.geometry;
  QRect outer = frame;
  if (geometry.width) outer.setWidth(PixelsX(*geometry.width));
  if (geometry.height) outer.setHeight(PixelsY(*geometry.height));
  resize(outer.size() - decorations);
  // The position is the frame's top-left corner. It is given before the state, whose setting creates
  // the window system's window: a position given earlier places the frame, a later one the inner area.
  if (geometry.left || geometry.top) {
    outer.moveTo(geometry.left ? PixelsX(*geometry.left) : frame.x(),
                 geometry.top ? PixelsY(*geometry.top) : frame.y());
    move(outer.topLeft());
  }
  if (decorations.isNull()) {
    // Form_Resize enlarges a window below the minimum; the correction must not shrink it again.
    const MinimumSize minimum = MinimumWindowSize(static_cast<float>(services_.screen->TwipsPerPixelX()),
                                                  static_cast<float>(services_.screen->TwipsPerPixelY()));
    outer.setSize(outer.size().expandedTo(QSize(PixelsX(minimum.width), PixelsY(minimum.height))));
    pendingPlacement_ = PendingPlacement{outer};
  }
  if (plan.windowState) setWindowState(ToQt(*plan.windowState));
}

void KelvaneMain::ApplyPendingPlacement(bool settled) {
  // Only a window in its normal state shows its normal bounds; a minimised or maximised one gets them
  // when it is restored.
  if (!pendingPlacement_ || pendingPlacement_->applying ||
      (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
    return;
  }
  const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
  if (frame.isNull()) return;  // no frame (yet): the inner size already is the outer one
  PendingPlacement& pending = *pendingPlacement_;
  // A window manager may announce the frame of the new state only after the state itself, with no
  // move or resize of the window to tell of it: bounds that look right are looked at once more when
  // the window has been still for a moment.
  const auto checkAgainSoon = [this] {
    QTimer::singleShot(kPlacementSettleMilliseconds, this, [this] { ApplyPendingPlacement(true); });
  };
  if (geometry().marginsAdded(frame) == pending.outer) {
    if (settled) {
      pendingPlacement_.reset();
    } else {
      checkAgainSoon();
    }
    return;
  }
  if (pending.triesLeft == 0) {
    pendingPlacement_.reset();
    return;
  }
  --pending.triesLeft;
  pending.applying = true;
  // The minimum was set while the frame was unknown, as an inner size equal to the outer one; kept so,
  // it would hold a window restored at the minimum a frame's size too large.
  const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
  const MinimumSize minimum = MinimumWindowSize(static_cast<float>(services_.screen->TwipsPerPixelX()),
                                                static_cast<float>(services_.screen->TwipsPerPixelY()));
  setMinimumSize(QSize(PixelsX(minimum.width), PixelsY(minimum.height)) - frameSize);
  resize(pending.outer.size() - frameSize);
  move(pending.outer.topLeft());
  pending.applying = false;
  checkAgainSoon();
}

QRect KelvaneMain::OuterBounds() const {
  // The window's own record of its frame is brought up to date only when it moves; the window
  // system's is current.
  return windowHandle() ? geometry().marginsAdded(windowHandle()->frameMargins()) : frameGeometry();
}

void KelvaneMain::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void KelvaneMain::Form_Unload() {
  // Every other window of the program is owned by this one: the About box, if it is open.
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->isWindow() && child->isVisible()) child->close();
  }
  if (settingsStore_ == nullptr) return;
  // A store that cannot be written is reported on stderr; the window closes all the same.
  settings::SaveSettings(*settingsStore_, settings::ShutdownRecord(CurrentShutdownState()), std::cerr);
}

settings::ShutdownState KelvaneMain::CurrentShutdownState() const {
  settings::ShutdownState state;
  state.windowState = CurrentWindowState();
  const QRect frame = OuterBounds();
  state.left = static_cast<float>(TwipsX(frame.x()));
  state.top = static_cast<float>(TwipsY(frame.y()));
  state.width = static_cast<float>(TwipsX(frame.width()));
  state.height = static_cast<float>(TwipsY(frame.height()));
  state.datPath = DATPath;
  state.backupFile = BackupFilechk->isChecked();
  for (std::size_t i = 0; i < SortOptionRB.size(); ++i) {
    state.sortOptionSelected[i] = SortOptionRB[i]->isChecked();
  }
  state.sortKeyOrder = SortKeyOrder;
  const auto pairs = DirectionPairs();
  for (std::size_t axis = 0; axis < pairs.size(); ++axis) {
    for (std::size_t button = 0; button < 2; ++button) {
      state.directionSelected[axis][button] = (*pairs[axis])[button]->isChecked();
    }
  }
  state.betweenSteps = SortBtwnStpChk->isChecked();
  return state;
}

}  // namespace kelvane::ui
