#include "MarkSheet.h"
#include "ReadingTestSupport.h"

#include "reading/FieldDecoding.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

// A layout, its prepared passes and a fresh run table.
struct Pass {
  explicit Pass(const QStringList& fieldLines, DecodingSettings settings = {},
                const char* header = "62=48=8=N=*= =")
      : layout(layoutOf(QStringList{u8(header)} + fieldLines)),
        decoding(layout, settings),
        values(RunFieldTable::forLayout(layout)) {}

  const QString& front(const MarkSheet& sheet, OmrApi* reader = nullptr) {
    decoding.frontPass(sheet.marks, values, layout.FieldCount, reader);
    return values.field(1).FieldValue;
  }

  LayoutTable layout;
  FieldDecoding decoding;
  RunFieldTable values;
};

TEST(ThresholdFromHex, ReadsHexadecimalDigitsUpToTheFirstOther) {
  const struct {
    const char* text;
    std::int16_t value;
  } cases[] = {{"8", 8}, {"C", 12}, {"c", 12},    {"7FFF", 32767}, {"8000", 32767}, {"FFFFFFFFFFF", 32767},
               {"", 0},  {"1G", 1}, {" 1 0", 16}, {"&H8", 0}};
  for (const auto& c : cases) EXPECT_EQ(thresholdFromHex(u8(c.text)), c.value) << c.text;
}

TEST(FrontPass, FixedValueIsCutOrPaddedToTheFieldWidth) {
  const struct {
    const char* line;
    const char* fixed;
    const char* expected;
  } cases[] = {
      {"1=1=1=4=0=D=X=D=AD==", "ABCDEF", "ABCD"},
      {"1=1=1=8=0=D=X=D=AD==", "ABCDEF", "ABCDEF  "},
      {"1=1=1=3=0=D=X=d=AD==", "", "   "},
  };
  for (const auto& c : cases) {
    Pass pass({u8(c.line)});
    pass.values.field(1).FieldFixedText = u8(c.fixed);
    // Marks under the block are not read.
    EXPECT_EQ(pass.front(MarkSheet{{1, 1, 200}, {1, 2, 200}}), u8(c.expected)) << c.line;
  }
}

TEST(FrontPass, RunningNumberIsZeroPaddedAndAdvanced) {
  const struct {
    const char* line;
    const char* counter;
    const char* value;
    const char* next;
  } cases[] = {
      {"1=1=1=3=0=D=X=R=NO==", "7", "007", "8"},
      {"1=1=1=1=0=D=X=R=NO==", "99", "9", "100"},
      // As taken over from a data file, or typed: read as a number.
      {"1=1=1=3=0=D=X=R=NO==", " 13", "013", "14"},
      {"1=1=1=4=0=D=X=R=NO==", " 1 ", "0001", "2"},
      {"1=1=1=2=0=D=X=r=NO==", "abc", "00", "1"},
  };
  for (const auto& c : cases) {
    Pass pass({u8(c.line)});
    pass.values.field(1).FieldCounter = u8(c.counter);
    EXPECT_EQ(pass.front({}), u8(c.value)) << c.line;
    EXPECT_EQ(pass.values.field(1).FieldCounter, u8(c.next)) << c.line;
  }

  Pass pass({u8("1=1=1=3=0=D=X=R=NO==")});
  EXPECT_EQ(pass.values.field(1).FieldCounter, u"1");
  EXPECT_EQ(pass.front({}), u"001");
  EXPECT_EQ(pass.front({}), u"002");
}

TEST(FrontPass, ConstantIsTheAlphabetUnchanged) {
  for (const char* line : {"1=1=1=2=0=D=Sabit metin=H=S==", "1=1=1=2=0=D=Sabit metin=h=S=="}) {
    Pass pass({u8(line)});
    EXPECT_EQ(pass.front(MarkSheet{{1, 1, 200}}), u"Sabit metin") << line;
  }
}

struct DispatchCase {
  const char* name;
  const char* line;
  MarkSheet sheet;
  const char* expected;
};

void PrintTo(const DispatchCase& c, std::ostream* os) {
  *os << c.name;
}

class Dispatch : public testing::TestWithParam<DispatchCase> {};

TEST_P(Dispatch, TheDecoderLetterChoosesTheDecoder) {
  Pass pass({u8(GetParam().line)});
  EXPECT_EQ(pass.front(GetParam().sheet), u8(GetParam().expected));
}

// clang-format off
const DispatchCase kDispatch[] = {
  {"VerticalIsDikey", "1=5=1=1=0=D=ABCDE=X==", {{2, 1, 40}}, "B"},
  {"HorizontalIsYatay", "1=1=1=5=0=Y=ABCDE=X==", {{1, 2, 40}}, "B"},
  {"HorizontalStepReachesTheDecoder", "1=1=1=5=0=Y1=ABC=X==", {{1, 3, 40}}, "B"},
  {"BoxIsKutu", "1=2=1=5=0=K=ABCDEFGHIJ=X==", {{2, 3, 40}}, "H"},
  {"BoxOfKindFIsTwoMark", "1=1=1=5=0=K=ABCDE=F==", {{1, 2, 40}, {1, 4, 40}}, "BD"},
  {"BoxOfSmallFIsOneMark", "1=1=1=5=0=K=ABCDE=f==", {{1, 2, 40}, {1, 4, 40}}, "*"},
  {"KindCIsCokluSatir", "1=1=1=5=0=Y=ABCDE=C==", {{1, 2, 40}, {1, 4, 40}}, " B D "},
  {"KindMIsCokluSutun", "1=3=1=1=0=D=ABC=M==", {{1, 1, 40}, {3, 1, 40}}, "A C"},
  {"KindJDownAColumnIsAQuotedList", "1=3=1=1=0=D=ABC=J==", {{1, 1, 40}, {3, 1, 40}}, "\"A,C\""},
  {"KindJAcrossALineIsAQuotedList", "1=1=1=3=0=Y=ABC=J==", {{1, 2, 40}}, "\"B\""},
  {"BlockOutsideTheSheetIsEmpty", "150=160=1=5=0=Y=ABCDE=X==", {{150, 1, 40}}, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(FrontPass, Dispatch, testing::ValuesIn(kDispatch),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(FrontPass, HeaderAndSettingsReachTheDecoders) {
  // Threshold 12: a darkness of 12 is not a mark.
  EXPECT_EQ(Pass({u8("1=1=1=3=0=Y=ABC=X==")}, {}, "62=48=12=N=*= =").front({{1, 1, 12}, {1, 2, 13}}), u"B");
  // The tie text and the blank text of the header.
  EXPECT_EQ(Pass({u8("1=1=1=3=0=Y=ABC=X==")}, {}, "62=48=8=N=#=?=").front({{1, 1, 20}, {1, 3, 20}}), u"#");
  EXPECT_EQ(Pass({u8("1=1=1=3=0=Y=ABC=X==")}, {}, "62=48=8=N=#=?=").front({}), u"?");
  // The cap.
  const DecodingSettings capped{1, 10, false, false};
  EXPECT_EQ(Pass({u8("1=1=1=3=0=Y=ABC=X==")}, capped).front({{1, 1, 12}, {1, 3, 15}}), u"*");
  EXPECT_EQ(Pass({u8("1=1=1=3=0=Y=ABC=X==")}).front({{1, 1, 12}, {1, 3, 15}}), u"C");
  // A turned form: the direction code is the kind's second letter, and the
  // double-sided choice picks the rule. Two lines marked A and B read "ED"
  // with the alphabet reversed, "BA" with the result reversed, "DE" with both.
  const MarkSheet ab{{1, 1, 40}, {2, 2, 40}};
  const char* turned = "62=48=8=T=*= =";
  const DecodingSettings duplex{0, 0, true, false};
  EXPECT_EQ(Pass({u8("1=2=1=5=0=Y=ABCDE=X2==")}, {}, turned).front(ab), u"DE");
  EXPECT_EQ(Pass({u8("1=2=1=5=0=Y=ABCDE=X2==")}, duplex, turned).front(ab), u"BA");
  EXPECT_EQ(Pass({u8("1=2=1=5=0=Y=ABCDE=X3==")}, duplex, turned).front(ab), u"ED");
  EXPECT_EQ(Pass({u8("1=2=1=5=0=Y=ABCDE=X3==")}, {}, turned).front(ab), u"AB");
}

TEST(FrontPass, FieldWithoutDecoderKeepsItsValue) {
  Pass pass({u8("1=1=1=5=0=X=ABCDE=Z=ALAN==")});
  ASSERT_TRUE(pass.layout.field(1).FieldDecoder.isEmpty());
  pass.values.field(1).FieldValue = u8("önceki");
  EXPECT_EQ(pass.front({{1, 1, 200}}), u8("önceki"));
}

TEST(FrontPass, StopsAtTheLastFieldItIsGiven) {
  Pass pass({u8("1=1=1=3=0=Y=ABC=X=="), u8("2=2=1=3=0=Y=ABC=X==")});
  pass.values.field(2).FieldValue = u8("eski");
  pass.decoding.frontPass(MarkSheet{{1, 1, 40}, {2, 2, 40}}.marks, pass.values, 1, nullptr);
  EXPECT_EQ(pass.values.field(1).FieldValue, u"A");
  EXPECT_EQ(pass.values.field(2).FieldValue, u"eski");
}

TEST(BackPass, TakesOnlyFixedAndConstantKindsFromTheRunTable) {
  Pass pass({
      u8("1=1=1=5=0=Y=ABCDE=X=ON=="),
      u8("/2=2=1=5=0=Y=ABCDE=R=SIRA=="),  // decoded, the counter stays
      u8("3=3=1=6=0=D=X=A=BARKOD=="),     // decoded, no barcode read
      u8("4=4=1=4=0=D=X=D=SABIT=="), u8("5=5=1=3=0=D=Sabit=H=METIN=="),
      u8("6=6=1=5=0=K=ABCDE=F=IKI=="),  // the one-mark box
  });
  pass.values.field(1).FieldValue = u8("ön");
  pass.values.field(4).FieldFixedText = u8("AB");
  const MarkSheet back{{1, 1, 40}, {2, 3, 40}, {3, 1, 40}, {6, 2, 40}, {6, 4, 60}};
  pass.decoding.backPass(back.marks, pass.values, 2);

  EXPECT_EQ(pass.values.field(1).FieldValue, u8("ön"));
  EXPECT_EQ(pass.values.field(2).FieldValue, u"C");
  EXPECT_EQ(pass.values.field(2).FieldCounter, u"1");
  EXPECT_EQ(pass.values.field(3).FieldValue, u"X     ");
  EXPECT_EQ(pass.values.field(4).FieldValue, u"AB  ");
  EXPECT_EQ(pass.values.field(5).FieldValue, u"Sabit");
  EXPECT_EQ(pass.values.field(6).FieldValue, u"D");
}

TEST(BackPass, EachFieldIsDecodedWithItsOwnKindLetter) {
  // The last front field is a quoted list; the back fields after it are
  // lists or not by their own kinds.
  Pass pass(
      {u8("1=3=1=1=0=D=ABC=J=ON=="), u8("/1=1=1=3=0=Y=ABC=C=ARKA1=="), u8("2=2=1=3=0=Y=ABC=J=ARKA2==")});
  const MarkSheet sheet{{1, 1, 40}, {1, 3, 40}, {2, 1, 40}, {2, 3, 40}};
  pass.decoding.frontPass(sheet.marks, pass.values, 1, nullptr);
  pass.decoding.backPass(sheet.marks, pass.values, 2);
  EXPECT_EQ(pass.values.field(1).FieldValue, u"\"A,B\"");
  EXPECT_EQ(pass.values.field(2).FieldValue, u"A C");
  EXPECT_EQ(pass.values.field(3).FieldValue, u"\"A,C\"");
}

}  // namespace
