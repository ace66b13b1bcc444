#include "gx_edit.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValidator>

#include "gx_colorbox.h"
#include "gx_edithistory.h"
#include "gx_editicons.h"
#include "gx_playfield.h"
#include "gx_rotate.h"
#include "gx_rotframe.h"
#include "gx_scale.h"
#include "gx_scaleframe.h"
#include "gx_trans.h"
#include "gx_transframe.h"

namespace {

constexpr int kColumnWidth = 220;
constexpr int kNoIcon = -1;

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Puts the flag back whatever happens.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~TFlagScope() { flag_ = before_; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& flag_;
  bool before_;
};

// A number field of the editor's own: Enter takes the typed value, and the window stays open
// (a spin box passes Enter on to the dialog, whose default button is Ok).
class TEnterSpinBox : public QDoubleSpinBox {
 protected:
  void keyPressEvent(QKeyEvent* e) override {
    QDoubleSpinBox::keyPressEvent(e);
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) e->accept();
  }
};

// The name field takes only what the collection file can hold, so that what the designer sees
// is what is saved; a refused key or paste leaves the text as it was.
class TFileNameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return TEditDocument::NameFitsFile(input.toStdString()) ? Acceptable : Invalid;
  }
};

constexpr const char* kNameHint =
    "The collection file holds Western European letters only (Windows-1252)";

}  // namespace

TEditMaze::TEditMaze(TDialogService& dialogs, TModalService& modals, QWidget* parent)
    : QDialog(parent),
      doc_(std::make_unique<TEditDocument>(dialogs)),
      history_(std::make_unique<TEditHistory>(*doc_)),
      modals_(modals) {
  doc_->SetStepObserver(history_.get());
  setObjectName(QStringLiteral("EditMaze"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  setSizeGripEnabled(false);

  PlayField = new TEditPlayField(this);
  PlayField->setObjectName(QStringLiteral("PlayField"));
  PlayField->SetDocument(doc_.get());
  PlayField->OnResized = [this] { doc_->Redraw(); };

  BuildMenus();
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(6);
  layout->setMenuBar(MainMenu);
  layout->addWidget(BuildColumn());
  layout->addWidget(PlayField, 1);

  doc_->SetSurface(PlayField);
  doc_->AddListener(this);
  EditChanged(~0u);

  // Maximised; without a window manager that only takes effect with the screen's size.
  if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
  qApp->installEventFilter(this);
}

TEditMaze::~TEditMaze() {
  qApp->removeEventFilter(this);
  EnsureClosed();
  doc_->RemoveListener(this);
  doc_->SetSurface(nullptr);
  PlayField->SetDocument(nullptr);
  PlayField->OnResized = nullptr;
  doc_->SetStepObserver(nullptr);
  // The widgets go now, while the document still exists: a field losing the focus on its way
  // out signals an edit, which is ignored.
  syncing_ = true;
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TEditMaze::SetTestPlayService(TTestPlayService* s) {
  doc_->SetTestPlayService(s);
  mmTestPlay->setEnabled(s != nullptr);
}

void TEditMaze::EnsureClosed() {
  if (!doc_->Closed()) doc_->Abandon();
  history_->Clear();
}

void TEditMaze::SetMazeList(TMazeList* l) {
  history_->Clear();
  doc_->SetMazeList(l);
}

// --- building -------------------------------------------------------------------------------

QAction* TEditMaze::Action(const char* caption, const char* shortcut, int icon, bool checkable,
                           void (TEditDocument::*command)()) {
  auto* a = new QAction(QString::fromUtf8(caption), this);
  if (shortcut) a->setShortcut(QKeySequence(QString::fromUtf8(shortcut)));
  if (icon != kNoIcon) a->setIcon(ToolIcon(icon));
  a->setCheckable(checkable);
  if (command) {
    connect(a, &QAction::triggered, this, [this, command] {
      if (syncing_) return;
      (doc_.get()->*command)();
      // A checkable action toggled itself; the document says what it shows now.
      TFlagScope scope(syncing_);
      SyncTools();
    });
  }
  return a;
}

QToolButton* TEditMaze::Tool(QAction* action, const char* hint) {
  action->setToolTip(QString::fromUtf8(hint));
  auto* b = new QToolButton;
  b->setDefaultAction(action);
  b->setAutoRaise(true);
  b->setIconSize(QSize(16, 16));
  b->setFixedSize(26, 26);
  return b;
}

void TEditMaze::BuildMenus() {
  using D = TEditDocument;
  MainMenu = new QMenuBar(this);
  MainMenu->setNativeMenuBar(false);

  QMenu* maze = MainMenu->addMenu(QStringLiteral("&Maze"));
  New1 = Action("New", "Ctrl+N", ti_NewMaze, false, &D::sNewMazeClick);
  mmImport = Action("&Import", "F3", kNoIcon, false, &D::mmImportClick);
  mmExport = Action("&Export", "F2", kNoIcon, false, &D::mmExportClick);
  mmDelete = Action("Delete", "Ctrl+Shift+Del", kNoIcon, false, &D::mmDeleteClick);
  mmExit = Action("E&xit", "Alt+X", kNoIcon, false, nullptr);
  connect(mmExit, &QAction::triggered, this, &QDialog::accept);
  maze->addActions({New1, mmImport, mmExport, mmDelete});
  maze->addSeparator();
  mmTestPlay = Action("&Test Play", "F5", ti_TestPlay, false, &D::TestPlayClick);
  mmTestPlay->setEnabled(false);  // until a service is set
  maze->addAction(mmTestPlay);
  maze->addSeparator();
  maze->addAction(mmExit);

  QMenu* edit = MainMenu->addMenu(QStringLiteral("&Edit"));
  // The stack's own actions: "Undo <step>" / "Redo <step>", disabled when there is none.
  mmUndo = history_->Stack().createUndoAction(this, QStringLiteral("&Undo"));
  mmUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  // R is Rotate's letter in this menu.
  mmRedo = history_->Stack().createRedoAction(this, QStringLiteral("R&edo"));
  mmRedo->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  edit->addActions({mmUndo, mmRedo});
  edit->addSeparator();
  mmNewPol = Action("&New Polygon", "Ins", ti_NewPolygon, true, &D::sPolClick);
  mmNewGear = Action("New &Gear", "Shift+Ins", ti_NewGear, true, &D::sGearClick);
  mmNewBall = Action("New &Ball", "Ctrl+Shift+Ins", ti_NewBall, true, &D::sBallClick);
  mmInsertPoint = Action("&Insert Point", "Ctrl+P", ti_InsertPoint, false, &D::sInsPointClick);
  mmLanding = Action("&Landing", "Ctrl+L", ti_Landing, true, &D::sLandClick);
  mmDeletePoint = Action("&Delete Point", "Del", kNoIcon, false, nullptr);
  connect(mmDeletePoint, &QAction::triggered, this, [this] {
    if (!syncing_) doc_->DeleteSelection(false);
  });
  mmDeletePolygon = Action("Delete &Polygon", "Shift+Del", kNoIcon, false, nullptr);
  connect(mmDeletePolygon, &QAction::triggered, this, [this] {
    if (!syncing_) doc_->DeleteSelection(true);
  });
  // Not Ctrl+Shift+Del, which deletes the maze.
  mmClearBalls = Action("&Clear Balls", "Ctrl+Shift+B", ti_ClearBalls, false, &D::sdelballsClick);
  mmDrag = Action("&Drag", "Ctrl+D", ti_MovePoint, true, &D::mmDragClick);
  mmSize = Action("&Size", "Ctrl+S", ti_Resize, true, &D::mmSizeClick);
  mmRotate = Action("&Rotate", "Ctrl+R", ti_Rotate, true, &D::mmRotateClick);
  auto* drag = new QActionGroup(this);
  drag->setExclusive(true);
  for (QAction* a : {mmDrag, mmSize, mmRotate}) drag->addAction(a);
  edit->addActions({mmNewPol, mmNewGear, mmNewBall, mmInsertPoint, mmLanding});
  edit->addSeparator();
  edit->addActions({mmDeletePoint, mmDeletePolygon, mmClearBalls});
  edit->addSeparator();
  edit->addActions({mmDrag, mmSize, mmRotate});
  mmGrid = Action("Snap &to Grid", "Ctrl+G", kNoIcon, true, &D::mmGridClick);
  edit->addSeparator();
  edit->addAction(mmGrid);

  BuildViewMenu();

  QMenu* animate = MainMenu->addMenu(QStringLiteral("&Animate"));
  mmAutoTrans = Action("Auto &Move", nullptr, ti_AutoTranslate, true, &D::sAutoTransClick);
  mmAutoSize = Action("Auto &Size", nullptr, ti_AutoSize, true, &D::sAutoSizeClick);
  mmAutoRot = Action("Auto &Rotate", nullptr, ti_AutoRotate, true, &D::sAutoRotClick);
  animate->addActions({mmAutoTrans, mmAutoSize, mmAutoRot});
}

QWidget* TEditMaze::BuildColumn() {
  auto* column = new QWidget(this);
  column->setFixedWidth(kColumnWidth);
  auto* v = new QVBoxLayout(column);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(3);
  const auto label = [v](const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text));
    v->addWidget(l);
    return l;
  };

  label("Maze");
  MazeCombo = new QComboBox;
  MazeCombo->setObjectName(QStringLiteral("MazeCombo"));
  v->addWidget(MazeCombo);
  connect(MazeCombo, &QComboBox::activated, this, [this](int i) {
    if (!syncing_) doc_->MazeComboSelect(i);
  });

  label("Name");
  eMazename = new QLineEdit;
  eMazename->setObjectName(QStringLiteral("eMazename"));
  v->addWidget(eMazename);
  connect(eMazename, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (!syncing_) doc_->eMazenameChange(t.toStdString());
  });
  eMazename->setValidator(new TFileNameValidator(eMazename));
  connect(eMazename, &QLineEdit::inputRejected, this, [this] {
    QToolTip::showText(eMazename->mapToGlobal(QPoint(0, eMazename->height())),
                       QString::fromUtf8(kNameHint), eMazename);
  });
  connect(eMazename, &QLineEdit::editingFinished, this, [this] {
    if (!syncing_) doc_->eMazenameExit(eMazename->text().toStdString());
  });

  const auto colorBox = [&](const char* caption, TColor def, TColor swatch,
                            void (TEditDocument::*change)(TColor)) {
    if (caption) label(caption);
    auto* box = new TColorBox(def, swatch, modals_);
    connect(box, &TColorBox::ColorPicked, this, [this, change](TColor c) {
      if (!syncing_) (doc_.get()->*change)(c);
    });
    return box;
  };
  cbackground = colorBox("background", kBackgroundDefault, kBackgroundDefault,
                         &TEditDocument::cbackgroundChange);
  cbackground->setObjectName(QStringLiteral("cbackground"));
  v->addWidget(cbackground);
  cline = colorBox("Line", kLineDefault, kLineDefault, &TEditDocument::clineChange);
  cline->setObjectName(QStringLiteral("cline"));
  v->addWidget(cline);
  auto* fill = new QHBoxLayout;
  cbFill = new QCheckBox(QStringLiteral("Fill"));
  cbFill->setObjectName(QStringLiteral("cbFill"));
  connect(cbFill, &QCheckBox::clicked, this, [this](bool on) {
    if (!syncing_) doc_->cbFillClick(on);
  });
  constexpr TColor kTeal = 0x808000;
  cFill = colorBox(nullptr, kFillDefault, kTeal, &TEditDocument::cFillChange);
  cFill->setObjectName(QStringLiteral("cFill"));
  fill->addWidget(cbFill);
  fill->addWidget(cFill, 1);
  v->addLayout(fill);
  cLand = colorBox("Landing", kLandDefault, kLandDefault, &TEditDocument::cLandChange);
  cLand->setObjectName(QStringLiteral("cLand"));
  v->addWidget(cLand);

  label("Linewidth");
  lwidth = new QSpinBox;
  lwidth->setObjectName(QStringLiteral("lwidth"));
  lwidth->setRange(TEditDocument::kMinLineWidth, TEditDocument::kMaxLineWidth);
  lwidth->setKeyboardTracking(false);  // a typed number counts when the field is left
  v->addWidget(lwidth);
  connect(lwidth, &QSpinBox::valueChanged, this, [this](int n) {
    if (!syncing_) doc_->lwidthChange(n);
  });

  eHarmless = new QCheckBox(QStringLiteral("Harmless"));
  eHarmless->setObjectName(QStringLiteral("eHarmless"));
  eHarmless->setToolTip(QStringLiteral("If true, rocket will not crash"));
  v->addWidget(eHarmless);
  connect(eHarmless, &QCheckBox::clicked, this, [this](bool on) {
    if (!syncing_) doc_->eHarmlessClick(on);
  });

  auto* tools = new QGridLayout;
  tools->setSpacing(1);
  sNewMaze = Tool(New1, "New Maze");
  sPol = Tool(mmNewPol, "New polygon");
  sGear = Tool(mmNewGear, "New gear");
  sBall = Tool(mmNewBall, "New Ball");
  sInsPoint = Tool(mmInsertPoint, "Insert Point");
  sLand = Tool(mmLanding, "Landing");
  sdelballs = Tool(mmClearBalls, "Clear Ball List");
  sTrans = Tool(mmDrag, "Move point (+Shift=polygon)");
  sSize = Tool(mmSize, "Resize polygon");
  sRot = Tool(mmRotate, "Rotate polygon");
  sAutoTrans = Tool(mmAutoTrans, "Auto translate");
  sAutoSize = Tool(mmAutoSize, "Auto size");
  sAutoRot = Tool(mmAutoRot, "Auto Rotate");
  sTestPlay = Tool(mmTestPlay, "Test play (F5)");
  const std::array<QToolButton*, 7> row1 = {sNewMaze,  sPol,  sGear,    sBall,
                                            sInsPoint, sLand, sdelballs};
  const std::array<QToolButton*, 7> row2 = {sTrans,    sSize,    sRot,     sAutoTrans,
                                            sAutoSize, sAutoRot, sTestPlay};
  for (std::size_t i = 0; i < row1.size(); ++i) tools->addWidget(row1[i], 0, static_cast<int>(i));
  for (std::size_t i = 0; i < row2.size(); ++i) tools->addWidget(row2[i], 1, static_cast<int>(i));
  tools->setColumnStretch(7, 1);
  v->addLayout(tools);

  const char* const vertices_hint = "The number of vertices of a new polygon";
  label("Number of vertices")->setToolTip(QString::fromUtf8(vertices_hint));
  ePolN = new QSpinBox;
  ePolN->setObjectName(QStringLiteral("ePolN"));
  ePolN->setRange(TEditDocument::kMinCorners, TEditDocument::kMaxCorners);
  ePolN->setKeyboardTracking(false);
  ePolN->setToolTip(QString::fromUtf8(vertices_hint));
  v->addWidget(ePolN);
  connect(ePolN, &QSpinBox::valueChanged, this, [this](int n) {
    if (!syncing_) doc_->ePolNChange(n);
  });

  label("Grid step")->setToolTip(QStringLiteral("The step of the snapping grid, in model units"));
  eGridStep = new TEnterSpinBox;
  eGridStep->setObjectName(QStringLiteral("eGridStep"));
  eGridStep->setRange(TEditDocument::kMinGridStep, TEditDocument::kMaxGridStep);
  eGridStep->setDecimals(2);
  eGridStep->setSingleStep(0.05);
  eGridStep->setKeyboardTracking(false);
  eGridStep->setLocale(QLocale::c());  // the point, as everywhere in the editor
  eGridStep->setToolTip(QStringLiteral("The step of the snapping grid (Edit, Snap to Grid)"));
  v->addWidget(eGridStep);
  connect(eGridStep, &QDoubleSpinBox::valueChanged, this, [this](double step) {
    if (!syncing_) doc_->SetGridStep(step);
  });

  lZoom = label("");
  lZoom->setObjectName(QStringLiteral("lZoom"));
  lZoom->setToolTip(QStringLiteral("The zoom (View menu, the wheel; pan with the middle button)"));

  TrafTab = new QTabWidget;
  TrafTab->setObjectName(QStringLiteral("TrafTab"));
  TrafTab->setMinimumHeight(130);
  TrafTab->setIconSize(QSize(16, 16));
  v->addWidget(TrafTab);
  connect(TrafTab, &QTabWidget::currentChanged, this, [this](int i) {
    if (!syncing_) doc_->TrafTabChange(i);
  });

  for (const char* help :
       {"PgUp, PgDn  changes polygon order", "Click to select points or balls",
        "Del to delete current point or ball", "Shift-Del to delete current polygon"}) {
    auto* l = label(help);
    l->setWordWrap(true);
  }
  v->addStretch(1);
  bok = new QPushButton(QStringLiteral("&Ok"));
  bok->setObjectName(QStringLiteral("bok"));
  bok->setDefault(true);
  v->addWidget(bok);
  connect(bok, &QPushButton::clicked, this, &QDialog::accept);
  return column;
}

QWidget* TEditMaze::TrafPage(int i) const {
  return TrafTab->widget(i);
}

TAniFrame* TEditMaze::TrafFrame() const {
  return frame_;
}

// --- from the document ------------------------------------------------------------------------

void TEditMaze::EditChanged(TEditAspects what) {
  TFlagScope scope(syncing_);
  if (what & ea_MazeList) SyncMazeList();
  if (what & ea_MazeShown) {
    MazeCombo->setCurrentIndex(doc_->MazeComboIndex());
    if (eMazename->text() != Q(doc_->MazeNameText())) eMazename->setText(Q(doc_->MazeNameText()));
  }
  if (what & ea_Caption) setWindowTitle(Q(doc_->Caption()));
  if (what & ea_Controls) SyncControls();
  if (what & (ea_Tools | ea_Selection)) SyncTools();
  if (what & ea_TrafTabs) SyncTrafTabs();
  if (what & (ea_View | ea_Redraw)) SyncZoom();
  if (what & (ea_Tools | ea_Selection | ea_Redraw)) PlayField->RefreshCursor();
}

void TEditMaze::SyncMazeList() {
  MazeCombo->clear();
  for (const TMazeComboItem& item : doc_->MazeComboItems()) MazeCombo->addItem(Q(item.name));
  MazeCombo->setCurrentIndex(doc_->MazeComboIndex());
}

void TEditMaze::SyncControls() {
  const TEditControls& c = doc_->Controls();
  cbackground->SetSelected(c.cbackground);
  cline->SetSelected(c.cline);
  cbFill->setChecked(c.cbFill);
  cFill->SetSelected(c.cFill);
  cFill->setEnabled(c.cbFill);
  cLand->SetSelected(c.cLand);
  lwidth->setValue(c.lwidth);
  eHarmless->setChecked(c.eHarmless);
  ePolN->setValue(c.ePolN);
  eGridStep->setValue(doc_->GridStep());
}

void TEditMaze::SyncTools() {
  const std::pair<QAction*, TEditTool> tools[] = {
      {mmNewPol, TEditTool::sPol},          {mmNewGear, TEditTool::sGear},
      {mmNewBall, TEditTool::sBall},        {mmLanding, TEditTool::sLand},
      {mmAutoTrans, TEditTool::sAutoTrans}, {mmAutoSize, TEditTool::sAutoSize},
      {mmAutoRot, TEditTool::sAutoRot},     {mmDrag, TEditTool::sTrans},
      {mmSize, TEditTool::sSize},           {mmRotate, TEditTool::sRot},
  };
  for (const auto& [action, tool] : tools) action->setChecked(doc_->ToolDown(tool));
  mmGrid->setChecked(doc_->GridOn());
}

void TEditMaze::SyncTrafTabs() {
  const int n = doc_->TrafTabCount();
  bool same = TrafTab->count() == n;
  for (int i = 0; same && i < n; ++i) {
    same = TrafTab->widget(i)->property("traf").value<void*>() == doc_->TrafTabTraf(i);
  }
  if (!same) {
    delete frame_;  // with its page, before the tab strip lets go of it
    while (TrafTab->count() > 0) {
      QWidget* page = TrafTab->widget(0);
      TrafTab->removeTab(0);
      delete page;
    }
    for (int i = 0; i < n; ++i) {
      // The panel the tab's frame goes into.
      auto* page = new QWidget;
      page->setProperty("traf", QVariant::fromValue<void*>(doc_->TrafTabTraf(i)));
      const int icon = doc_->TrafTabIcon(i);
      TrafTab->addTab(page, icon >= 0 ? ToolIcon(icon) : QIcon(), QString());
    }
  }
  if (n > 0) TrafTab->setCurrentIndex(doc_->TrafTabIndex());
  TrafTab->setVisible(n > 0);
  TrafTabChange(!same);
}

void TEditMaze::TrafTabChange(bool rebuilt) {
  TTransform* t = doc_->SelectedTraf();
  QWidget* page = t ? TrafTab->widget(doc_->TrafTabIndex()) : nullptr;
  if (frame_ && (rebuilt || frame_->Traf() != t || frame_->parentWidget() != page)) {
    delete frame_;
  }
  if (!page) return;
  auto* rot = dynamic_cast<TRotate*>(t);
  auto* scale = dynamic_cast<TScale*>(t);
  auto* trans = dynamic_cast<TTrans*>(t);
  if (!frame_) {
    if (rot) {
      frame_ = new TRotFrame(*doc_, modals_, page);
    } else if (scale) {
      frame_ = new TScaleFrame(*doc_, modals_, page);
    } else if (trans) {
      frame_ = new TTransFrame(*doc_, modals_, page);
    } else {
      return;
    }
    frame_->OnChange = [this](QObject*) { doc_->TrafChanged(); };
    frame_->move(0, 0);
    frame_->show();
  }
  frame_->SetMaze(doc_->Maze());
  frame_->SetPolygon(doc_->Polygon());
  if (rot) static_cast<TRotFrame*>(frame_.data())->SetRot(rot);
  if (scale) static_cast<TScaleFrame*>(frame_.data())->SetScale(scale);
  if (trans) static_cast<TTransFrame*>(frame_.data())->SetTrans(trans);
}

// --- keys and closing ---------------------------------------------------------------------------

bool TEditMaze::FormKey(QWidget* target, int key, Qt::KeyboardModifiers mods) {
  // With Ctrl or Alt an arrow is the control's own (Alt+Down opens a drop-down list).
  if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  TEditKey k;
  switch (key) {
    case Qt::Key_PageUp:
      k = TEditKey::PgUp;
      break;
    case Qt::Key_PageDown:
      k = TEditKey::PgDn;
      break;
    case Qt::Key_Left:
      k = TEditKey::Left;
      break;
    case Qt::Key_Right:
      k = TEditKey::Right;
      break;
    case Qt::Key_Up:
      k = TEditKey::Up;
      break;
    case Qt::Key_Down:
      k = TEditKey::Down;
      break;
    default:
      return false;  // Del and Shift+Del are the Edit menu's shortcuts
  }
  // In a text or number field the keys edit the field, and the menu bar (after Esc from an
  // open menu, or a lone Alt) walks its menus with them. A key the field does not use (Up in
  // a line edit) travels on to the field's parents, so the focus decides, not the receiver.
  const auto in_field = [this](QWidget* w) {
    for (; w && w != this; w = w->parentWidget()) {
      if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
          qobject_cast<QMenuBar*>(w)) {
        return true;
      }
    }
    return false;
  };
  if (in_field(target) || in_field(QApplication::focusWidget())) return false;
  doc_->FormKeyDown(k, mods & Qt::ShiftModifier);
  return true;
}

bool TEditMaze::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+Z and the redo keys are the editor's in its text and number fields too: their typing
  // is in the editor's history, so the field's own undo would only get in its way.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    const auto* k = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(k->keyCombination());
    for (QAction* a : {mmUndo, mmRedo}) {
      if (a->shortcuts().contains(pressed)) return true;  // not taken: the shortcut runs
    }
  }
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() == this) {
      const auto* k = static_cast<QKeyEvent*>(event);
      if (FormKey(w, k->key(), k->modifiers())) return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TEditMaze::done(int r) {
  if (!doc_->CloseQuery(r == QDialog::Accepted)) return;  // the editor stays open
  // The history lasts while the editor is open (a Cancel's discard is no step of it).
  history_->Clear();
  QDialog::done(r);
}
