#pragma once

#include <QMainWindow>
#include <QRect>
#include <array>
#include <optional>
#include <string>

#include "session/model_session.h"
#include "settings/window_state.h"
#include "sorting/sort_options.h"
#include "ui/main_window/window_services.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListView;
class QMenu;
class QPushButton;
class QRadioButton;

namespace kelvane::settings {
class SettingsStore;
struct ShutdownState;
struct StartupPlan;
}  // namespace kelvane::settings

namespace kelvane::ui {

class LineListModel;
class RectangleShape;

// The program's working window: a view over the open model's session. Its controls and handlers keep
// the names they have always had in this program's design (SortBtn, SortBtn_Click); tests find the
// controls by those object names. Handlers run synchronously, so that setting the combo box's text
// loads the file before the statement returns.
class KelvaneMain final : public QMainWindow {
  Q_OBJECT

 public:
  explicit KelvaneMain(WindowServices services = WindowServices::Qt(), QWidget* parent = nullptr);
  ~KelvaneMain() override;

  // What the program's start hands the load handler besides the stored settings.
  struct Launch {
    std::string commandLine;     // the arguments after the program's name, joined by single spaces
    std::string fallbackFolder;  // the DAT folder where nothing else is known, with its final "/"
  };
  // The start-up sequence, run once before the window is first shown: the stored settings, the
  // command line, the file list and the first model. The window keeps `store` and writes its
  // settings back into it when it closes.
  void Form_Load(settings::SettingsStore& store, const Launch& launch);

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // Loading and the file list.
  void DATFileCombo_Change();
  void DATFileCombo_Click();
  void LoadDATFile(const QString& fileName);
  // Refills the combo box's list with the ".dat" files of DATPath and empties its text. Returns
  // whether the folder was found (the list is left empty when it was not).
  bool RefreshFileList();
  void BrowseDATFileBtn_Click();

  // Check marks and commands on the document.
  void DATDataList_ItemCheck(int item);
  void SelectBtn_Click();
  void SortBtn_Click();
  void SaveFileBtn_Click();

  // The sort options panel.
  void SortOptionRB_Click(int index);
  void SortKeyBtn_Click(int index);
  void ArrangeCoordFrames();
  // Hands the panel's choices to the session whenever one of them changes.
  void SyncSortOptions();
  sorting::SortOptions CurrentSortOptions() const;
  // Sets both buttons of a direction pair as stored settings give them, which may be neither or both
  // (a person can only ever move the selection from one to the other).
  static void SetOptionPair(const std::array<QRadioButton*, 2>& pair, bool firstSelected,
                            bool secondSelected);

  // The shutdown sequence. Every close of the window runs it (close box, "Exit", the session
  // ending); it never stops the close. Writes nothing when Form_Load has not given it a store.
  void Form_Unload();

  // The window and its menu.
  void Form_Activate();
  void Form_Resize();
  void MenuExit_Click();
  void MenuAbout_Click();

  // Twips (the unit of the window's layout) to this screen's pixels, and back.
  int PixelsX(double twips) const;
  int PixelsY(double twips) const;
  double TwipsX(int pixels) const;
  double TwipsY(int pixels) const;

  void CreateMenu();
  void CreateControls();
  void CreateSortOptionsPanel();
  void SetTabOrder();
  void ConnectHandlers();
  // Sets a control's geometry from twips relative to its container.
  void Place(QWidget* control, int left, int top, int width, int height) const;

  // The keyboard (kelvane_main_keyboard.cpp): each radio group is one tab stop, at its selected
  // button; Space sets or clears the marks of every selected line at once.
  void UpdateTabStops();
  void ToggleSelectedLines();
  // The Select All button's caption, and the name a screen reader gives it, from the session.
  void ShowSelectionCaption();

  void OnComboTextChanged();
  void OnComboIndexChanged(int index);
  void OnComboActivated();
  void LoadFromCombo();
  void UpdateSortCommand();
  void ShowMessage(const QString& text, bool warning);
  // Shows what a command of the session has to say; returns the answer to a question.
  bool ShowNotice(const session::Notice& notice);
  // The window's state as the layout and the settings name it.
  settings::WindowState CurrentWindowState() const;
  // The X, Y and Z direction pairs, indexed by axis.
  std::array<const std::array<QRadioButton*, 2>*, 3> DirectionPairs() const {
    return {&XSortOptRB, &YSortOptRB, &ZSortOptRB};
  }

  // Start-up and shutdown (kelvane_main_startup.cpp).
  void ApplyStartupPlan(const settings::StartupPlan& plan);
  void RestorePlacement(const settings::StartupPlan& plan);
  void ApplyPendingPlacement(bool settled = false);
  QRect OuterBounds() const;
  settings::ShutdownState CurrentShutdownState() const;

  // The folder of model files as a path prefix ending with "/" (bytes, as the file system has them);
  // empty means the current folder. The current model is DATPath + the combo box's text.
  std::string DATPath;
  // Axis index (0 = X, 1 = Y, 2 = Z) of the 1st, 2nd and 3rd coordinate key.
  sorting::KeyOrder SortKeyOrder = sorting::kDefaultKeyOrder;

  // Controls.
  QComboBox* DATFileCombo = nullptr;
  QPushButton* BrowseDATFileBtn = nullptr;
  QListView* DATDataList = nullptr;
  QPushButton* SortBtn = nullptr;
  QPushButton* SelectBtn = nullptr;
  QGroupBox* SortOptionsFrm = nullptr;
  std::array<QRadioButton*, 3> SortOptionRB{};
  std::array<QWidget*, 3> CoordSortFrm{};  // indexed by axis: X, Y, Z
  std::array<QRadioButton*, 2> XSortOptRB{};
  std::array<QRadioButton*, 2> YSortOptRB{};
  std::array<QRadioButton*, 2> ZSortOptRB{};
  QWidget* SortPartFrm = nullptr;
  std::array<QRadioButton*, 2> SortPartOptRB{};
  QWidget* SortColorFrm = nullptr;
  std::array<QRadioButton*, 2> SortColorOptRB{};
  std::array<QPushButton*, 4> SortKeyBtn{};
  RectangleShape* CoordSortRect = nullptr;
  QCheckBox* SortBtwnStpChk = nullptr;
  QCheckBox* BackupFilechk = nullptr;
  QPushButton* SaveFileBtn = nullptr;
  QLabel* KelvaneLogo = nullptr;
  QMenu* MenuFile = nullptr;
  QAction* MenuSortFile = nullptr;
  QAction* MenuSeparator = nullptr;
  QAction* MenuExit = nullptr;
  QMenu* MenuHelp = nullptr;
  QAction* MenuAbout = nullptr;

  WindowServices services_;
  session::ModelSession session_;
  LineListModel* lineModel_ = nullptr;
  // The combo box's index as last announced; a text change while the index differs from it is the
  // first half of an entry being chosen, whose index change follows and loads.
  int announcedComboIndex_ = -1;
  // Set by a load from the combo box until control returns to the event loop: one user action loads
  // the file once, however many of the combo box's signals it raises.
  bool comboLoadedInThisAction_ = false;
  // Where the settings come from and go back to; none until Form_Load.
  settings::SettingsStore* settingsStore_ = nullptr;
  // The restored outer bounds in pixels, until the window system has told the frame's size and the
  // window has been made to match them. A window manager that will not take them gets a few tries,
  // not a fight.
  struct PendingPlacement {
    QRect outer;
    int triesLeft = 3;
    bool applying = false;
  };
  std::optional<PendingPlacement> pendingPlacement_;
};

}  // namespace kelvane::ui
