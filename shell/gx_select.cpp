#include "gx_select.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <functional>
#include <string>
#include <utility>

#include "gx_mazegame.h"
#include "gx_mazelist.h"
#include "qor_utils.h"
#include "qt_canvas.h"
#include "qt_control.h"

namespace {

constexpr TColor kFrameColor = 128;  // dark red
const QString kThumbPrefix = QStringLiteral("Maze");

}  // namespace

TMazeSelect::TMazeSelect(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("Select Maze"));
  // The thumbnails take no focus, so the dialog sees every key itself.
  setFocusPolicy(Qt::StrongFocus);
  resize(680, 441);
  FormCreate();
}

TMazeSelect::~TMazeSelect() = default;

void TMazeSelect::FormCreate() {
  defwh = ScaleToScreen(80);
  defdwh = ScaleToScreen(10);
}

// --- properties -----------------------------------------------------------------------------

void TMazeSelect::SetMazeList(TMazeList* l) {
  FMazeList = l;
  if (l) {
    for (int k = 0; k < l->Count(); ++k) {
      auto* image = new TQtImage(this);
      image->setObjectName(kThumbPrefix + QString::number(k));
      // Each thumbnail keeps its picture until the next layout draws it anew.
      image->SetFollowSize(false);
      image->setFocusPolicy(Qt::NoFocus);
      image->installEventFilter(this);
      image->show();
    }
  }
  laid_out_ = QSize();
  FormResize();
}

void TMazeSelect::SetMaze(TMaze* m) {
  FMaze = m;
  update();
}

TQtImage* TMazeSelect::Thumb(int k) const {
  return findChild<TQtImage*>(kThumbPrefix + QString::number(k), Qt::FindDirectChildrenOnly);
}

int TMazeSelect::IndexOfMaze() const {
  if (!FMazeList || !FMaze) return -1;
  return FMazeList->IndexOf(FMaze);
}

// --- layout and thumbnails ------------------------------------------------------------------

void TMazeSelect::FormResize() {
  if (!FMazeList) return;
  const int W = width();
  const int H = height();
  const int N = FMazeList->Count();
  const int pitch = defwh + defdwh;
  nw = (W - defdwh) / pitch;
  if (nw <= 0) nw = 1;
  nh = N / nw;
  if (nh * nw < N) ++nh;
  int b = (W - pitch * nw) / 2;
  if (b <= 0 || b > defdwh) b = defdwh;
  int c = (H - pitch * nh) / 2;
  if (c <= 0 || c > defdwh) c = defdwh;
  for (int e = 0; e < nh; ++e) {
    for (int f = 0; f < nw; ++f) {
      const int k = f + e * nw;
      if (k >= N) continue;
      TQtImage* image = Thumb(k);
      TMaze* maze = FMazeList->GetMaze(k);
      if (!image || !maze) continue;
      image->setGeometry(b + f * pitch, c + e * pitch, defwh, defwh);
      DrawThumb(*maze, *image);
    }
  }
  laid_out_ = size();
  update();
}

void TMazeSelect::DrawThumb(TMaze& maze, TQtImage& image) const {
  TQtCanvas& cv = image.Canvas();
  cv.SetSize(defwh, defwh, image.FillColor);
  // The mapping and the extent are written into the collection file: a thumbnail leaves them
  // as they were. A maze that was once current still points at the main window's picture,
  // which a thumbnail does not show: it fills its own background here.
  struct TKept {
    TMaze& m;
    tmat2d matrix;
    TDRect extent;
    const void* bkgrnd;
    ~TKept() {
      m.matrix = matrix;
      m.extent = extent;
      m.bkgrnd = bkgrnd;
    }
  } kept{maze, maze.matrix, maze.extent, maze.bkgrnd};
  maze.bkgrnd = nullptr;
  // One repaint for the whole thumbnail instead of one per drawing call.
  std::function<void()> changed = std::exchange(cv.OnChanged, nullptr);
  {
    TQtPaintScope scope(cv);
    const tmat2d m;
    maze.MapToViewport(TDRect{3, static_cast<double>(defwh - 4), 3, static_cast<double>(defwh - 4)},
                       true, false);
    maze.Draw(image, cv, m, 0, false, false, false);
  }
  cv.OnChanged = std::move(changed);
  image.update();
}

QRect TMazeSelect::FrameBounds() const {
  const TQtImage* image = Thumb(IndexOfMaze());
  return image ? image->geometry() : QRect();
}

void TMazeSelect::paintEvent(QPaintEvent*) {
  if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
  canvas_.fill(palette().color(QPalette::Window));
  const QRect r = FrameBounds();
  if (!r.isEmpty()) {
    TQtCanvas cv(canvas_);
    cv.Pen.Color = kFrameColor;
    cv.Pen.Width = 2;
    cv.Pen.Style = TPenStyle::psSolid;
    cv.Pen.Mode = TPenMode::pmCopy;
    cv.Brush.Style = bsClear;
    cv.Rectangle(r.left() - 2, r.top() - 2, r.left() + r.width() + 2, r.top() + r.height() + 2);
  }
  QPainter p(this);
  p.drawImage(0, 0, canvas_);
}

void TMazeSelect::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  // Showing delivers the size the list was laid out for once more: no need to draw again.
  if (size() != laid_out_) FormResize();
}

void TMazeSelect::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (centred_) return;
  centred_ = true;
  CentreOnScreen(*this);
}

// --- keys and clicks ------------------------------------------------------------------------

namespace {
bool IsDialogKey(int key) {
  switch (key) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}
}  // namespace

void TMazeSelect::keyPressEvent(QKeyEvent* event) {
  // The dialog acts when a key is let go; Esc going down must not cancel at once.
  if (IsDialogKey(event->key())) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void TMazeSelect::keyReleaseEvent(QKeyEvent* event) {
  // A held key repeats its press, not its release: one step per key stroke.
  if (event->isAutoRepeat()) {
    event->accept();
    return;
  }
  FormKeyUp(event->key());
  event->accept();
}

void TMazeSelect::FormKeyUp(int key) {
  if (!FMazeList) return;
  int k = IndexOfMaze();
  switch (key) {
    case Qt::Key_Escape:
      reject();
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      accept();
      break;
    case Qt::Key_Left:
      k = k - 1;
      break;
    case Qt::Key_Right:
      k = k + 1;
      break;
    case Qt::Key_Down:
      k = k + nw;
      break;
    case Qt::Key_Up:
      k = k - nw;
      break;
    default:
      break;
  }
  if (k >= 0 && k < FMazeList->Count()) SetMaze(FMazeList->GetMaze(k));
}

void TMazeSelect::ThumbClick(QObject* Sender) {
  auto* image = qobject_cast<TQtImage*>(Sender);
  if (!image || !FMazeList) return;
  const QString name = image->objectName();
  if (!name.startsWith(kThumbPrefix)) return;
  bool ok = false;
  const int k = name.mid(kThumbPrefix.size()).toInt(&ok);
  TMaze* maze = ok ? FMazeList->GetMaze(k) : nullptr;
  if (!maze) return;
  FMaze = maze;
  accept();
}

bool TMazeSelect::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* me = static_cast<QMouseEvent*>(event);
    const auto* w = qobject_cast<QWidget*>(watched);
    if (me->button() == Qt::LeftButton && w && w->rect().contains(me->position().toPoint())) {
      ThumbClick(watched);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
