// The window's construction: every control with its container, caption, tooltip, creation-time state
// and place (in twips, converted to this screen's pixels), the tab order, the menu, and the wiring of
// the handlers.
#include "ui/main_window/kelvane_main.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <algorithm>

#include "document/check_rules.h"
#include "resources/artwork.h"
#include "ui/about/kelvane_about.h"
#include "ui/main_window/layout/form_resize_layout.h"
#include "ui/main_window/line_list_model.h"
#include "ui/main_window/rectangle_shape.h"
#include "ui/main_window/uniform_list_view.h"

namespace kelvane::ui {
namespace {

// The inner (client) area at creation, in twips.
constexpr int kClientWidthTwips = 11445;
constexpr int kClientHeightTwips = 8340;

// Names a control for tests and screen readers: the control's own name as object name, an
// accessible name (the caption, or what an image shows), and the tooltip, which is also the
// accessible description.
void Describe(QWidget* control, const QString& name, const QString& accessibleName,
              const QString& tooltip = {}) {
  control->setObjectName(name);
  control->setAccessibleName(accessibleName);
  if (!tooltip.isEmpty()) {
    control->setToolTip(tooltip);
    control->setAccessibleDescription(tooltip);
  }
}

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

}  // namespace

KelvaneMain::KelvaneMain(WindowServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
  resources::InitArtwork();
  setObjectName(QStringLiteral("KelvaneMain"));
  setWindowTitle(QStringLiteral("Kelvane"));
  QIcon icon(QString::fromLatin1(resources::kWindowIcon));
  icon.addFile(QString::fromLatin1(resources::kApplicationIcon));
  setWindowIcon(icon);

  lineModel_ = new LineListModel(session_, this);
  CreateMenu();
  CreateControls();
  SetTabOrder();
  ConnectHandlers();
  SyncSortOptions();
  UpdateTabStops();
  resize(PixelsX(kClientWidthTwips), PixelsY(kClientHeightTwips) + menuBar()->sizeHint().height());
}

KelvaneMain::~KelvaneMain() {
  // The controls are destroyed after this object's own part: a combo box that loses its focus or its
  // entries on the way must not call back into a window that is already gone.
  QObject::disconnect(DATFileCombo, nullptr, this, nullptr);
  QObject::disconnect(lineModel_, nullptr, this, nullptr);
}

int KelvaneMain::PixelsX(double twips) const {
  return platform::TwipsToPixels(twips, services_.screen->TwipsPerPixelX());
}
int KelvaneMain::PixelsY(double twips) const {
  return platform::TwipsToPixels(twips, services_.screen->TwipsPerPixelY());
}
double KelvaneMain::TwipsX(int pixels) const { return pixels * services_.screen->TwipsPerPixelX(); }
double KelvaneMain::TwipsY(int pixels) const { return pixels * services_.screen->TwipsPerPixelY(); }

void KelvaneMain::Place(QWidget* control, int left, int top, int width, int height) const {
  control->setGeometry(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

void KelvaneMain::CreateMenu() {
  MenuFile = menuBar()->addMenu(QStringLiteral("File"));
  MenuFile->setObjectName(QStringLiteral("MenuFile"));
  MenuSortFile = MenuFile->addAction(QStringLiteral("Sort File"));
  MenuSortFile->setObjectName(QStringLiteral("MenuSortFile"));
  MenuSortFile->setEnabled(false);  // follows SortBtn
  MenuSeparator = MenuFile->addSeparator();
  MenuSeparator->setObjectName(QStringLiteral("MenuSeparator"));
  MenuExit = MenuFile->addAction(QStringLiteral("Exit"));
  MenuExit->setObjectName(QStringLiteral("MenuExit"));

  MenuHelp = menuBar()->addMenu(QStringLiteral("Help"));
  MenuHelp->setObjectName(QStringLiteral("MenuHelp"));
  MenuAbout = MenuHelp->addAction(QStringLiteral("About Kelvane"));
  MenuAbout->setObjectName(QStringLiteral("MenuAbout"));
  MenuAbout->setShortcut(QKeySequence(Qt::Key_F1));
}

void KelvaneMain::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("KelvaneMainClient"));
  setCentralWidget(client);
  // The window's geometry was laid out for 8.25-point MS Sans Serif; where that is missing, a face
  // with Arial's metrics keeps the captions inside their controls better than the usual wider ones.
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("Helvetica"), QStringLiteral("Nimbus Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(8.25);
  client->setFont(font);

  // Created back to front, so that later controls stand above earlier ones.
  BackupFilechk = new QCheckBox(QStringLiteral("Backup existing .DAT file"), client);
  Describe(BackupFilechk, QStringLiteral("BackupFilechk"), BackupFilechk->text(),
           QStringLiteral("Make a backup of the existing .DAT file before backing up the sorted version"));
  Place(BackupFilechk, 7800, 6660, 2355, 255);

  KelvaneLogo = new QLabel(client);
  Describe(KelvaneLogo, QStringLiteral("KelvaneLogo"), QStringLiteral("Kelvane logo"));
  KelvaneLogo->setPixmap(QPixmap(QString::fromLatin1(resources::kLogoBanner)));
  KelvaneLogo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  Place(KelvaneLogo, 120, 7740, 11175, 495);

  SaveFileBtn = new QPushButton(QStringLiteral("Save File"), client);
  Describe(SaveFileBtn, QStringLiteral("SaveFileBtn"), SaveFileBtn->text(),
           QStringLiteral("Save the sorted .DAT file"));
  Place(SaveFileBtn, 7800, 6960, 2355, 315);

  CreateSortOptionsPanel();

  SelectBtn = new QPushButton(QString::fromLatin1(document::kSelectAllCaption), client);
  Describe(SelectBtn, QStringLiteral("SelectBtn"), SelectBtn->text(),
           QStringLiteral("Select/Deselect all items in .DAT file"));
  Place(SelectBtn, 7800, 5220, 2355, 315);

  SortBtn = new QPushButton(QStringLiteral("Sort File"), client);
  Describe(SortBtn, QStringLiteral("SortBtn"), SortBtn->text(), QStringLiteral("Sort the .DAT file"));
  Place(SortBtn, 7800, 4860, 2355, 315);
  SortBtn->setEnabled(false);  // nothing to sort before a file is loaded and lines are checked

  DATDataList = new UniformListView(client);
  Describe(DATDataList, QStringLiteral("DATDataList"), QStringLiteral("Lines of the model file"));
  DATDataList->setModel(lineModel_);
  // Shift and Ctrl pick many lines, whose marks Space then sets or clears together.
  DATDataList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  DATDataList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Place(DATDataList, 120, 480, 7515, 6810);

  BrowseDATFileBtn = new QPushButton(QStringLiteral("..."), client);
  Describe(BrowseDATFileBtn, QStringLiteral("BrowseDATFileBtn"), QStringLiteral("Browse"),
           QStringLiteral("Browse for a .DAT file to sort"));
  Place(BrowseDATFileBtn, 2580, 60, 315, 315);

  DATFileCombo = new QComboBox(client);
  Describe(DATFileCombo, QStringLiteral("DATFileCombo"), QStringLiteral("Model file"),
           QStringLiteral("Select the .DAT file to sort"));
  DATFileCombo->setEditable(true);
  // The typed text is the name of the file; it is never added to the list, and no completion writes
  // into it behind the user's back (every change of the text loads).
  DATFileCombo->setInsertPolicy(QComboBox::NoInsert);
  DATFileCombo->setCompleter(nullptr);
  // Qt picks the entry that matches the text when editing ends (Return, or focus moving to the Sort
  // button). That is no choice of the user's and must not reload the file and lose the check marks.
  QObject::disconnect(DATFileCombo->lineEdit(), &QLineEdit::editingFinished, DATFileCombo, nullptr);
  Place(DATFileCombo, 120, 60, 2415, 315);
}

void KelvaneMain::CreateSortOptionsPanel() {
  SortOptionsFrm = new QGroupBox(QStringLiteral("Sort Options"), centralWidget());
  Describe(SortOptionsFrm, QStringLiteral("SortOptionsFrm"), SortOptionsFrm->title());
  Place(SortOptionsFrm, 7800, 420, 2355, 4395);
  QWidget* const panel = SortOptionsFrm;

  static constexpr std::array<const char*, 4> kSwapTips = {
      "Swap the 1st and 2nd sort keys", "Swap the 2nd and 1st sort keys", "Swap the 2nd and 3rd sort keys",
      "Swap the 3rd and 2nd sort keys"};
  struct SwapPlace {
    int top;
    int height;
    const char* image;
  };
  static constexpr std::array<SwapPlace, 4> kSwapPlaces = {{{600, 555, resources::kArrowDown},
                                                            {1200, 285, resources::kArrowUp},
                                                            {1470, 285, resources::kArrowDown},
                                                            {1800, 555, resources::kArrowUp}}};
  for (int i = 3; i >= 0; --i) {
    auto* button = new QPushButton(panel);
    SortKeyBtn[i] = button;
    Describe(button, Indexed("SortKeyBtn", i), QString::fromLatin1(kSwapTips[i]),
             QString::fromLatin1(kSwapTips[i]));
    button->setIcon(QIcon(QString::fromLatin1(kSwapPlaces[i].image)));
    button->setAutoDefault(false);
    Place(button, 1860, kSwapPlaces[i].top, 315, kSwapPlaces[i].height);
    const int side = std::max(8, std::min(button->width(), button->height()) - 4);
    button->setIconSize(QSize(side, side));
  }

  SortBtwnStpChk = new QCheckBox(QStringLiteral("Sort Between Steps"), panel);
  Describe(SortBtwnStpChk, QStringLiteral("SortBtwnStpChk"), SortBtwnStpChk->text(),
           QStringLiteral("Sort each section between steps independently"));
  Place(SortBtwnStpChk, 120, 4080, 2055, 195);

  // A borderless frame holding one direction pair: a radio group of its own. The buttons take the
  // frame's whole width, so that captions such as "+Y to -Y (B to T)" are not cut.
  auto makePair = [this, panel](std::array<QRadioButton*, 2>& pair, const char* name, int top,
                                const std::array<const char*, 2>& captions,
                                const std::array<const char*, 2>& tips, int frameWidth,
                                const QString& frameName, const QString& frameDescription) {
    auto* frame = new QWidget(panel);
    Describe(frame, frameName, frameDescription);
    Place(frame, 300, top, frameWidth, 555);
    auto* group = new QButtonGroup(frame);
    for (int i = 0; i < 2; ++i) {
      pair[i] = new QRadioButton(QString::fromLatin1(captions[i]), frame);
      Describe(pair[i], Indexed(name, i), pair[i]->text(), QString::fromLatin1(tips[i]));
      Place(pair[i], 0, i == 0 ? 60 : 300, frameWidth, 195);
      group->addButton(pair[i], i);
    }
    pair[0]->setChecked(true);
    return frame;
  };
  CoordSortFrm[2] = makePair(ZSortOptRB, "ZSortOptRB", 1200, {"+Z to -Z (B to F)", "-Z to +Z (F to B)"},
                             {"Sort Back to Front", "Sort Front to Back"}, 1575, Indexed("CoordSortFrm", 2),
                             QStringLiteral("Z direction"));
  CoordSortFrm[1] = makePair(YSortOptRB, "YSortOptRB", 600, {"+Y to -Y (B to T)", "-Y to +Y (T to B)"},
                             {"Sort Bottom to Top", "Sort Top to Bottom"}, 1575, Indexed("CoordSortFrm", 1),
                             QStringLiteral("Y direction"));
  CoordSortFrm[0] = makePair(XSortOptRB, "XSortOptRB", 1800, {"+X to -X (R to L)", "-X to +X (L to R)"},
                             {"Sort Right to Left", "Sort Left to Right"}, 1575, Indexed("CoordSortFrm", 0),
                             QStringLiteral("X direction"));

  static constexpr std::array<const char*, 3> kKeyCaptions = {"By Coordinates", "By Part Number", "By Color"};
  static constexpr std::array<const char*, 3> kKeyTips = {"Sort by X-Y-Z coordinates", "Sort by part numbers",
                                                          "Sort by part colors"};
  static constexpr std::array<int, 3> kKeyTops = {300, 2520, 3300};
  for (int i = 2; i >= 0; --i) {
    SortOptionRB[i] = new QRadioButton(QString::fromLatin1(kKeyCaptions[i]), panel);
    Describe(SortOptionRB[i], Indexed("SortOptionRB", i), SortOptionRB[i]->text(),
             QString::fromLatin1(kKeyTips[i]));
    Place(SortOptionRB[i], 120, kKeyTops[i], 1815, 195);
  }
  // Qt's automatic grouping by parent would reach into the frames inside the panel and take the
  // direction pairs into the sort-key group; every radio group is therefore an explicit one.
  auto* keyGroup = new QButtonGroup(panel);
  for (int i = 0; i < 3; ++i) keyGroup->addButton(SortOptionRB[i], i);
  SortOptionRB[0]->setChecked(true);

  SortPartFrm = makePair(SortPartOptRB, "SortPartOptRB", 2700, {"Ascending", "Descending"}, {"", ""}, 1335,
                         QStringLiteral("SortPartFrm"), QStringLiteral("Part number direction"));
  SortColorFrm = makePair(SortColorOptRB, "SortColorOptRB", 3480, {"Ascending", "Descending"}, {"", ""}, 1335,
                          QStringLiteral("SortColorFrm"), QStringLiteral("Color direction"));
  for (QRadioButton* button : {SortPartOptRB[0], SortPartOptRB[1], SortColorOptRB[0], SortColorOptRB[1]}) {
    button->setEnabled(false);
  }

  CoordSortRect = new RectangleShape(panel);
  Describe(CoordSortRect, QStringLiteral("CoordSortRect"), QStringLiteral("Coordinate sort keys"));
  Place(CoordSortRect, 240, 540, 1995, 1875);
  CoordSortRect->lower();  // a shape is drawn on its container, beneath the controls

  // The frame's caption is bold; what stands in it keeps the window's font.
  QFont plain = SortOptionsFrm->font();
  plain.setBold(false);  // stated, so that it does not follow the frame's bold
  QFont caption = plain;
  caption.setBold(true);
  SortOptionsFrm->setFont(caption);
  for (QWidget* child : SortOptionsFrm->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    child->setFont(plain);
  }
}

void KelvaneMain::SetTabOrder() {
  // The file list behind RefreshFileList and the file-open dialog are no widgets here, and frames
  // and the logo take no focus: they are left out of the chain.
  const std::vector<QWidget*> order = {
      DATFileCombo,     BrowseDATFileBtn, DATDataList,       SortBtn,           SelectBtn,
      SortOptionRB[0],  SortOptionRB[1],  SortOptionRB[2],   XSortOptRB[1],     XSortOptRB[0],
      YSortOptRB[1],    YSortOptRB[0],    ZSortOptRB[1],     ZSortOptRB[0],     SortBtwnStpChk,
      SortKeyBtn[0],    SortKeyBtn[1],    SortKeyBtn[2],     SortKeyBtn[3],     SaveFileBtn,
      SortPartOptRB[1], SortPartOptRB[0], SortColorOptRB[1], SortColorOptRB[0], BackupFilechk,
  };
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void KelvaneMain::ConnectHandlers() {
  // Direct connections throughout: every handler runs inside the statement that raises its event.
  constexpr auto kNow = Qt::DirectConnection;
  connect(DATFileCombo, &QComboBox::editTextChanged, this, &KelvaneMain::OnComboTextChanged, kNow);
  connect(DATFileCombo, &QComboBox::currentIndexChanged, this, &KelvaneMain::OnComboIndexChanged, kNow);
  connect(DATFileCombo, &QComboBox::activated, this, &KelvaneMain::OnComboActivated, kNow);
  connect(BrowseDATFileBtn, &QPushButton::clicked, this, &KelvaneMain::BrowseDATFileBtn_Click, kNow);
  connect(lineModel_, &LineListModel::CheckChanged, this, &KelvaneMain::DATDataList_ItemCheck, kNow);
  connect(SortBtn, &QPushButton::clicked, this, &KelvaneMain::SortBtn_Click, kNow);
  connect(SelectBtn, &QPushButton::clicked, this, &KelvaneMain::SelectBtn_Click, kNow);
  connect(SaveFileBtn, &QPushButton::clicked, this, &KelvaneMain::SaveFileBtn_Click, kNow);
  for (int i = 0; i < 3; ++i) {
    // Selecting an option from code runs the rule too; a button being cleared raises nothing.
    connect(
        SortOptionRB[i], &QRadioButton::toggled, this,
        [this, i](bool selected) {
          if (selected) SortOptionRB_Click(i);
        },
        kNow);
  }
  for (int i = 0; i < 4; ++i) {
    connect(
        SortKeyBtn[i], &QPushButton::clicked, this, [this, i] { SortKeyBtn_Click(i); }, kNow);
  }
  for (QAbstractButton* choice : SortOptionsFrm->findChildren<QAbstractButton*>()) {
    if (choice->isCheckable())
      connect(choice, &QAbstractButton::toggled, this, &KelvaneMain::SyncSortOptions, kNow);
  }
  for (QRadioButton* choice : SortOptionsFrm->findChildren<QRadioButton*>()) {
    connect(choice, &QRadioButton::toggled, this, &KelvaneMain::UpdateTabStops, kNow);
  }
  for (QPushButton* button : findChildren<QPushButton*>()) button->installEventFilter(this);
  for (QRadioButton* button : findChildren<QRadioButton*>()) button->installEventFilter(this);
  DATDataList->installEventFilter(this);
  connect(MenuSortFile, &QAction::triggered, this, &KelvaneMain::SortBtn_Click, kNow);
  connect(MenuExit, &QAction::triggered, this, &KelvaneMain::MenuExit_Click, kNow);
  connect(MenuAbout, &QAction::triggered, this, &KelvaneMain::MenuAbout_Click, kNow);
}

bool KelvaneMain::event(QEvent* event) {
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::WindowActivate) Form_Activate();
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
    case QEvent::WindowStateChange:
      ApplyPendingPlacement();
      break;
    default:
      break;
  }
  return handled;
}

void KelvaneMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  Form_Resize();
}

void KelvaneMain::Form_Activate() { ArrangeCoordFrames(); }

void KelvaneMain::Form_Resize() {
  // The layout works on the outer size, title bar and borders included, as far as the window system
  // has told them (nothing before the window is first shown).
  const QSize outer = frameGeometry().size();
  const QSize decorations = outer - size();
  ResizeInputs inputs;
  inputs.width = static_cast<float>(TwipsX(outer.width()));
  inputs.height = static_cast<float>(TwipsY(outer.height()));
  inputs.windowState = CurrentWindowState();
  inputs.twipsPerPixelX = static_cast<float>(services_.screen->TwipsPerPixelX());
  inputs.twipsPerPixelY = static_cast<float>(services_.screen->TwipsPerPixelY());
  inputs.sortOptionsFrmWidth = static_cast<float>(TwipsX(SortOptionsFrm->width()));
  inputs.sortBtnWidth = static_cast<float>(TwipsX(SortBtn->width()));
  const std::optional<ResizeLayout> layout = FormResizeLayout(inputs);
  if (!layout) return;  // minimised: the controls keep the last layout

  // The window system keeps the window at its minimum while the user drags; below it (a stored size
  // from a smaller screen) the window is enlarged here, and laid out at once for the enlarged size.
  const MinimumSize minimum = MinimumWindowSize(inputs.twipsPerPixelX, inputs.twipsPerPixelY);
  setMinimumSize(QSize(PixelsX(minimum.width), PixelsY(minimum.height)) - decorations);
  if (layout->Clamped(inputs)) resize(QSize(PixelsX(layout->width), PixelsY(layout->height)) - decorations);

  DATDataList->resize(PixelsX(layout->datDataListWidth), PixelsY(layout->datDataListHeight));
  SortBtn->move(PixelsX(layout->sortBtnLeft), SortBtn->y());
  SelectBtn->move(PixelsX(layout->selectBtnLeft), SelectBtn->y());
  SortOptionsFrm->move(PixelsX(layout->sortOptionsFrmLeft), SortOptionsFrm->y());
  KelvaneLogo->setGeometry(KelvaneLogo->x(), PixelsY(layout->kelvaneLogoTop),
                           PixelsX(layout->kelvaneLogoWidth), KelvaneLogo->height());
  // The banner is drawn whole: narrower than its own width, it shrinks instead of losing its end.
  const QPixmap banner(QString::fromLatin1(resources::kLogoBanner));
  KelvaneLogo->setPixmap(
      banner.width() <= KelvaneLogo->width()
          ? banner
          : banner.scaled(KelvaneLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
  SaveFileBtn->move(PixelsX(layout->saveFileBtnLeft), PixelsY(layout->saveFileBtnTop));
  BackupFilechk->move(PixelsX(layout->backupFilechkLeft), PixelsY(layout->backupFilechkTop));
}

settings::WindowState KelvaneMain::CurrentWindowState() const {
  if (isMinimized()) return settings::WindowState::kMinimised;
  if (isMaximized()) return settings::WindowState::kMaximised;
  return settings::WindowState::kNormal;
}

void KelvaneMain::MenuExit_Click() { close(); }

void KelvaneMain::MenuAbout_Click() { ShowAboutBox(this, *services_.screen); }

void KelvaneMain::ShowMessage(const QString& text, bool warning) {
  services_.messageBox->Show(this, QStringLiteral("Kelvane"), text,
                             warning ? platform::MessageIcon::kWarning : platform::MessageIcon::kNone);
}

}  // namespace kelvane::ui
