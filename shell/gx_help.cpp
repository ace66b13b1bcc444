#include "gx_help.h"

#include <QCoreApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShowEvent>
#include <filesystem>
#include <iterator>

#include "gx_dialogs.h"
#include "gx_mazelist.h"
#include "qt_control.h"

const char* const THelpForm::kPictureFilter =
    "All imagetypes|*.bmp;*.jpg;*.jpeg|Windows BMP files (*.bmp)|*.bmp|"
    "JPEG files (*.jpg, *.jpeg)|*.jpg;*.jpeg";

namespace {

constexpr int kWidth = 258;
constexpr int kHeight = 430;
constexpr int kHeadingX = 8;
constexpr int kActionX = 32;
constexpr int kKeyX = 128;
constexpr int kRowHeight = 18;

// One row of the key list: the action, and the key label's name with its design-time caption.
struct TKeyRow {
  const char* action;
  const char* label;
  const char* caption;
};

constexpr TKeyRow kMovementRows[] = {
    {"Thrust", "lThrust", "Left Control"}, {"Turn  Left", "lLeft", "Left"},
    {"Turn Right", "lRight", "Right"},     {"Freeze", "lFreeze", "Down"},
    {"Fire", "lShoot", "Up/Left Alt"},
};
constexpr TKeyRow kMazeRows[] = {
    {"Zoom out", "lZoomOut", "-"},     {"Zoom in", "lZoomIn", "+"},
    {"Edit maze", "lEdit", "E"},       {"Select Maze", "lSelect", "S"},
    {"Reset Game", "lReset", "Space"}, {"Clear score", "lClear", "C"},
    {"Exit", "lTerminate", "Escape"},
};

// The key label of each entry of the game's key table, in table order.
constexpr const char* kLabelOfEntry[] = {"lThrust",    "lFreeze",  "lLeft",  "lRight",
                                         "lTerminate", "lReset",   "lShoot", "lClear",
                                         "lZoomIn",    "lZoomOut", "lEdit",  "lSelect"};
static_assert(std::size(kLabelOfEntry) == GameKeys.size());

// The glyph of the picture button: a small landscape in a frame.
QIcon PictureGlyph() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.fillRect(1, 2, 14, 12, QColor(120, 180, 255));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 220, 0));
  p.drawEllipse(9, 3, 4, 4);
  p.setBrush(QColor(40, 150, 40));
  const QPoint hill[] = {{1, 13}, {5, 7}, {9, 11}, {11, 9}, {15, 13}};
  p.drawPolygon(hill, 5);
  p.setPen(QColor(60, 60, 60));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 1, 15, 13);
  return QIcon(pm);
}

// The glyph of the clear button: a red cross.
QIcon ClearGlyph() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(210, 0, 0), 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(4, 4, 12, 12);
  p.drawLine(12, 4, 4, 12);
  return QIcon(pm);
}

}  // namespace

THelpForm::THelpForm(TDialogService& dialogs, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      dialogs_(dialogs) {
  setFixedSize(kWidth, kHeight);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  pal.setColor(QPalette::WindowText, QColor(0, 255, 0));  // lime
  setPalette(pal);
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  setFont(font);

  int y = 8;
  auto heading = [&](const char* text) {
    QLabel* l = AddLabel(QString::fromLatin1(text), kHeadingX, y, kWidth - 2 * kHeadingX);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    y += kRowHeight + 2;
  };
  auto rows = [&](const auto& table) {
    for (const TKeyRow& r : table) {
      AddLabel(QString::fromLatin1(r.action), kActionX, y, kKeyX - kActionX - 4);
      AddLabel(QString::fromLatin1(r.caption), kKeyX, y, kWidth - kKeyX - 4, r.label);
      y += kRowHeight;
    }
    y += 8;
  };
  heading("Rocket movement:");
  rows(kMovementRows);
  heading("Maze manipulation:");
  rows(kMazeRows);
  heading("Maze background:");

  lbkgrnd = AddLabel(QStringLiteral("maze background picture"), kActionX, y + 4, 156, "lbkgrnd");
  bChgBg = new QPushButton(this);
  bChgBg->setObjectName(QStringLiteral("bChgBg"));
  bChgBg->setIcon(PictureGlyph());
  bChgBg->setToolTip(QStringLiteral("Change background style"));
  bChgBg->setGeometry(kActionX + 160, y, 26, 26);
  bClear = new QPushButton(this);
  bClear->setObjectName(QStringLiteral("bClear"));
  bClear->setIcon(ClearGlyph());
  bClear->setToolTip(QStringLiteral("Clear background picture"));
  bClear->setGeometry(kActionX + 190, y, 26, 26);
  for (QPushButton* b : {bChgBg, bClear}) b->setAutoDefault(false);
  connect(bChgBg, &QPushButton::clicked, this, [this] { bChgBgClick(); });
  connect(bClear, &QPushButton::clicked, this, [this] { bClearClick(); });

  bPlay = new QPushButton(QStringLiteral("&Play"), this);
  bPlay->setObjectName(QStringLiteral("bPlay"));
  QFont bold = bPlay->font();
  bold.setBold(true);
  bPlay->setFont(bold);
  bPlay->setDefault(true);
  bPlay->setGeometry((kWidth - 96) / 2, kHeight - 48, 96, 32);
  connect(bPlay, &QPushButton::clicked, this, &QDialog::accept);
  bPlay->setFocus();

  FormCreate();
  SetPicfn("");
}

QLabel* THelpForm::AddLabel(const QString& text, int x, int y, int width, const char* name) {
  auto* l = new QLabel(text, this);
  if (name) l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(x, y, width, kRowHeight);
  return l;
}

void THelpForm::FormCreate() {
  const std::string version =
      GetVersionString(QCoreApplication::applicationFilePath().toStdString(), "ProductVersion");
  setWindowTitle(QString::fromStdString("Gravonaut " + version));
  ShowKeys();
}

void THelpForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  CentreOnScreen(*this);
}

// --- keys -----------------------------------------------------------------------------------

std::string THelpForm::KeyName(int code) {
  if (code >= 'A' && code <= 'Z') return std::string(1, static_cast<char>(code));
  if (code >= 112 && code <= 123) return "F" + std::to_string(code - 111);
  if (code >= '0' && code <= '9') return std::string(1, static_cast<char>(code));
  if (code >= 96 && code <= 105) return "Num " + std::to_string(code - 96);
  switch (code) {
    case 8:
      return "Backspace";
    case 9:
      return "Tab";
    case 13:
      return "Enter";
    case 27:
      return "Esc";
    case 32:
      return "Space";
    case 33:
      return "PgUp";
    case 34:
      return "PgDn";
    case 35:
      return "End";
    case 36:
      return "Home";
    case 37:
      return "Left";
    case 38:
      return "Up";
    case 39:
      return "Right";
    case 40:
      return "Down";
    case 45:
      return "Ins";
    case 46:
      return "Del";
    case 106:
      return "Num *";
    case 107:
      return "+";
    case 109:
      return "-";
    case 110:
      return "Num .";
    case 111:
      return "Num /";
    case 160:
      return "Left Shift";
    case 161:
      return "Right Shift";
    case 162:
      return "Left Ctrl";
    case 163:
      return "Right Ctrl";
    case 164:
      return "Left Alt";
    case 165:
      return "Right Alt";
    case 186:
      return ";";
    case 188:
      return ",";
    case 190:
      return ".";
    case 191:
      return "/";
    case 192:
      return "`";
    case 219:
      return "[";
    case 220:
      return "\\";
    case 221:
      return "]";
    case 222:
      return "'";
    default:
      return "";
  }
}

std::string THelpForm::KeyText(const TKeyList& keys) {
  return JoinStr(KeyName(keys[0]), "/", KeyName(keys[1]));
}

void THelpForm::SetKeys(const TKeyBindings& keys) {
  keys_ = keys;
  ShowKeys();
}

void THelpForm::ShowKeys() {
  std::array<TKeyList, GameKeys.size()> table = GameKeys;
  for (int a = 0; a < kGameActionCount; ++a) {
    const auto action = static_cast<TGameAction>(a);
    table[GameKeyEntry(action)] = keys_[action];
  }
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (auto* l = findChild<QLabel*>(QString::fromLatin1(kLabelOfEntry[i]))) {
      l->setText(QString::fromStdString(KeyText(table[i])));
    }
  }
}

// --- the background picture -----------------------------------------------------------------

void THelpForm::SetPicfn(const std::string& v) {
  if (!v.empty()) {
    lbkgrnd->setText(QString::fromStdString(std::filesystem::path(v).filename().string()));
  } else {
    lbkgrnd->setText(QStringLiteral("Maze background color"));
  }
  Fpicfn = v;
  bClear->setVisible(!Fpicfn.empty());
}

void THelpForm::bChgBgClick() {
  TFileDialogOptions o;
  o.filter = kPictureFilter;
  o.filterIndex = 1;
  o.fileName = Fpicfn;
  o.mustExist = true;
  if (std::optional<std::string> name = dialogs_.OpenFile(o)) SetPicfn(*name);
}

void THelpForm::bClearClick() {
  SetPicfn("");
}
