#include "MarkSheet.h"

#include "layout/BoxDecoder.h"
#include "layout/BoxDecoders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Kind = BoxDecoderKind;

struct Block {
  int x1, x2, y1, y2;
};

// One decoder run: the field's entries, the header values and settings that
// differ from a plain layout (threshold 8, "*" for ties, a blank for nothing
// marked, fed normally, no cap), the marks and the text expected.
struct DecodeCase {
  const char* name;
  Kind kind;
  Block block;
  const char* alphabet;
  std::vector<Mark> marks;
  const char* expected;
  struct Options {
    int step = 0;
    const char* direction = "";
    int resultLength = 2;
    const char* blankText = " ";
    const char* multiMarkText = "*";
    int capLimit = -1;  // -1: cap not in use
    const char* kindLetter = "";
    const char* turn = "";
    bool duplex = false;
  } options = {};
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.name;
}

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

BoxDecoderContext contextOf(const DecodeCase& c) {
  BoxDecoderContext context;
  context.LayoutTurn = u8(c.options.turn);
  context.MultiMarkText = u8(c.options.multiMarkText);
  context.BlankText = u8(c.options.blankText);
  context.UseDarknessLimit = c.options.capLimit >= 0 ? 1 : 0;
  context.DarknessUpperLimit = static_cast<std::int16_t>(c.options.capLimit >= 0 ? c.options.capLimit : 0);
  context.DuplexSheet = c.options.duplex;
  context.kindLetter = u8(c.options.kindLetter);
  return context;
}

std::int16_t i16(int value) {
  return static_cast<std::int16_t>(value);
}

BoxDecoderInput inputOf(const DecodeCase& c) {
  return {c.kind, i16(c.block.x1), i16(c.block.x2),         i16(c.block.y1),     i16(c.block.y2),
          8,      u8(c.alphabet),  u8(c.options.direction), i16(c.options.step), i16(c.options.resultLength)};
}

// The decoder under its own name, with its own parameters.
QString viaNamedFunction(const DecodeCase& c, const omr::MarkBuffer& marks) {
  const BoxDecoderInput in = inputOf(c);
  const BoxDecoderContext context = contextOf(c);
  switch (c.kind) {
    case Kind::Kutu:
      return USB_Kutu_Coz(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, in.Araligi, context);
    case Kind::KutuIkili:
      return USB_Kutu_CozIkili(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, in.Araligi,
                               in.Uzunluklar, context);
    case Kind::Dikey:
      return Dikey_Coz(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, in.Araligi, context);
    case Kind::Yatay:
      return Yatay_Coz(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, in.Araligi, context);
    case Kind::CokluSatir:
      return Coklu_Satir_Coz(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, in.Araligi, context);
    case Kind::CokluSutun:
      return Coklu_Sutun_Coz(marks, in.x1, in.x2, in.y1, in.y2, in.t, in.Cozx, in.YonuX, context);
  }
  return {};
}

MarkSheet sheetOf(const std::vector<Mark>& marks) {
  MarkSheet sheet;
  for (const Mark& m : marks) sheet.set(m.line, m.column, m.darkness);
  return sheet;
}

// Every position of the block and around it dark: whatever a decoder keeps
// from one sheet would show on the next.
MarkSheet darkSheet() {
  MarkSheet sheet;
  sheet.marks.fill(255);
  return sheet;
}

class DecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, NamedFunctionAndPreparedDecoderGiveTheText) {
  const DecodeCase& c = GetParam();
  const MarkSheet sheet = sheetOf(c.marks);
  EXPECT_EQ(viaNamedFunction(c, sheet.marks), u8(c.expected));

  // The run prepares once and decodes sheet after sheet into the same value.
  const BoxDecoder prepared(inputOf(c), contextOf(c));
  QString value;
  prepared.decode(darkSheet().marks, value);
  prepared.decode(sheet.marks, value);
  EXPECT_EQ(value, u8(c.expected));
}

// clang-format off
const DecodeCase kSingleChoice[] = {
  // One column of five choices, threshold 8.
  {"DarkestMarkWins", Kind::Dikey, {1, 5, 1, 1}, "ABCDE", {{2, 1, 9}, {4, 1, 12}}, "D"},
  {"EqualDarkestIsATie", Kind::Dikey, {1, 5, 1, 1}, "ABCDE", {{2, 1, 12}, {4, 1, 12}}, "*"},
  {"DarkerMarkAfterATieWins", Kind::Dikey, {1, 5, 1, 1}, "ABCDE", {{2, 1, 12}, {4, 1, 12}, {5, 1, 15}}, "E"},
  {"AtThresholdIsUnmarked", Kind::Dikey, {1, 5, 1, 1}, "ABCDE",
   {{1, 1, 8}, {2, 1, 8}, {3, 1, 8}, {4, 1, 8}, {5, 1, 8}}, "?", {.blankText = "?"}},
  {"TieTextMayBeLonger", Kind::Yatay, {1, 1, 1, 5}, "ABCDE", {{1, 1, 30}, {1, 5, 30}}, "<>",
   {.multiMarkText = "<>"}},
  // With the cap every firm mark is equally dark.
  {"CappedFirmMarksTie", Kind::Dikey, {1, 5, 1, 1}, "ABCDE", {{2, 1, 12}, {4, 1, 15}}, "*", {.capLimit = 10}},
  {"UncappedFirmerMarkWins", Kind::Dikey, {1, 5, 1, 1}, "ABCDE", {{2, 1, 12}, {4, 1, 15}}, "D"},
  {"KutuCapsToo", Kind::Kutu, {1, 1, 1, 2}, "AB", {{1, 1, 12}, {1, 2, 15}}, "*", {.capLimit = 10}},
  // A cap at the threshold: the line decoder caps before comparing, the
  // column decoder only positions already found marked.
  {"DikeyCapsOnlyMarkedPositions", Kind::Dikey, {1, 3, 1, 1}, "ABC", {{2, 1, 200}}, "*", {.blankText = "?",
   .capLimit = 8}},
  {"YatayCapsBeforeTheThreshold", Kind::Yatay, {1, 1, 1, 3}, "ABC", {{1, 2, 200}}, "?", {.blankText = "?",
   .capLimit = 8}},
  {"KutuCapsBeforeTheThreshold", Kind::Kutu, {1, 1, 1, 3}, "ABC", {{1, 2, 200}}, "?", {.blankText = "?",
   .capLimit = 8}},
  // The euro sign names the blank result.
  {"EuroNamesTheBlankResult", Kind::Dikey, {1, 12, 1, 1}, "0123456789€-", {}, "-"},
  {"EuroAtTheEndGivesNothing", Kind::Dikey, {1, 3, 1, 1}, "AB€", {}, ""},
  {"EuroCharacterCanStillBeMarked", Kind::Yatay, {1, 1, 1, 5}, "ABC€X", {{1, 4, 40}}, "€"},
  {"YatayEuroBlankResult", Kind::Yatay, {1, 1, 1, 5}, "ABC€X", {}, "X"},
  // A blank in the alphabet is a position that cannot be chosen.
  {"DikeyBlankPositionNeverChosen", Kind::Dikey, {1, 3, 1, 1}, "A B", {{2, 1, 200}}, "?", {.blankText = "?"}},
  {"DikeyLighterMarkBeyondBlankWins", Kind::Dikey, {1, 3, 1, 1}, "A B", {{2, 1, 200}, {3, 1, 100}}, "B"},
  {"YatayBlankPositionNeverChosen", Kind::Yatay, {1, 1, 1, 3}, "A B", {{1, 2, 200}}, "?", {.blankText = "?"}},
  {"YatayMarkOnThirdPosition", Kind::Yatay, {1, 1, 1, 3}, "A B", {{1, 3, 20}}, "B"},
  {"KutuBlankPositionGivesGraveAccent", Kind::Kutu, {1, 1, 1, 3}, "A C", {{1, 2, 20}}, "`"},
  {"OneBlankAlphabetIsKeptByDikey", Kind::Dikey, {1, 1, 1, 1}, " ", {{1, 1, 20}}, " ", {.blankText = "?"}},
  // "-" is never chosen by the box decoder.
  {"KutuDashNeverChosen", Kind::Kutu, {1, 1, 1, 3}, "A-C", {{1, 2, 200}}, "?", {.blankText = "?"}},
  {"KutuLighterMarkBeyondDashWins", Kind::Kutu, {1, 1, 1, 3}, "A-C", {{1, 2, 200}, {1, 3, 100}}, "C"},
  {"DashIsAPlainCharacterForDikey", Kind::Dikey, {1, 3, 1, 1}, "A-C", {{2, 1, 50}}, "-"},
  // Built-in alphabets.
  {"DikeyEmptyAlphabetIsTurkishLetters", Kind::Dikey, {1, 5, 1, 1}, "", {{4, 1, 40}}, "Ç"},
  {"DikeyWordListIsTurkishLetters", Kind::Dikey, {1, 2, 1, 1}, "Evet~Hayır~", {{2, 1, 40}}, "B"},
  {"YatayEmptyAlphabetIsFiveChoices", Kind::Yatay, {1, 1, 1, 5}, "", {{1, 5, 40}}, "E"},
  {"YatayWordListIsTurkishLetters", Kind::Yatay, {1, 1, 1, 5}, "Kadın~Erkek~", {{1, 4, 40}}, "Ç"},
  {"KutuOneBlankIsFiveChoices", Kind::Kutu, {1, 1, 1, 5}, " ", {{1, 4, 40}}, "D"},
  {"KutuWordListIsTheFullSet", Kind::Kutu, {1, 1, 1, 40}, "Evet~Hayır~", {{1, 30, 40}}, "a"},
  // Units and scan order.
  {"DikeyOneCharacterPerColumn", Kind::Dikey, {1, 3, 1, 3}, "ABC", {{1, 1, 20}, {3, 2, 20}, {2, 3, 20}}, "ACB"},
  {"YatayOneCharacterPerLine", Kind::Yatay, {1, 2, 1, 3}, "ABC", {{1, 2, 20}, {2, 3, 20}}, "BC"},
  {"KutuReadsTheBlockLineByLine", Kind::Kutu, {1, 2, 1, 5}, "ABCDEFGHIJ", {{2, 3, 20}}, "H"},
  {"KutuTieAcrossLines", Kind::Kutu, {1, 2, 1, 5}, "ABCDEFGHIJ", {{1, 1, 50}, {2, 5, 50}}, "*"},
  {"PositionBeyondTheAlphabetGivesNothing", Kind::Dikey, {1, 5, 1, 1}, "AB", {{4, 1, 40}}, ""},
  {"KutuPositionBeyondTheAlphabet", Kind::Kutu, {1, 1, 1, 5}, "AB", {{1, 4, 40}}, ""},
  // Steps: every second line and column is a choice position.
  {"DikeyStepTwo", Kind::Dikey, {1, 5, 1, 3}, "ABC", {{3, 1, 50}, {5, 3, 50}, {2, 1, 200}}, "BC", {.step = 2}},
  {"YatayStepTwo", Kind::Yatay, {1, 3, 1, 5}, "ABC", {{1, 5, 50}, {3, 3, 50}, {2, 1, 200}}, "CB", {.step = 2}},
  {"ZeroStepIsOne", Kind::Yatay, {1, 1, 1, 5}, "ABCDE", {{1, 2, 50}}, "B", {.step = 0}},
  {"NegativeStepIsOne", Kind::Yatay, {1, 1, 1, 5}, "ABCDE", {{1, 2, 50}}, "B", {.step = -4}},
  // The box alphabet has (6 - 1) / 2 + 1 = 3.5 characters to a line, so the
  // second line's indexes 4.5, 5.5 and 6.5 round to 4, 6 and 6.
  {"KutuHalfIndexRoundsDownToEven", Kind::Kutu, {1, 2, 1, 6}, "ABCDEFGH", {{2, 1, 50}}, "D", {.step = 2}},
  {"KutuHalfIndexRoundsUpToEven", Kind::Kutu, {1, 2, 1, 6}, "ABCDEFGH", {{2, 3, 50}}, "F", {.step = 2}},
  {"KutuHalfIndexRoundsDownToSameEven", Kind::Kutu, {1, 2, 1, 6}, "ABCDEFGH", {{2, 5, 50}}, "F", {.step = 2}},
  {"KutuFirstLineIndexesAreWhole", Kind::Kutu, {1, 2, 1, 6}, "ABCDEFGH", {{1, 5, 50}}, "C", {.step = 2}},
  // Exclusion looks at the alphabet as written, never reversed: "A-CDE" is
  // read as "EDC-A" on this turned form, yet position 2 stays excluded and
  // position 4, a "-" after reversal, can be chosen.
  {"ExclusionIsNotReversed", Kind::Kutu, {1, 1, 1, 5}, "A-CDE", {{1, 2, 200}}, "?", {.direction = "2",
   .blankText = "?", .turn = "T"}},
  {"ReversedDashIsChosen", Kind::Kutu, {1, 1, 1, 5}, "A-CDE", {{1, 4, 200}}, "-", {.direction = "2",
   .turn = "T"}},
  // A turned form fed single-sided with direction 2.
  {"TurnedYatayReversesAlphabetAndResult", Kind::Yatay, {1, 2, 1, 5}, "ABCDE", {{1, 1, 40}, {2, 5, 40}}, "AE",
   {.direction = "2", .turn = "T"}},
};

const DecodeCase kMultipleChoice[] = {
  {"TwoMarksInScanOrder", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 4, 40}, {1, 2, 40}}, "BD"},
  {"OneMarkAndABlank", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 3, 40}}, "C "},
  {"ThreeMarksOverfill", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 1, 40}, {1, 3, 40}, {1, 5, 40}}, "**"},
  {"OverfillTakesTheFirstCharacter", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 1, 40}, {1, 3, 40}, {1, 5, 40}},
   "XX", {.multiMarkText = "XY"}},
  {"NothingMarkedIsTwoBlanks", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {}, "  "},
  {"AtThresholdAddsABlank", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 1, 8}, {1, 3, 200}}, " C"},
  {"MarksCappedToThresholdAreBlanks", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 1, 200}, {1, 2, 9}, {1, 3, 30}},
   "**", {.capLimit = 8}},
  {"TwoMarkKeepsBlanksOfTheAlphabet", Kind::KutuIkili, {1, 1, 1, 3}, "A C", {{1, 2, 40}, {1, 3, 40}}, " C"},
  {"TwoMarkOneBlankIsFiveChoices", Kind::KutuIkili, {1, 1, 1, 5}, " ", {{1, 2, 40}, {1, 4, 40}}, "BD"},
  {"TwoMarkWordListIsTheFullSet", Kind::KutuIkili, {1, 1, 1, 40}, "a~b~", {{1, 30, 40}, {1, 31, 40}}, "ab"},
  {"TwoMarkLongerResult", Kind::KutuIkili, {1, 1, 1, 5}, "ABCDE", {{1, 2, 40}, {1, 4, 40}}, "BD ",
   {.resultLength = 3}},

  {"LineMarksAndBlanks", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 1, 40}, {1, 3, 40}}, "A C  "},
  {"LineQuotedList", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 1, 40}, {1, 3, 40}}, "\"A,C\"",
   {.kindLetter = "J"}},
  {"LineQuotedListPaddedToWidth", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 2, 40}}, "\"B\" ",
   {.kindLetter = "J"}},
  {"LineQuotedListOfNothing", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {}, "    ", {.kindLetter = "J"}},
  {"SmallJIsNoList", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 2, 40}}, " B   ", {.kindLetter = "j"}},
  {"OnePartPerLine", Kind::CokluSatir, {1, 2, 1, 3}, "ABC", {{1, 1, 40}, {2, 3, 40}}, "A    C"},
  {"OnePerLineQuoted", Kind::CokluSatir, {1, 2, 1, 3}, "ABC", {{1, 1, 40}, {1, 2, 40}, {2, 3, 40}}, "\"A,B\"\"C\"",
   {.kindLetter = "J"}},
  {"LineStepTwo", Kind::CokluSatir, {1, 1, 1, 5}, "ABC", {{1, 3, 40}, {1, 5, 40}, {1, 2, 200}}, " BC ", {.step = 2}},
  // One column: the index counts lines by the step, (l - x1) / 2 + 1 giving
  // 1, 1.5, 2, 2.5, 3, rounded to 1, 2, 2, 2, 3.
  {"OneColumnIndexesRoundHalfToEven", Kind::CokluSatir, {1, 5, 1, 1}, "ABCDE",
   {{1, 1, 40}, {2, 1, 40}, {3, 1, 40}, {4, 1, 40}, {5, 1, 40}}, "ABBBC", {.step = 2}},
  {"LineNeverCaps", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 2, 200}}, " B   ", {.capLimit = 8}},
  {"LineAtThresholdIsUnmarked", Kind::CokluSatir, {1, 1, 1, 5}, "ABCDE", {{1, 2, 8}}, "     "},
  {"LineOneBlankIsFiveChoices", Kind::CokluSatir, {1, 1, 1, 5}, " ", {{1, 1, 40}}, "A    "},
  {"LineWordListIsTurkishLetters", Kind::CokluSatir, {1, 1, 1, 5}, "Evet~Hayır~", {{1, 4, 40}}, "   Ç "},
  {"ReversedLinesArePaddedToWidth", Kind::CokluSatir, {3, 1, 1, 5}, "ABCDE", {{2, 2, 40}}, "    "},

  {"ColumnMarksAndBlanks", Kind::CokluSutun, {1, 3, 1, 2}, "ABC", {{1, 1, 40}, {3, 1, 40}}, "A C   "},
  {"ColumnQuotedList", Kind::CokluSutun, {1, 6, 1, 1}, "ABCDEF", {{2, 1, 40}, {5, 1, 40}}, "\"B,E\"",
   {.kindLetter = "J"}},
  {"ColumnQuotedListOfNothing", Kind::CokluSutun, {1, 6, 1, 1}, "ABCDEF", {}, "     ", {.kindLetter = "J"}},
  {"ColumnIgnoresTheStep", Kind::CokluSutun, {1, 3, 1, 1}, "ABC", {{1, 1, 40}, {2, 1, 40}, {3, 1, 40}}, "ABC",
   {.step = 2}},
  {"ColumnCapsMarkedPositions", Kind::CokluSutun, {1, 3, 1, 1}, "ABC", {{1, 1, 200}, {2, 1, 9}}, "   ",
   {.capLimit = 8}},
  {"ColumnCapAboveThresholdStillMarks", Kind::CokluSutun, {1, 3, 1, 1}, "ABC", {{1, 1, 200}}, "A  ",
   {.capLimit = 9}},
  {"ColumnBeyondTheAlphabetAddsNothing", Kind::CokluSutun, {1, 3, 1, 1}, "AB", {{3, 1, 40}}, "  "},
  {"ColumnEmptyResultIsOneBlank", Kind::CokluSutun, {1, 3, 5, 1}, "ABC", {{1, 1, 40}}, " "},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(SingleChoice, DecodeTest, testing::ValuesIn(kSingleChoice),
                         [](const auto& test) { return std::string(test.param.name); });
INSTANTIATE_TEST_SUITE_P(MultipleChoice, DecodeTest, testing::ValuesIn(kMultipleChoice),
                         [](const auto& test) { return std::string(test.param.name); });

// --- Blocks outside the buffer -----------------------------------------------

struct OutsideCase {
  const char* name;
  Block block;
};

void PrintTo(const OutsideCase& c, std::ostream* os) {
  *os << c.name;
}

class OutsideTest : public testing::TestWithParam<OutsideCase> {};

TEST_P(OutsideTest, EveryDecoderGivesEmptyText) {
  // Under the address sanitizer a single read past the buffer fails the test.
  const MarkSheet sheet = darkSheet();
  for (const Kind kind :
       {Kind::Kutu, Kind::KutuIkili, Kind::Dikey, Kind::Yatay, Kind::CokluSatir, Kind::CokluSutun}) {
    DecodeCase c{GetParam().name, kind, GetParam().block, "ABCDE", {}, ""};
    SCOPED_TRACE(static_cast<int>(kind));
    EXPECT_EQ(viaNamedFunction(c, sheet.marks), QString());
    const BoxDecoder prepared(inputOf(c), contextOf(c));
    EXPECT_FALSE(prepared.insideBuffer());
  }
}

// clang-format off
const OutsideCase kOutside[] = {
  {"LineZero", {0, 5, 1, 5}},
  {"PastTheLastLine", {150, 156, 1, 5}},
  {"ColumnZero", {1, 5, 0, 5}},
  {"PastTheLastColumn", {1, 5, 45, 49}},
  {"NegativeLines", {-3, 2, 1, 1}},
  {"ReversedAndOutside", {200, 100, 48, 1}},
  {"FarOutside", {32767, 32767, -32768, 32767}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Blocks, OutsideTest, testing::ValuesIn(kOutside),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(BlockEdges, TheCornersOfTheBufferAreRead) {
  MarkSheet sheet;
  sheet.set(1, 1, 40).set(155, 48, 40);
  const BoxDecoderContext context;
  EXPECT_EQ(Yatay_Coz(sheet.marks, 1, 1, 1, 2, 8, QStringLiteral("AB"), {}, 0, context), u"A");
  EXPECT_EQ(Yatay_Coz(sheet.marks, 155, 155, 47, 48, 8, QStringLiteral("AB"), {}, 0, context), u"B");
}

// --- Turned forms --------------------------------------------------------------

// When the alphabet and the result are turned around, as a list of the
// combinations that turn them: "T" turned or "N" not, "+" double-sided or
// "-" not or "*" either, then the direction code.
struct TurnRule {
  const char* name;
  Kind kind;
  bool wordList;
  const char* alphabetReversed;
  const char* resultReversed;
};

void PrintTo(const TurnRule& r, std::ostream* os) {
  *os << r.name;
}

bool listed(const char* rules, bool turned, bool duplex, const char* direction) {
  for (const QString& rule : QString::fromLatin1(rules).split(u' ', Qt::SkipEmptyParts)) {
    if ((rule.at(0) == u'T') != turned) continue;
    if (rule.at(1) != u'*' && (rule.at(1) == u'+') != duplex) continue;
    if (rule.mid(2) == QLatin1String(direction)) return true;
  }
  return false;
}

// A marking whose text shows both reversals: the plain text, the text with
// the alphabet reversed, with the result reversed, and with both.
struct TurnProbe {
  Block block;
  const char* alphabet;
  std::vector<Mark> marks;
  const char* texts[4];
};

TurnProbe probeFor(const TurnRule& r) {
  switch (r.kind) {
    case Kind::Kutu:  // one character: a two-character blank result shows the turn of the result
      return {{1, 1, 1, 5}, "ABCDE", {}, {"", "", "", ""}};
    case Kind::KutuIkili:
      return {{1, 1, 1, 5}, "ABCDE", {{1, 1, 40}, {1, 2, 40}}, {"AB", "ED", "BA", "DE"}};
    case Kind::Dikey:
      if (r.wordList) return {{1, 2, 1, 2}, "a~b~", {{1, 1, 40}, {2, 2, 40}}, {"AB", "ZY", "BA", "YZ"}};
      return {{1, 5, 1, 2}, "ABCDE", {{1, 1, 40}, {2, 2, 40}}, {"AB", "ED", "BA", "DE"}};
    case Kind::Yatay:
      return {{1, 2, 1, 5}, "ABCDE", {{1, 1, 40}, {2, 2, 40}}, {"AB", "ED", "BA", "DE"}};
    case Kind::CokluSatir:
      return {{1, 1, 1, 5}, "ABCDE", {{1, 1, 40}}, {"A    ", "E    ", "    A", "    E"}};
    case Kind::CokluSutun:
      if (r.wordList) return {{1, 3, 1, 1}, "a~b~", {{1, 1, 40}}, {"A  ", "Z  ", "  A", "  Z"}};
      return {{1, 5, 1, 1}, "ABCDE", {{1, 1, 40}}, {"A    ", "E    ", "    A", "    E"}};
  }
  return {};
}

class TurnTest : public testing::TestWithParam<TurnRule> {};

TEST_P(TurnTest, ReversesAlphabetAndResultAsTheTableSays) {
  const TurnRule& rule = GetParam();
  for (const bool turned : {true, false}) {
    for (const bool duplex : {true, false}) {
      for (const char* direction : {"1", "2", "3", "", "4"}) {
        const bool alphabet = listed(rule.alphabetReversed, turned, duplex, direction);
        const bool result = listed(rule.resultReversed, turned, duplex, direction);
        SCOPED_TRACE(testing::Message() << (turned ? "turned" : "not turned") << (duplex ? ", duplex" : "")
                                        << ", direction \"" << direction << '"');
        const TurnProbe probe = probeFor(rule);
        DecodeCase c{rule.name, rule.kind, probe.block, probe.alphabet, probe.marks, ""};
        c.options.direction = direction;
        c.options.turn = turned ? "T" : "N";
        c.options.duplex = duplex;
        const BoxDecoder prepared(inputOf(c), contextOf(c));
        EXPECT_EQ(prepared.reversesAlphabet(), alphabet);
        EXPECT_EQ(prepared.reversesResult(), result);
        if (rule.kind == Kind::Kutu) {
          // The alphabet's turn shows in the character chosen, the result's
          // in a blank result of two characters.
          c.options.blankText = "<>";
          EXPECT_EQ(viaNamedFunction(c, sheetOf({{1, 2, 40}}).marks), alphabet ? u"D" : u"B");
          EXPECT_EQ(viaNamedFunction(c, MarkSheet().marks), result ? u"><" : u"<>");
        } else {
          const int which = (alphabet ? 1 : 0) + (result ? 2 : 0);
          EXPECT_EQ(viaNamedFunction(c, sheetOf(probe.marks).marks), u8(probe.texts[which]));
        }
      }
    }
  }
}

// clang-format off
const TurnRule kTurnRules[] = {
  {"Kutu", Kind::Kutu, false, "T+1 T+3 T-2", "T*1 T*2"},
  {"KutuIkili", Kind::KutuIkili, false, "T+1 T+3 T-2", "T*1 T*2"},
  {"Dikey", Kind::Dikey, false, "T+1 T-2", "T+1 T+3 T-2 N*3"},
  {"DikeyWordList", Kind::Dikey, true, "T+1", "T+1 T+3 T-2 N*3"},
  {"Yatay", Kind::Yatay, false, "T+1 T+3 T-2 N*3", "T*1 T*2"},
  {"CokluSatir", Kind::CokluSatir, false, "T+1 T-2", "T*2"},
  {"CokluSutun", Kind::CokluSutun, false, "T+1 T-2", "T*2"},
  {"CokluSutunWordList", Kind::CokluSutun, true, "T+1", "T*2"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Decoders, TurnTest, testing::ValuesIn(kTurnRules),
                         [](const auto& test) { return std::string(test.param.name); });

// --- Helpers -------------------------------------------------------------------

TEST(BoslukDegistir, TurnsBlanksIntoGraveAccentsUnlessOneCharacter) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {{"A B C", "A`B`C"}, {"  ", "``"}, {" ", " "}, {"", ""}, {"ABC", "ABC"}};
  for (const auto& c : cases) EXPECT_EQ(Bosluk_Degistir(u8(c.text)), u8(c.expected)) << c.text;
}

TEST(VirgulListesi, JoinsNonBlankCharactersBetweenQuotes) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {{"A C ", "\"A,C\""}, {"  B", "\"B\""}, {"ABC", "\"A,B,C\""},
               {"   ", " "},        {"", " "},        {"`Ç", "\"`,Ç\""}};
  for (const auto& c : cases) EXPECT_EQ(Virgul_Listesi(u8(c.text)), u8(c.expected)) << c.text;
}

}  // namespace
