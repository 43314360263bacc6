#include "reading/RecordOutput.h"

#include "FileTestSupport.h"
#include "ReadingTestSupport.h"
#include "app/TranscribingOperator.h"
#include "device/RecordingOmrApi.h"
#include "reading/DataFiles.h"
#include "reading/RunFieldTable.h"
#include "reading/RunFiles.h"
#include "reading/RunViews.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace {

const QString kTens = "         1         2         3         4         5         6         7         8";
const QString kUnits = "12345678901234567890123456789012345678901234567890123456789012345678901234567890";

FieldDefinition fieldOf(const char* kind, const char* name = "") {
  FieldDefinition field;
  field.FieldKind = QString::fromUtf8(kind);
  field.FieldName = QString::fromUtf8(name);
  return field;
}

// One run's output: the layout, its files in a temporary folder, the views
// and counters, an operator that answers every box with "Tamam".
class RecordOutputTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString dataPath() const { return m_dir.filePath("kayit.txt"); }

  void start(const QList<FieldDefinition>& fields, RecordOutputSettings settings = {}, bool utf8 = false,
             DataFiles::FileFactory factory = {}) {
    m_layout = layoutOf(fields, utf8);
    m_files = std::make_unique<DataFiles>(dataPath(), utf8, &m_runFiles, std::move(factory));
    ASSERT_TRUE(m_files->openData(DataFiles::OpenMode::Empty));
    ASSERT_TRUE(m_files->openErrorFile(DataFiles::OpenMode::Empty));
    m_fields = RunFieldTable::forLayout(m_layout);
    m_output = std::make_unique<RecordOutput>(m_layout, *m_files, m_views, m_counters, m_transcript,
                                              std::move(settings), m_dir.path(), &m_reader);
  }

  void setValues(const QStringList& values) {
    for (qsizetype i = 0; i < values.size(); ++i) m_fields.entries[i].FieldValue = values[i];
  }

  QTemporaryDir m_dir;
  RunFiles m_runFiles;
  LayoutTable m_layout;
  std::unique_ptr<DataFiles> m_files;
  RunFieldTable m_fields;
  RunViews m_views;
  RunCounters m_counters;
  RequestLog m_operator{QStringList(20, "Tamam")};
  TranscribingOperator m_transcript{m_operator};
  BarcodeReader m_device;
  RecordingOmrApi m_reader{m_device};
  std::unique_ptr<RecordOutput> m_output;
};

TEST_F(RecordOutputTest, TheRecordLineByteForByte) {
  start({fieldOf("A"), fieldOf("A"), fieldOf("A")}, {.separatorEnabled = true, .separatorText = ";"});
  setValues({"12", "AB", "X"});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(dataPath()), QByteArray::fromHex("31323B41423B580D0A"));
  EXPECT_EQ(m_views.Text8, "12;AB;X");
}

struct SeparatorCase {
  const char* name;
  QStringList kinds;
  QString record;
};

void PrintTo(const SeparatorCase& c, std::ostream* os) {
  *os << c.name;
}

class SeparatorTest : public RecordOutputTest, public testing::WithParamInterface<SeparatorCase> {};

TEST_P(SeparatorTest, TheSeparatorFollowsEveryWrittenValueButTheTablesLastField) {
  QList<FieldDefinition> fields;
  for (const QString& kind : GetParam().kinds) fields.append(fieldOf(kind.toUtf8().constData()));
  start(fields, {.separatorEnabled = true, .separatorText = "|"});
  setValues(QStringList{"1", "2", "3", "4"}.mid(0, fields.size()));
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(dataPath()), GetParam().record.toUtf8() + "\r\n");
  // The error line of the same sheet never has separators.
  ASSERT_TRUE(m_output->writeRejected(m_fields, {}));
  QString expected = GetParam().record;
  expected.remove(u'|');
  EXPECT_EQ(fileBytes(dataPath() + ".hat"), expected.toUtf8() + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, SeparatorTest,
                         testing::Values(SeparatorCase{"Plain", {"A", "B", "C"}, "1|2|3"},
                                         SeparatorCase{"LastIsQ", {"A", "B", "Q"}, "1|2|"},
                                         SeparatorCase{"LaterAllQ", {"A", "q", "Q"}, "1|"},
                                         SeparatorCase{"FirstIsQ", {"Q", "A", "B"}, "2|3"},
                                         SeparatorCase{"MiddleQ", {"A", "Q", "B", "C"}, "1|3|4"}),
                         [](const testing::TestParamInfo<SeparatorCase>& p) {
                           return std::string(p.param.name);
                         });

TEST_F(RecordOutputTest, AnsiRecordsCarryTurkishLettersInCodePage1254) {
  start({fieldOf("A"), fieldOf("A")});
  setValues({QString::fromUtf8("ŞİĞ"), QString::fromUtf8("ışık")});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  setValues({"", ""});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("\xDE\xDD\xD0\xFD\xFE\xFDk\r\n\r\n"));
}

TEST_F(RecordOutputTest, Utf8RecordsAreAppendedAsBytesAndAnEmptyOneIsJustALineEnd) {
  start({fieldOf("A"), fieldOf("A")}, {}, true);
  // Each record opens the file anew and goes after what it holds.
  ASSERT_TRUE(writeBytes(dataPath(), "ESKI\r\n"));
  setValues({QString::fromUtf8("ğ"), "x"});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  setValues({"", ""});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("ESKI\r\n\xC4\x9Fx\r\n\r\n"));
  // Rejected sheets of a UTF-8 layout are counted but written nowhere.
  ASSERT_TRUE(m_output->writeRejected(m_fields, {}));
  EXPECT_EQ(m_counters.ErrorCount, 1);
  EXPECT_FALSE(QFile::exists(dataPath() + ".hat"));
}

TEST_F(RecordOutputTest, TheViewsShowTheSavedSheet) {
  QList<FieldDefinition> fields{fieldOf("A", "Ad   : "), fieldOf("Q", "Gizli: "), fieldOf("A", "No   : ")};
  for (const bool names : {false, true}) {
    SCOPED_TRACE(names ? "with names" : "without names");
    m_counters.SheetCount = 4;
    start(fields, {.showFieldNames = names});
    setValues({"AL I", "gizli", " 7"});
    ASSERT_TRUE(m_output->writeSaved(m_fields));
    const QString pad = names ? QString(7, u' ') : QString();
    const QString text6 = pad + kTens + "\r\n" + pad + kUnits + "\r\n" + (names ? "Ad   : " : "") +
                          "AL I\r\n" + (names ? "No   : " : "") + " 7\r\n";
    EXPECT_EQ(m_views.Text6, text6);
    EXPECT_EQ(m_views.Text14, text6);
    EXPECT_EQ(m_views.Text8, "AL I 7");
    EXPECT_EQ(m_views.Text7, QString(text6).replace(u' ', u'_'));
    EXPECT_EQ(m_views.Label8, m_views.Text7);
    EXPECT_TRUE(m_views.Label8.startsWith(names ? "_______________" : "_________1"));
    EXPECT_EQ(m_counters.SheetCount, 5);
    EXPECT_EQ(m_views.Label2[0], "5");
  }
}

TEST_F(RecordOutputTest, AnEmptiedAnswerGroupBlanksEveryEighthField) {
  QList<FieldDefinition> fields;
  for (int i = 0; i < 350; ++i) fields.append(fieldOf("A"));
  start(fields);
  for (auto& entry : m_fields.entries) entry.FieldValue = "x";
  m_fields.field(345).FieldValue = "E";  // group k = 1
  m_fields.field(346).FieldValue = "e";  // not the marker
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  for (int i = 1; i <= 350; ++i) {
    const bool blanked = i >= 25 && i <= 337 && (i - 25) % 8 == 0;
    const QString expected = i == 345 ? "E" : i == 346 ? "e" : blanked ? " " : "x";
    EXPECT_EQ(m_fields.field(i).FieldValue, expected) << "field " << i;
  }
  EXPECT_EQ(fileBytes(dataPath()).count(' '), 40);
}

TEST_F(RecordOutputTest, TheSideFileHoldsEachRecordAtItsPosition) {
  m_counters.SheetCount = 2;  // two records from an earlier run
  start({fieldOf("A"), fieldOf("A")}, {.separatorEnabled = true, .separatorText = ";", .writeUtf8 = true});
  setValues({QString::fromUtf8("Ç"), "1"});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  setValues({"B", "2"});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(m_dir.filePath("geciciUTF8.txt")), QByteArray("\r\n\r\n\xC3\x87;1\r\nB;2\r\n"));

  // Without the setting the side file is left alone.
  start({fieldOf("A")});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  EXPECT_EQ(fileBytes(m_dir.filePath("geciciUTF8.txt")), QByteArray("\r\n\r\n\xC3\x87;1\r\nB;2\r\n"));
}

TEST_F(RecordOutputTest, ARejectedSheetIsCountedEjectedAndItsWindowsNamed) {
  struct Case {
    bool usb;
    bool stopOnError;
    const char* windows;
    QStringList deviceLog;
    QStringList boxes;
  };
  const Case cases[] = {
      {true, true, " 2 5", {"OMR_EjectSheet(2)"}, {" 2 5 nolu pencere(ler)de hata var!"}},
      {true, true, "", {"OMR_EjectSheet(2)"}, {}},
      {false, true, " 3", {}, {" 3 nolu pencere(ler)de hata var!"}},
      {true, false, " 3", {"OMR_EjectSheet(2)"}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.usb << c.stopOnError << c.windows);
    m_reader.clearLog();
    const qsizetype boxesBefore = m_transcript.transcript().size();
    m_counters.ErrorCount = 6;
    m_views.Label8 = "kept";
    start(
        {fieldOf("A"), fieldOf("A")},
        {.separatorEnabled = true, .separatorText = ";", .usbSelected = c.usb, .stopOnError = c.stopOnError});
    setValues({QString::fromUtf8("Ğ1"), "2"});
    ASSERT_TRUE(m_output->writeRejected(m_fields, c.windows));
    EXPECT_EQ(fileBytes(dataPath() + ".hat"), QByteArray("\xD0"
                                                         "12\r\n"));
    EXPECT_EQ(fileBytes(dataPath()), QByteArray());
    EXPECT_EQ(m_counters.ErrorCount, 7);
    EXPECT_EQ(m_views.Label2[3], "7");
    EXPECT_EQ(m_views.Label8, "kept");
    EXPECT_EQ(m_reader.log(), c.deviceLog);
    QStringList boxes;
    for (qsizetype i = boxesBefore; i < m_transcript.transcript().size(); ++i)
      boxes.append(m_transcript.transcript()[i].text);
    EXPECT_EQ(boxes, c.boxes);
  }
}

// A record the data file cannot take is not counted, the operator hears of
// it once, and the records before it stay.
TEST_F(RecordOutputTest, ARecordThatCannotBeWrittenIsNotCounted) {
  for (const bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8 ? "UTF-8" : "ANSI");
    QFile::remove(dataPath());
    QFile::remove(m_dir.filePath("geciciUTF8.txt"));
    m_counters.SheetCount = 0;
    const qsizetype boxesBefore = m_transcript.transcript().size();
    auto budget = std::make_shared<qint64>(12);  // "AAAA;1\r\n" and 4 bytes more
    start({fieldOf("A"), fieldOf("A")}, {.separatorEnabled = true, .separatorText = ";", .writeUtf8 = true},
          utf8, fullDiskAt(dataPath(), budget));
    setValues({"AAAA", "1"});
    ASSERT_TRUE(m_output->writeSaved(m_fields));
    const QString label8 = m_views.Label8;
    setValues({"BBBB", "2"});
    EXPECT_FALSE(m_output->writeSaved(m_fields));

    EXPECT_EQ(fileBytes(dataPath()), QByteArray("AAAA;1\r\n"));
    EXPECT_EQ(fileBytes(m_dir.filePath("geciciUTF8.txt")), QByteArray("AAAA;1\r\n"));
    EXPECT_EQ(m_counters.SheetCount, 1);
    EXPECT_EQ(m_views.Label2[0], "1");
    EXPECT_EQ(m_views.Label8, label8);
    ASSERT_EQ(m_transcript.transcript().size(), boxesBefore + 1);
    const TranscriptEntry& box = m_transcript.transcript().back();
    EXPECT_EQ(box.kind, "ok");
    EXPECT_EQ(box.text, "Dosya yazma hatası: " + dataPath() + "\rNo space left on device");
  }
}

TEST_F(RecordOutputTest, AnErrorLineThatCannotBeWrittenIsNotCounted) {
  auto budget = std::make_shared<qint64>(3);
  start({fieldOf("A")}, {.usbSelected = true, .stopOnError = true}, false,
        fullDiskAt(dataPath() + ".hat", budget));
  m_counters.ErrorCount = 2;
  setValues({"LONG"});
  EXPECT_FALSE(m_output->writeRejected(m_fields, " 1"));
  EXPECT_EQ(m_counters.ErrorCount, 2);
  EXPECT_EQ(fileBytes(dataPath() + ".hat"), QByteArray());
  EXPECT_EQ(m_reader.log(), QStringList{"OMR_EjectSheet(2)"});  // still out of the way, in tray 2
  ASSERT_EQ(m_transcript.transcript().size(), 1);
  EXPECT_EQ(m_transcript.transcript().front().text,
            "Dosya yazma hatası: " + dataPath() + ".hat\rNo space left on device");
}

TEST_F(RecordOutputTest, WritingAfterTheRunClosedItsFilesFailsLoudly) {
  start({fieldOf("A")});
  setValues({"A"});
  ASSERT_TRUE(m_output->writeSaved(m_fields));
  m_runFiles.closeAll();
  EXPECT_FALSE(m_output->write(m_fields, true, {}));
  EXPECT_EQ(m_counters.SheetCount, 1);
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("A\r\n"));
  ASSERT_EQ(m_transcript.transcript().size(), 1);
  EXPECT_TRUE(m_transcript.transcript().front().text.contains(dataPath()));
}

}  // namespace
