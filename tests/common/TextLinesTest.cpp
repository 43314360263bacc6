#include "common/TextLines.h"

#include <gtest/gtest.h>

namespace {

TEST(TextLines, SplitsAtCrLfAndBareLf) {
  EXPECT_EQ(textlines::split(u"a\r\nb\r\n"), (QStringList{"a", "b"}));
  EXPECT_EQ(textlines::split(u"a\nb"), (QStringList{"a", "b"}));
  EXPECT_EQ(textlines::split(u"a\r\n\r\nb"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(textlines::split(u"a\rb\r\n"), (QStringList{"a\rb"}));
  EXPECT_EQ(textlines::split(u""), QStringList{});
  EXPECT_EQ(textlines::split(u"\r\n"), QStringList{""});
}

}  // namespace
