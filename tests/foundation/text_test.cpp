#include <gtest/gtest.h>

#include "qor_utils.h"

TEST(RealFormat, Smoke) { EXPECT_EQ(FormatReal(1.5), " 1.50000000000000E+0000"); }
