// The property controls, the colour boxes, the transform tabs and the closing routes of the
// window, driven with real mouse and key events.
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QColorDialog>
#include <QToolTip>

#include "window_fixture.h"

namespace {

using WindowControlsTest = EditWindowTest;

// Opens the box's list with the keyboard (F4), steps down to the entry named `name` and takes
// it with Return, as a player without a mouse would.
void Choose(QComboBox* box, const QString& name) {
  box->setFocus();
  const int target = box->findText(name);
  ASSERT_GE(target, 0) << name.toStdString();
  QTest::keyClick(box, Qt::Key_F4);
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(list->isVisible());
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < target; ++i) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_FALSE(list->isVisible());
}

TEST_F(WindowControlsTest, AColourChosenInABoxBecomesTheSelectionsColour) {
  TPolygon* p = Maze(0).GetPolygon(0);
  Choose(editor->cline, "Red");
  EXPECT_EQ(Doc().PolColor(), 0x0000FF);
  EXPECT_EQ(p->Color(), 0x0000FF);
  Choose(editor->cbackground, "Navy");
  EXPECT_EQ(Maze(0).outcolor, 0x800000);
  Choose(editor->cLand, "Lime");
  EXPECT_EQ(Maze(0).landcolor, 0x00FF00);
  Choose(editor->cFill, "None");
  EXPECT_EQ(p->fillcolor, clNone);
  EXPECT_EQ(p->fillstyle, bsClear);
  // Filling the boxes from the document is no edit: another polygon changes nothing.
  const int steps = Doc().StepCount();
  Doc().SetPolygon(Maze(0).GetPolygon(2));
  EXPECT_EQ(editor->cline->Selected(), 0x000000FF);
  EXPECT_EQ(Doc().StepCount(), steps);
}

TEST_F(WindowControlsTest, CustomColoursComeFromTheColourDialog) {
  modals.Queue([](QDialog& d) {
    auto& picker = dynamic_cast<QColorDialog&>(d);
    picker.setCurrentColor(QColor(0x12, 0x34, 0x56));
    picker.accept();
    return TScriptedModals::kDialogResult;
  });
  editor->cline->setCurrentIndex(0);
  emit editor->cline->activated(0);  // "Custom..."
  EXPECT_EQ(modals.shown, 1);
  EXPECT_EQ(Doc().PolColor(), 0x563412);
  EXPECT_EQ(editor->cline->currentText(), "Custom");
  // Cancelled, the dialog changes nothing and the box shows the colour it had.
  editor->cline->setCurrentIndex(0);
  emit editor->cline->activated(0);
  EXPECT_EQ(modals.unscripted, 1);
  EXPECT_EQ(Doc().PolColor(), 0x563412);
  EXPECT_EQ(editor->cline->Selected(), 0x563412);
}

TEST_F(WindowControlsTest, TheFillBoxIsEnabledExactlyWhenFillIsChecked) {
  ASSERT_TRUE(editor->cbFill->isChecked());
  QTest::mouseClick(editor->cbFill, Qt::LeftButton);
  EXPECT_FALSE(editor->cFill->isEnabled());
  EXPECT_EQ(Maze(0).GetPolygon(0)->fillstyle, bsClear);
  Doc().SetPolygon(nullptr);  // also without a polygon
  QTest::mouseClick(editor->cbFill, Qt::LeftButton);
  EXPECT_TRUE(editor->cFill->isEnabled());
  QTest::mouseClick(editor->eHarmless, Qt::LeftButton);
  EXPECT_FALSE(Maze(0).GetPolygon(0)->harmless);  // no polygon: nothing to make harmless
}

TEST_F(WindowControlsTest, TheTabStripAppearsWithTheFirstTransformAndShowsTheNewestTab) {
  EXPECT_FALSE(editor->TrafTab->isVisible());
  QTest::mouseClick(editor->sAutoRot, Qt::LeftButton);
  ASSERT_TRUE(editor->TrafTab->isVisible());
  EXPECT_EQ(editor->TrafTab->count(), 1);
  EXPECT_TRUE(editor->sAutoRot->isChecked());
  EXPECT_TRUE(editor->mmAutoRot->isChecked());
  editor->mmAutoSize->trigger();
  EXPECT_EQ(editor->TrafTab->count(), 2);
  EXPECT_EQ(editor->TrafTab->currentIndex(), 1);
  EXPECT_NE(editor->TrafPage(1), nullptr);
  EXPECT_FALSE(editor->TrafTab->tabIcon(1).isNull());
  // The player picks the first tab: the document's frame follows.
  editor->TrafTab->setCurrentIndex(0);
  EXPECT_EQ(Doc().TrafTabIndex(), 0);
  QTest::mouseClick(editor->sAutoRot, Qt::LeftButton);
  EXPECT_EQ(editor->TrafTab->count(), 1);
  EXPECT_FALSE(editor->sAutoRot->isChecked());
  QTest::mouseClick(editor->sAutoSize, Qt::LeftButton);
  EXPECT_FALSE(editor->TrafTab->isVisible());
}

TEST_F(WindowControlsTest, LandingIsRefusedOnASlopeAndTheButtonStaysUp) {
  Doc().SetSide(Maze(0).GetPolygon(0)->GetSide(0));  // edge from (-0.8,-1.2) to (-1.2,-1.2)
  QTest::mouseClick(editor->sLand, Qt::LeftButton);
  EXPECT_TRUE(editor->sLand->isChecked());
  Doc().SetSide(Maze(0).GetPolygon(0)->GetSide(1));  // vertical edge
  QTest::mouseClick(editor->sLand, Qt::LeftButton);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Error: Edge must be horizontal"});
  EXPECT_FALSE(editor->sLand->isChecked());
  EXPECT_FALSE(editor->mmLanding->isChecked());
}

TEST_F(WindowControlsTest, OkIsRefusedForANamelessMazeUntilItIsNamed) {
  QTest::mouseClick(editor->sNewMaze, Qt::LeftButton);
  QTest::mouseClick(editor->bok, Qt::LeftButton);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(Questions(), std::vector<std::string>{
                             "Error: Please give the maze a name before closing the edit window"});
  editor->eMazename->setFocus();
  editor->eMazename->selectAll();
  QTest::keyClicks(editor->eMazename, "Crypt");
  EXPECT_EQ(editor->windowTitle(), "Gravonaut 2.7 Edit (<no name>)");
  QTest::mouseClick(editor->bok, Qt::LeftButton);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(editor->result(), QDialog::Accepted);
  EXPECT_EQ(Maze(2).mazename, "Crypt");
  // Leaving the name field gave the selector the new name.
  EXPECT_EQ(editor->MazeCombo->itemText(2), "Crypt");
}

// The file holds Windows-1252: "洞窟" would read "??" after a restart. The name field takes the
// letters the file can hold and refuses the rest as they are typed or pasted, with a hint.
TEST_F(WindowControlsTest, TheNameFieldRefusesCharactersTheFileCannotHold) {
  QLineEdit* name = editor->eMazename;
  name->setFocus();
  name->selectAll();
  const auto type = [name](const QString& text) {
    QTest::simulateEvent(name, true, Qt::Key_unknown, Qt::NoModifier, text, false);
    QTest::simulateEvent(name, false, Qt::Key_unknown, Qt::NoModifier, text, false);
  };
  const QString held = QString::fromUtf8("Höhle € Œuvre");
  for (QChar c : held) type(QString(c));
  EXPECT_EQ(name->text(), held);
  EXPECT_EQ(Maze(0).mazename, held.toStdString());
  EXPECT_FALSE(QToolTip::isVisible());
  for (const char* refused : {"洞", "窟", "\xF0\x9F\x98\x80", "\xC4\x80"}) {  // ..., 😀, Ā
    type(QString::fromUtf8(refused));
    EXPECT_EQ(name->text(), held) << refused;
    EXPECT_TRUE(QToolTip::isVisible()) << refused;
    EXPECT_EQ(QToolTip::text(),
              "The collection file holds Western European letters only (Windows-1252)");
    QToolTip::hideText();
  }
  name->insert(QString::fromUtf8(" 洞窟"));  // as a paste: all or nothing
  EXPECT_EQ(name->text(), held);
  // What the field shows is what the file keeps.
  TTextWriter w;
  list->SaveToF(w);
  TTextReader r(w.Bytes());
  r.ReadLn();  // the list's header
  TMazeList back;
  back.LoadFromF(r);
  EXPECT_EQ(back.GetMaze(0)->mazename, held.toStdString());
  // The document, too, takes no name the file cannot hold.
  Doc().eMazenameChange("洞窟");
  EXPECT_EQ(Maze(0).mazename, held.toStdString());
}

TEST_F(WindowControlsTest, EscapeAndTheCloseButtonAskBeforeDroppingEdits) {
  // Without changes Escape closes at once.
  QTest::keyClick(editor.get(), Qt::Key_Escape);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(WindowControlsTest, CloseButtonWithEditsAsksAndNoKeepsTheWindow) {
  const std::string before = CollectionBytes(*TwoCaves());
  QTest::mouseClick(editor->sdelballs, Qt::LeftButton);
  dialogs.QueueAnswer(mrNo);
  EXPECT_FALSE(editor->close());
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(Questions(),
            std::vector<std::string>{"Confirm: Discard the changes made in the editor?"});
  EXPECT_EQ(Maze(0).balllist->Count(), 0);
  QTest::keyClick(editor.get(), Qt::Key_Escape);  // and Yes this time
  EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(Doc().Restored());
  EXPECT_EQ(CollectionBytes(*list), before);
}

}  // namespace
