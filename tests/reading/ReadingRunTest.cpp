#include "reading/ReadingRun.h"

#include "RunRig.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// A small form: two questions on the front and one on the back of a
// 10-line sheet, threshold 8.
const QStringList kLayout = {
    "10=48=8=N=*= =",
    "02=02=01=05=00=Y=ABCDE=Y=SORU1=Soru 1=",
    "03=03=01=05=00=Y=ABCDE==SORU2=Soru 2=",
    "/02=02=01=05=00=Y=ABCDE==ARKA=Arka=",
};

// A sheet answering C and A on the front, E on the back.
const char kSheet[] = "sheet\n2 3 14\n3 1 14\nback\n2 5 14\n";

QByteArray sheets(int count, const char* extra = "") {
  QByteArray deck = extra;
  for (int i = 0; i < count; ++i) deck += kSheet;
  return deck;
}

// The small form's run.
class ReadingRig : public RunRig {
 public:
  ReadingRig() : RunRig(kLayout) {}
};

const char kTrayEmpty[] = "Tepsi Boş \rDevam edilecek mi?";

TEST(ReadingRun, NewDataFileUntilTheTrayRunsEmpty) {
  ReadingRig rig;
  rig.controls.Command1Enabled = false;
  rig.controls.Command12Enabled = true;
  EXPECT_EQ(rig.read(sheets(3), {"Hayır"}).end, RunEnd::EmptyHopper);
  // No back-side unit: every field comes from the front.
  EXPECT_EQ(rig.data(), "CAC\r\nCAC\r\nCAC\r\n");
  EXPECT_EQ(rig.counters.SheetCount, 3);
  EXPECT_EQ(rig.counters.RunSavedCount, 3);
  EXPECT_EQ(rig.views.Label2[0], "3");
  EXPECT_EQ(rig.boxTexts(), QStringList{QString::fromUtf8(kTrayEmpty)});
  EXPECT_EQ(rig.tailAfterLastFeed(),
            QStringList({"OMR_FeedSheet()", "OMR_GetStatus()", "OMR_EjectSheet(1)", "OMR_EjectSheet(1)"}));
  EXPECT_TRUE(rig.controls.Command1Enabled);
  EXPECT_FALSE(rig.controls.Command12Enabled);
}

TEST(ReadingRun, AnEmptyHopperWithASecondTrayEjectsThereTwice) {
  // Once for the empty hopper, once more for the operator's answer, going
  // on or not; the first tray is never used.
  ReadingRig rig;
  rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  EXPECT_EQ(rig.read(sheets(1), {"Evet", "Hayır"}).end, RunEnd::EmptyHopper);
  EXPECT_EQ(rig.tailAfterLastFeed(),
            QStringList({"OMR_FeedSheet()", "OMR_GetStatus()", "OMR_EjectSheet(2)", "OMR_EjectSheet(2)"}));
  EXPECT_EQ(rig.log().count("OMR_EjectSheet(2)"), 4);
  EXPECT_FALSE(rig.log().contains("OMR_EjectSheet(1)"));
  EXPECT_EQ(rig.data(), "CAC\r\n");
}

TEST(ReadingRun, SetUpConnectsPreparesAndSendsCe) {
  ReadingRig rig;
  rig.read(sheets(1), {"Hayır"});
  const QStringList& log = rig.log();
  ASSERT_GE(log.size(), 20);
  EXPECT_EQ(log[0], "OMR_CloseDevice()");
  const qsizetype firstFeed = log.indexOf("OMR_FeedSheet()");
  // After the connection's own configuration, one more CE before the first sheet.
  EXPECT_EQ(log.mid(firstFeed - 3, 3),
            QStringList({"_OMR_SendData(buf,2)", "_OMR_ReceiveData(buf,1)", "_OMR_ReceiveData(buf,6)"}));
  EXPECT_EQ(log.mid(firstFeed, 3), QStringList({"OMR_FeedSheet()", "OMR_GetStatus()", "OMR_GetMarks(0,buf,buf)"}));
}

TEST(ReadingRun, BarcodeUnitIsSetUpWhenTicked) {
  ReadingRig rig;
  rig.panel.setCheck(SettingsPanel::CheckBox::Check3, 1);
  rig.read(sheets(0), {"Hayır"});
  const QStringList& log = rig.log();
  const qsizetype unit = log.indexOf("OMR_SetBarcodeReaderUnit(1)");
  ASSERT_GE(unit, 0);
  EXPECT_EQ(log.mid(unit, 3), QStringList({"OMR_SetBarcodeReaderUnit(1)", "OMR_SetBarCodeArea(buf)",
                                          "OMR_SetBarCodeReadType(25)"}));
}

TEST(ReadingRun, SheetLimitEndsWithoutAQuestion) {
  for (int limit : {1, 2}) {
    ReadingRig rig;
    rig.settings.StopAfterSheets = static_cast<std::int16_t>(limit);
    EXPECT_EQ(rig.read(sheets(5), {}).end, RunEnd::SheetLimit);
    EXPECT_EQ(rig.counters.SheetCount, limit);
    EXPECT_EQ(rig.log().mid(rig.log().size() - 2), QStringList({"OMR_EjectSheet(1)", "OMR_MoveHopper(0)"}));
  }
}

TEST(ReadingRun, StopFinishesTheSheetInHandAndFeedsNoOther) {
  ReadingRig rig;
  rig.onCycle = [&rig](int cycle) {
    if (cycle == 2) rig.stop = true;  // pressed while sheet 2 is about to be fed
  };
  EXPECT_EQ(rig.read(sheets(5), {}).end, RunEnd::Stopped);
  EXPECT_EQ(rig.counters.SheetCount, 2);
  EXPECT_EQ(rig.log().count("OMR_FeedSheet()"), 2);
  EXPECT_EQ(rig.log().mid(rig.log().size() - 2), QStringList({"OMR_EjectSheet(1)", "OMR_MoveHopper(0)"}));
  EXPECT_FALSE(rig.stop);
}

TEST(ReadingRun, EveryEndLeavesStopCleared) {
  // Stop pressed while the run's last sheet is in hand, and the run then
  // ends its own way: the click must not carry over into the next Read.
  const struct {
    const char* name;
    QByteArray deck;
    QStringList answers;
    int pressedInCycle;
  } cases[] = {
      {"tray empty", sheets(1), {"Hayır"}, 2},
      {"reader fault", "sheet\nstatus 30080002\n", {"Hayır"}, 1},
      {"wrong line count", "sheet\nlines 9\n", {"Hayır"}, 1},
      {"answers ran out", sheets(1), {}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReadingRig rig;
    rig.onCycle = [&rig, &c](int cycle) {
      if (cycle == c.pressedInCycle) rig.stop = true;
    };
    try {
      EXPECT_NE(rig.read(c.deck, c.answers).end, RunEnd::Stopped);
    } catch (const OperatorGone&) {
      EXPECT_TRUE(c.answers.isEmpty());
    }
    EXPECT_FALSE(rig.stop);
  }
}

struct StatusCase {
  const char* name;
  const char* status;
  bool secondTray;
  bool stopOnError;
  QStringList answers;  // every box, the empty tray's at the end included
  QByteArray data;      // the sheet with the status, then one good sheet
  QStringList ejects;   // eject calls made for the sheet with the status
  int dropped;
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

class StatusTest : public testing::TestWithParam<StatusCase> {};

TEST_P(StatusTest, StatusesAndTrays) {
  const StatusCase& c = GetParam();
  ReadingRig rig;
  if (c.secondTray) rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  rig.setStopOnError(c.stopOnError);
  rig.read(QByteArray("sheet\nstatus ") + c.status + "\n2 3 14\n3 1 14\n" + kSheet, c.answers);
  EXPECT_EQ(rig.data(), c.data);
  const QStringList& log = rig.log();
  const qsizetype second = log.indexOf("OMR_FeedSheet()", log.indexOf("OMR_FeedSheet()") + 1);
  QStringList ejects;
  for (const QString& call : log.mid(0, second))
    if (call.startsWith("OMR_EjectSheet")) ejects << call;
  EXPECT_EQ(ejects, c.ejects);
  EXPECT_EQ(rig.counters.RunDroppedCount, c.dropped);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, StatusTest,
    testing::Values(
        // A double feed with a second tray goes there without a word and
        // the next sheet follows at once (not counted as a cycle).
        StatusCase{"DoubleFeedSecondTray", "40110001", true, false, {"Hayır"}, "CAC\r\n", {"OMR_EjectSheet(2)"}, 0},
        StatusCase{"DoubleFeedOneTrayGoOn", "40110001", false, false, {"Evet", "Hayır"}, "CAC\r\n", {"OMR_EjectSheet(1)"}, 0},
        StatusCase{"JamStop", "30080002", false, false, {"Hayır"}, "", {"OMR_EjectSheet(1)"}, 0},
        // A front timing-mark error is dropped silently unless "Dursun" is ticked.
        StatusCase{"TimingMarkSilent", "41120003", false, false, {"Hayır"}, "CAC\r\n", {}, 1},
        StatusCase{"TimingMarkAsked", "41120003", false, true, {"Evet", "Hayır"}, "CAC\r\n", {"OMR_EjectSheet(1)"}, 0},
        // A fault the operator lets through ("carry on") reads the sheet.
        StatusCase{"BackOnlySingleSided", "42100000", false, false, {"Hayır"}, "CAC\r\nCAC\r\n", {}, 0}));

struct TallyCase {
  const char* name;
  QByteArray deck;
  bool secondTray;
  bool dataFileGoesAtSheet2;  // a UTF-8 layout whose data file turns into a folder
  QStringList answers;        // running out ends the run
  int fed;
  int saved, rejected, dropped, skipped, unwritten;
};

void PrintTo(const TallyCase& c, std::ostream* os) {
  *os << c.name;
}

class TallyTest : public testing::TestWithParam<TallyCase> {};

TEST_P(TallyTest, EverySheetFedLandsInExactlyOneTally) {
  const TallyCase& c = GetParam();
  ReadingRig rig;
  if (c.secondTray) rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  rig.setStopOnError(false);
  if (c.dataFileGoesAtSheet2) {
    rig.writeLayout(kLayout, true);
    rig.onCycle = [&rig](int cycle) {
      if (cycle != 2) return;
      QFile::remove(rig.dataPath());
      QDir().mkdir(rig.dataPath());
    };
  }
  try {
    rig.read(c.deck, c.answers);
  } catch (const OperatorGone&) {
  }
  const RunCounters& n = rig.counters;
  EXPECT_EQ(QList<int>({n.RunSavedCount, n.RunRejectedCount, n.RunDroppedCount, n.RunSkippedCount,
                        n.RunUnwrittenCount}),
            QList<int>({c.saved, c.rejected, c.dropped, c.skipped, c.unwritten}));
  EXPECT_EQ(
      n.RunSavedCount + n.RunRejectedCount + n.RunDroppedCount + n.RunSkippedCount + n.RunUnwrittenCount,
      c.fed);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, TallyTest,
    testing::Values(
        // Set aside at a fault the second tray absorbs, without a word.
        TallyCase{"DoubleFeedSecondTray",
                  "sheet\nstatus 40110001\n" + sheets(1),
                  true,
                  false,
                  {"Hayır"},
                  2,
                  1,
                  0,
                  0,
                  1,
                  0},
        TallyCase{"DoubleFeedOneTray",
                  "sheet\nstatus 40110001\n" + sheets(1),
                  false,
                  false,
                  {"Evet", "Hayır"},
                  2,
                  1,
                  0,
                  0,
                  1,
                  0},
        // The sheet the operator ended the run at.
        TallyCase{
            "JamEnded", "sheet\nstatus 30080002\n" + sheets(1), false, false, {"Hayır"}, 1, 0, 0, 0, 1, 0},
        TallyCase{
            "WrongLineCountEnded", "sheet\nlines 9\n" + sheets(1), false, false, {"Hayır"}, 1, 0, 0, 1, 0, 0},
        // A double mark asked about when no answer is left.
        TallyCase{"AnswersRanOutAtASheet",
                  sheets(1) + "sheet\n2 1 14\n2 2 14\n",
                  false,
                  false,
                  {},
                  2,
                  1,
                  0,
                  1,
                  0,
                  0},
        TallyCase{"RecordNotWritten", sheets(3), false, true, {"Tamam"}, 2, 1, 0, 0, 0, 1}),
    [](const testing::TestParamInfo<TallyCase>& p) { return std::string(p.param.name); });

// The window keeps its counters from run to run; each run's tallies are its
// own.
TEST(ReadingRun, EachRunTalliesOnlyItsOwnSheets) {
  ReadingRig rig;
  rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  rig.setStopOnError(false);
  rig.read("sheet\nstatus 40110001\n" + sheets(1), {"Hayır"});
  ASSERT_EQ(rig.counters.RunSkippedCount, 1);
  rig.read(sheets(1), {"Evet", "Hayır"});
  const RunCounters& n = rig.counters;
  EXPECT_EQ(QList<int>({n.RunSavedCount, n.RunRejectedCount, n.RunDroppedCount, n.RunSkippedCount,
                        n.RunUnwrittenCount}),
            QList<int>({1, 0, 0, 0, 0}));
}

struct LineCountCase {
  const char* name;
  bool secondTray;
  int stopOnError;
  QStringList answers;
  QByteArray data;
  QStringList ejects;
  RunEnd end;
};

void PrintTo(const LineCountCase& c, std::ostream* os) { *os << c.name; }

class LineCountTest : public testing::TestWithParam<LineCountCase> {};

TEST_P(LineCountTest, WrongLineCount) {
  const LineCountCase& c = GetParam();
  ReadingRig rig;
  if (c.secondTray) rig.panel.selectOption2(PanelIndex::Option2SecondTrayYes);
  rig.settings.StopOnError = static_cast<std::int16_t>(c.stopOnError);
  QStringList answers = c.answers;
  if (c.end != RunEnd::LineCountStop) answers << "Hayır";  // the empty tray
  EXPECT_EQ(rig.read(QByteArray("sheet\nlines 9\n2 3 14\n3 1 14\n") + kSheet, answers).end, c.end);
  EXPECT_EQ(rig.data(), c.data);
  if (!c.answers.isEmpty()) {
    EXPECT_EQ(rig.boxTexts().first(), QString::fromUtf8("Okuma çizgisi sayısı yanlış  9 -  10\rDevam edilecek mi?"));
  }
  QStringList ejects;
  const QStringList& log = rig.log();
  const qsizetype second = log.indexOf("OMR_FeedSheet()", log.indexOf("OMR_FeedSheet()") + 1);
  for (const QString& call : log.mid(0, second < 0 ? log.size() : second))
    if (call.startsWith("OMR_EjectSheet")) ejects << call;
  EXPECT_EQ(ejects, c.ejects);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LineCountTest,
    testing::Values(
        LineCountCase{
            "OneTrayDrop", false, 0, {"Evet"}, "CAC\r\n", {"OMR_EjectSheet(1)"}, RunEnd::EmptyHopper},
        LineCountCase{"OneTrayEnd", false, 0, {"Hayır"}, "", {"OMR_EjectSheet(1)"}, RunEnd::LineCountStop},
        LineCountCase{"SecondTraySilent", true, 0, {}, "CAC\r\n", {"OMR_EjectSheet(2)"}, RunEnd::EmptyHopper},
        LineCountCase{
            "SecondTrayAskedDrop", true, 1, {"Evet"}, "CAC\r\n", {"OMR_EjectSheet(2)"}, RunEnd::EmptyHopper},
        // "Hayır" with a second tray: the sheet is decoded as it was read.
        LineCountCase{"SecondTrayAskedKeep", true, 1, {"Hayır"}, "CAC\r\nCAC\r\n", {}, RunEnd::EmptyHopper}));

TEST(ReadingRun, BackSideReadOnlyForDoubleSidedSheets) {
  const QByteArray deck = QByteArray("equipment 00010000\n") + kSheet;
  {
    ReadingRig rig;
    rig.panel.selectOption2(PanelIndex::Option2DuplexMachineYes);
    rig.panel.selectOption2(PanelIndex::Option2DuplexSheetYes);
    rig.read(deck, {"Hayır"});
    EXPECT_EQ(rig.data(), "CAE\r\n");
    EXPECT_TRUE(rig.log().contains("OMR_GetMarks(1,buf,buf)"));
  }
  {
    ReadingRig rig;  // single-sided sheets on a reader with a back unit
    rig.read(deck, {"Hayır"});
    EXPECT_EQ(rig.data(), "CA \r\n");
    EXPECT_FALSE(rig.log().contains("OMR_GetMarks(1,buf,buf)"));
  }
}

TEST(ReadingRun, DoubleSidedSheetsOfALayoutWithoutBackFieldsAreReadFromTheFront) {
  RunRig rig({kLayout[0], kLayout[1], kLayout[2]});
  rig.panel.selectOption2(PanelIndex::Option2DuplexMachineYes);
  rig.panel.selectOption2(PanelIndex::Option2DuplexSheetYes);
  rig.read(QByteArray("equipment 00010000\n") + kSheet, {"Hayır"});
  EXPECT_TRUE(rig.readerState.BackSensorFitted);
  EXPECT_FALSE(rig.log().contains("OMR_GetMarks(1,buf,buf)"));
  EXPECT_EQ(rig.data(), "CA\r\n");
}

TEST(ReadingRun, AnUnreadBackSideKeepsItsFixedValuesAndTheRecordsColumns) {
  // Single-sided sheets on a reader with a back unit. The back holds a
  // blank-checked field of five characters, a fixed value of three, a
  // constant and two characters of a word list three letters wide.
  RunRig rig({"10=48=8=N=*= =", "02=02=01=05=00=Y=ABCDE=Y=SORU1=Soru 1=",
              "/02=02=01=05=00=D=ABCDE=W=ARKA=Arka=", "/03=03=01=03=00=D=ABC=D=SABIT=Sabit=",
              "/04=04=01=02=00=Y=XY=H=SBT=Sbt=", "/05=05=01=02=00=D=bir~iki~=Y=KL=Kelime="});
  rig.read("equipment 00010000\nsheet\n2 3 14\n", {"OK", "Hayır"});
  // Nothing is asked about the fields that were not read.
  EXPECT_EQ(rig.boxTexts().size(), 2);
  EXPECT_EQ(rig.data(), "C     OK XY      \r\n");
}

TEST(ReadingRun, ContinuedDataFileKeepsItsRecords) {
  ReadingRig rig;
  rig.setData("ABE\r\nBBE\r\n");
  rig.read(sheets(1), {"Evet", "Hayır"});
  EXPECT_EQ(rig.data(), "ABE\r\nBBE\r\nCAC\r\n");
  EXPECT_EQ(rig.counters.SheetCount, 3);
  EXPECT_EQ(rig.boxTexts().first(),
            QString::fromUtf8("Daha önceden okutulan kağıt sayısı :  2\rBu kağıtlar önceden okutulan kağıtların "
                              "üzerine eklensin mi?"));
}

TEST(ReadingRun, AnUnfinishedLastRecordKeepsALineOfItsOwn) {
  ReadingRig rig;
  rig.setData("ABE\r\nBBE");
  rig.read(sheets(1), {"Evet", "Hayır"});
  EXPECT_EQ(rig.data(), "ABE\r\nBBE\r\nCAC\r\n");
  EXPECT_EQ(rig.counters.SheetCount, rig.data().count("\r\n"));
}

TEST(ReadingRun, RunningNumbersAreWrittenAsDigitsWhateverTheStartValueLooksLike) {
  // One running number of four digits, continued from a file whose last
  // record holds 0041; the box offers " 42".
  const struct {
    const char* typed;
    QByteArray written;
  } cases[] = {{" 42", "0042\r\n0043\r\n"}, {" 7 ", "0007\r\n0008\r\n"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    RunRig rig({"10=48=8=N=*= =", "02=02=01=04=00=D=0123456789=R=NO=No="});
    rig.setData("0041\r\n");
    rig.read("sheet\nsheet\n", {"Evet", c.typed, "Hayır"});
    const QString prompt = QString::fromUtf8("input|Okuma Programı|No alanını giriniz (Artan numaralar)");
    EXPECT_EQ(rig.boxes()[1], prompt + "| 42|" + c.typed);
    EXPECT_EQ(rig.data(), "0041\r\n" + c.written);
  }
}

TEST(ReadingRun, RestartedDataFileStartsOver) {
  ReadingRig rig;
  rig.setData("ABE\r\nBBE\r\n");
  rig.read(sheets(1), {"Hayır", "Hayır"});
  EXPECT_EQ(rig.data(), "CAC\r\n");
  EXPECT_EQ(rig.counters.SheetCount, 1);
}

TEST(ReadingRun, StartingAfreshTakesNothingFromTheOldRecords) {
  // A duplicate-checked answer and a running number. The first run leaves
  // A and 0041 in the file; the second starts the file afresh and reads A
  // again.
  RunRig rig(
      {"10=48=8=N=*= =", "02=02=01=05=00=Y=ABCDE=G=S1=Soru 1=", "03=03=01=04=00=D=0123456789=R=NO=No="});
  rig.read("sheet\n2 1 14\n", {"41", "Hayır"});
  ASSERT_EQ(rig.data(), "A0041\r\n");

  QString shownAtFirstSheet = "<not read>";
  rig.onCycle = [&rig, &shownAtFirstSheet](int) {
    if (shownAtFirstSheet == "<not read>") shownAtFirstSheet = rig.views.Label8;
  };
  rig.read("sheet\n2 1 14\n", {"Hayır", "1", "Hayır"});
  // No duplicate question, and the number starts from 1 again.
  const QStringList boxes = rig.boxes();
  ASSERT_EQ(boxes.size(), 3);
  EXPECT_EQ(boxes[1], QString::fromUtf8("input|Okuma Programı|No alanını giriniz (Artan numaralar)|1|1"));
  EXPECT_EQ(rig.data(), "A0001\r\n");
  // The discarded record is not shown as the last one saved.
  EXPECT_EQ(shownAtFirstSheet, "");
}

TEST(ReadingRun, CancelAtTheAppendQuestionEndsTheProgramAndKeepsTheFile) {
  ReadingRig rig;
  rig.setData("ABE\r\n");
  EXPECT_THROW(rig.read(sheets(1), {"İptal"}), ProgramEnd);
  EXPECT_EQ(rig.data(), "ABE\r\n");
  EXPECT_TRUE(rig.controls.Command1Enabled);
}

TEST(ReadingRun, ADataFileThatCannotBeMadeIsFoundBeforeTheFirstSheet) {
  for (const bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8 ? "UTF-8" : "ANSI");
    ReadingRig rig;
    if (utf8) rig.writeLayout(kLayout, true);
    rig.dataName = "yok/veri.dat";
    EXPECT_THROW(rig.read(sheets(1), {"Tamam"}), ProgramEnd);
    EXPECT_EQ(rig.boxTexts(), QStringList{QString::fromUtf8("Dosya yazma hatası 1 ")});
    EXPECT_FALSE(rig.log().contains("OMR_FeedSheet()"));
    EXPECT_EQ(rig.views.Label8, "");
  }
}

TEST(ReadingRun, NoReaderEndsBeforeAnyFileIsOpened) {
  ReadingRig rig;
  EXPECT_EQ(rig.read("open fail\n", {"Evet", "Hayır"}).end, RunEnd::ReaderNotReady);
  EXPECT_EQ(rig.data(), "<none>");
}

TEST(ReadingRun, Utf8LayoutWritesUtf8Records) {
  ReadingRig rig;
  rig.writeLayout({"10=48=8=N=*= =", QString::fromUtf8("02=02=01=05=00=Y=ÇĞİÖŞ=Y=SORU1=Soru 1="),
                   QString::fromUtf8("03=03=01=05=00=Y=ÇĞİÖŞ==SORU2=Soru 2=")},
                  true);
  rig.read(sheets(2), {"Hayır"});
  EXPECT_EQ(rig.data(), QString::fromUtf8("İÇ\r\nİÇ\r\n").toUtf8());
  EXPECT_FALSE(rig.views.Text14Visible);
}

TEST(ReadingRun, AnswersRunningOutKeepEveryRecord) {
  ReadingRig rig;
  EXPECT_THROW(rig.read(sheets(2), {}), OperatorGone);
  EXPECT_EQ(rig.data(), "CAC\r\nCAC\r\n");
  EXPECT_TRUE(rig.controls.Command1Enabled);
}

TEST(DensityRun, ReadsSeventyLinesAndWritesNothing) {
  ReadingRig rig;
  const DensityResult result = rig.readDensity(QByteArray("sheet\n2 3 9\nsheet\nlines 61\n70 48 12\n"), {"Hayır"});
  EXPECT_TRUE(result.sheetRead);
  EXPECT_EQ(result.DensityLineCount, 61);  // the last sheet read, line count not compared
  EXPECT_EQ(result.DensityMarks[69 * 48 + 47], 0);  // line 70 is beyond the 61 lines reported
  EXPECT_EQ(rig.data(), "<none>");
  EXPECT_EQ(rig.boxTexts(), QStringList{QString::fromUtf8(kTrayEmpty)});
}

}  // namespace
