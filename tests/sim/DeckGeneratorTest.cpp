#include "DeckTestSupport.h"
#include "sim/DeckGenerator.h"
#include "sim/DeckWriter.h"

#include <QSet>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

LayoutTable sampleLayout(const char* name) {
  return ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/") + QLatin1String(name));
}

// The exam's layout is known by hand: threshold 8, the questions S001-S050
// on the front (one line of five columns each), S051-S100 on the back.
class ExamDecks : public testing::Test {
 protected:
  static constexpr int kThreshold = 8;
  const LayoutTable m_layout = sampleLayout("exam.omrf");

  static int darkness(const DeckSheet& sheet, int side, int line, int column) {
    for (const DeckSheet::Mark& mark : sheet.marks(static_cast<DeckSheet::Side>(side)))
      if (mark.line == line && mark.column == column) return mark.darkness;
    return 0;
  }

  // The darkest mark of the single-choice unit that holds a position: the
  // exam's digit and letter grids read by columns, its questions by lines.
  int answerBeside(const DeckSheet& sheet, int side, int line, int column) const {
    DeckGenerator generator(m_layout, {});
    for (const FieldChoices& field : generator.fields()) {
      if (field.onBack() != (side == 1) || field.reading() != FieldChoices::Reading::kSingle) continue;
      for (const auto& unit : field.units()) {
        const bool holds = std::any_of(unit.cbegin(), unit.cend(), [&](const FieldChoices::Choice& choice) {
          return choice.position == FieldChoices::Position{line, column};
        });
        if (!holds) continue;
        int darkest = 0;
        for (const FieldChoices::Choice& choice : unit)
          darkest = std::max(darkest, darkness(sheet, side, choice.position.line, choice.position.column));
        return darkest;
      }
    }
    return 0;
  }

  // How many positions of field `index`'s single line read as marked.
  int marksOnQuestion(const DeckSheet& sheet, int index) const {
    const FieldDefinition& field = m_layout.field(index);
    const int side = index >= m_layout.FirstBackField ? 1 : 0;
    int count = 0;
    for (int column = field.FieldColFrom; column <= field.FieldColTo; ++column)
      if (darkness(sheet, side, field.FieldLineFrom, column) > kThreshold) ++count;
    return count;
  }
};

TEST_F(ExamDecks, RandomDecksParseBackWithEveryQuestionAnsweredOnce) {
  ASSERT_EQ(m_layout.FieldCount, 103);
  DeckGenerator::Options options;
  options.seed = 7;
  DeckGenerator generator(m_layout, options);
  QString error;
  const auto deck = generator.randomDeck(25, &error);
  ASSERT_TRUE(deck) << error.toStdString();
  const DeckParser::Result parsed =
      DeckParser::parse(DeckWriter::write(*deck), QStringLiteral("random.deck"));
  ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
  EXPECT_EQ(parsed.deck->sheets.size(), 25);
  EXPECT_EQ(*parsed.deck, *deck);
  EXPECT_EQ(deck->equipment, DeckGenerator::kBackUnitEquipment) << "the exam has a back side";
  QSet<QByteArray> distinct;
  for (const DeckSheet& sheet : deck->sheets) {
    for (int question = 4; question <= 103; ++question)
      ASSERT_EQ(marksOnQuestion(sheet, question), 1) << "question field " << question;
    EXPECT_FALSE(sheet.back.isEmpty());
    Deck single;
    single.sheets = {sheet};
    distinct.insert(DeckWriter::write(single));
  }
  EXPECT_EQ(distinct.size(), 25) << "random sheets differ";
}

TEST_F(ExamDecks, TheSameSeedGivesTheSameDeck) {
  DeckGenerator::Options options;
  options.seed = 11;
  options.noiseLevel = 2;
  QString error;
  const auto first = DeckGenerator(m_layout, options).randomDeck(5, &error);
  const auto second = DeckGenerator(m_layout, options).randomDeck(5, &error);
  options.seed = 12;
  const auto other = DeckGenerator(m_layout, options).randomDeck(5, &error);
  ASSERT_TRUE(first && second && other);
  EXPECT_EQ(*first, *second);
  EXPECT_NE(*first, *other);
}

TEST_F(ExamDecks, NoiseStaysBelowTheThresholdExceptRubbedOutMarksBesideDarkerOnes) {
  DeckGenerator::Options options;
  options.seed = 3;
  const auto clean = DeckGenerator(m_layout, options).randomDeck(40, nullptr);
  options.noiseLevel = DeckGenerator::kMaxNoiseLevel;
  const auto noisy = DeckGenerator(m_layout, options).randomDeck(40, nullptr);
  ASSERT_TRUE(clean && noisy);
  int noiseMarks = 0;
  int rubbedOut = 0;
  for (qsizetype i = 0; i < clean->sheets.size(); ++i) {
    const DeckSheet& cleanSheet = clean->sheets[i];
    const DeckSheet& noisySheet = noisy->sheets[i];
    for (const int side : {0, 1}) {
      for (const DeckSheet::Mark& mark : cleanSheet.marks(static_cast<DeckSheet::Side>(side)))
        EXPECT_EQ(darkness(noisySheet, side, mark.line, mark.column), mark.darkness)
            << "noise never moves a mark";
      for (const DeckSheet::Mark& mark : noisySheet.marks(static_cast<DeckSheet::Side>(side))) {
        if (darkness(cleanSheet, side, mark.line, mark.column) != 0) continue;
        ++noiseMarks;
        if (mark.darkness < kThreshold) continue;
        // Above the threshold only as a rubbed-out mark in a single-choice
        // unit, lighter than that unit's answer.
        ASSERT_EQ(mark.darkness, kThreshold + 1) << "sheet " << i << " line " << mark.line;
        ++rubbedOut;
        EXPECT_GT(answerBeside(cleanSheet, side, mark.line, mark.column), mark.darkness)
            << "sheet " << i << " line " << mark.line << " column " << mark.column;
      }
    }
  }
  EXPECT_GT(noiseMarks, 400);
  EXPECT_GT(rubbedOut, 10);
}

TEST(DeckGenerator, APaperOfOneSideGetsNoNoiseOnItsBack) {
  DeckGenerator::Options options;
  options.noiseLevel = 3;
  const auto deck = DeckGenerator(sampleLayout("questionnaire.omrf"), options).randomDeck(10, nullptr);
  ASSERT_TRUE(deck);
  EXPECT_EQ(deck->equipment, 0u);
  for (const DeckSheet& sheet : deck->sheets) EXPECT_TRUE(sheet.back.isEmpty());
}

TEST(DeckGenerator, RandomValuesKeepToBoundsAndGiveABarcodeThatIsNotZeros) {
  const LayoutTable layout = sampleLayout("registration.omrf");
  DeckGenerator generator(layout, {});
  int yearField = 0;
  for (int i = 1; i <= layout.FieldCount; ++i)
    if (layout.field(i).FieldKind.startsWith(u'B')) yearField = i;
  ASSERT_GT(yearField, 0);
  for (int i = 0; i < 200; ++i) {
    const DeckSheetValues values = generator.randomValues();
    const int year = values.values.value(yearField).toInt();
    ASSERT_TRUE(year >= 1940 && year <= 2010) << values.values.value(yearField).toStdString();
    ASSERT_TRUE(values.barcode);
    ASSERT_EQ(values.barcode->size(), 12);
    ASSERT_NE(*values.barcode, QStringLiteral("000000000000"));
  }
}

TEST_F(ExamDecks, FaintRubbedOutAndSecondMarksHaveTheirDarkness) {
  DeckGenerator generator(m_layout, {});
  DeckSheetValues values;
  values.values = {{4, QStringLiteral("B")}, {5, QStringLiteral("C")}, {6, QStringLiteral("D")}};
  values.light = {{7, QStringLiteral("A")}};
  values.erased = {{5, QStringLiteral("A")}};
  values.doubled = {{6, QStringLiteral("E")}, {8, QStringLiteral("E")}};
  values.status = 0x40110002;
  values.lines = 61;
  QString error;
  const auto sheet = generator.sheet(values, &error);
  ASSERT_TRUE(sheet) << error.toStdString();
  EXPECT_EQ(sheet->status, 0x40110002u);
  EXPECT_EQ(sheet->lines, 61);
  // S001 (field 4) on line 37, S002 on 38, S003 on 39, S004 on 40, A-E in columns 3-7.
  const int answer = darkness(*sheet, 0, 37, 4);
  EXPECT_TRUE(answer >= 12 && answer <= 15);
  EXPECT_EQ(darkness(*sheet, 0, 38, 3), kThreshold + 1);
  EXPECT_GT(darkness(*sheet, 0, 38, 5), kThreshold + 1);
  EXPECT_EQ(darkness(*sheet, 0, 39, 7), darkness(*sheet, 0, 39, 6)) << "a tie reads as a double mark";
  EXPECT_GT(darkness(*sheet, 0, 41, 7), kThreshold) << "a second mark without a first is simply a mark";
  const int faint = darkness(*sheet, 0, 40, 3);
  EXPECT_TRUE(faint >= 4 && faint < kThreshold) << faint;
}

TEST_F(ExamDecks, TwoKindsOfMarkOnOnePositionAreRefused) {
  DeckGenerator generator(m_layout, {});
  DeckSheetValues values;
  values.values = {{4, QStringLiteral("B")}};
  values.erased = {{4, QStringLiteral("B")}};
  QString error;
  EXPECT_FALSE(generator.sheet(values, &error));
  EXPECT_EQ(error, QStringLiteral("S001: line 37, column 4 carries a value mark and a @erased mark"));
}

TEST_F(ExamDecks, TheFailingSheetIsNamed) {
  DeckGenerator generator(m_layout, {});
  QList<DeckSheetValues> sheets(3);
  sheets[2].values.insert(3, QStringLiteral("X"));
  sheets[2].sourceLine = 9;
  QString error;
  int failing = -1;
  EXPECT_FALSE(generator.deck(sheets, -1, &error, &failing));
  EXPECT_EQ(failing, 2);
  EXPECT_EQ(error, QStringLiteral("KITAPCIK: 'X' is not one of its choices"));
}

TEST_F(ExamDecks, ValuesRepeatUpToTheSheetCount) {
  DeckGenerator generator(m_layout, {});
  QList<DeckSheetValues> sheets(2);
  sheets[0].values.insert(4, QStringLiteral("A"));
  sheets[1].values.insert(4, QStringLiteral("E"));
  const auto deck = generator.deck(sheets, 5, nullptr);
  ASSERT_TRUE(deck);
  ASSERT_EQ(deck->sheets.size(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_GT(darkness(deck->sheets[i], 0, 37, i % 2 ? 7 : 3), kThreshold) << "sheet " << i;
    EXPECT_EQ(marksOnQuestion(deck->sheets[i], 4), 1);
  }
}

TEST(DeckGenerator, RefusesDarknessThatDoesNotReadAsAMark) {
  const LayoutTable layout = sampleLayout("exam.omrf");
  DeckGenerator::Options options;
  options.darknessLow = 8;
  options.darknessHigh = 15;
  EXPECT_EQ(DeckGenerator(layout, options).problem(),
            QStringLiteral("mark darkness 8-15 must lie above the threshold 8 and within 255"));
  options.darknessLow = 200;
  options.darknessHigh = 250;
  DeckGenerator bright(layout, options);
  EXPECT_TRUE(bright.problem().isEmpty());
  const auto deck = bright.randomDeck(1, nullptr);
  ASSERT_TRUE(deck);
  for (const DeckSheet::Mark& mark : deck->sheets[0].front)
    EXPECT_TRUE(mark.darkness >= 200 && mark.darkness <= 250);

  LayoutTable high = layout;
  high.ThresholdHex = QStringLiteral("FF");
  EXPECT_EQ(DeckGenerator(high, {}).problem(),
            QStringLiteral("the threshold 255 leaves no darkness above it"));
}

}  // namespace
