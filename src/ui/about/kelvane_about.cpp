#include "ui/about/kelvane_about.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "kelvane/version.h"
#include "platform/dialogs/screen_metrics.h"
#include "ui/about/about_box_position.h"
#include "ui/about/about_logo.h"

namespace kelvane::ui {
namespace {

// Geometry of the box in twips: the inner area, then Left, Top, Width, Height of each control.
constexpr double kClientWidth = 5985;
constexpr double kClientHeight = 1650;

struct TwipsRect {
  double left, top, width, height;
};
constexpr TwipsRect kLogoRect{60, 60, 1575, 1515};
constexpr TwipsRect kIconRect{5040, 420, 480, 480};
constexpr std::array<TwipsRect, 4> kTextRects{{
    {1740, 60, 3015, 255},    // product name
    {1740, 300, 3015, 615},   // description, over several lines
    {1740, 960, 3015, 255},   // version
    {1740, 1320, 4095, 255},  // credits
}};

constexpr const char* kDescription =
    "A utility for sorting the elements in an LDraw .DAT file by color, part number or X-Y-Z coordinates.";
constexpr const char* kCredits = "\u00a9 2026 The Kelvane project";

// The labels use a small dialog font, like the box's classic 8.25 point face, so the texts fit the
// box's fixed size.
constexpr double kLabelPointSize = 8.25;

QRect ToPixels(const TwipsRect& rect, const platform::ScreenMetrics& screen) {
  const double tx = screen.TwipsPerPixelX();
  const double ty = screen.TwipsPerPixelY();
  return QRect(platform::TwipsToPixels(rect.left, tx), platform::TwipsToPixels(rect.top, ty),
               platform::TwipsToPixels(rect.width, tx), platform::TwipsToPixels(rect.height, ty));
}

QIcon ProgramIcon(const QWidget* owner) {
  if (owner && !owner->windowIcon().isNull()) return owner->windowIcon();
  return QApplication::windowIcon();
}

bool IsLeftClickRelease(const QEvent* event, const QWidget* widget) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
}

bool IsMouseEvent(const QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

}  // namespace

Kelvane_About::Kelvane_About(QWidget* owner, const platform::ScreenMetrics& screen)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("Kelvane_About"));
  setWindowTitle(QStringLiteral("About Kelvane"));
  setAccessibleName(QStringLiteral("About Kelvane"));
  setAccessibleDescription(QStringLiteral("Click anywhere to close."));
  setWindowIcon(ProgramIcon(owner));
  setFixedSize(platform::TwipsToPixels(kClientWidth, screen.TwipsPerPixelX()),
               platform::TwipsToPixels(kClientHeight, screen.TwipsPerPixelY()));
  QFont labelFont = font();
  labelFont.setPointSizeF(kLabelPointSize);
  setFont(labelFont);
  CreateControls(screen);
  Form_Load(screen);
}

void Kelvane_About::CreateControls(const platform::ScreenMetrics& screen) {
  QORNLogo = new QLabel(this);
  QORNLogo->setObjectName(QStringLiteral("QORNLogo"));
  QORNLogo->setGeometry(ToPixels(kLogoRect, screen));
  QORNLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // natural size from the corner, clipped by the box
  QORNLogo->setPixmap(QPixmap::fromImage(PaintAboutLogo()));
  QORNLogo->setAccessibleName(QStringLiteral("Kelvane logo"));
  QORNLogo->setAccessibleDescription(QStringLiteral("A pile of bricks sorted by length"));
  QORNLogo->installEventFilter(this);

  IconImage = new QLabel(this);
  IconImage->setObjectName(QStringLiteral("IconImage"));
  IconImage->setGeometry(ToPixels(kIconRect, screen));
  IconImage->setPixmap(windowIcon().pixmap(IconImage->size()));
  IconImage->setAccessibleName(QStringLiteral("Kelvane icon"));
  IconImage->installEventFilter(this);

  const std::array<QString, 4> texts{QStringLiteral("Kelvane"), QString::fromUtf8(kDescription),
                                     QStringLiteral("Version"), QString::fromUtf8(kCredits)};
  for (std::size_t i = 0; i < AboutText.size(); ++i) {
    QLabel* label = new QLabel(texts[i], this);
    label->setObjectName(QStringLiteral("AboutText(%1)").arg(i));
    label->setGeometry(ToPixels(kTextRects[i], screen));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAccessibleName(texts[i]);
    label->installEventFilter(this);
    AboutText[i] = label;
  }
  AboutText[1]->setWordWrap(true);
  QFont nameFont = AboutText[0]->font();
  nameFont.setBold(true);
  AboutText[0]->setFont(nameFont);
}

// Made anew for every showing, so every showing places the box over where the owner is now.
void Kelvane_About::Form_Load(const platform::ScreenMetrics& screen) {
  const double tx = screen.TwipsPerPixelX();
  const double ty = screen.TwipsPerPixelY();
  if (const QWidget* owner = parentWidget()) {
    // The box is not on the screen yet, so its title bar and borders are taken to be the owner's.
    const QRect ownerFrame = owner->frameGeometry();
    const QSize decoration = ownerFrame.size() - owner->geometry().size();
    const QSize outer = size() + decoration;
    const TwipsBounds ownerBounds{
        static_cast<float>(ownerFrame.x() * tx), static_cast<float>(ownerFrame.y() * ty),
        static_cast<float>(ownerFrame.width() * tx), static_cast<float>(ownerFrame.height() * ty)};
    if (const auto position = AboutBoxPosition(ownerBounds, static_cast<float>(outer.width() * tx),
                                               static_cast<float>(outer.height() * ty))) {
      move(platform::TwipsToPixels(position->left, tx), platform::TwipsToPixels(position->top, ty));
    }
  }
  const QString version = QString::fromStdString(VersionLine(kVersionMajor, kVersionMinor, kVersionPatch));
  AboutText[2]->setText(version);
  AboutText[2]->setAccessibleName(version);
}

void Kelvane_About::mousePressEvent(QMouseEvent* event) {
  surfacePressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void Kelvane_About::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      surfacePressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  surfacePressed_ = false;
  event->accept();
  if (click) Form_Click();
}

void Kelvane_About::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  // Only a box that had the focus can lose it; a box that never got it waits for a click.
  if (isActiveWindow()) {
    hasBeenActive_ = true;
  } else if (hasBeenActive_ && isVisible()) {
    Form_LostFocus();
  }
}

bool Kelvane_About::eventFilter(QObject* watched, QEvent* event) {
  // The icon takes its clicks without passing them on to the surface, which would close the box.
  if (watched == IconImage) return IsMouseEvent(event);
  if (watched == QORNLogo && IsLeftClickRelease(event, QORNLogo)) {
    QORNLogo_Click();
    return true;
  }
  for (std::size_t i = 0; i < AboutText.size(); ++i) {
    if (watched == AboutText[i] && IsLeftClickRelease(event, AboutText[i])) {
      AboutText_Click(static_cast<int>(i));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void Kelvane_About::Form_Click() { close(); }
void Kelvane_About::AboutText_Click(int /*index*/) { close(); }
void Kelvane_About::QORNLogo_Click() { close(); }
void Kelvane_About::Form_LostFocus() { close(); }

void ShowAboutBox(QWidget* owner, const platform::ScreenMetrics& screen) {
  Kelvane_About box(owner, screen);
  box.exec();
}

void ShowAboutBox(QWidget* owner) { ShowAboutBox(owner, platform::QtScreenMetrics()); }

}  // namespace kelvane::ui
