#include "MarkSheet.h"
#include "ReadingTestSupport.h"

#include "layout/BuiltInAlphabets.h"
#include "reading/FieldDecoding.h"
#include "reading/ValueAssembly.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace {

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

// Assembles one sheet whose passes left `values` in the fields.
struct Assembled {
  bool dropped = false;
  QString Text6;
  RunFieldTable values;
};

Assembled assemble(const LayoutTable& layout, const QStringList& values) {
  Assembled result;
  result.values = RunFieldTable::forLayout(layout);
  for (qsizetype i = 0; i < values.size(); ++i) result.values.entries[i].FieldValue = values[i];
  result.dropped = ValueAssembly(layout).assemble(result.values, result.Text6);
  return result;
}

struct WordCase {
  const char* name;
  const char* header;
  const char* alphabet;
  const char* value;
  const char* expected;
};

void PrintTo(const WordCase& c, std::ostream* os) {
  *os << c.name;
}

class WordMapping : public testing::TestWithParam<WordCase> {};

TEST_P(WordMapping, EachCharacterBecomesAWordOfTheListsWidth) {
  const WordCase& c = GetParam();
  const LayoutTable layout = layoutOf({u8(c.header), u8("1=1=1=2=0=Y=") + u8(c.alphabet) + u8("=X=SORU==")});
  const Assembled result = assemble(layout, {u8(c.value)});
  EXPECT_FALSE(result.dropped);
  EXPECT_EQ(result.values.field(1).FieldValue, u8(c.expected));
  // The display shows the same words.
  EXPECT_EQ(result.Text6, u8(c.expected) + u'\r');
}

// clang-format off
const WordCase kWords[] = {
  {"SecondLetterIsSecondWord", "62=48=8=N=*= =", "Evet~Hayır~", "B", "Hayır"},
  {"ShorterWordIsPadded", "62=48=8=N=*= =", "Evet~Hayır~", "A", "Evet "},
  {"BlankTextIsBlanks", "62=48=8=N=*= =", "Evet~Hayır~", " ", "     "},
  {"OutsideTheAlphabetIsTieCharacters", "62=48=8=N=*= =", "Evet~Hayır~", "*", "*****"},
  {"TieTextGivesItsFirstCharacter", "62=48=8=N=XY= =", "Evet~Hayır~", "*", "XXXXX"},
  {"WordPastTheListIsBlanks", "62=48=8=N=*= =", "Evet~Hayır~", "C", "     "},
  {"TextAfterTheLastTildeIsNoWord", "62=48=8=N=*= =", "Evet~Hayır~Belki", "C", "     "},
  {"OneWordPerCharacter", "62=48=8=N=*= =", "Evet~Hayır~", "BA", "HayırEvet "},
  {"OwnBlankTextIsBlanks", "62=48=8=N=*=?=", "Evet~Hayır~", "?", "     "},
  {"BlankIsNotInTheAlphabet", "62=48=8=N=*=?=", "Evet~Hayır~", " ", "*****"},
  {"SmallLettersCountOn", "62=48=8=N=*= =", "a~b~c~d~e~f~g~h~i~j~k~l~m~n~o~p~q~r~s~t~u~v~w~x~y~z~A~B~C~D~", "a", "D"},
  {"EmptyValueIsEmpty", "62=48=8=N=*= =", "Evet~Hayır~", "", ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Assembly, WordMapping, testing::ValuesIn(kWords),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Assembly, AtMostEightyWordsAreTaken) {
  QString alphabet;
  for (int k = 1; k <= 80; ++k) alphabet += QStringLiteral("w%1~").arg(k);
  alphabet += QStringLiteral("muchlongerword~");
  const LayoutTable layout = layoutOf({u8("62=48=8=N=*= ="), u8("1=1=1=2=0=Y=") + alphabet + u8("=X=S==")});
  // "_" is the 80th character of the word alphabet, "1" the 59th.
  ASSERT_EQ(alphabets::fullSet().indexOf(u'_'), 79);
  const Assembled result = assemble(layout, {u8("_1")});
  EXPECT_EQ(result.values.field(1).FieldValue, u"w80w59");
}

TEST(Assembly, DisplayShowsBlanksAsUnderscoresAndSkipsKindQ) {
  const LayoutTable layout = layoutOf({
      u8("62=48=8=N=*= ="),
      u8("1=1=1=3=0=Y=ABC=X=A=="),
      u8("2=2=1=2=0=Y=Evet~Hayır~=X=B=="),
      u8("3=3=1=3=0=Y=ABC=Q=C=="),
      u8("4=4=1=3=0=Y=ABC=q=D=="),
      u8("5=5=1=3=0=Y=ABC=X=E=="),
  });
  const Assembled result = assemble(layout, {u8("A B"), u8("B"), u8("gizli"), u8("gizli"), u8(" C")});
  EXPECT_EQ(result.Text6, u8("A_B\rHayır\r_C\r"));
  EXPECT_EQ(result.values.field(1).FieldValue, u"A B");  // the value keeps its blanks
  EXPECT_EQ(result.values.field(3).FieldValue, u"gizli");
}

// --- Barcode ---------------------------------------------------------------------

struct BarcodeCase {
  const char* name;
  bool enabled;
  bool withReader;
  QByteArray barcode;
  std::optional<int> returnedLength;
  const char* expected;  // nullptr: the sheet is dropped
};

void PrintTo(const BarcodeCase& c, std::ostream* os) {
  *os << c.name;
}

class Barcode : public testing::TestWithParam<BarcodeCase> {};

TEST_P(Barcode, IsReadFittedToTheFieldAndDropsTheSheetWhenAllZeros) {
  const BarcodeCase& c = GetParam();
  // A six-character barcode field between two plain fields.
  const LayoutTable layout =
      layoutOf({u8("62=48=8=N=*= ="), u8("1=1=1=3=0=Y=ABC=X=ON=="), u8("3=3=14=19=0=D= =A=BARKOD=="),
                u8("5=5=1=2=0=Y=Evet~Hayır~=X=SON==")});
  ASSERT_EQ(layout.field(2).FieldCharCount, 6);
  const FieldDecoding passes(layout, {0, 0, false, c.enabled});
  RunFieldTable values = RunFieldTable::forLayout(layout);
  values.barcode.data.fill('Z');
  BarcodeReader reader;
  reader.barcode = c.barcode;
  reader.returnedLength = c.returnedLength;
  passes.frontPass(MarkSheet{{1, 2, 40}, {5, 2, 40}}.marks, values, layout.FieldCount,
                   c.withReader ? &reader : nullptr);

  if (c.enabled && c.withReader) {
    ASSERT_EQ(reader.infoCalls.size(), 1u);
    EXPECT_EQ(reader.infoCalls[0], std::make_pair(std::int16_t{1}, std::int16_t{1}));
    ASSERT_EQ(reader.dataCalls.size(), 1u);
    const BarcodeReader::DataCall& call = reader.dataCalls[0];
    EXPECT_EQ(call.item, 1);
    EXPECT_EQ(call.kind, 'e');
    EXPECT_EQ(call.length, 6);
    // The field's length is cleared before the read, nothing more.
    for (int k = 0; k < omr::kBarcodeBufferSize; ++k) EXPECT_EQ(call.data[k], k < 6 ? 0 : 'Z') << k;
  } else {
    EXPECT_TRUE(reader.infoCalls.empty());
    EXPECT_TRUE(reader.dataCalls.empty());
  }

  QString Text6;
  const bool dropped = ValueAssembly(layout).assemble(values, Text6);
  if (c.expected == nullptr) {
    EXPECT_TRUE(dropped);
    // Nothing after the barcode is assembled: the word list keeps its letter.
    EXPECT_EQ(values.field(3).FieldValue, u"B");
    EXPECT_EQ(Text6, u"B\r");
  } else {
    EXPECT_FALSE(dropped);
    EXPECT_EQ(values.field(2).FieldValue, u8(c.expected));
    EXPECT_EQ(values.field(3).FieldValue, u8("Hayır"));
  }
}

// clang-format off
const BarcodeCase kBarcodes[] = {
  {"ShortBarcodeIsZeroPadded", true, true, "123", std::nullopt, "000123"},
  {"FullBarcode", true, true, "987654", std::nullopt, "987654"},
  {"LongerBarcodeIsCut", true, true, "12345678", std::nullopt, "123456"},
  {"ZeroBytesAreBlanks", true, true, QByteArray("12\0" "34", 5), std::nullopt, "012 34"},
  {"BlanksAtTheEndsAreRemoved", true, true, "12345 ", std::nullopt, "12345"},
  {"OnlyBlanksGiveAnEmptyValue", true, true, "      ", std::nullopt, ""},
  {"LengthPastTheBufferIsCutToIt", true, true, "12345678901234567", 400, "123456"},
  {"NegativeLengthIsEmpty", true, true, "123", -7, nullptr},
  {"ZerosDropTheSheet", true, true, "000000", std::nullopt, nullptr},
  {"ShortZerosDropTheSheet", true, true, "00", std::nullopt, nullptr},
  {"ZerosAfterABlankAreKept", true, true, QByteArray("\0" "00000", 6), std::nullopt, "00000"},
  {"NoReaderReadsAnEmptyBarcode", true, false, "123", std::nullopt, nullptr},
  {"BarcodeOffReadsNothing", false, true, "123", std::nullopt, nullptr},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Assembly, Barcode, testing::ValuesIn(kBarcodes),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
