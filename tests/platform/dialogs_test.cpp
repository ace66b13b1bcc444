// The file-dialog filters as the desktop dialogs are given them.
#include <gtest/gtest.h>

#include "gx_dialogs.h"
#include "recording_dialogs.h"

TEST(DesktopFilter, TurnsPairsIntoDesktopEntries) {
  struct Case {
    const char* filter;
    const char* desktop;
  };
  const Case cases[] = {
      {"Maze file (*.mze)|*.mze|Mazelist files (*.cav)|*.cav",
       "Maze file (*.mze);;Mazelist files (*.cav)"},
      {"All imagetypes|*.bmp;*.jpg;*.jpeg|Windows BMP files (*.bmp)|*.bmp|"
       "JPEG files (*.jpg, *.jpeg)|*.jpg;*.jpeg",
       "All imagetypes (*.bmp *.jpg *.jpeg);;Windows BMP files (*.bmp);;"
       "JPEG files (*.jpg *.jpeg)"},
      // A bracket that lists the patterns in another way is written the way Qt reads it; one
      // that lists others is kept, and the patterns follow.
      {"Pictures (*.png;*.gif)|*.png;*.gif", "Pictures (*.png *.gif)"},
      {"Sorted (*.b, *.a)|*.a;*.b", "Sorted (*.b, *.a) (*.a *.b)"},
      {"Old (v2)|*.cav", "Old (v2) (*.cav)"},
      {"(*.mze)|*.mze", "(*.mze)"},
      {"", ""},
      {"Lonely description", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DesktopFilter(c.filter), c.desktop) << c.filter;
}

TEST(DesktopFilter, PicksTheEntryByItsOneBasedIndex) {
  const std::string f = "A|*.a|B|*.b";
  EXPECT_EQ(DesktopFilterEntry(f, 1), "A (*.a)");
  EXPECT_EQ(DesktopFilterEntry(f, 2), "B (*.b)");
  EXPECT_EQ(DesktopFilterEntry(f, 0), "A (*.a)");
  EXPECT_EQ(DesktopFilterEntry(f, 3), "A (*.a)");
  EXPECT_EQ(PlainExtension("*.mze"), "mze");
  EXPECT_EQ(PlainExtension(".mze"), "mze");
  EXPECT_EQ(PlainExtension("mze"), "mze");
}

TEST(RecordingDialogs, AnswersFromItsScriptThenWithTheDefault) {
  TRecordingDialogs d(mrNo);
  d.QueueAnswer(mrYes);
  EXPECT_TRUE(d.Confirm("Delete ball?"));
  EXPECT_FALSE(d.Confirm("Delete ball?"));
  d.ShowError("bad");
  ASSERT_EQ(d.boxes.size(), 3u);
  EXPECT_EQ(d.boxes[0].caption, "Confirm");
  EXPECT_EQ(d.boxes[2].caption, "Error");
  EXPECT_EQ(d.boxes[2].icon, TMsgIcon::mi_error);

  d.QueueFile("/tmp/a.mze");
  TFileDialogOptions o;
  o.filter = "Maze file (*.mze)|*.mze";
  EXPECT_EQ(d.OpenFile(o), std::optional<std::string>("/tmp/a.mze"));
  EXPECT_EQ(d.SaveFile(o), std::nullopt);  // nothing queued: cancelled
  ASSERT_EQ(d.fileAsks.size(), 2u);
  EXPECT_FALSE(d.fileAsks[0].save);
  EXPECT_TRUE(d.fileAsks[1].save);
  EXPECT_EQ(d.fileAsks[1].options.filter, o.filter);
}
