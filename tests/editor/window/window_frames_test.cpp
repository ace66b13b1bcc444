// The animation frames in the transform tabs and the time-path dialog, driven with real mouse
// and key events: what each frame shows, what each edit changes and redraws, and that looking
// at a transform never changes it.
#include <QLabel>

#include "gx_aniframe.h"
#include "gx_editlinear.h"
#include "gx_rotframe.h"
#include "gx_scaleframe.h"
#include "gx_transframe.h"
#include "window_fixture.h"

namespace {

// Counts the pictures the document draws of the play field.
struct TRedrawCounter : TEditListener {
  void EditChanged(TEditAspects what) override {
    if (what & ea_Redraw) ++redraws;
  }
  int redraws = 0;
};

class FramesTest : public EditWindowTest {
 protected:
  void SetUp() override {
    EditWindowTest::SetUp();
    pol = Maze(0).GetPolygon(0);  // the square from (-1.2, -1.2) to (-0.8, -0.8)
    Doc().sAutoRotClick();
    Doc().sAutoSizeClick();
    Doc().sAutoTransClick();
    rot = pol->Rot();
    scale = pol->Scale();
    trans = pol->Trans();
    Doc().AddListener(&counter);
  }
  void TearDown() override {
    Doc().RemoveListener(&counter);
    EditWindowTest::TearDown();
  }
  // Shows tab i (0 rotation, 1 scale, 2 translation) as the player would pick it.
  TAniFrame* Show(int i) {
    editor->TrafTab->setCurrentIndex(i);
    return editor->TrafFrame();
  }
  TRotFrame* RotFrame() { return dynamic_cast<TRotFrame*>(Show(0)); }
  TScaleFrame* ScaleFrame() { return dynamic_cast<TScaleFrame*>(Show(1)); }
  TTransFrame* TransFrame() { return dynamic_cast<TTransFrame*>(Show(2)); }
  // Typed into a field as a player does: everything selected, then the keys.
  void TypeInto(QLineEdit* field, const char* text) {
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    QTest::keyClicks(field, QString::fromUtf8(text));
  }

  TPolygon* pol = nullptr;
  TRotate* rot = nullptr;
  TScale* scale = nullptr;
  TTrans* trans = nullptr;
  TRedrawCounter counter;
};

TEST_F(FramesTest, EachTabShowsItsFrameWithTheControlsCaptionsAndHints) {
  struct TControl {
    const char* name;
    const char* hint;
  };
  const std::vector<TControl> common = {{"sSinusoidal", "Sinusoidal timepath"},
                                        {"sLinear", "Linear timepath"},
                                        {"sEdit", "Edit linear timepath"}};
  struct TFrameCase {
    int tab;
    const char* caption;
    std::vector<TControl> controls;
    std::vector<const char*> labels;
  };
  const TFrameCase frames[] = {
      {0,
       "Rot period",
       {{"AniRPeriod", "Period of full circle or swing"},
        {"ud_AniRPeriod", "in- or decrease period"},
        {"bRCenter", "Set rotation center"},
        {"cb_rotdir", "direction of rotation"},
        {"eSwing", "If true, oscillate between angle a1 and a2"},
        {"ea1", "oscillation angle 1"},
        {"ea2", "oscillation angle 2"}},
       {"a1", "a2", "\xC2\xB0", "[s]"}},
      {1,
       "Scale period",
       {{"aniSPeriod", "Period of one oscillation"},
        {"ud_aniSPeriod", "in- or decrease the oscillation period"},
        {"bSCenter", "Set scaling center to center of polygon"},
        {"eSx1", ""},
        {"eSy1", ""},
        {"eSx2", ""},
        {"eSy2", ""}},
       {"sx1", "sy1", "sx2", "sy2", "[s]"}},
      {2,
       "Trans period",
       {{"aniTPeriod", "Period of one oscillation"},
        {"ud_aniTPeriod", "in- or decrease the period of the oscillation"},
        {"bTCenter", "Set translation center"},
        {"edx", "Horizontal displacement"},
        {"edy", "Vertical displacement"}},
       {"dx", "dy", "[s]"}},
  };
  for (const TFrameCase& f : frames) {
    SCOPED_TRACE(f.caption);
    TAniFrame* frame = Show(f.tab);
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->parentWidget(), editor->TrafPage(f.tab));
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_EQ(frame->size(), QSize(200, 100));
    EXPECT_EQ(frame->lPeriod->text(), f.caption);
    EXPECT_EQ(frame->bCenter->text(), "&Center");
    std::vector<TControl> all = f.controls;
    all.insert(all.end(), common.begin(), common.end());
    for (const TControl& c : all) {
      auto* w = frame->findChild<QWidget*>(QString::fromUtf8(c.name));
      ASSERT_NE(w, nullptr) << c.name;
      EXPECT_EQ(w->toolTip().toStdString(), c.hint) << c.name;
      EXPECT_TRUE(frame->rect().contains(w->geometry())) << c.name;
    }
    QStringList labels;
    for (const QLabel* l : frame->findChildren<QLabel*>()) labels << l->text();
    for (const char* l : f.labels) EXPECT_TRUE(labels.contains(QString::fromUtf8(l))) << l;
    // Exactly one time-path button is down.
    EXPECT_NE(frame->sSinusoidal->isChecked(), frame->sLinear->isChecked());
  }
  EXPECT_EQ(RotFrame()->cb_rotdir->text(), "CW");
  EXPECT_EQ(RotFrame()->eSwing->text(), "Swing");
}

TEST_F(FramesTest, PeriodsShowInSecondsAndLookingAtThemNeverChangesThem) {
  rot->FPeriod = 200;
  scale->FPeriod = 150;   // 7.5 s shows as 8
  trans->FPeriod = 250;   // 12.5 s shows as 12
  Doc().SetPolygon(pol);  // the tabs shown anew
  const int steps = Doc().StepCount();
  EXPECT_EQ(RotFrame()->AniRPeriod->text(), "10");
  EXPECT_EQ(ScaleFrame()->aniSPeriod->text(), "8");
  EXPECT_EQ(TransFrame()->aniTPeriod->text(), "12");
  // Shown again and again, entered and left: still the periods they had.
  for (int i : {0, 1, 2, 1, 0, 2}) {
    TAniFrame* f = Show(i);
    f->ePeriod->setFocus(Qt::OtherFocusReason);
    editor->eMazename->setFocus(Qt::OtherFocusReason);
  }
  Doc().SetPolygon(Maze(0).GetPolygon(1));
  Doc().SetPolygon(pol);
  EXPECT_EQ(rot->period(), 200);
  EXPECT_EQ(scale->period(), 150);
  EXPECT_EQ(trans->period(), 250);
  EXPECT_EQ(Doc().StepCount(), steps);

  // What the player types or spins is an edit.
  TScaleFrame* f = ScaleFrame();
  TypeInto(f->aniSPeriod, "3");
  EXPECT_EQ(scale->period(), 60);
  QTest::mouseClick(f->ud_aniSPeriod->Up, Qt::LeftButton);
  EXPECT_EQ(f->aniSPeriod->text(), "4");
  EXPECT_EQ(scale->period(), 80);
  QTest::keyClick(f->aniSPeriod, Qt::Key_Up);  // the arrows in the field spin it too
  EXPECT_EQ(scale->period(), 100);
  QTest::mouseClick(f->ud_aniSPeriod->Down, Qt::LeftButton);
  EXPECT_EQ(scale->period(), 80);
  // Text that does not read leaves the period; leaving the field shows the period again.
  TypeInto(f->aniSPeriod, "4x");
  TypeInto(f->aniSPeriod, "0");
  EXPECT_EQ(scale->period(), 80);
  editor->eMazename->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(f->aniSPeriod->text(), "4");
  EXPECT_EQ(scale->period(), 80);
  // The spin buttons stop at 1 s.
  TypeInto(f->aniSPeriod, "1");
  QTest::mouseClick(f->ud_aniSPeriod->Down, Qt::LeftButton);
  EXPECT_EQ(f->aniSPeriod->text(), "1");
  EXPECT_EQ(scale->period(), 20);
}

// Auto Rotate's new rotation turns like a new scaling or translation moves: with their
// default period, which its frame shows; a rotation without a period would stand still.
TEST_F(FramesTest, ANewRotationTurnsWithTheDefaultPeriodOfTheOtherNewTransforms) {
  EXPECT_EQ(rot->period(), 200);
  EXPECT_EQ(rot->period(), scale->period());
  EXPECT_EQ(rot->period(), trans->period());
  EXPECT_EQ(RotFrame()->AniRPeriod->text(), "10");
  EXPECT_EQ(ScaleFrame()->aniSPeriod->text(), "10");
  double before = rot->a();
  for (int step = 0; step < 3; ++step) {
    for (int i = 0; i < 5; ++i) rot->settime(0);
    EXPECT_NE(rot->a(), before) << "still after " << 5 * (step + 1) << " ticks";
    before = rot->a();
  }
}

TEST_F(FramesTest, APeriodTypedForAMazeWithoutATickUnitCountsTicksOf50Ms) {
  Maze(0).SetTickUnit(0);
  TRotFrame* f = RotFrame();
  TypeInto(f->AniRPeriod, "3");
  EXPECT_EQ(rot->period(), 60);
  QTest::mouseClick(f->ud_AniRPeriod->Up, Qt::LeftButton);
  EXPECT_EQ(rot->period(), 80);
}

TEST_F(FramesTest, SwingSwitchesBetweenTheDirectionAndTheAnglesInDegrees) {
  rot->SetA1(-std::numbers::pi / 4);
  rot->SetA2(1.0);
  Doc().SetPolygon(pol);
  TRotFrame* f = RotFrame();
  EXPECT_TRUE(f->cb_rotdir->isVisible());
  for (QWidget* w :
       std::initializer_list<QWidget*>{f->ea1, f->ea2, f->la1, f->la2, f->lDeg1, f->lDeg2}) {
    EXPECT_FALSE(w->isVisible());
  }
  QTest::mouseClick(f->cb_rotdir, Qt::LeftButton);
  EXPECT_TRUE(rot->cw());

  QTest::mouseClick(f->eSwing, Qt::LeftButton);
  EXPECT_TRUE(rot->Swing());
  EXPECT_EQ(rot->flinear->Count(), 3);  // the default swing path
  EXPECT_FALSE(f->cb_rotdir->isVisible());
  for (QWidget* w :
       std::initializer_list<QWidget*>{f->ea1, f->ea2, f->la1, f->la2, f->lDeg1, f->lDeg2}) {
    EXPECT_TRUE(w->isVisible());
  }
  EXPECT_EQ(f->ea1->text(), "-45.0");
  EXPECT_EQ(f->ea2->text(), "57.3");

  TypeInto(f->ea1, "12.5");
  EXPECT_EQ(f->ea1->text(), "12.5");
  EXPECT_DOUBLE_EQ(rot->a1(), 12.5 * std::numbers::pi / 180);
  // A comma does not read (typed key by key, "12," would pass through "12").
  f->ea1->end(false);
  QTest::keyClick(f->ea1, Qt::Key_Comma);
  EXPECT_EQ(f->ea1->text(), "12.5,");  // the field keeps what was typed
  EXPECT_DOUBLE_EQ(rot->a1(), 12.5 * std::numbers::pi / 180);
  TypeInto(f->ea2, "-30");
  EXPECT_DOUBLE_EQ(rot->a2(), -30 * std::numbers::pi / 180);
  EXPECT_EQ(counter.redraws, 0);  // angles are not drawn on the play field

  QTest::mouseClick(f->eSwing, Qt::LeftButton);
  EXPECT_FALSE(rot->Swing());
  EXPECT_TRUE(f->cb_rotdir->isVisible());
  EXPECT_FALSE(f->ea1->isVisible());
}

TEST_F(FramesTest, TypingADisplacementRedrawsThePlayFieldAtOnceAndAFactorDoesNot) {
  TScaleFrame* s = ScaleFrame();
  counter.redraws = 0;
  TypeInto(s->eSx1, "0.5");
  TypeInto(s->eSy2, "1.75");
  EXPECT_EQ(scale->Fsx1, 0.5);
  EXPECT_EQ(scale->Fsy2, 1.75);
  EXPECT_EQ(counter.redraws, 0);

  TTransFrame* t = TransFrame();
  EXPECT_EQ(t->edx->text(), "0.00");
  counter.redraws = 0;
  const QImage before = editor->PlayField->Image().copy();
  TypeInto(t->edx, "1");
  EXPECT_EQ(trans->x1, 1);
  EXPECT_EQ(counter.redraws, 1);  // one key, one picture
  // The end of the displacement moved on the play field.
  EXPECT_NE(editor->PlayField->Image(), before);
  TypeInto(t->edy, "-0.5");
  EXPECT_EQ(trans->y1, -0.5);
  EXPECT_EQ(counter.redraws, 1 + 3);  // "-0", "-0." and "-0.5" read, "-" does not
  TypeInto(t->edy, "x");
  EXPECT_EQ(counter.redraws, 4);
  EXPECT_EQ(trans->y1, -0.5);
}

TEST_F(FramesTest, EditIsShownOnlyForALinearPathInEveryFrameFromTheMomentItIsShown) {
  for (TTransform* t : std::initializer_list<TTransform*>{rot, scale, trans})
    t->SetAniType(at_sinusoidal);
  Doc().SetPolygon(pol);
  for (int tab : {0, 1, 2}) {
    SCOPED_TRACE(tab);
    TAniFrame* f = Show(tab);
    TTransform* t = f->Traf();
    EXPECT_TRUE(f->sSinusoidal->isChecked());
    EXPECT_FALSE(f->sEdit->isVisible());
    QTest::mouseClick(f->sLinear, Qt::LeftButton);
    EXPECT_EQ(t->AniType(), at_linear);
    EXPECT_TRUE(f->sEdit->isVisible());
    QTest::mouseClick(f->sSinusoidal, Qt::LeftButton);
    EXPECT_EQ(t->AniType(), at_sinusoidal);
    EXPECT_FALSE(f->sEdit->isVisible());
  }
  EXPECT_EQ(counter.redraws, 0);
}

TEST_F(FramesTest, CenterPutsTheReferencePointOnTheMeanOfTheCornersAndRedraws) {
  trans->refpt.x = 3;
  trans->refpt.y = 3;
  TTransFrame* f = TransFrame();
  counter.redraws = 0;
  QTest::mouseClick(f->bTCenter, Qt::LeftButton);
  EXPECT_NEAR(trans->refpt.x, -1, 1e-12);
  EXPECT_NEAR(trans->refpt.y, -1, 1e-12);
  EXPECT_EQ(counter.redraws, 1);
  EXPECT_EQ(Doc().LastStep().name, "Center");
}

// The time-path dialog, driven by a script through the modal runner.
class TimePathDialogTest : public FramesTest {
 protected:
  // The pixel of a path point in the dialog's plot.
  static QPoint At(TEditTimeScale& d, double x, double y) {
    d.Editor().MakeMatrices(d.Plot->width(), d.Plot->height());
    const TDPoint p = d.Editor().ToScreen(x, y);
    return QPoint(static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y)));
  }
  static void Drag(TEditTimeScale& d, QPoint from, QPoint to) {
    QTest::mousePress(d.Plot, Qt::LeftButton, {}, from);
    QTest::mouseMove(d.Plot, (from + to) / 2);
    QTest::mouseMove(d.Plot, to);
    QTest::mouseRelease(d.Plot, Qt::LeftButton, {}, to);
  }
  std::vector<std::pair<double, double>> Corners(const TTransform& t) const {
    std::vector<std::pair<double, double>> c;
    for (int i = 0; i < t.flinear->Count(); ++i) {
      c.emplace_back(t.flinear->GetSide(i)->x(), t.flinear->GetSide(i)->y());
    }
    return c;
  }
};

TEST_F(TimePathDialogTest, TheDialogPlotsThePathAndOkAfterADragRedrawsThePlayField) {
  scale->FPeriod = 200;
  TScaleFrame* f = ScaleFrame();
  bool checked = false;
  modals.Queue([&](QDialog& dialog) {
    auto& d = dynamic_cast<TEditTimeScale&>(dialog);
    EXPECT_EQ(d.windowTitle(), "Edit linear time flow");
    EXPECT_TRUE(d.isSizeGripEnabled());
    EXPECT_EQ(d.size(), QSize(522, 339));
    EXPECT_EQ(d.Traf(), scale);
    // The path in blue, its peak marked in navy.
    const QImage& img = d.Plot->Image();
    const QPoint peak = At(d, 0.5, 1);
    EXPECT_EQ(QRgbToTColor(img.pixel(peak)), 0x800000);
    const QPoint mid = At(d, 0.25, 0.5);
    int blue = 0;
    for (int dx = -1; dx <= 1; ++dx) {
      for (int dy = -1; dy <= 1; ++dy)
        blue += QRgbToTColor(img.pixel(mid + QPoint(dx, dy))) == 0xFF0000;
    }
    EXPECT_GE(blue, 1);
    // The peak dragged to the left and down.
    Drag(d, peak, At(d, 0.3, 0.6));
    EXPECT_FALSE(d.Editor().Dragging());
    EXPECT_TRUE(d.IsChanged());
    QTest::mouseClick(d.bOk, Qt::LeftButton);
    checked = true;
    return TScriptedModals::kDialogResult;
  });
  counter.redraws = 0;
  QTest::mouseClick(f->sEdit, Qt::LeftButton);
  ASSERT_TRUE(checked);
  EXPECT_EQ(modals.shown, 1);
  ASSERT_EQ(scale->flinear->Count(), 3);
  EXPECT_NEAR(scale->flinear->GetSide(1)->x(), 0.3, 0.003);
  EXPECT_NEAR(scale->flinear->GetSide(1)->y(), 0.6, 0.006);
  EXPECT_EQ(Doc().LastStep().name, "Move Time Path Corner");
  EXPECT_EQ(counter.redraws, 1);
}

TEST_F(TimePathDialogTest, ClosingTheWindowAfterADragRedrawsTooAndWithoutOneNothingHappens) {
  TRotFrame* f = RotFrame();  // the continuous ramp (0,0) (1,1)
  modals.Queue([&](QDialog& dialog) {
    auto& d = dynamic_cast<TEditTimeScale&>(dialog);
    Drag(d, At(d, 0.5, 0.5), At(d, 0.5, 0.9));  // a corner inserted and lifted
    d.reject();                                 // the window's close
    return TScriptedModals::kDialogResult;
  });
  modals.Queue([&](QDialog& dialog) {
    auto& d = dynamic_cast<TEditTimeScale&>(dialog);
    Drag(d, At(d, 0, 0), At(d, 0.5, 0.5));  // the first corner does not move
    Drag(d, At(d, 1, 1), At(d, 0.5, 0.5));  // nor the last
    d.reject();
    return TScriptedModals::kDialogResult;
  });
  counter.redraws = 0;
  QTest::mouseClick(f->sEdit, Qt::LeftButton);
  ASSERT_EQ(rot->flinear->Count(), 3);
  EXPECT_NEAR(rot->flinear->GetSide(1)->y(), 0.9, 0.006);
  EXPECT_EQ(counter.redraws, 1);
  const auto path = Corners(*rot);
  QTest::mouseClick(f->sEdit, Qt::LeftButton);
  EXPECT_EQ(Corners(*rot), path);
  EXPECT_EQ(counter.redraws, 1);
  EXPECT_EQ(modals.shown, 2);
}

TEST_F(TimePathDialogTest, PathsDrawnForAScaleAndATranslationAreReadBackAsDrawn) {
  for (TTransform* t : std::initializer_list<TTransform*>{scale, trans}) t->SetAniType(at_linear);
  Doc().SetPolygon(pol);
  const auto draw = [&](TAniFrame* f, double x, double y) {
    modals.Queue([&, x, y](QDialog& dialog) {
      auto& d = dynamic_cast<TEditTimeScale&>(dialog);
      Drag(d, At(d, 0.5, 1), At(d, x, y));                  // the swing path's peak
      Drag(d, At(d, x / 2, y / 2), At(d, x / 2, 0.9 * y));  // a corner on the rise
      QTest::mouseClick(d.bOk, Qt::LeftButton);
      return TScriptedModals::kDialogResult;
    });
    QTest::mouseClick(f->sEdit, Qt::LeftButton);
  };
  draw(ScaleFrame(), 0.2, 0.8);
  draw(TransFrame(), 0.7, 0.5);
  const auto scale_path = Corners(*scale), trans_path = Corners(*trans);
  ASSERT_EQ(scale_path.size(), 4u);
  ASSERT_EQ(trans_path.size(), 4u);

  const std::string written = Doc().CleanCollection();
  TTextReader r(written);
  r.ReadLn();
  TMazeList copy;
  copy.LoadFromF(r);
  const TTrafList& read = *copy.GetMaze(0)->GetPolygon(0)->TrafList();
  ASSERT_EQ(read.Count(), 3);
  for (const auto& [index, path] : {std::pair{1, scale_path}, {2, trans_path}}) {
    const auto got = Corners(*read.GetTraf(index));
    ASSERT_EQ(got.size(), path.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_NEAR(got[i].first, path[i].first, 1e-14);
      EXPECT_NEAR(got[i].second, path[i].second, 1e-14);
    }
  }
  EXPECT_EQ(CollectionBytes(copy), written);
}

}  // namespace
