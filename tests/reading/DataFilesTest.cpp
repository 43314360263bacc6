#include "reading/DataFiles.h"

#include "FileTestSupport.h"
#include "reading/RunFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class DataFilesTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
  QString dataPath() const { return m_dir.filePath("kayit.txt"); }

  QTemporaryDir m_dir;
  RunFiles m_runFiles;
};

TEST_F(DataFilesTest, AnsiLinesAreInCodePage1254AndOnDiskBeforeTheCallReturns) {
  DataFiles files(dataPath(), false, &m_runFiles);
  ASSERT_TRUE(files.openData(DataFiles::OpenMode::Empty));
  ASSERT_TRUE(files.openErrorFile(DataFiles::OpenMode::Empty));
  QString failure;
  ASSERT_TRUE(files.appendRecord(QString::fromUtf8("ĞÜŞİÖÇ ığüşöç"), failure)) << failure.toStdString();
  ASSERT_TRUE(files.appendErrorLine(u"12AB", failure)) << failure.toStdString();
  // Read by another handle while the run still holds the files open.
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("\xD0\xDC\xDE\xDD\xD6\xC7 \xFD\xF0\xFC\xFE\xF6\xE7\r\n"));
  EXPECT_EQ(fileBytes(dataPath() + ".hat"), QByteArray("12AB\r\n"));
  ASSERT_TRUE(files.appendRecord(u"", failure));
  EXPECT_EQ(fileBytes(dataPath()).right(5), QByteArray("\xE7\r\n\r\n"));
}

TEST_F(DataFilesTest, AppendKeepsWhatTheFileHeldAndEmptyStartsAfresh) {
  ASSERT_TRUE(writeBytes(dataPath(), "OLD\r\n"));
  QString failure;
  {
    DataFiles files(dataPath(), false, &m_runFiles);
    ASSERT_TRUE(files.openData(DataFiles::OpenMode::Append));
    ASSERT_TRUE(files.appendRecord(u"NEW", failure));
  }
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("OLD\r\nNEW\r\n"));
  EXPECT_TRUE(m_runFiles.isEmpty());  // the destructor took its files back
  {
    DataFiles files(dataPath(), false, &m_runFiles);
    ASSERT_TRUE(files.openData(DataFiles::OpenMode::Empty));
    EXPECT_EQ(fileBytes(dataPath()), QByteArray());
  }
}

TEST_F(DataFilesTest, Utf8RecordsAreAppendedWithoutMarkAndNoErrorFileExists) {
  ASSERT_TRUE(writeBytes(dataPath(), "A\r\n"));
  DataFiles files(dataPath(), true, &m_runFiles);
  ASSERT_TRUE(files.openData(DataFiles::OpenMode::Append));
  ASSERT_TRUE(files.openErrorFile(DataFiles::OpenMode::Empty));
  EXPECT_TRUE(m_runFiles.isEmpty());  // nothing is held open between records
  EXPECT_FALSE(files.hasErrorFile());
  QString failure;
  ASSERT_TRUE(files.appendRecord(QString::fromUtf8("ğ"), failure)) << failure.toStdString();
  ASSERT_TRUE(files.appendRecord(u"", failure)) << failure.toStdString();
  ASSERT_TRUE(files.appendErrorLine(u"lost on purpose", failure));
  EXPECT_EQ(fileBytes(dataPath()), QByteArray("A\r\n\xC4\x9F\r\n\r\n"));
  EXPECT_FALSE(QFile::exists(dataPath() + ".hat"));
}

TEST_F(DataFilesTest, AnUnfinishedLastLineIsEndedBeforeTheFirstNewLine) {
  // A file cut short by a power loss, or edited by hand: its last line
  // stays a line of its own, and the new one follows on the next.
  const struct {
    QByteArray before;
    QByteArray after;
  } endings[] = {{"OLD", "OLD\r\nNEW\r\n"},
                 {"A\r\nOLD\r", "A\r\nOLD\r\nNEW\r\n"},
                 {"OLD\n", "OLD\nNEW\r\n"},
                 {"OLD\r\n", "OLD\r\nNEW\r\n"},
                 {"", "NEW\r\n"}};
  for (const auto& ending : endings) {
    for (const bool utf8 : {false, true}) {
      SCOPED_TRACE(ending.before.toStdString() + (utf8 ? " UTF-8" : " ANSI"));
      ASSERT_TRUE(writeBytes(dataPath(), ending.before));
      ASSERT_TRUE(writeBytes(dataPath() + ".hat", ending.before));
      DataFiles files(dataPath(), utf8, &m_runFiles);
      ASSERT_TRUE(files.openData(DataFiles::OpenMode::Append));
      ASSERT_TRUE(files.openErrorFile(DataFiles::OpenMode::Append));
      QString failure;
      ASSERT_TRUE(files.appendRecord(u"NEW", failure)) << failure.toStdString();
      ASSERT_TRUE(files.appendErrorLine(u"NEW", failure)) << failure.toStdString();
      EXPECT_EQ(fileBytes(dataPath()), ending.after);
      // A UTF-8 layout has no error file; it is left as it was.
      EXPECT_EQ(fileBytes(dataPath() + ".hat"), utf8 ? ending.before : ending.after);
    }
  }
}

TEST_F(DataFilesTest, FilesClosedByTheRunAreReportedNotSilentlySkipped) {
  DataFiles files(dataPath(), false, &m_runFiles);
  ASSERT_TRUE(files.openData(DataFiles::OpenMode::Empty));
  ASSERT_TRUE(files.openErrorFile(DataFiles::OpenMode::Empty));
  m_runFiles.closeAll();  // the operator chose "stop" at a reader fault
  QString failure;
  EXPECT_FALSE(files.appendRecord(u"X", failure));
  EXPECT_TRUE(failure.contains(dataPath())) << failure.toStdString();
  failure.clear();
  EXPECT_FALSE(files.appendErrorLine(u"X", failure));
  EXPECT_TRUE(failure.contains(dataPath() + ".hat")) << failure.toStdString();
}

TEST_F(DataFilesTest, AFullDiskLeavesEveryEarlierLineAndNoHalfLine) {
  for (const bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8 ? "UTF-8" : "ANSI");
    QFile::remove(dataPath());
    auto budget = std::make_shared<qint64>(11);  // "FIRST\r\n" and 4 bytes of the next line
    DataFiles files(dataPath(), utf8, &m_runFiles, fullDiskAt(dataPath(), budget));
    ASSERT_TRUE(files.openData(DataFiles::OpenMode::Empty));
    QString failure;
    ASSERT_TRUE(files.appendRecord(u"FIRST", failure)) << failure.toStdString();
    EXPECT_FALSE(files.appendRecord(u"SECOND", failure));
    EXPECT_EQ(failure, "Dosya yazma hatası: " + dataPath() + "\rNo space left on device");
    EXPECT_EQ(fileBytes(dataPath()), QByteArray("FIRST\r\n"));
  }
}

TEST_F(DataFilesTest, TheSystemsOwnWriteFailureIsSeen) {
  if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  DataFiles files("/dev/full", false, &m_runFiles);
  ASSERT_TRUE(files.openData(DataFiles::OpenMode::Append));
  QString failure;
  EXPECT_FALSE(files.appendRecord(u"X", failure));
  EXPECT_TRUE(failure.startsWith("Dosya yazma hatası: /dev/full\r")) << failure.toStdString();
  EXPECT_GT(failure.size(), QString("Dosya yazma hatası: /dev/full\r").size());
}

TEST_F(DataFilesTest, FilesThatCannotBeMadeFailToOpen) {
  const QString inMissingFolder = m_dir.filePath("missing/kayit.txt");
  DataFiles files(inMissingFolder, false, &m_runFiles);
  EXPECT_FALSE(files.openData(DataFiles::OpenMode::Empty));
  EXPECT_FALSE(files.openErrorFile(DataFiles::OpenMode::Append));
  EXPECT_TRUE(m_runFiles.isEmpty());
  QString failure;
  EXPECT_FALSE(files.appendRecord(u"X", failure));

  DataFiles utf8(inMissingFolder, true, &m_runFiles);
  EXPECT_FALSE(utf8.appendRecord(u"X", failure));
  EXPECT_TRUE(failure.contains(inMissingFolder)) << failure.toStdString();
}

}  // namespace
