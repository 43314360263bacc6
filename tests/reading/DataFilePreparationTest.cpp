#include "reading/DataFilePreparation.h"

#include "FileTestSupport.h"
#include "app/TranscribingOperator.h"
#include "common/AnsiCodec.h"
#include "reading/DataFiles.h"
#include "reading/RunFieldTable.h"
#include "reading/RunFiles.h"
#include "reading/RunViews.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace {

FieldDefinition fieldOf(const char* kind, int width, const char* label = "Alan") {
  FieldDefinition field;
  field.FieldKind = QString::fromUtf8(kind);
  field.FieldSubLength = QString::number(width);
  field.FieldLabel = QString::fromUtf8(label);
  return field;
}

QByteArray twelveLines() {
  QByteArray bytes;
  for (int i = 1; i <= 12; ++i) bytes += QByteArray::number(100 + i) + "\r\n";
  return bytes;
}

const QString kQuestion = QString::fromUtf8(
    "Daha önceden okutulan kağıt sayısı :  12\rBu kağıtlar önceden okutulan kağıtların üzerine eklensin mi?");

class PrepareDataFileTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString dataPath() const { return m_dir.filePath("kayit.txt"); }
  QString errorPath() const { return dataPath() + ".hat"; }

  // Runs the preparation with `answers`; true when it returned normally,
  // false when the program ended.
  bool prepare(const LayoutTable& layout, bool secondTray, QStringList answers = {}) {
    m_operator = std::make_unique<RequestLog>(std::move(answers));
    m_transcript = std::make_unique<TranscribingOperator>(*m_operator);
    m_files = std::make_unique<DataFiles>(dataPath(), layout.Utf8DataFile, &m_runFiles);
    m_fields = RunFieldTable::forLayout(layout);
    try {
      PrepareDataFile(layout, secondTray, *m_files, m_fields, m_views, m_counters, *m_transcript);
    } catch (const ProgramEnd&) {
      return false;
    }
    return true;
  }

  void append(const QString& record) {
    QString failure;
    ASSERT_TRUE(m_files->appendRecord(record, failure)) << failure.toStdString();
  }

  QTemporaryDir m_dir;
  RunFiles m_runFiles;
  std::unique_ptr<RequestLog> m_operator;
  std::unique_ptr<TranscribingOperator> m_transcript;
  std::unique_ptr<DataFiles> m_files;
  RunFieldTable m_fields;
  RunViews m_views;
  RunCounters m_counters;
};

TEST_F(PrepareDataFileTest, ANewDataFileIsStartedWithoutAQuestion) {
  for (const bool secondTray : {false, true}) {
    SCOPED_TRACE(secondTray ? "second tray" : "one tray");
    QFile::remove(dataPath());
    QFile::remove(errorPath());
    m_counters.SheetCount = 7;  // left from an earlier run
    m_counters.ErrorCount = 3;
    ASSERT_TRUE(prepare(layoutOf({fieldOf("A", 3)}), secondTray));
    EXPECT_TRUE(m_transcript->transcript().isEmpty());
    EXPECT_EQ(m_counters.SheetCount, 0);
    EXPECT_EQ(m_views.Label2[0], "0");
    EXPECT_EQ(m_views.Label2[3], "3");
    EXPECT_EQ(m_views.Label2Visible[2], secondTray);
    EXPECT_EQ(m_views.Label2Visible[3], secondTray);
    EXPECT_TRUE(m_files->isDataOpen());
    EXPECT_EQ(QFile::exists(errorPath()), secondTray);
    append("ABC");
    EXPECT_EQ(fileBytes(dataPath()), QByteArray("ABC\r\n"));
  }
}

TEST_F(PrepareDataFileTest, AnEmptyDataFileIsContinuedWithoutAQuestion) {
  ASSERT_TRUE(writeBytes(dataPath(), ""));
  ASSERT_TRUE(writeBytes(errorPath(), "OLD\r\n"));
  ASSERT_TRUE(prepare(layoutOf({fieldOf("A", 3)}), true));
  EXPECT_TRUE(m_transcript->transcript().isEmpty());
  EXPECT_EQ(m_counters.SheetCount, 0);
  EXPECT_EQ(m_views.Label8, "");
  QString failure;
  ASSERT_TRUE(m_files->appendErrorLine(u"NEW", failure));
  EXPECT_EQ(fileBytes(errorPath()), QByteArray("OLD\r\nNEW\r\n"));
}

struct AnswerCase {
  const char* answer;
  bool returns;
  QByteArray dataAfter;  // after the preparation and one record "999"
  int sheetCount;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
  *os << c.answer;
}

class AppendQuestionTest : public PrepareDataFileTest, public testing::WithParamInterface<AnswerCase> {};

TEST_P(AppendQuestionTest, TheAnswerDecidesWhatBecomesOfTheEarlierSheets) {
  const AnswerCase& c = GetParam();
  ASSERT_TRUE(writeBytes(dataPath(), twelveLines()));
  ASSERT_TRUE(writeBytes(errorPath(), "E\r\n"));
  EXPECT_EQ(prepare(layoutOf({fieldOf("A", 3)}), true, {c.answer}), c.returns);

  ASSERT_EQ(m_transcript->transcript().size(), 1);
  const TranscriptEntry& box = m_transcript->transcript().front();
  EXPECT_EQ(box.kind, "yesnocancel");
  EXPECT_EQ(box.text, kQuestion);
  EXPECT_EQ(box.title, QString::fromUtf8("Okuma Programı"));
  EXPECT_EQ(m_operator->messages.front().icon, MessageIcon::Error);

  if (c.returns) {
    EXPECT_EQ(m_counters.SheetCount, c.sheetCount);
    EXPECT_EQ(m_views.Label2[0], QString::number(c.sheetCount));
    append("999");
  }
  EXPECT_EQ(fileBytes(dataPath()), c.dataAfter);
  EXPECT_EQ(fileBytes(errorPath()), c.answer == QString("Hayır") ? QByteArray() : QByteArray("E\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Answers, AppendQuestionTest,
                         testing::Values(AnswerCase{"Evet", true, twelveLines() + "999\r\n", 12},
                                         AnswerCase{"Hayır", true, "999\r\n", 0},
                                         AnswerCase{"İptal", false, twelveLines(), 12}));

TEST_F(PrepareDataFileTest, StartingAfreshMovesTheOldFilesAsideAsNumberedBackups) {
  for (const bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8 ? "UTF-8" : "ANSI");
    for (const QString& name : QDir(m_dir.path()).entryList(QDir::Files)) QFile::remove(m_dir.filePath(name));
    // A backup number is taken by both files or by neither: .1 is taken.
    ASSERT_TRUE(writeBytes(errorPath() + ".1", "someone else's\r\n"));
    const LayoutTable layout = layoutOf({fieldOf("A", 1)}, utf8);
    for (const QByteArray first : {"A\r\nB\r\n", "C\r\n"}) {
      ASSERT_TRUE(writeBytes(dataPath(), first));
      ASSERT_TRUE(writeBytes(errorPath(), "E" + first));
      ASSERT_TRUE(prepare(layout, true, {"Hayır"}));
      EXPECT_EQ(m_counters.SheetCount, 0);
      append("N");
      EXPECT_EQ(fileBytes(dataPath()), QByteArray("N\r\n"));
    }
    EXPECT_EQ(fileBytes(dataPath() + ".2"), QByteArray("A\r\nB\r\n"));
    EXPECT_EQ(fileBytes(dataPath() + ".3"), QByteArray("C\r\n"));
    EXPECT_EQ(fileBytes(errorPath() + ".1"), QByteArray("someone else's\r\n"));
    if (utf8) {
      // A UTF-8 layout has no error file: it is neither emptied nor moved.
      EXPECT_EQ(fileBytes(errorPath()), QByteArray("EC\r\n"));
      EXPECT_FALSE(QFile::exists(errorPath() + ".2"));
    } else {
      EXPECT_EQ(fileBytes(errorPath()), QByteArray());
      EXPECT_EQ(fileBytes(errorPath() + ".2"), QByteArray("EA\r\nB\r\n"));
      EXPECT_EQ(fileBytes(errorPath() + ".3"), QByteArray("EC\r\n"));
    }
    EXPECT_EQ(m_transcript->transcript().size(), 1);
  }
}

TEST_F(PrepareDataFileTest, Utf8LayoutRestartedNeverMakesAnErrorFile) {
  ASSERT_TRUE(writeBytes(dataPath(), "A\r\nB\r\n"));
  ASSERT_TRUE(prepare(layoutOf({fieldOf("A", 1)}, true), true, {"Hayır"}));
  EXPECT_FALSE(QFile::exists(errorPath()));
  EXPECT_TRUE(m_runFiles.isEmpty());
  EXPECT_EQ(m_counters.SheetCount, 0);
  append(QString::fromUtf8("Ş"));
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("\xC5\x9E\r\n"));
}

TEST_F(PrepareDataFileTest, EarlierRecordsGiveTheDuplicateListCountersAndLastRecord) {
  // Fields: kind "G" of width 1, a running number of width 4, a plain field.
  const LayoutTable layout = layoutOf({fieldOf("G", 1), fieldOf("r", 4), fieldOf("A", 2)});
  ASSERT_TRUE(writeBytes(dataPath(), "A0007xy\r\nB0012zz\r\nA0041q\r\n"));
  m_views.List1 = QStringList{"C"};  // from an earlier run of the program
  ASSERT_TRUE(prepare(layout, false, {"Evet"}));
  EXPECT_EQ(m_views.List1, (QStringList{"C", "A", "B"}));
  EXPECT_EQ(m_fields.field(2).FieldCounter, " 42");
  EXPECT_EQ(m_views.Label8, "A\r\n0041\r\nq\r\n");
  EXPECT_EQ(m_counters.SheetCount, 3);

  // A second run on the same file adds nothing the list already has.
  ASSERT_TRUE(prepare(layout, false, {"Evet"}));
  EXPECT_EQ(m_views.List1, (QStringList{"C", "A", "B"}));
}

TEST_F(PrepareDataFileTest, ShortLinesAndEmptyLinesStillCount) {
  const LayoutTable layout = layoutOf({fieldOf("A", 3), fieldOf("R", 2), fieldOf("G", 2)});
  ASSERT_TRUE(writeBytes(dataPath(), "ABC09\r\n\r\nAB\r\n"));
  ASSERT_TRUE(prepare(layout, false, {"Evet"}));
  EXPECT_EQ(m_counters.SheetCount, 3);
  EXPECT_EQ(m_fields.field(2).FieldCounter, " 1");  // the last line holds no number
  EXPECT_EQ(m_views.List1, (QStringList{""}));
  EXPECT_EQ(m_views.Label8, "AB\r\n\r\n\r\n");
}

TEST_F(PrepareDataFileTest, RecordsAreReadBackInTheEncodingTheyWereWrittenIn) {
  const QList<FieldDefinition> fields{fieldOf("G", 2), fieldOf("G", 1)};
  ASSERT_TRUE(writeBytes(dataPath(), QString::fromUtf8("ĞüX\r\n").toUtf8()));
  ASSERT_TRUE(prepare(layoutOf(fields, true), false, {"Evet"}));
  EXPECT_EQ(m_views.List1, (QStringList{QString::fromUtf8("Ğü"), "X"}));

  m_views.List1.clear();
  ASSERT_TRUE(writeBytes(dataPath(), ansi::encode(QString::fromUtf8("ĞüX\r\n"))));
  ASSERT_TRUE(prepare(layoutOf(fields, false), false, {"Evet"}));
  EXPECT_EQ(m_views.List1, (QStringList{QString::fromUtf8("Ğü"), "X"}));
}

struct WriteErrorCase {
  const char* name;
  bool dataExists;
  bool dataIsFolder;
  bool errorIsFolder;
  bool missingFolder;
  const char* answer;  // nullptr: no question
  int number;
};

void PrintTo(const WriteErrorCase& c, std::ostream* os) {
  *os << c.name;
}

class WriteErrorTest : public PrepareDataFileTest, public testing::WithParamInterface<WriteErrorCase> {};

TEST_P(WriteErrorTest, FilesThatCannotBeWrittenEndTheProgramWithTheirMessage) {
  const WriteErrorCase& c = GetParam();
  QString data = dataPath();
  if (c.missingFolder) data = m_dir.filePath("missing/kayit.txt");
  if (c.dataExists) {
    ASSERT_TRUE(writeBytes(dataPath(), "A\r\n"));
  }
  if (c.dataIsFolder) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("kayit.txt"));
  }
  if (c.errorIsFolder) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("kayit.txt.hat"));
  }

  RequestLog op(c.answer ? QStringList{c.answer, "Tamam"} : QStringList{"Tamam"});
  TranscribingOperator transcript(op);
  DataFiles files(data, false, &m_runFiles);
  const LayoutTable layout = layoutOf({fieldOf("A", 1)});
  RunFieldTable fields = RunFieldTable::forLayout(layout);
  EXPECT_THROW(PrepareDataFile(layout, true, files, fields, m_views, m_counters, transcript), ProgramEnd);

  ASSERT_FALSE(transcript.transcript().isEmpty());
  const TranscriptEntry& last = transcript.transcript().back();
  EXPECT_EQ(last.kind, "ok");
  EXPECT_EQ(last.text, QString::fromUtf8("Dosya yazma hatası %1 ").arg(c.number));
  EXPECT_EQ(op.remaining(), 0);
  EXPECT_TRUE(m_runFiles.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteErrorTest,
    testing::Values(WriteErrorCase{"NewFileInMissingFolder", false, false, false, true, nullptr, 1},
                    WriteErrorCase{"NewFileErrorFileIsFolder", false, false, true, false, nullptr, 1},
                    WriteErrorCase{"DataPathIsFolder", false, true, false, false, nullptr, 2},
                    WriteErrorCase{"AppendErrorFileIsFolder", true, false, true, false, "Evet", 2},
                    WriteErrorCase{"RestartErrorFileIsFolder", true, false, true, false, "Hayır", 3}),
    [](const testing::TestParamInfo<WriteErrorCase>& p) { return std::string(p.param.name); });

// ---------------------------------------------------------------------------

class PointLog : public SheetPicture {
 public:
  PointLog(int width, int height) : m_width(width), m_height(height) {}
  int width() const override { return m_width; }
  int height() const override { return m_height; }
  void setPoint(int x, int y, RgbColour colour) override {
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) points.append({x, y, colour});
  }

  struct Point {
    int x;
    int y;
    RgbColour colour;
    friend bool operator==(const Point&, const Point&) = default;
  };
  QList<Point> points;

 private:
  int m_width;
  int m_height;
};

void PrintTo(const PointLog::Point& p, std::ostream* os) {
  *os << '(' << p.x << ',' << p.y << " rgb " << int{p.colour.red} << ' ' << int{p.colour.green} << ' '
      << int{p.colour.blue} << ')';
}

FieldDefinition blockField(const char* kind, const char* label, int lineFrom, int lineTo, int colFrom,
                           int colTo) {
  FieldDefinition field = fieldOf(kind, 1, label);
  field.FieldLineFrom = static_cast<std::int16_t>(lineFrom);
  field.FieldLineTo = static_cast<std::int16_t>(lineTo);
  field.FieldColFrom = static_cast<std::int16_t>(colFrom);
  field.FieldColTo = static_cast<std::int16_t>(colTo);
  return field;
}

TEST(AskStartValuesTest, EachKindIsAskedInItsWordsAndStoredInItsPlace) {
  FieldDefinition constant = fieldOf("H", 3, "Sabit");
  constant.FieldAlphabet = "XYZ";
  const LayoutTable layout = layoutOf({
      fieldOf("D", 2, "Okul"),  // 1
      fieldOf("A", 2, "Ad"),    // 2: read from the sheet, not asked
      fieldOf("d", 2, " "),     // 3
      fieldOf("D", 2, ""),      // 4
      fieldOf("R", 4, "Sıra"),  // 5
      fieldOf("T", 4, " "),     // 6
      fieldOf("ş", 2, "Dur"),   // 7
      constant,                 // 8
      fieldOf("D", 2, "İl"),    // 9: cancelled
  });
  RunFieldTable fields = RunFieldTable::forLayout(layout);
  fields.field(5).FieldCounter = " 42";
  fields.field(8).FieldFixedText.clear();
  RequestLog op({"12", "c", "d", "100", "7", QString::fromUtf8("Çık"), "<cancel>"});
  TranscribingOperator transcript(op);
  AskStartValues(layout, FieldRect::fromLayout(layout), fields, transcript, nullptr);

  const QStringList prompts{
      QString::fromUtf8("Okul alanını giriniz (Sabit değer)"),
      QString::fromUtf8(" 3. değeri giriniz (Sabit değer)"),
      QString::fromUtf8(" alanını giriniz (Sabit değer)"),
      QString::fromUtf8("Sıra alanını giriniz (Artan numaralar)"),
      QString::fromUtf8(" 6. değeri giriniz (Boş ise artan numaralar)"),
      QString::fromUtf8("Dur alanını giriniz (Boş ise artan numaralar)"),
      QString::fromUtf8("İl alanını giriniz (Sabit değer)"),
  };
  ASSERT_EQ(transcript.transcript().size(), prompts.size());
  for (qsizetype i = 0; i < prompts.size(); ++i) {
    const TranscriptEntry& box = transcript.transcript()[i];
    EXPECT_EQ(box.kind, "input");
    EXPECT_EQ(box.text, prompts[i]);
    EXPECT_EQ(box.title, QString::fromUtf8("Okuma Programı"));
    EXPECT_EQ(box.defaultText, i == 3 ? " 42" : "") << i;
  }
  EXPECT_EQ(fields.field(1).FieldFixedText, "12");
  EXPECT_EQ(fields.field(3).FieldFixedText, "c");
  EXPECT_EQ(fields.field(4).FieldFixedText, "d");
  EXPECT_EQ(fields.field(5).FieldCounter, "100");
  EXPECT_EQ(fields.field(6).FieldCounter, "7");
  EXPECT_EQ(fields.field(7).FieldEntered, QString::fromUtf8("Çık"));
  EXPECT_EQ(fields.field(7).FieldCounter, "1");
  EXPECT_EQ(fields.field(8).FieldFixedText, "XYZ");
  EXPECT_EQ(fields.field(9).FieldFixedText, "");
  EXPECT_EQ(fields.field(2).FieldFixedText, "");
}

TEST(AskStartValuesTest, TheRecoveredRunningNumberIsOffered) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath("kayit.txt");
  ASSERT_TRUE(writeBytes(path, "0041\r\n"));
  const LayoutTable layout = layoutOf({fieldOf("R", 4, "No")});
  RunFiles runFiles;
  DataFiles files(path, false, &runFiles);
  RunFieldTable fields = RunFieldTable::forLayout(layout);
  RunViews views;
  RunCounters counters;
  RequestLog op({"Evet", ""});
  PrepareDataFile(layout, false, files, fields, views, counters, op);
  AskStartValues(layout, FieldRect::fromLayout(layout), fields, op, nullptr);
  ASSERT_EQ(op.inputs.size(), 1);
  EXPECT_EQ(op.inputs.front().defaultText, " 42");
}

TEST(AskStartValuesTest, TheFieldsBlockIsMarkedBeforeItsQuestion) {
  const RgbColour blue{16, 4, 230};
  struct Case {
    const char* turn;
    QList<PointLog::Point> points;
  };
  // Picture 1800 x 5000; block lines 2..3, columns 5..6.
  const Case cases[] = {
      {"", {{150, 60, blue}, {180, 60, blue}, {150, 90, blue}, {180, 90, blue}}},
      {"T", {{1500, 4790, blue}, {1470, 4790, blue}, {1500, 4760, blue}, {1470, 4760, blue}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.turn);
    LayoutTable layout = layoutOf({blockField("A", "Ad", 9, 9, 9, 9), blockField("D", "Okul", 2, 3, 5, 6)});
    layout.LayoutTurn = c.turn;
    RunFieldTable fields = RunFieldTable::forLayout(layout);
    PointLog picture(1800, 5000);
    RequestLog op({"x"});
    qsizetype pointsWhenAsked = -1;
    op.beforeAnswer = [&] { pointsWhenAsked = picture.points.size(); };
    AskStartValues(layout, FieldRect::fromLayout(layout), fields, op, &picture);
    EXPECT_EQ(picture.points, c.points);
    EXPECT_EQ(pointsWhenAsked, 4);
  }
}

TEST(AskStartValuesTest, AHugeBlockMarksOnlyWhatThePictureShows) {
  const LayoutTable layout = layoutOf({blockField("D", "Ad", -32768, 32767, -32768, 32767)});
  RunFieldTable fields = RunFieldTable::forLayout(layout);
  PointLog picture(95, 65);
  RequestLog op({"x"});
  AskStartValues(layout, FieldRect::fromLayout(layout), fields, op, &picture);
  // x in 0, 30, 60, 90; y in 0, 30, 60.
  EXPECT_EQ(picture.points.size(), 12);
}

}  // namespace
