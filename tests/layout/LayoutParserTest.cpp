#include "LayoutTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

namespace {

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

// One field line behind the usual header.
FieldDefinition parseField(const QString& line) {
  const LayoutTable table = parseLines({QString::fromUtf8(kTestHeader), line});
  EXPECT_EQ(table.FieldCount, 1) << line.toStdString();
  return table.FieldCount == 1 ? table.field(1) : FieldDefinition{};
}

// --- Encoding --------------------------------------------------------------

const QStringList kTurkishLayout = {
    u8("62=48=8=N=*= ="),
    u8("08=17=20=22=00=D=0123456789=B=Yaş=150=Yaşınız"),
    u8("/30=39=03=07=00=Y=ABCÇDEFGĞHIİ=İ=Öğrenci Adı=Adı="),
    u8("40=41=10=12=00=K=Evet~Hayır~Şöyle~=C=Şube=="),
};

TEST(LayoutEncoding, AnsiAndUtf8FilesGiveTheSameTable) {
  const LayoutTable ansiTable = ParseLayoutBytes(layoutBytes(kTurkishLayout, LayoutEncoding::Ansi));
  const LayoutTable utf8Table = ParseLayoutBytes(layoutBytes(kTurkishLayout, LayoutEncoding::Utf8));
  EXPECT_FALSE(ansiTable.Utf8DataFile);
  EXPECT_TRUE(utf8Table.Utf8DataFile);
  LayoutTable utf8AsAnsi = utf8Table;
  utf8AsAnsi.Utf8DataFile = false;
  EXPECT_EQ(ansiTable, utf8AsAnsi);

  // Equal tables could still be equally wrong: check the letters came through.
  ASSERT_EQ(ansiTable.FieldCount, 3);
  EXPECT_EQ(ansiTable.field(1).FieldName, u8("Yaş        : "));
  EXPECT_EQ(ansiTable.field(1).FieldLabel, u8("Yaşınız"));
  EXPECT_EQ(ansiTable.field(2).FieldAlphabet, u8("ABCÇDEFGĞHIİ"));
  EXPECT_EQ(ansiTable.field(2).FieldName, u8("Öğrenci Adı: "));
  EXPECT_EQ(ansiTable.field(2).FieldDecoder, u"C");    // kind İ on a horizontal field
  EXPECT_EQ(ansiTable.field(3).FieldWordWidth, u"5");  // Şöyle, Hayır: letters, not bytes
}

TEST(LayoutEncoding, ReadsCodePage1254AndBareLineFeeds) {
  // Ş ı k in code page 1254, lines ended by LF alone.
  const LayoutTable table = ParseLayoutBytes("62=48=8=N=*= =\n1=1=1=1=0=K=AB=X=\xDE\xFDk==\n");
  ASSERT_EQ(table.FieldCount, 1);
  EXPECT_EQ(table.field(1).FieldName, u8("Şık: "));
}

TEST(LayoutEncoding, TwoMarkBytesMakeUtf8AndThreeBytesAreSkipped) {
  // Only EF BB is tested; the third byte is skipped whatever it is.
  const LayoutTable table = ParseLayoutBytes("\xEF\xBBX62=48=8=N=*= =\r\n");
  EXPECT_TRUE(table.Utf8DataFile);
  EXPECT_EQ(table.LayoutLineCount, 62);
  EXPECT_FALSE(ParseLayoutBytes("\xEF"
                                "62=48=8=N=*= =\r\n")
                   .Utf8DataFile);
}

// --- Header ----------------------------------------------------------------

struct HeaderCase {
  const char* line;
  std::int16_t lineCount;
  std::int32_t columnCount;
  const char* thresholdHex;
  const char* turn;
  const char* multiMark;
  const char* blank;
};

void PrintTo(const HeaderCase& c, std::ostream* os) {
  *os << '"' << c.line << '"';
}

class LayoutHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(LayoutHeader, ReadsTheSixItems) {
  const HeaderCase& c = GetParam();
  const LayoutTable table = parseLines({u8(c.line)});
  EXPECT_EQ(table.LayoutLineCount, c.lineCount);
  EXPECT_EQ(table.LayoutColumnCount, c.columnCount);
  EXPECT_EQ(table.ThresholdHex, u8(c.thresholdHex));
  EXPECT_EQ(table.LayoutTurn, u8(c.turn));
  EXPECT_EQ(table.MultiMarkText, u8(c.multiMark));
  EXPECT_EQ(table.BlankText, u8(c.blank));
  EXPECT_EQ(table.FieldCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LayoutHeader,
    testing::Values(
        HeaderCase{"62=48=8=N=*= =", 62, 48, "8", "N", "*", " "},
        HeaderCase{"62=48=12=T=#=-=", 62, 48, "C", "T", "#", "-"},
        HeaderCase{"62=48=8=N===", 62, 48, "8", "N", "*", " "},              // empty items 5, 6
        HeaderCase{"", 0, 0, "0", "", "*", " "},                             // nothing at all
        HeaderCase{"62=48", 62, 48, "0", "", "*", " "},                      // items missing
        HeaderCase{"62=48=255=t=**=__=x=y", 62, 48, "FF", "t", "**", "__"},  // as written; rest ignored
        HeaderCase{" 6 2 =4\t8= 1 2 =N= = ", 62, 48, "C", "N", " ", " "},    // blanks inside numbers
        HeaderCase{"12.5=2.5=12.5", 12, 2, "C", "", "*", " "},               // halves to even
        HeaderCase{"13.5=3.5=13.5", 14, 4, "E", "", "*", " "},
        HeaderCase{"99999=99999999999=40000", 32767, 2147483647, "7FFF", "", "*", " "},  // clamped
        HeaderCase{"-99999=-99999999999=-5", -32768, -2147483647 - 1, "0", "", "*", " "},
        HeaderCase{"1e3=2E2=1e999", 1000, 200, "7FFF", "", "*", " "},
        HeaderCase{"abc=x1=z=N", 0, 0, "0", "N", "*", " "}));

// --- Orientation and step ----------------------------------------------------

struct OrientCase {
  const char* item;
  const char* orient;
  std::int16_t step;
  const char* decoder;
  std::int32_t charCount;
  const char* subLength;
};

void PrintTo(const OrientCase& c, std::ostream* os) {
  *os << '"' << c.item << '"';
}

class LayoutOrientation : public testing::TestWithParam<OrientCase> {};

TEST_P(LayoutOrientation, GivesStepDecoderAndWidths) {
  const OrientCase& c = GetParam();
  // Lines 8-17 (10 lines), columns 20-22 (3 columns); kind X acts on nothing.
  const FieldDefinition f = parseField(u8("08=17=20=22=00=") + u8(c.item) + u8("=ABCDE=X=Ad=="));
  EXPECT_EQ(f.FieldOrient, u8(c.orient));
  EXPECT_EQ(f.FieldStep, c.step);
  EXPECT_EQ(f.FieldDecoder, u8(c.decoder));
  EXPECT_EQ(f.FieldCharCount, c.charCount);
  EXPECT_EQ(f.FieldSubLength, u8(c.subLength));
}

INSTANTIATE_TEST_SUITE_P(
    Items, LayoutOrientation,
    testing::Values(OrientCase{"D", "D", 0, "H", 3, "3"}, OrientCase{"d", "D", 0, "H", 3, "3"},
                    OrientCase{"D1", "D", 2, "H", 3, "3"}, OrientCase{"D12", "D", 13, "H", 3, "3"},
                    OrientCase{"D123", "D", 13, "H", 3, "3"},  // only two digits are read
                    OrientCase{"D 5", "D", 6, "H", 3, "3"}, OrientCase{"D.5", "D", 2, "H", 3, "3"},
                    OrientCase{"Dx", "D", 1, "H", 3, "3"}, OrientCase{"Y", "Y", 0, "T", 10, "10"},
                    OrientCase{"Y0", "Y", 1, "T", 10, "10"}, OrientCase{"Y1", "Y", 2, "T", 10, "10"},
                    OrientCase{"y1", "Y", 2, "T", 10, "10"}, OrientCase{"K", "K", 0, "K", 1, "10"},
                    OrientCase{"K2", "K", 3, "K", 1, "10"}, OrientCase{"X", "X", 0, "", 0, "10"},
                    OrientCase{"ç", "Ç", 0, "", 0, "10"}, OrientCase{"", "", 0, "", 0, "10"}));

TEST(LayoutBlock, WidthsComeFromTheClampedCoordinatesWithoutOverflow) {
  const FieldDefinition wide = parseField(u8("-99999=99999=-99999=99999=00=D=AB=X=="));
  EXPECT_EQ(wide.FieldLineFrom, -32768);
  EXPECT_EQ(wide.FieldColTo, 32767);
  EXPECT_EQ(wide.FieldCharCount, 65536);
  EXPECT_EQ(wide.FieldSubLength, u"65536");
  const FieldDefinition reversed = parseField(u8("17=08=22=20=00=Y=AB=X=="));
  EXPECT_EQ(reversed.FieldCharCount, -8);
  EXPECT_EQ(reversed.FieldSubLength, u"-8");
}

struct NumberCase {
  const char* text;
  std::int16_t value;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
  *os << '"' << c.text << '"';
}

class LayoutCoordinate : public testing::TestWithParam<NumberCase> {};

TEST_P(LayoutCoordinate, IsTheLeadingNumberRoundedAndClamped) {
  const QString v = u8(GetParam().text);
  const FieldDefinition f = parseField(v + u'=' + v + u'=' + v + u'=' + v + u8("=00=K=AB=X=="));
  EXPECT_EQ(f.FieldLineFrom, GetParam().value);
  EXPECT_EQ(f.FieldLineTo, GetParam().value);
  EXPECT_EQ(f.FieldColFrom, GetParam().value);
  EXPECT_EQ(f.FieldColTo, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, LayoutCoordinate,
                         testing::Values(NumberCase{"08", 8}, NumberCase{"8.5", 8}, NumberCase{"9.5", 10},
                                         NumberCase{" 1 2", 12}, NumberCase{"12abc", 12},
                                         NumberCase{"1e3", 1000}, NumberCase{"-3", -3},
                                         NumberCase{"99999", 32767}, NumberCase{"-99999", -32768},
                                         NumberCase{"1e999", 32767}, NumberCase{"32767.5", 32767},
                                         NumberCase{"abc", 0}, NumberCase{"", 0}));

// --- Kind letters ------------------------------------------------------------

struct KindCase {
  const char* orient;
  const char* kind;
  const char* decoder;
  const char* subLength;
};

void PrintTo(const KindCase& c, std::ostream* os) {
  *os << c.orient << " + \"" << c.kind << '"';
}

class LayoutKind : public testing::TestWithParam<KindCase> {};

TEST_P(LayoutKind, LettersAsWrittenOverrideTheDecoder) {
  const KindCase& c = GetParam();
  // 10 lines, 3 columns.
  const FieldDefinition f =
      parseField(u8("08=17=20=22=00=") + u8(c.orient) + u8("=ABC=") + u8(c.kind) + u8("=Ad=="));
  EXPECT_EQ(f.FieldKind, u8(c.kind));
  EXPECT_EQ(f.FieldDecoder, u8(c.decoder));
  EXPECT_EQ(f.FieldSubLength, u8(c.subLength));
}

INSTANTIATE_TEST_SUITE_P(
    Letters, LayoutKind,
    testing::Values(KindCase{"D", "C", "C", "3"}, KindCase{"K", "C", "C", "10"},
                    KindCase{"Y", "N", "C", "10"}, KindCase{"D", "I", "C", "3"},
                    KindCase{"K", "I", "C", "10"}, KindCase{"D", "J", "M", "3"},
                    KindCase{"Y", "J", "C", "10"}, KindCase{"K", "J", "C", "10"},
                    KindCase{"X", "J", "C", "10"}, KindCase{"Y", "M", "M", "10"},
                    KindCase{"K", "M", "M", "10"}, KindCase{"Y", "İ", "C", "10"},
                    KindCase{"D", "İ", "M", "3"}, KindCase{"K", "İ", "K", "10"}, KindCase{"X", "İ", "", "10"},
                    KindCase{"K", "F", "K", "2"}, KindCase{"D", "F", "H", "2"},
                    KindCase{"Y", "C2x", "C", "10"},  // only the first character is the kind
                    // Lower case acts on nothing at parse time.
                    KindCase{"D", "c", "H", "3"}, KindCase{"D", "j", "H", "3"}, KindCase{"Y", "m", "T", "10"},
                    KindCase{"Y", "i", "T", "10"}, KindCase{"K", "f", "K", "10"},
                    KindCase{"D", "B", "H", "3"}, KindCase{"D", "", "H", "3"}));

// --- Word lists --------------------------------------------------------------

struct WordCase {
  QString alphabet;
  QString wordWidth;
};

void PrintTo(const WordCase& c, std::ostream* os) {
  *os << '"' << c.alphabet.left(40).toStdString() << '"';
}

class LayoutWords : public testing::TestWithParam<WordCase> {};

TEST_P(LayoutWords, MeasureTheLongestWord) {
  const FieldDefinition f = parseField(u8("08=17=20=22=00=D=") + GetParam().alphabet + u8("=X=Ad=="));
  EXPECT_EQ(f.FieldAlphabet, GetParam().alphabet);
  EXPECT_EQ(f.FieldWordWidth, GetParam().wordWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Alphabets, LayoutWords,
    testing::Values(WordCase{u8("ABCDE"), u8("")}, WordCase{u8(""), u8("")},
                    WordCase{u8("Evet~Hayır~"), u8("5")}, WordCase{u8("~"), u8("0")},
                    WordCase{u8("~~~"), u8("0")},
                    WordCase{u8("a~bbb~cccccc"), u8("3")},  // text after the last "~" is no word
                    WordCase{u8("Evet~Hayır"), u8("4")},
                    WordCase{u8("a~").repeated(79) + u8("bbbbbbbb~"), u8("8")},    // the 80th word counts
                    WordCase{u8("a~").repeated(80) + u8("bbbbbbbb~"), u8("1")}));  // the 81st does not

// --- Items 9, 10 and the tail ------------------------------------------------

struct LabelCase {
  const char* items;  // item 9, item 10 and the tail
  const char* name;
  const char* min;
  const char* max;
  const char* label;
};

void PrintTo(const LabelCase& c, std::ostream* os) {
  *os << '"' << c.items << '"';
}

class LayoutLabel : public testing::TestWithParam<LabelCase> {};

TEST_P(LayoutLabel, NameBoundsAndLabel) {
  const LabelCase& c = GetParam();
  const FieldDefinition f = parseField(u8("08=17=20=22=00=D=0123456789=B=") + u8(c.items));
  EXPECT_EQ(f.FieldName, u8(c.name));
  EXPECT_EQ(f.FieldMin, u8(c.min));
  EXPECT_EQ(f.FieldMax, u8(c.max));
  EXPECT_EQ(f.FieldLabel, u8(c.label));
}

INSTANTIATE_TEST_SUITE_P(
    Items, LayoutLabel,
    testing::Values(LabelCase{"0=150=Yaş", "0: ", " 0", " 150", "Yaş"},
                    LabelCase{"Ad=Etiket=", "Ad: ", " 0", " 0", "Etiket"},
                    LabelCase{"Ad=Etiket=   ", "Ad: ", " 0", " 0", "Etiket"},  // blank tail keeps item 10
                    LabelCase{"Ad=Etiket=  Yeni ", "Ad: ", " 0", " 0", "  Yeni "},
                    LabelCase{"Ad=Etiket=a=b=c=", "Ad: ", " 0", " 0", "a=b=c="},  // "=" belong to the tail
                    LabelCase{"Ad=Etiket=\t", "Ad: ", " 0", " 0", "\t"},          // a tab is not a blank
                    LabelCase{"==", ": ", "", "", ""}, LabelCase{"=Etiket=", ": ", "", " 0", "Etiket"},
                    LabelCase{"Ad==", "Ad: ", " 0", "", ""}, LabelCase{"Ad= =", "Ad: ", " 0", " 0", " "},
                    LabelCase{"-3.5=1e3=", "-3.5: ", "-3.5", " 1000", "1e3"},
                    LabelCase{"12 kg=Yaş 150=", "12 kg: ", " 12", " 0", "Yaş 150"},
                    LabelCase{"Ad=Etiket", "Ad: ", " 0", " 0", "Etiket"},  // no tenth "="
                    LabelCase{"Ad", "Ad: ", " 0", "", ""}));

// --- Whole tables --------------------------------------------------------------

TEST(LayoutNames, ArePaddedToTheLongestAndGetAColon) {
  const LayoutTable table = parseLines({u8(kTestHeader), u8("1=1=1=1=0=K=AB=X=Ad=="),
                                        u8("1=1=1=1=0=K=AB=X=Soyad=="), u8("1=1=1=1=0=K=AB=X===")});
  ASSERT_EQ(table.FieldCount, 3);
  EXPECT_EQ(table.field(1).FieldName, u8("Ad   : "));
  EXPECT_EQ(table.field(2).FieldName, u8("Soyad: "));
  EXPECT_EQ(table.field(3).FieldName, u8("     : "));
}

TEST(LayoutNames, AnOverlongNameDoesNotWidenTheOthers) {
  const QString longName(300, u'x');
  const LayoutTable table = parseLines(
      {u8(kTestHeader), u8("1=1=1=1=0=K=AB=X=") + longName + u8("=="), u8("1=1=1=1=0=K=AB=X=Ad==")});
  ASSERT_EQ(table.FieldCount, 2);
  EXPECT_EQ(table.field(1).FieldName, longName + u8(": "));
  EXPECT_EQ(table.field(2).FieldName, u8("Ad") + QString(254, u' ') + u8(": "));
}

TEST(LayoutFields, TheFirstSlashLineIsTheFirstBackField) {
  const LayoutTable table =
      parseLines({u8(kTestHeader), u8("10=19=1=5=0=Y=ABCDE=C=S1=="), u8("/30=39=1=5=0=Y=ABCDE=C=S2=="),
                  u8("/50=59=1=5=0=Y=ABCDE=C=S3=="), u8("//70=79=1=5=0=Y=ABCDE=C=S4==")});
  ASSERT_EQ(table.FieldCount, 4);
  EXPECT_EQ(table.FirstBackField, 2);
  EXPECT_EQ(table.field(1).FieldLineFrom, 10);
  EXPECT_EQ(table.field(2).FieldLineFrom, 30);
  EXPECT_EQ(table.field(3).FieldLineFrom, 50);
  EXPECT_EQ(table.field(4).FieldLineFrom, 0);  // only one "/" is removed
  EXPECT_EQ(parseLines({u8(kTestHeader), u8("10=19=1=5=0=Y=ABCDE=C=S1==")}).FirstBackField, 0);
}

TEST(LayoutFields, AnEmptyLineEndsTheFieldList) {
  const QString field = u8("10=19=1=5=0=Y=ABCDE=C=S1==");
  EXPECT_EQ(parseLines({u8(kTestHeader), u8(""), field}).FieldCount, 0);
  EXPECT_EQ(parseLines({u8(kTestHeader), field, u8(""), field, field}).FieldCount, 1);
  // A blank is not an empty line: it is a field of zeros.
  const LayoutTable blank = parseLines({u8(kTestHeader), u8(" "), field});
  ASSERT_EQ(blank.FieldCount, 2);
  EXPECT_EQ(blank.field(1).FieldLineFrom, 0);
  EXPECT_EQ(blank.field(1).FieldLabel, u8(""));
}

TEST(LayoutFields, KeepsTheFirst500FieldLines) {
  QStringList lines = {u8(kTestHeader)};
  for (int i = 1; i <= 600; ++i)
    lines.append((i > 500 ? u8("/") : u8("")) + QString::number(i) + u8("=1=1=1=0=K=AB=X=N") +
                 QString::number(i) + u8("=="));
  const LayoutTable table = parseLines(lines);
  EXPECT_EQ(table.FieldCount, 500);
  ASSERT_EQ(table.fields.size(), 500);
  EXPECT_EQ(table.field(500).FieldLineFrom, 500);
  EXPECT_EQ(table.FirstBackField, 0);                 // the "/" lines are past the cap
  EXPECT_EQ(table.field(1).FieldName, u8("N1  : "));  // aligned over the kept fields only
}

TEST(LayoutFields, LinesLackingSeparatorsGiveEmptyItems) {
  // Each case lists what differs from an empty field.
  const struct {
    const char* line;
    std::function<void(FieldDefinition&)> set;
  } cases[] = {
      {"08=17=20",
       [](FieldDefinition& f) {
         f.FieldLineFrom = 8, f.FieldLineTo = 17, f.FieldColFrom = 20;
         f.FieldSubLength = "10";
       }},
      {"08=17=20=22=00=D=ABC",
       [](FieldDefinition& f) {
         f.FieldLineFrom = 8, f.FieldLineTo = 17, f.FieldColFrom = 20, f.FieldColTo = 22;
         f.FieldOrient = "D", f.FieldAlphabet = "ABC", f.FieldDecoder = "H", f.FieldCharCount = 3;
         f.FieldSubLength = "3";
       }},
      {"08=17=20=22=00=K=AB~CDE~F",
       [](FieldDefinition& f) {
         f.FieldLineFrom = 8, f.FieldLineTo = 17, f.FieldColFrom = 20, f.FieldColTo = 22;
         f.FieldOrient = "K", f.FieldAlphabet = "AB~CDE~F", f.FieldWordWidth = "3", f.FieldDecoder = "K";
         f.FieldCharCount = 1, f.FieldSubLength = "10";
       }},
      {"08=17=20=22=00=Y=ABCDE=J=Ad=Bölüm",
       [](FieldDefinition& f) {
         f.FieldLineFrom = 8, f.FieldLineTo = 17, f.FieldColFrom = 20, f.FieldColTo = 22;
         f.FieldOrient = "Y", f.FieldAlphabet = "ABCDE", f.FieldKind = "J", f.FieldDecoder = "C";
         f.FieldCharCount = 10, f.FieldSubLength = "10";
         f.FieldName = "Ad: ", f.FieldMin = " 0", f.FieldMax = " 0", f.FieldLabel = u8("Bölüm");
       }},
      {"garbage", [](FieldDefinition& f) { f.FieldSubLength = "1"; }},
      {"=", [](FieldDefinition& f) { f.FieldSubLength = "1"; }},
  };
  for (const auto& c : cases) {
    FieldDefinition expected;
    expected.FieldName = ": ";
    c.set(expected);
    EXPECT_EQ(parseField(u8(c.line)), expected) << c.line;
  }
}

TEST(LayoutFields, ParsesHaveNoMemory) {
  const QByteArray first =
      layoutBytes({u8("155=48=20=T=#=-="), u8("/1=5=1=5=0=D1=Evet~Hayır~=F=Uzun bir isim=9=Yeni"),
                   u8("1=5=1=5=0=K=ABC=C=Kısa==")});
  const QByteArray second = layoutBytes({u8(kTestHeader), u8("08=17=20=22=00=Y=ABCDE=C===")});
  const LayoutTable fresh = ParseLayoutBytes(second);
  ParseLayoutBytes(first);
  const LayoutTable afterFirst = ParseLayoutBytes(second);
  EXPECT_EQ(afterFirst, fresh);
  ASSERT_EQ(afterFirst.FieldCount, 1);
  EXPECT_EQ(afterFirst.field(1).FieldName, u8(": "));
  EXPECT_EQ(afterFirst.FirstBackField, 0);
}

// --- Files ---------------------------------------------------------------------

TEST(ParseLayoutFile, ReadsTheFileAndGivesTheEmptyTableWhenItCannot) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QByteArray bytes = layoutBytes(kTurkishLayout, LayoutEncoding::Utf8);
  QFile file(dir.filePath("form.omrf"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
  file.close();
  EXPECT_EQ(ParseLayoutFile(file.fileName()), ParseLayoutBytes(bytes));
  EXPECT_EQ(ParseLayoutFile(dir.filePath("missing.omrf")), LayoutTable{});
  EXPECT_EQ(ParseLayoutFile(dir.path()), LayoutTable{});  // a folder
  EXPECT_EQ(ParseLayoutFile(QString()), LayoutTable{});
}

}  // namespace
