#include "DeckTestSupport.h"
#include "sim/DeckWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DeckParser, ReadsTheReaderAndEverySheet) {
  const char* text =
      "\xEF\xBB\xBF# a reader with a back unit\r\n"
      "MODEL SR 3000 Ş  # comment after the name\r\n"
      "equipment 00010000\n"
      "Open FAIL\n"
      "connectstatus 4011000a\n"
      "\n"
      "sheet\n"
      "status 40110001\n"
      "lines 61\n"
      "backlines 150\n"
      "barcode A#1-0012\n"
      "12 20 200\n"
      "13: 0 0 9 250\n"
      "12 20 7\t# a later mark replaces an earlier one\n"
      "back\n"
      "155 48 255\n"
      "front\n"
      "1 1 1\n"
      "SHEET\n"
      "back\n"
      "2 2 0\n";
  const DeckParser::Result result = DeckParser::parse(QByteArray(text), QStringLiteral("x.deck"));
  ASSERT_TRUE(result.ok()) << result.error.toStdString();
  const Deck& deck = *result.deck;
  EXPECT_EQ(deck.model, QString::fromUtf8("SR 3000 Ş"));
  EXPECT_EQ(deck.equipment, 0x00010000u);
  EXPECT_TRUE(deck.openFails);
  EXPECT_EQ(deck.connectStatus, 0x4011000Au);
  ASSERT_EQ(deck.sheets.size(), 2);

  const DeckSheet& first = deck.sheets[0];
  EXPECT_EQ(first.status, 0x40110001u);
  EXPECT_EQ(first.lines, 61);
  EXPECT_EQ(first.backLines, 150);
  EXPECT_EQ(first.barcode, QByteArray("A#1-0012"));
  const QList<DeckSheet::Mark> front = {{1, 1, 1}, {12, 20, 7}, {13, 3, 9}, {13, 4, 250}};
  EXPECT_EQ(first.front, front);
  EXPECT_EQ(first.back, (QList<DeckSheet::Mark>{{155, 48, 255}}));

  const DeckSheet& second = deck.sheets[1];
  EXPECT_EQ(second, DeckSheet{}) << "a sheet without keywords has the defaults and no marks";
}

TEST(DeckParser, DefaultsWithoutReaderKeywords) {
  const Deck deck = parsedDeck("sheet\nsheet\n");
  EXPECT_EQ(deck.model, QStringLiteral("SR-SIMULATOR"));
  EXPECT_EQ(deck.equipment, 0u);
  EXPECT_FALSE(deck.openFails);
  EXPECT_EQ(deck.connectStatus, 0u);
  EXPECT_EQ(deck.sheets.size(), 2);
  EXPECT_FALSE(deck.sheets[0].lines.has_value());
}

TEST(DeckParser, AWholeLineClearsTheColumnsItDoesNotGive) {
  const Deck deck = parsedDeck("sheet\n7 30 99\n7 2 99\n7: 5\n");
  ASSERT_EQ(deck.sheets.size(), 1);
  EXPECT_EQ(deck.sheets[0].front, (QList<DeckSheet::Mark>{{7, 1, 5}}));
}

struct BadDeck {
  const char* name;
  const char* text;
  int line;
  const char* message;
};

void PrintTo(const BadDeck& c, std::ostream* os) {
  *os << c.name;
}

class DeckParserErrors : public testing::TestWithParam<BadDeck> {};

TEST_P(DeckParserErrors, RefusesTheWholeDeckNamingFileAndLine) {
  const BadDeck& c = GetParam();
  const DeckParser::Result result = DeckParser::parse(QByteArray(c.text), QStringLiteral("decks/x.deck"));
  EXPECT_FALSE(result.ok());
  EXPECT_FALSE(result.deck.has_value());
  EXPECT_EQ(result.errorLine, c.line);
  EXPECT_EQ(result.error,
            QStringLiteral("decks/x.deck:%1: %2").arg(c.line).arg(QString::fromUtf8(c.message)));
}

const BadDeck kBadDecks[] = {
    {"ColumnTooLarge", "sheet\n1 1 1\n\n# x\n12 49 200\n", 5, "column 49 is outside 1-48"},
    {"ColumnZero", "sheet\n12 0 200\n", 2, "column 0 is outside 1-48"},
    {"LineZero", "sheet\n0 1 200\n", 2, "line 0 is outside 1-155"},
    {"LineTooLarge", "sheet\n156 1 200\n", 2, "line 156 is outside 1-155"},
    {"HugeLine", "sheet\n99999999999999999999 1 2\n", 2, "line 99999999999999999999 is outside 1-155"},
    {"DarknessTooLarge", "sheet\n1 1 256\n", 2, "darkness 256 is outside 0-255"},
    {"NegativeDarkness", "sheet\n1 1 -3\n", 2, "'-3' is not a number"},
    {"MarkWithTwoNumbers", "sheet\n1 1\n", 2, "a mark needs a line, a column and a darkness"},
    {"MarkWithFourNumbers", "sheet\n1 1 1 1\n", 2, "unexpected '1'"},
    {"WholeLineTooLong",
     "sheet\n3: 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "
     "0 0 0\n",
     2, "line 3 has more than 48 columns"},
    {"WholeLineBadValue", "sheet\n3: 0 x\n", 2, "'x' is not a number"},
    {"WholeLineTwoNumbersBeforeColon", "sheet\n3 4: 0\n", 2, "unexpected '4'"},
    {"MarkBeforeFirstSheet", "model M\n12 20 200\nsheet\n", 2, "a mark before the first sheet"},
    {"StatusBeforeFirstSheet", "status 0\n", 1, "status before the first sheet"},
    {"BackBeforeFirstSheet", "back\n", 1, "back before the first sheet"},
    {"ModelAfterASheet", "sheet\nmodel X\n", 2, "model belongs before the first sheet"},
    {"ModelTwice", "model A\nmodel B\n", 2, "model given twice"},
    {"ModelWithoutName", "model   # none\n", 1, "model needs a name"},
    {"ModelTooLong", "model ABCDEFGHIJKLMNOPQ\n", 1,
     "model name 'ABCDEFGHIJKLMNOPQ' is longer than 16 bytes"},
    {"ModelOutsideCodePage", "model Ωmega\n", 1,
     "model name 'Ωmega' holds characters outside code page 1254"},
    {"StatusNotHex", "sheet\nstatus 4011G000\n", 2, "'4011G000' is not a hexadecimal word"},
    {"StatusTooWide", "sheet\nstatus 1FFFFFFFF\n", 2, "'1FFFFFFFF' does not fit 32 bits"},
    {"StatusTwice", "sheet\nstatus 1\nstatus 2\n", 3, "status given twice for this sheet"},
    {"StatusWithoutWord", "sheet\nstatus\n", 2, "status needs a hexadecimal word"},
    {"EquipmentExtraToken", "equipment 1 2\n", 1, "unexpected '2'"},
    {"LinesTooMany", "sheet\nlines 156\n", 2, "line count 156 is outside 0-155"},
    {"LinesWithoutNumber", "sheet\nbacklines\n", 2, "backlines needs a number"},
    {"BarcodeTooLong", "sheet\nbarcode 12345678901234567\n", 2,
     "barcode '12345678901234567' is longer than 16 characters"},
    {"BarcodeNotAscii", "sheet\nbarcode 12é\n", 2,
     "barcode '12é' holds a character other than printable ASCII"},
    {"BarcodeTwoWords", "sheet\nbarcode 12 34\n", 2, "unexpected '34'"},
    {"OpenWithoutFail", "open\n", 1, "expected 'open fail'"},
    {"OpenSomethingElse", "open wide\n", 1, "expected 'open fail'"},
    {"SheetWithArgument", "sheet 2\n", 1, "unexpected '2'"},
    {"UnknownKeyword", "sheet\nstack 2\n", 2, "unknown keyword 'stack'"},
    {"NotUtf8", "sheet\n# caf\xE9\n", 2, "the line is not UTF-8 text"},
};

INSTANTIATE_TEST_SUITE_P(Table, DeckParserErrors, testing::ValuesIn(kBadDecks), caseName<BadDeck>);

TEST(DeckParserFile, ReadsAFileAndNamesItInMessages) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString good = dir.filePath(QStringLiteral("good.deck"));
  const QString bad = dir.filePath(QStringLiteral("bad.deck"));
  for (const auto& [path, text] : {std::pair{good, "sheet\n1 2 3\n"}, std::pair{bad, "sheet\n1 2 300\n"}}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
  }
  const DeckParser::Result read = DeckParser::parseFile(good);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read.deck->sheets[0].front, (QList<DeckSheet::Mark>{{1, 2, 3}}));

  EXPECT_EQ(DeckParser::parseFile(bad).error, bad + QStringLiteral(":2: darkness 300 is outside 0-255"));

  const QString missing = dir.filePath(QStringLiteral("missing.deck"));
  const DeckParser::Result none = DeckParser::parseFile(missing);
  EXPECT_FALSE(none.ok());
  EXPECT_TRUE(none.error.startsWith(missing + QStringLiteral(": cannot be read")))
      << none.error.toStdString();
}

TEST(DeckWriter, WritesWhatTheParserReadsBack) {
  Deck deck;
  deck.model = QString::fromUtf8("ÇİFT YÜZ");
  deck.equipment = 0x01010000;
  deck.openFails = true;
  deck.connectStatus = 0x40110000;
  DeckSheet sheet;
  sheet.status = 0x30080002;
  sheet.lines = 61;
  sheet.backLines = 0;
  sheet.barcode = "0012345";
  sheet.front = {{1, 1, 12}, {62, 48, 255}};
  sheet.back = {{5, 3, 1}};
  deck.sheets = {sheet, DeckSheet{}};
  const QByteArray text = DeckWriter::write(deck, {QStringLiteral("made for a test")});
  EXPECT_TRUE(text.startsWith("# made for a test\n"));
  const DeckParser::Result result = DeckParser::parse(text, QStringLiteral("written.deck"));
  ASSERT_TRUE(result.ok()) << result.error.toStdString();
  EXPECT_EQ(*result.deck, deck);
}

TEST(DeckSheet, MarkBufferHoldsOnlyTheLinesRead) {
  DeckSheet sheet;
  sheet.front = {{1, 1, 9}, {61, 48, 10}, {62, 1, 11}};
  const omr::MarkBuffer whole = sheet.markBuffer(DeckSheet::kFront);
  EXPECT_EQ(whole[0], 9);
  EXPECT_EQ(whole[60 * 48 + 47], 10);
  EXPECT_EQ(whole[61 * 48], 11);
  const omr::MarkBuffer cut = sheet.markBuffer(DeckSheet::kFront, 61);
  EXPECT_EQ(cut[60 * 48 + 47], 10);
  EXPECT_EQ(cut[61 * 48], 0) << "line 62 lies beyond the 61 lines read";
  EXPECT_EQ(sheet.markBuffer(DeckSheet::kBack), omr::MarkBuffer{});
}

}  // namespace
