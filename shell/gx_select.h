#pragma once
// TMazeSelect: the modal "Select Maze" dialog the main window opens with S.
//
// Every maze of the collection is shown as a square thumbnail in a grid (one image control
// per maze, named Maze0, Maze1, ... in collection order); the maze marked as selected has a
// dark red frame. A click on a thumbnail chooses that maze and closes the dialog with OK; the
// arrow keys move the frame, Enter closes with OK and Esc with Cancel, all on key release.
#include <QDialog>
#include <QImage>
#include <QSize>

class QObject;
class TMaze;
class TMazeList;
class TQtImage;

class TMazeSelect : public QDialog {
 public:
  explicit TMazeSelect(QWidget* owner = nullptr);
  ~TMazeSelect() override;
  TMazeSelect(const TMazeSelect&) = delete;
  TMazeSelect& operator=(const TMazeSelect&) = delete;

  TMazeList* MazeList() const { return FMazeList; }
  // Creates one thumbnail per maze of l (not owned), then lays out and draws the grid.
  void SetMazeList(TMazeList* l);
  TMaze* Maze() const { return FMaze; }
  // Marks m as selected (not owned) and repaints the frame.
  void SetMaze(TMaze* m);

  // The thumbnail of maze k, or null.
  TQtImage* Thumb(int k) const;

  // Lays out the grid for the client size and draws every thumbnail; nothing before MazeList
  // is set.
  void FormResize();
  // The keys, as on their release: Esc, Enter, and the four arrows (Qt key codes).
  void FormKeyUp(int key);
  // A click on a thumbnail: that maze becomes the selection and the dialog closes with OK.
  void ThumbClick(QObject* Sender);

  // The rectangle the selection frame is drawn around (the thumbnail's bounds), or an empty
  // one when the selected maze is not in the collection.
  QRect FrameBounds() const;

  int defwh = 0;   // side of a thumbnail in pixels
  int defdwh = 0;  // gap between thumbnails in pixels
  int nw = 0;      // columns
  int nh = 0;      // rows

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void DrawThumb(TMaze& maze, TQtImage& image) const;
  int IndexOfMaze() const;

  TMazeList* FMazeList = nullptr;
  TMaze* FMaze = nullptr;
  QSize laid_out_;  // the client size of the last layout
  bool centred_ = false;
  QImage canvas_;  // the dialog's own surface, where the frame is drawn
};
