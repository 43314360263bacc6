#include "reading/Utf8SideFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Utf8SideFileTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString path() const { return m_dir.filePath("geciciUTF8.txt"); }

  QByteArray contents() const {
    QFile file(path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  void setContents(const QByteArray& bytes) const {
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }

  QTemporaryDir m_dir;
};

TEST_F(Utf8SideFileTest, RecordsOfAnyByteLengthFollowEachOtherExactly) {
  Utf8SideFile side(path());
  EXPECT_EQ(side.write(QString::fromUtf8("ŞÜKRÜ ĞÖÇ"), 0), QString());
  EXPECT_EQ(side.write(u"ALI", 1), QString());
  EXPECT_EQ(side.write(QString::fromUtf8("İĞNE"), 2), QString());
  EXPECT_EQ(contents(), QString::fromUtf8("ŞÜKRÜ ĞÖÇ\r\nALI\r\nİĞNE\r\n").toUtf8());
}

TEST_F(Utf8SideFileTest, RecordPositionFollowsTheSheetCount) {
  struct Step {
    QByteArray before;
    const char* record;
    qint64 index;
    QByteArray after;
  };
  const Step steps[] = {
      // A restarted data file starts the side file again.
      {"AAA\r\nBBB\r\nCCC\r\n", "X", 0, "X\r\n"},
      // Rewriting a record replaces it and what followed.
      {"AAA\r\nBBB\r\nCCC\r\n", "ÇÇ", 1, "AAA\r\n\xC3\x87\xC3\x87\r\n"},
      // A continued data file whose records the side file never saw.
      {"", "R", 3, "\r\n\r\n\r\nR\r\n"},
      {"AAA\r\n", "R", 2, "AAA\r\n\r\nR\r\n"},
      // An unfinished last line is finished, not overwritten.
      {"AAA", "R", 1, "AAA\r\nR\r\n"},
      {"AAA", "R", 0, "R\r\n"},
  };
  for (const Step& s : steps) {
    setContents(s.before);
    EXPECT_EQ(WriteUTF8FileEx(path(), QString::fromUtf8(s.record), s.index), QString());
    EXPECT_EQ(contents(), s.after) << s.before.toStdString() << " + " << s.record << " @" << s.index;
  }
}

TEST_F(Utf8SideFileTest, EmptyContentsWriteNothing) {
  EXPECT_EQ(WriteUTF8FileEx(path(), u"", 0), QString());
  EXPECT_FALSE(QFile::exists(path()));
  setContents("AAA\r\n");
  EXPECT_EQ(WriteUTF8FileEx(path(), u"", 0), QString());
  EXPECT_EQ(contents(), "AAA\r\n");
}

TEST_F(Utf8SideFileTest, GrowsPastSixteenBitOffsets) {
  Utf8SideFile side(path());
  QByteArray expected;
  for (int i = 0; i < 4000; ++i) {
    const QString record = QStringLiteral("%1 ĞÜŞİÖÇ").arg(i, 6, 10, QChar(u'0'));
    ASSERT_EQ(side.write(record, i), QString());
    expected += record.toUtf8() + "\r\n";
  }
  ASSERT_GT(expected.size(), 65536);
  EXPECT_EQ(contents(), expected);
}

TEST_F(Utf8SideFileTest, NoticesAFileChangedBehindItsBack) {
  Utf8SideFile side(path());
  ASSERT_EQ(side.write(u"ONE", 0), QString());
  ASSERT_EQ(side.write(u"TWO", 1), QString());
  setContents("X\r\n");
  ASSERT_EQ(side.write(u"THREE", 2), QString());
  EXPECT_EQ(contents(), "X\r\n\r\nTHREE\r\n");
}

TEST_F(Utf8SideFileTest, FailureIsReportedNotThrown) {
  const QString result = WriteUTF8FileEx(m_dir.filePath("no/such/folder/geciciUTF8.txt"), u"R", 0);
  EXPECT_TRUE(result.startsWith("WriteUTF8FileEx ")) << result.toStdString();
  EXPECT_TRUE(result.contains(": "));
}

}  // namespace
