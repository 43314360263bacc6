// Where the generator puts the marks of a value, checked against the field's
// alphabet positions worked out by hand for a small layout.
#include "DeckTestSupport.h"
#include "layout/BoxDecoder.h"
#include "sim/DeckGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const QStringList kLayout = {
    QStringLiteral("40=48=8=N=*= ="),
    // 1: three digits, one per column 1-3, digits 0-9 down lines 1-10
    QStringLiteral("01=10=01=03=00=D=0123456789=G=NO=Numara="),
    // 2: one question, A-E across columns 5-9 of line 12
    QStringLiteral("12=12=05=09=00=Y=ABCDE==Q1=Soru="),
    // 3: A-D on every second column from 10 to 16
    QStringLiteral("14=14=10=16=00=Y1=ABCD=W=BOOK=Kitapçık="),
    // 4: a box of ten letters, two lines of five
    QStringLiteral("16=17=01=05=00=K=ABCDEFGHIJ==BOX=Kutu="),
    // 5: several of six topics on one line
    QStringLiteral("19=19=01=06=00=Y=ABCDEF=C=TOPICS=Konular="),
    // 6: several of six sources down one column, written as a quoted list
    QStringLiteral("21=26=01=01=00=D=ABCDEF=J=HEARD=Duyuru="),
    // 7: a word list
    QString::fromUtf8("28=28=01=02=00=Y=Evet~Hayır~=Y=AGREE=Onay="),
    // 8: a two-mark box of six letters, two lines of three
    QStringLiteral("30=31=01=03=00=K=ABCDEF=F=PAIR=İkili="),
    // 9: a name grid whose first choice is the blank
    QStringLiteral("33=36=01=02=00=D= ABC=Y=NAME=Ad="),
    // 10: a fixed value typed at the start, never marked
    QStringLiteral("38=38=01=05=00=D= =D=TERM=Dönem="),
    // 11: several topics over two lines, with the agreement words
    QString::fromUtf8("39=40=10=12=00=Y=İyi~Orta~Kötü~=C=RATE=Puan="),
    // 12: a box of two columns (1 and 3) on two lines: five positions a line
    // and a half, so line 43 reads D twice and C nowhere
    QStringLiteral("42=43=01=04=00=K1=ABCD==ODD=Tek="),
    // 13: several choices, one column on every line; the index steps by half
    // a choice a line and rounds to even: A, B, B, B
    QString::fromUtf8("45=48=05=05=00=Y1=ABCD=C=ONECOL=Tek sütun="),
    // 14: the back side, A-E across columns 1-5 of line 5
    QStringLiteral("/05=05=01=05=00=Y=ABCDE==B1=Arka soru="),
    // 15: a back-side digit column; "€-" makes an unmarked digit read "-"
    QString::fromUtf8("07=16=01=01=00=D=0123456789€-==B2=Arka rakam="),
};

struct Placed {
  const char* field;
  const char* value;
  std::vector<SidePosition> marks;
};

void PrintTo(const Placed& c, std::ostream* os) {
  *os << c.field << "=\"" << c.value << '"';
}

class FieldPlacement : public testing::TestWithParam<Placed> {};

// The index of the field named `name` in the test layout.
int fieldNamed(const DeckGenerator& generator, const char* name) {
  for (const FieldChoices& choices : generator.fields())
    if (choices.displayName() == QString::fromUtf8(name)) return choices.fieldIndex();
  return 0;
}

TEST_P(FieldPlacement, MarksTheChoicesTheValueStandsFor) {
  const Placed& c = GetParam();
  DeckGenerator generator(layoutOf(kLayout), {});
  DeckSheetValues values;
  const int field = fieldNamed(generator, c.field);
  ASSERT_GT(field, 0);
  values.values.insert(field, QString::fromUtf8(c.value));
  QString error;
  const auto sheet = generator.sheet(values, &error);
  ASSERT_TRUE(sheet) << error.toStdString();
  QList<SidePosition> marked = markedPositions(*sheet, 8);
  std::sort(marked.begin(), marked.end());
  QList<SidePosition> expected(c.marks.begin(), c.marks.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(marked, expected);
  for (const int side : {0, 1})
    for (const DeckSheet::Mark& mark : sheet->marks(static_cast<DeckSheet::Side>(side)))
      EXPECT_TRUE(mark.darkness >= 12 && mark.darkness <= 15) << "a firm mark on the reader's scale";
}

const Placed kPlacements[] = {
    // "4" is the fifth digit: line 5 of column 1; "0" line 1; "7" line 8.
    {"NO", "407", {{0, 5, 1}, {0, 1, 2}, {0, 8, 3}}},
    {"NO", "4 7", {{0, 5, 1}, {0, 8, 3}}},
    {"NO", "4", {{0, 5, 1}}},
    {"Q1", "C", {{0, 12, 7}}},
    {"Q1", " ", {}},
    {"BOOK", "C", {{0, 14, 14}}},
    // H is the eighth letter: the second line's third position.
    {"BOX", "H", {{0, 17, 3}}},
    {"BOX", "A", {{0, 16, 1}}},
    {"TOPICS", "A C  F", {{0, 19, 1}, {0, 19, 3}, {0, 19, 6}}},
    {"TOPICS", " B", {{0, 19, 2}}},
    {"HEARD", "\"B,E\"", {{0, 22, 1}, {0, 25, 1}}},
    {"HEARD", "\"A\"", {{0, 21, 1}}},
    {"AGREE", "Hayır", {{0, 28, 2}}},
    {"AGREE", "Evet ", {{0, 28, 1}}},
    // B is the second letter of the first line, D the first of the second.
    {"PAIR", "BD", {{0, 30, 2}, {0, 31, 1}}},
    {"PAIR", "E", {{0, 31, 2}}},
    {"PAIR", "**", {{0, 30, 1}, {0, 30, 2}, {0, 30, 3}}},
    // The blank is the first choice and cannot be marked: B is on line 35.
    {"NAME", "B ", {{0, 35, 1}}},
    {"NAME", " A", {{0, 34, 2}}},
    // Positions of line 39, then of line 40; Orta is the second word.
    {"RATE", "İyi Orta            Kötü", {{0, 39, 10}, {0, 39, 11}, {0, 40, 12}}},
    {"ODD", "B", {{0, 42, 3}}},
    {"ODD", "D", {{0, 43, 1}}},
    {"ONECOL", "AB B", {{0, 45, 5}, {0, 46, 5}, {0, 48, 5}}},
    {"B1", "E", {{1, 5, 5}}},
    {"B2", "9", {{1, 16, 1}}},
    {"B2", "-", {}},
};

INSTANTIATE_TEST_SUITE_P(Table, FieldPlacement, testing::ValuesIn(kPlacements));

struct Refused {
  const char* field;
  const char* value;
  const char* error;
};

void PrintTo(const Refused& c, std::ostream* os) {
  *os << c.field << "=\"" << c.value << '"';
}

class ValueRefusal : public testing::TestWithParam<Refused> {};

TEST_P(ValueRefusal, NamesTheFieldAndWhatCannotBeMarked) {
  const Refused& c = GetParam();
  DeckGenerator generator(layoutOf(kLayout), {});
  const int field = fieldNamed(generator, c.field);
  ASSERT_GT(field, 0);
  DeckSheetValues values;
  values.values.insert(field, QString::fromUtf8(c.value));
  QString error;
  EXPECT_FALSE(generator.sheet(values, &error));
  EXPECT_EQ(error, QString::fromUtf8(c.error));
}

const Refused kRefusals[] = {
    {"Q1", "F", "Q1: 'F' is not one of its choices"},
    {"Q1", "AB", "Q1: 'AB' has 2 characters; the field takes 1"},
    {"NO", "4a7", "NO: 'a' at character 2 is not one of its choices"},
    {"TOPICS", "B", "TOPICS: a mark at character 1 reads as 'A', not 'B'"},
    {"HEARD", "\"G\"", "HEARD: 'G' in list 1 is not one of its choices"},
    {"HEARD", "\"A", "HEARD: a quoted list in '\"A' is not closed"},
    {"HEARD", "A", "HEARD: 'A' is not a quoted list at character 1"},
    {"AGREE", "Belki", "AGREE: 'Belki' is not one of its choices"},
    {"PAIR", "DB", "PAIR: 'DB': the box reads its marks in order, so 'B' cannot come there"},
    {"PAIR", "ABC", "PAIR: 'ABC' asks for more than 2 marks"},
    {"NAME", "`", "NAME: '`' at character 1 is not one of its choices"},
    {"TERM", "2024", "TERM: its value is not read from marks (kind D)"},
    {"ODD", "C", "ODD: 'C' is not one of its choices"},
    {"ONECOL", "AC", "ONECOL: a mark at character 2 reads as 'B', not 'C'"},
};

INSTANTIATE_TEST_SUITE_P(Table, ValueRefusal, testing::ValuesIn(kRefusals));

TEST(FieldChoices, ATurnedFormIsMarkedSoThatItReadsBackToTheValue) {
  // Fed turned, not double-sided, direction code 2: the alphabet reads EDCBA
  // and the result is turned round, so marks on the first column of line 1
  // and the last column of line 2 read as "AE".
  const LayoutTable layout =
      layoutOf({QStringLiteral("20=48=8=T=*= ="), QStringLiteral("01=02=01=05=00=Y=ABCDE=Y2=TURNED=Ters=")});
  DeckGenerator::Options options;
  options.duplexSheet = false;
  DeckGenerator generator(layout, options);
  DeckSheetValues values;
  values.values.insert(1, QStringLiteral("AE"));
  QString error;
  const auto sheet = generator.sheet(values, &error);
  ASSERT_TRUE(sheet) << error.toStdString();
  EXPECT_EQ(markedPositions(*sheet, 8), (QList<SidePosition>{{0, 1, 1}, {0, 2, 5}}));

  // Double-sided with direction code 2, the alphabet stays as written and
  // only the result is turned round.
  DeckGenerator duplex(layout, {});
  const auto sheet2 = duplex.sheet(values, &error);
  ASSERT_TRUE(sheet2) << error.toStdString();
  EXPECT_EQ(markedPositions(*sheet2, 8), (QList<SidePosition>{{0, 1, 5}, {0, 2, 1}}));
}

// Single-choice fields whose geometry is easy to get wrong: long alphabets
// over a box whose index lands on halves, turned forms, several lines and
// steps above 1. Every character the generator offers for a field must read
// back as that character through the field's own decoder.
struct Geometry {
  const char* name;
  const char* turn;
  const char* field;
  bool duplexSheet;
};

void PrintTo(const Geometry& c, std::ostream* os) {
  *os << c.name;
}

const Geometry kGeometries[] = {
    // Step 6 over columns 1-6: line 16 stands for 15 * 11 / 6 + 1 = 28.5,
    // which rounds to the even 28; a floating-point quotient lands above.
    {"BoxOfOneColumnOnSixteenLines", "N",
     "01=16=01=06=00=K5=ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ==LONG=Uzun=", true},
    {"BoxWithExcludedDash", "N",
     "01=20=03=12=00=K3=ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZabcçdefgğhıijklmnoöprsştuüvyz-0123456789==WIDE=Geniş=",
     true},
    {"TurnedBoxDoubleSided", "T", "01=05=01=06=00=K1=ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ=Y1=TBOX=Ters kutu=", true},
    {"TurnedBoxOneSided", "T", "03=09=02=09=00=K2=ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ=Y2=TBOX2=Ters kutu=", false},
    {"TurnedLinesOneSided", "T", "01=07=01=08=00=Y2=ABC DEFG=Y2=ROWS=Satırlar=", false},
    {"ColumnsStepThreeTurnedResult", "N",
     "01=40=01=07=00=D2=ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ=Y3=COLS=Sütunlar=", true},
};

class EveryChoiceReadsBack : public testing::TestWithParam<Geometry> {};

BoxDecoderKind singleChoiceKind(const FieldDefinition& field) {
  if (field.FieldDecoder == u"H") return BoxDecoderKind::Dikey;
  if (field.FieldDecoder == u"T") return BoxDecoderKind::Yatay;
  return BoxDecoderKind::Kutu;
}

TEST_P(EveryChoiceReadsBack, ThroughTheFieldsDecoder) {
  const Geometry& c = GetParam();
  const LayoutTable layout = layoutOf(
      {QStringLiteral("40=48=8=%1=*= =").arg(QString::fromUtf8(c.turn)), QString::fromUtf8(c.field)});
  ASSERT_EQ(layout.FieldCount, 1);
  DeckGenerator::Options options;
  options.duplexSheet = c.duplexSheet;
  DeckGenerator generator(layout, options);
  const FieldChoices& choices = generator.fields().front();
  ASSERT_EQ(choices.reading(), FieldChoices::Reading::kSingle) << choices.problem().toStdString();

  const FieldDefinition& field = layout.field(1);
  BoxDecoderContext context;
  context.LayoutTurn = layout.LayoutTurn;
  context.MultiMarkText = layout.MultiMarkText;
  context.BlankText = layout.BlankText;
  context.DuplexSheet = c.duplexSheet;
  context.kindLetter = field.FieldKind.left(1);
  const BoxDecoder decoder(
      {singleChoiceKind(field), field.FieldLineFrom, field.FieldLineTo, field.FieldColFrom, field.FieldColTo,
       8, field.FieldAlphabet, field.FieldKind.mid(1, 1), field.FieldStep, 0},
      context);

  std::set<QString> offered;
  for (const auto& unit : choices.units())
    for (const FieldChoices::Choice& choice : unit)
      if (choice.choosable) offered.insert(choice.piece);
  ASSERT_FALSE(offered.empty());
  for (const QString& piece : offered) {
    // The same character in every unit reads the same whether or not the
    // result is turned round.
    const QString value = piece.repeated(choices.units().size());
    DeckSheetValues values;
    values.values.insert(1, value);
    QString error;
    const auto sheet = generator.sheet(values, &error);
    ASSERT_TRUE(sheet) << error.toStdString();
    omr::MarkBuffer marks{};
    for (const DeckSheet::Mark& mark : sheet->front)
      marks[static_cast<std::size_t>((mark.line - 1) * omr::kSheetColumns + mark.column - 1)] = mark.darkness;
    EXPECT_EQ(decoder.decode(marks), value);
  }
}

INSTANTIATE_TEST_SUITE_P(Geometries, EveryChoiceReadsBack, testing::ValuesIn(kGeometries),
                         caseName<Geometry>);

TEST(FieldChoices, FieldsOutsideTheSheetOrWithoutDecoderTakeNoValue) {
  const LayoutTable layout =
      layoutOf({QStringLiteral("62=48=8=N=*= ="), QString::fromUtf8("150=160=01=05=00=Y=ABCDE==OUT=Dışarı="),
                QStringLiteral("01=01=01=05=00=Q=ABCDE==NONE=Yok="),
                QStringLiteral("03=03=01=12=00=D= =A=CODE=Barkod=")});
  DeckGenerator generator(layout, {});
  EXPECT_EQ(generator.fields()[0].problem(), QStringLiteral("its block lies outside the sheet"));
  EXPECT_EQ(generator.fields()[1].problem(), QStringLiteral("it has no decoder"));
  EXPECT_EQ(generator.fields()[2].reading(), FieldChoices::Reading::kBarcode);
  EXPECT_EQ(generator.fields()[2].barcodeLength(), 12);
  QRandomGenerator random(1);
  EXPECT_TRUE(generator.fields()[0].randomValue(random).isEmpty());

  DeckSheetValues values;
  values.values.insert(3, QStringLiteral("000000012345"));
  values.values.insert(1, QStringLiteral("   "));  // blanks ask for nothing, even here
  QString error;
  const auto sheet = generator.sheet(values, &error);
  ASSERT_TRUE(sheet) << error.toStdString();
  EXPECT_EQ(sheet->barcode, QByteArray("000000012345"));
  EXPECT_TRUE(sheet->front.isEmpty());
}

}  // namespace
