// The editor's monkey: 2,000 seeded random editor actions on a rich collection, with the gate
// audit after every action and, after every stretch of 100, the round trip of the collection
// and 200 ticks of play on every maze (see editor/core/testing/edit_monkey.h). The sanitizer
// stages of tools/test.sh run it under AddressSanitizer and UBSan; tools/editor_soak runs the
// long version.
#include <gtest/gtest.h>

#include <cstdio>

#include "edit_monkey.h"
#include "gx_mazelist.h"

namespace {

TEST(EditorMonkeyTest, TwoThousandRandomActionsKeepTheCollectionSoundAndPlayable) {
  constexpr int kActions = 2000;
  constexpr int kStretch = 100;
  auto list = MakeRichCollection();
  TEditMonkey monkey(*list, 20240611, /*audit=*/true);
  for (int i = 1; i <= kActions; ++i) {
    monkey.Act();
    if (i % kStretch == 0) monkey.CheckStretch(200);
  }
  monkey.Finish();
  // Every kind of action ran, and the stream left and reopened the editor now and then.
  for (const auto& [name, n] : monkey.Counts()) EXPECT_GT(n, 0) << name;
  EXPECT_GE(monkey.Counts().size(), 52u);
  EXPECT_GT(monkey.Sessions(), 10);
  for (const auto& [name, n] : monkey.StepCounts()) std::printf("%6d %s\n", n, name.c_str());
  // The mouse made every kind of change it can make.
  for (const char* step :
       {"Insert Point", "Move Point", "Move Polygon", "Resize Polygon", "Rotate Polygon",
        "Move Ball", "Move Reference Point", "New Ball", "New Polygon", "New Gear"}) {
    EXPECT_GT(monkey.StepCounts().count(step), 0u) << step;
  }
}

}  // namespace
