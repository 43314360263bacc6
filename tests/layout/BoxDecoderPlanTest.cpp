// What each mark position of a field stands for, for the geometries where
// the index arithmetic or the turned-form rules are easy to get wrong.
#include "layout/BoxDecoderPlan.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

struct PlanCase {
  const char* name;
  BoxDecoderInput input;
  const char* turn;
  bool duplex;
  // Each unit's positions in scan order, units joined by "|": the
  // character a mark stands for, "#" for an excluded position, "?" for
  // one beyond the alphabet.
  const char* units;
  int lastLine;
  int lastColumn;
};

void PrintTo(const PlanCase& c, std::ostream* os) {
  *os << c.name;
}

QString drawn(const BoxDecoderPlan& plan) {
  QString text;
  for (std::size_t u = 0; u < plan.unitCount(); ++u) {
    if (u > 0) text += u'|';
    for (const BoxDecoderPlan::Position& position : plan.unit(u))
      text += position.excluded       ? QChar(u'#')
              : position.hasCharacter ? QChar(position.character)
                                      : QChar(u'?');
  }
  return text;
}

class PlanTest : public testing::TestWithParam<PlanCase> {};

TEST_P(PlanTest, GivesEachPositionItsCharacter) {
  const PlanCase& c = GetParam();
  BoxDecoderContext context;
  context.LayoutTurn = QString::fromUtf8(c.turn);
  context.DuplexSheet = c.duplex;
  const BoxDecoderPlan plan(c.input, context);
  ASSERT_TRUE(plan.insideBuffer());
  EXPECT_EQ(drawn(plan), QString::fromUtf8(c.units));
  const auto last = plan.unit(plan.unitCount() - 1).back();
  EXPECT_EQ(last.line(), c.lastLine);
  EXPECT_EQ(last.column(), c.lastColumn);
}

const QString kLetters = QString::fromUtf8("ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");

const PlanCase kPlans[] = {
    // Step 6 over columns 1-6 gives 11/6 characters a line: lines 4, 10 and
    // 16 stand for 6.5, 17.5 and 28.5, which round to the even 6, 18 and 28.
    {"BoxIndexOnHalves",
     {BoxDecoderKind::Kutu, 1, 16, 1, 6, 8, kLetters, {}, 6, 0},
     "",
     false,
     "ACDEGHİKMOÖRŞUVY",
     16,
     1},
    // One column, step 2: half a character a line, halves to even.
    {"OneColumnByHalves",
     {BoxDecoderKind::CokluSatir, 45, 48, 5, 5, 8, "ABCD", {}, 2, 0},
     "",
     false,
     "A|B|B|B",
     48,
     5},
    // Turned, one-sided, code 2: the alphabet is turned round but the blank
    // stays excluded where the layout writes it.
    {"TurnedLineKeepsExclusionAsWritten",
     {BoxDecoderKind::Yatay, 1, 2, 1, 4, 8, "AB C", "2", 0, 0},
     "T",
     false,
     "C`#A|C`#A",
     2,
     4},
    {"ColumnLongerThanAlphabet",
     {BoxDecoderKind::Dikey, 1, 4, 7, 7, 8, "AB", {}, 0, 0},
     "",
     false,
     "AB??",
     4,
     7},
};

std::string planName(const testing::TestParamInfo<PlanCase>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Geometries, PlanTest, testing::ValuesIn(kPlans), planName);

TEST(BoxDecoderPlan, ABlockOutsideTheBufferHasNoUnits) {
  const BoxDecoderPlan plan({BoxDecoderKind::Kutu, 150, 160, 1, 5, 8, "ABCDE", {}, 0, 0}, {});
  EXPECT_FALSE(plan.insideBuffer());
  EXPECT_EQ(plan.unitCount(), 0u);
}

}  // namespace
