#include "reading/SheetChecks.h"

#include "RunRig.h"
#include "app/ScriptedOperator.h"
#include "app/TranscribingOperator.h"
#include "reading/RunFieldTable.h"

#include <gtest/gtest.h>

namespace {

// A mark of darkness 14 (the forms' threshold is 8).
QByteArray at(int line, int column) {
  return QByteArray::number(line) + ' ' + QByteArray::number(column) + " 14\n";
}

const QString kTrayEmpty = QString::fromUtf8("Tepsi Boş \rDevam edilecek mi?");
const QString kTitle = QString::fromUtf8("Okuma Programı");

QString box(const char* kind, const QString& title, const char* text, const char* defaultText,
            const char* answer) {
  return QStringList{kind, title, QString::fromUtf8(text), QString::fromUtf8(defaultText),
                     QString::fromUtf8(answer)}
      .join('|');
}
QString ask(const char* text, const char* answer) {
  return box("yesno", kTitle, text, "", answer);
}
QString input(const char* prompt, const char* defaultText, const char* answer) {
  return box("input", "Okuma", prompt, defaultText, answer);
}

struct ConversionCase {
  const char* rule;
  QString value;
  QString expected;
};
void PrintTo(const ConversionCase& c, std::ostream* os) {
  *os << c.rule << " " << c.value.toStdString();
}

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, Converts) {
  const ConversionCase& c = GetParam();
  const QString rule = c.rule;
  QString got;
  if (rule == "N") got = SheetChecks::base2Number(c.value);
  if (rule == "BCD8421") got = SheetChecks::bcdGroups(c.value, true);
  if (rule == "BCD1248") got = SheetChecks::bcdGroups(c.value, false);
  if (rule == "Rows3") got = SheetChecks::bcdRows(c.value, 3);
  if (rule == "Fit4") got = SheetChecks::fitted(c.value, 4);
  EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ConversionTest,
    testing::Values(
        // The first character weighs 1: 1 + 2 + 8.
        ConversionCase{"N", "1101", "011"}, ConversionCase{"N", "", "000"},
        ConversionCase{"N", "0000000001", "512"},
        // 1023 keeps its last three digits; so does a value far too long
        // for any integer.
        ConversionCase{"N", "1111111111", "023"}, ConversionCase{"N", QString(200, u'1'), "375"},
        // Blanks and double marks weigh nothing.
        ConversionCase{"N", "1 *1", "009"}, ConversionCase{"BCD8421", "00011001", "19"},
        ConversionCase{"BCD1248", "00011001", "89"},
        ConversionCase{"BCD8421",
                       "1111"
                       "0000"
                       "1010",
                       "15010"},
        // A last group of fewer than four characters weighs from the left.
        ConversionCase{"BCD8421", "000111", "112"},
        // Rows of three: digit k sums row r's k-th character times 2^r.
        ConversionCase{"Rows3",
                       "100"
                       "010"
                       "001"
                       "000",
                       "124"},
        ConversionCase{"Rows3",
                       "111"
                       "111"
                       "111"
                       "111",
                       "151515"},
        ConversionCase{"Rows3", "1", "100"},  // a short value: missing rows weigh nothing
        ConversionCase{"Fit4", "ab", "ab  "}, ConversionCase{"Fit4", "abcd", "abcd"},
        ConversionCase{"Fit4", "abcdef", "abcd"}));

struct RunCase {
  const char* name;
  QStringList fields;
  QByteArray deck;
  bool secondTray;
  QStringList answers;  // the empty tray's "Hayır" is added for runs that reach it
  QByteArray data;
  QByteArray errors;  // "<none>" when the run has no error file
  QStringList boxes;  // the empty tray's box left out
  int saved, rejected, dropped;
  RunEnd end = RunEnd::EmptyHopper;
};
void PrintTo(const RunCase& c, std::ostream* os) {
  *os << c.name;
}

class RunCheckTest : public testing::TestWithParam<RunCase> {};

TEST_P(RunCheckTest, SheetsThroughTheRun) {
  const RunCase& c = GetParam();
  CheckRunRig rig(c.fields);
  if (c.secondTray) rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  rig.panel.setText(SettingsPanel::TextBox::Text10, "-");
  QStringList answers = c.answers;
  if (c.end == RunEnd::EmptyHopper) answers << QString::fromUtf8("Hayır");
  EXPECT_EQ(rig.read(c.deck, answers).end, c.end);
  EXPECT_EQ(rig.data(), c.data);
  EXPECT_EQ(rig.errors(), c.errors);
  QStringList boxes = rig.boxes();
  if (c.end == RunEnd::EmptyHopper) {
    ASSERT_FALSE(boxes.isEmpty());
    EXPECT_TRUE(boxes.takeLast().contains(kTrayEmpty));
  }
  EXPECT_EQ(boxes, c.boxes);
  EXPECT_EQ(rig.counters.RunSavedCount, c.saved);
  EXPECT_EQ(rig.counters.RunRejectedCount, c.rejected);
  EXPECT_EQ(rig.counters.RunDroppedCount, c.dropped);
}

const QString kY1 = "02=02=01=05=00=Y=ABCDE=%1=S1=Soru 1=";
const QString kY2 = "03=03=01=05=00=Y=ABCDE=%1=S2=Soru 2=";
// Three digits: lines 3 to 12 hold 0 to 9, columns 1 to 3.
const QString kDigits3 = "03=12=01=03=00=D=0123456789=%1=0=0=Numara";
// Two digits between 10 and 50.
const QString kAge = "03=12=01=02=00=D=0123456789=B=10=50=Yaş";
// A digit d in column c of the digit fields.
QByteArray digit(int d, int column) {
  return at(3 + d, column);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, RunCheckTest,
    testing::Values(
        RunCase{"DoubleMarkCorrected",
                {kY1.arg("Y")},
                "sheet\n" + at(2, 1) + at(2, 2),
                false,
                {"Evet", "C"},
                "C\r\n",
                "<none>",
                {ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz)! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınızSoru 1 Ön Yüz", "*", "C")},
                1,
                0,
                0},
        // A cancelled correction keeps the value as read.
        RunCase{"DoubleMarkCorrectionCancelled",
                {kY1.arg("Y")},
                "sheet\n" + at(2, 1) + at(2, 2),
                false,
                {"Evet", "<cancel>"},
                "*\r\n",
                "<none>",
                {ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz)! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınızSoru 1 Ön Yüz", "*", "<none>")},
                1,
                0,
                0},
        // "Ç" asks about a clean value too, naming every field's value;
        // "Hayır" twice comes back to the same question.
        RunCase{"CedillaAlwaysAsks",
                {kY1.arg("Ç"), kY2.arg("Y")},
                "sheet\n" + at(2, 2) + at(3, 1),
                false,
                {"Hayır", "Hayır", "Evet", "D"},
                "DA\r\n",
                "<none>",
                {ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz B A)! Kaydedilsin mi?", "Hayır"),
                 ask("Kaydedilmeyecek onaylıyor musunuz?", "Hayır"),
                 ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz B A)! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınızSoru 1 Ön Yüz B A", "B", "D")},
                1,
                0,
                0},
        RunCase{"BlankDropped",
                {kY1.arg("W")},
                "sheet\n",
                false,
                {"Hayır", "Evet"},
                "",
                "<none>",
                {ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz)! Kaydedilsin mi?", "Hayır"),
                 ask("Kaydedilmeyecek onaylıyor musunuz?", "Evet")},
                0,
                0,
                1},
        RunCase{"BlankDroppedSecondTray",
                {kY1.arg("G")},
                "sheet\n",
                true,
                {"Hayır", "Evet"},
                "",
                "",
                {ask("Hatalı kodlanan alan var (Soru 1 Ön Yüz)! Kaydedilsin mi?", "Hayır"),
                 ask("Hatalı kağıt arasına atılacak onaylıyor musunuz?", "Evet")},
                0,
                0,
                1},
        // The typed answer is fitted and tested again until it lies in range.
        RunCase{
            "RangeCorrected",
            {kAge},
            "sheet\n" + digit(0, 1) + digit(7, 2),
            false,
            {"Evet", "4", "Evet", "42"},
            "42\r\n",
            "<none>",
            {ask("Hatalı kodlanan alanlar var! Kaydedilsin mi?", "Evet"), input("Lütfen yazınız", "07", "4"),
             ask("Hatalı kodlanan alanlar var! Kaydedilsin mi?", "Evet"),
             input("Lütfen yazınız", "4 ", "42")},
            1,
            0,
            0},
        RunCase{"RangeRefused",
                {kAge},
                "sheet\n" + digit(6, 1) + digit(0, 2) + "sheet\n" + digit(4, 1) + digit(2, 2),
                false,
                {"Hayır"},
                "42\r\n",
                "<none>",
                {ask("Hatalı kodlanan alanlar var! Kaydedilsin mi?", "Hayır")},
                1,
                0,
                1},
        RunCase{"RangeCorrectionCancelled",
                {kAge},
                "sheet\n" + digit(6, 1) + digit(0, 2),
                false,
                {"Evet", "<cancel>"},
                "",
                "<none>",
                {ask("Hatalı kodlanan alanlar var! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınız", "60", "<none>")},
                0,
                0,
                1},
        RunCase{"Separators",
                {kDigits3.arg("E"), kY2.arg("Y1E")},
                "sheet\n" + digit(1, 1) + digit(2, 2) + digit(3, 3) + at(3, 5),
                false,
                {},
                "1-2-3E\r\n",
                "<none>",
                {},
                1,
                0,
                0},
        RunCase{"DuplicateDropped",
                {kY1.arg("G")},
                "sheet\n" + at(2, 2) + "sheet\n" + at(2, 2),
                false,
                {"Hayır"},
                "B\r\n",
                "<none>",
                {ask("Bu bilgi daha önce kaydedildi, tekrar kaydedilsin mi?", "Hayır")},
                1,
                0,
                1},
        // "Evet" to a duplicate saves the sheet although an earlier window failed.
        RunCase{"DuplicateYesOverridesWindow",
                {kY1.arg("U1A"), kY2.arg("G")},
                "sheet\n" + at(2, 2) + at(3, 1) + "sheet\n" + at(2, 2) + at(3, 1),
                false,
                {"Tamam", "Evet"},
                "BA\r\n",
                "<none>",
                {box("ok", kTitle, " 1 nolu pencere(ler)de hata var!", "", "Tamam"),
                 ask("Bu bilgi daha önce kaydedildi, tekrar kaydedilsin mi?", "Evet")},
                1,
                1,
                0},
        RunCase{"ConfirmedEntry",
                {kDigits3.arg("P")},
                "sheet\n" + digit(1, 1) + digit(3, 3),
                false,
                {"Evet", "12", "İptal", "123", "Evet"},
                "123\r\n",
                "<none>",
                {ask("Hatalı kodlanan alan var (Numara Ön Yüz)! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınızNumara Ön Yüz", "1 3", "12"),
                 box("yesnocancel", kTitle,
                     "12  onaylıyormusunuz?\rEvet : Onaylıyorum okumaya devam et\rHayır : Onaylamıyorum "
                     "hatalı kagit\r"
                     "İptal : Tekrar düzelteceğim",
                     "", "İptal"),
                 input("Lütfen yazınızNumara Ön Yüz", "12 ", "123"),
                 box("yesnocancel", kTitle,
                     "123 onaylıyormusunuz?\rEvet : Onaylıyorum okumaya devam et\rHayır : Onaylamıyorum "
                     "hatalı kagit\r"
                     "İptal : Tekrar düzelteceğim",
                     "", "Evet")},
                1,
                0,
                0},
        RunCase{"ConfirmedEntryRefused",
                {kDigits3.arg("P")},
                "sheet\n" + digit(1, 1) + digit(3, 3),
                false,
                {"Evet", "103", "Hayır"},
                "",
                "<none>",
                {ask("Hatalı kodlanan alan var (Numara Ön Yüz)! Kaydedilsin mi?", "Evet"),
                 input("Lütfen yazınızNumara Ön Yüz", "1 3", "103"),
                 box("yesnocancel", kTitle,
                     "103 onaylıyormusunuz?\rEvet : Onaylıyorum okumaya devam et\rHayır : Onaylamıyorum "
                     "hatalı kagit\r"
                     "İptal : Tekrar düzelteceğim",
                     "", "Hayır")},
                0,
                0,
                1},
        // An empty field takes the running number; a marked one leaves it.
        RunCase{"RunningNumberIfEmpty",
                {kDigits3.arg("T")},
                "sheet\nsheet\n" + digit(4, 1) + digit(4, 2) + digit(4, 3) + "sheet\n",
                false,
                {"7"},
                "007\r\n444\r\n008\r\n",
                "<none>",
                {box("input", kTitle, "Numara alanını giriniz (Boş ise artan numaralar)", "", "7")},
                3,
                0,
                0},
        // A start number typed with blanks is still a number.
        RunCase{"RunningNumberTypedWithBlanks",
                {kDigits3.arg("T")},
                "sheet\nsheet\n",
                false,
                {" 7 "},
                "007\r\n008\r\n",
                "<none>",
                {box("input", kTitle, "Numara alanını giriniz (Boş ise artan numaralar)", "", " 7 ")},
                2,
                0,
                0},
        // The matching sheet is saved, then the run stops.
        RunCase{"StopValue",
                {kY1.arg("Ş")},
                "sheet\n" + at(2, 1) + "sheet\n" + at(2, 3) + "sheet\n" + at(2, 2),
                false,
                {" c "},
                "A\r\nC\r\n",
                "<none>",
                {box("input", kTitle, "Soru 1 alanını giriniz (Boş ise artan numaralar)", "", " c ")},
                2,
                0,
                0,
                RunEnd::StopValue},
        // No stop value (left empty or cancelled): blank fields read on.
        RunCase{"EmptyStopValue",
                {kY1.arg("Ş")},
                "sheet\nsheet\n",
                false,
                {""},
                " \r\n \r\n",
                "<none>",
                {box("input", kTitle, "Soru 1 alanını giriniz (Boş ise artan numaralar)", "", "")},
                2,
                0,
                0},
        RunCase{"CancelledStopValue",
                {kY1.arg("Ş")},
                "sheet\nsheet\n",
                false,
                {"<cancel>"},
                " \r\n \r\n",
                "<none>",
                {box("input", kTitle, "Soru 1 alanını giriniz (Boş ise artan numaralar)", "", "<none>")},
                2,
                0,
                0},
        // A double mark in a "Q" field fails its window, but the field
        // stays out of the error line.
        RunCase{"KindQChecksButIsNotWritten",
                {kY1.arg("Q"), kY2.arg("Y")},
                "sheet\n" + at(2, 1) + at(2, 2) + at(3, 1),
                true,
                {"Tamam"},
                "",
                "A\r\n",
                {box("ok", kTitle, " 1 nolu pencere(ler)de hata var!", "", "Tamam")},
                0,
                1,
                0},
        // With one tray only the listed "U" field fails; "Z" cannot.
        RunCase{"WindowsOneTray",
                {kY1.arg("U1A"), kY2.arg("Z")},
                "sheet\n" + at(2, 2) + at(3, 1) + at(3, 2),
                false,
                {"Tamam"},
                "",
                "<none>",
                {box("ok", kTitle, " 1 nolu pencere(ler)de hata var!", "", "Tamam")},
                0,
                1,
                0},
        RunCase{"WindowsSecondTray",
                {kY1.arg("U1A"), kY2.arg("Z"), "04=04=01=05=00=Y=ABCDE=U=U=Soru 3="},
                "sheet\n" + at(2, 2) + at(3, 1) + at(3, 2),
                true,
                {"Tamam"},
                "",
                "B* \r\n",
                {box("ok", kTitle, " 1 1 2 3 nolu pencere(ler)de hata var!", "", "Tamam")},
                0,
                1,
                0},
        // "V" and "S" count only in a group a "K" field switched on; a group
        // above 10 only by the letter of its own code.
        RunCase{"Groups",
                {kY1.arg("K1"), kY2.arg("V1"), "04=04=01=05=00=Y=ABCDE=V2=V=V2=",
                 "05=05=01=05=00=Y=ABCDE=KC=K=KC=", "06=06=01=05=00=Y=ABCDE=SC=S=SC="},
                "sheet\n" + at(2, 1) + at(5, 2) + at(6, 1) + at(6, 2) + "sheet\n" + at(5, 3) + at(6, 1) +
                    at(6, 2) + "sheet\n" + at(5, 3) + at(6, 1),
                true,
                {"Tamam", "Tamam"},
                "   CA\r\n",
                "A  B*\r\n   C*\r\n",
                {box("ok", kTitle, " 2 nolu pencere(ler)de hata var!", "", "Tamam"),
                 box("ok", kTitle, " 5 nolu pencere(ler)de hata var!", "", "Tamam")},
                1,
                2,
                0}));

TEST(SheetChecksRun, RefusedRangeDoesNotCountTowardsTheSheetLimit) {
  CheckRunRig rig({kAge});
  rig.settings.StopAfterSheets = 1;
  const QByteArray deck = "sheet\n" + digit(6, 1) + digit(0, 2) + "sheet\n" + digit(4, 1) + digit(2, 2) +
                          "sheet\n" + digit(3, 1) + digit(3, 2);
  EXPECT_EQ(rig.read(deck, {"Hayır"}).end, RunEnd::SheetLimit);
  EXPECT_EQ(rig.data(), "42\r\n");
  EXPECT_EQ(rig.counters.RunSheetCount, 1);
}

TEST(SheetChecksRun, ASheetLimitOfOneEndsAfterARejectedOrDroppedFirstSheet) {
  const struct {
    const char* name;
    QString field;
    QByteArray sheet;
    QStringList answers;
    int rejected, dropped;
  } cases[] = {
      {"rejected", kY1.arg("U1A"), "sheet\n" + at(2, 1), {"Tamam"}, 1, 0},
      {"dropped", kY1.arg("W"), "sheet\n", {"Hayır", "Evet"}, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CheckRunRig rig({c.field});
    rig.settings.StopAfterSheets = 1;
    EXPECT_EQ(rig.read(c.sheet + c.sheet + c.sheet, c.answers).end, RunEnd::SheetLimit);
    EXPECT_EQ(rig.log().count("OMR_FeedSheet()"), 1);
    EXPECT_EQ(rig.log().mid(rig.log().size() - 2), QStringList({"OMR_EjectSheet(1)", "OMR_MoveHopper(0)"}));
    EXPECT_EQ(rig.data(), "");
    EXPECT_EQ(rig.counters.RunRejectedCount, c.rejected);
    EXPECT_EQ(rig.counters.RunDroppedCount, c.dropped);
  }
}

TEST(SheetChecksRun, DuplicateListOutlivesTheRun) {
  CheckRunRig rig({kY1.arg("G")});
  rig.read("sheet\n" + at(2, 4), {"Hayır"});
  EXPECT_EQ(rig.views.List1, QStringList{"D"});
  // A new data file, the same program: the value is still known.
  QFile::remove(rig.dataPath());
  rig.read("sheet\n" + at(2, 4), {"Hayır", "Hayır"});
  EXPECT_EQ(rig.boxes().first(), ask("Bu bilgi daha önce kaydedildi, tekrar kaydedilsin mi?", "Hayır"));
  EXPECT_EQ(rig.data(), "");
}

TEST(SheetChecksRun, CorrectedFieldIsMarkedGreenThenPurple) {
  for (const QString turn : {"N", "T"}) {
    SCOPED_TRACE(turn.toStdString());
    CheckRunRig rig({"02=03=04=05=00=K=AB=W=S1=Soru 1="}, turn);
    rig.read("sheet\n", {"Evet", "A", "Hayır"});
    const RgbColour green{0, 128, 64};
    const RgbColour purple{128, 0, 128};
    QList<PointLog::Point> expected;
    for (RgbColour colour : {green, purple}) {
      for (int line = 2; line <= 3; ++line) {
        for (int column = 4; column <= 5; ++column) {
          if (turn == "T")
            expected.append({1500 - 30 * column - 150, 1200 - 30 * line - 150, colour});
          else
            expected.append({30 * column, 30 * line, colour});
        }
      }
    }
    EXPECT_EQ(rig.picture.points, expected);
  }
}

TEST(SheetChecksRun, BackSideFieldsAreLabelledSo) {
  CheckRunRig rig({kY1.arg("Y"), "/02=02=01=05=00=Y=ABCDE=W=A1=Arka 1="});
  rig.panel.selectOption2(PanelIndex::Option2DuplexMachineYes);
  rig.panel.selectOption2(PanelIndex::Option2DuplexSheetYes);
  rig.read("equipment 00010000\nsheet\n" + at(2, 1) + "back\n", {"Evet", "<cancel>", "Hayır"});
  EXPECT_EQ(rig.boxes().first(), ask("Hatalı kodlanan alan var (Arka 1 Arka Yüz)! Kaydedilsin mi?", "Evet"));
}

// A layout of `count` one-character fields of kind `kind`.
LayoutTable plainLayout(int count, const QString& kind) {
  LayoutTable layout;
  for (int i = 1; i <= count; ++i) {
    FieldDefinition field;
    field.FieldKind = kind;
    field.FieldCharCount = 1;
    field.FieldLabel = QStringLiteral("F%1").arg(i);
    layout.fields.append(field);
  }
  layout.FieldCount = static_cast<std::int16_t>(count);
  return layout;
}

TEST(SheetChecks, BlankAnswerGroupsSkipTheDoubleMarkQuestion) {
  const LayoutTable layout = plainLayout(344, "Y");
  for (const char* flag : {"E", "H"}) {
    SCOPED_TRACE(flag);
    RunFieldTable values;
    values.entries.resize(344);
    for (int i : {16, 24, 25, 336}) values.field(i).FieldValue = "*";
    values.field(344).FieldValue = flag;
    ScriptedOperator script({"Evet", "x", "Evet", "x", "Evet", "x", "Evet", "x"});
    TranscribingOperator op(script);
    QStringList list;
    SheetChecks checks(layout, FieldRect::fromLayout(layout), op, list, {}, nullptr);
    std::atomic<bool> stop{false};
    checks.check(values, stop);
    QStringList asked;
    for (const TranscriptEntry& entry : op.transcript())
      if (entry.kind == "yesno") asked << entry.text;
    // 16 lies below 24; 24 and 336 are every eighth field of the groups.
    const QStringList exempt = {"F16", "F25"};
    const QStringList all = {"F16", "F24", "F25", "F336"};
    QStringList expected;
    for (const QString& name : QString(flag) == "E" ? exempt : all)
      expected << QString::fromUtf8("Hatalı kodlanan alan var (%1 Ön Yüz)! Kaydedilsin mi?").arg(name);
    EXPECT_EQ(asked, expected);
  }
}

TEST(SheetChecks, EmptyBoundDoesNotLimit) {
  LayoutTable layout = plainLayout(2, "B");
  layout.fields[0].FieldMax = " 5";  // no lower bound
  layout.fields[1].FieldMin = " 5";  // no upper bound
  RunFieldTable values;
  values.entries.resize(2);
  values.field(1).FieldValue = "-3";
  values.field(2).FieldValue = "999";
  ScriptedOperator script({});
  QStringList list;
  SheetChecks checks(layout, FieldRect::fromLayout(layout), script, list, {}, nullptr);
  std::atomic<bool> stop{false};
  const SheetVerdict verdict = checks.check(values, stop);
  EXPECT_EQ(verdict.outcome, SheetVerdict::Outcome::Output);
  EXPECT_TRUE(verdict.SheetAccepted);
}

}  // namespace
