#include "DeckTestSupport.h"
#include "sim/DeckValuesParser.h"

#include <gtest/gtest.h>

namespace {

const LayoutTable& exam() {
  static const LayoutTable layout = ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"));
  return layout;
}

DeckValuesParser::Result parseValues(const char* text, const LayoutTable& layout = exam()) {
  return DeckValuesParser::parse(QByteArray(text), layout, QStringLiteral("v.values"));
}

TEST(DeckValuesParser, ReadsOneSheetPerLine) {
  const DeckValuesParser::Result result = parseValues(
      "# exam sheets\r\n"
      "OGRNO=2023104512\tADSOYAD=AYŞE YILMAZ\tKITAPCIK=B\tS001..S005=AB DE\r\n"
      "\r\n"
      "@4=C\tS002@light=A\tS003@erased=B\t@5@double=D\tS096..S100@light=  E\n"
      "@status=40110001\t@lines=61\t@backlines=150\t@barcode=0012\n"
      "-\n");
  ASSERT_TRUE(result.ok()) << result.error.toStdString();
  ASSERT_EQ(result.sheets.size(), 4);

  const DeckSheetValues& first = result.sheets[0];
  EXPECT_EQ(first.sourceLine, 2);
  const QMap<int, QString> firstValues = {
      {1, QStringLiteral("2023104512")}, {2, QString::fromUtf8("AYŞE YILMAZ")},
      {3, QStringLiteral("B")},          {4, QStringLiteral("A")},
      {5, QStringLiteral("B")},          {6, QStringLiteral(" ")},
      {7, QStringLiteral("D")},          {8, QStringLiteral("E")},
  };
  EXPECT_EQ(first.values, firstValues);
  EXPECT_FALSE(first.status.has_value());

  const DeckSheetValues& second = result.sheets[1];
  EXPECT_EQ(second.sourceLine, 4);
  EXPECT_EQ(second.values, (QMap<int, QString>{{4, QStringLiteral("C")}}));
  EXPECT_EQ(second.light, (QMap<int, QString>{{5, QStringLiteral("A")},
                                              {99, QStringLiteral(" ")},
                                              {100, QStringLiteral(" ")},
                                              {101, QStringLiteral("E")},
                                              {102, QStringLiteral(" ")},
                                              {103, QStringLiteral(" ")}}));
  EXPECT_EQ(second.erased, (QMap<int, QString>{{6, QStringLiteral("B")}}));
  EXPECT_EQ(second.doubled, (QMap<int, QString>{{5, QStringLiteral("D")}}));

  const DeckSheetValues& third = result.sheets[2];
  EXPECT_EQ(third.status, 0x40110001u);
  EXPECT_EQ(third.lines, 61);
  EXPECT_EQ(third.backLines, 150);
  EXPECT_EQ(third.barcode, QStringLiteral("0012"));
  EXPECT_TRUE(third.values.isEmpty());

  EXPECT_TRUE(result.sheets[3].values.isEmpty()) << "a line \"-\" is a sheet without marks";
}

struct BadValues {
  const char* name;
  const char* text;
  int line;
  const char* message;
};

void PrintTo(const BadValues& c, std::ostream* os) {
  *os << c.name;
}

class DeckValuesErrors : public testing::TestWithParam<BadValues> {};

TEST_P(DeckValuesErrors, RefusesTheFileNamingTheLine) {
  const BadValues& c = GetParam();
  const DeckValuesParser::Result result = parseValues(c.text);
  EXPECT_FALSE(result.ok());
  EXPECT_TRUE(result.sheets.isEmpty());
  EXPECT_EQ(result.errorLine, c.line);
  EXPECT_EQ(result.error, QStringLiteral("v.values:%1: %2").arg(c.line).arg(QString::fromUtf8(c.message)));
}

const BadValues kBadValues[] = {
    {"UnknownName", "S001=A\n# x\nS101=A\n", 3, "no field is named 'S101'"},
    {"UnknownLayer", "S001@bogus=A\n", 1, "no field is named 'S001@bogus'"},
    {"NoEquals", "S001\n", 1, "'S001' is not NAME=VALUE"},
    {"GivenTwice", "S001=A\tS001=B\n", 1, "S001 is given twice"},
    {"GivenTwiceByARange", "S002=A\tS001..S003=ABC\n", 1, "S002 is given twice"},
    {"LayersAreSeparate", "S001=A\tS001@light=B\tS001@light=C\n", 1, "S001@light is given twice"},
    {"RangeBackwards", "S003..S001=ABC\n", 1, "'S003..S001' runs backwards"},
    {"RangeTooShort", "S001..S003=ABCD\n", 1, "'S001..S003' takes 3 characters, not 4"},
    {"RangeOverWideField", "OGRNO..S001=12\n", 1, "OGRNO in 'OGRNO..S001' does not read one character"},
    {"FieldNumberZero", "@0=A\n", 1, "field number 0 is outside 1-103"},
    {"FieldNumberNotANumber", "@x=A\n", 1, "'x' is not a number"},
    {"StatusNotHex", "@status=xyz\n", 1, "'xyz' is not a hexadecimal word"},
    {"StatusTwice", "@status=1\t@STATUS=2\n", 1, "@status is given twice"},
    {"LinesTooMany", "@lines=200\n", 1, "line count 200 is outside 0-155"},
    {"LinesEmpty", "@backlines=\n", 1, "line count needs a number"},
    {"BarcodeWithBlank", "@barcode=12 34\n", 1,
     "barcode '12 34' holds a character other than printable ASCII"},
    {"NotUtf8", "S001=\xC3\n", 1, "the line is not UTF-8 text"},
};

INSTANTIATE_TEST_SUITE_P(Table, DeckValuesErrors, testing::ValuesIn(kBadValues), caseName<BadValues>);

TEST(DeckValuesParser, AskForTheNumberWhereTwoFieldsShareAName) {
  const LayoutTable layout =
      layoutOf({QStringLiteral("20=48=8=N=*= ="), QStringLiteral("01=01=01=05=00=Y=ABCDE==X=X="),
                QStringLiteral("02=02=01=05=00=Y=ABCDE==X=X="),
                QStringLiteral("03=03=01=05=00=Y=ABCDE==A..B=Odd name=")});
  EXPECT_EQ(parseValues("X=A\n", layout).error, QStringLiteral("v.values:1: 'X' names fields @1, @2"));
  const DeckValuesParser::Result result = parseValues("@2=B\tA..B=C\n", layout);
  ASSERT_TRUE(result.ok()) << result.error.toStdString();
  EXPECT_EQ(result.sheets[0].values,
            (QMap<int, QString>{{2, QStringLiteral("B")}, {3, QStringLiteral("C")}}));
}

}  // namespace
