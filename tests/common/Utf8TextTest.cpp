#include "common/Utf8Text.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(ConvertToUTF8, GivesTheBytesWithoutMarkOrTerminator) {
  EXPECT_EQ(ConvertToUTF8(u"ğ"), QByteArray("\xC4\x9F"));
  EXPECT_EQ(ConvertToUTF8(u"Aş\r\n"), QByteArray("A\xC5\x9F\r\n"));
  EXPECT_FALSE(IsDimmed(ConvertToUTF8(u"")));
  EXPECT_TRUE(IsDimmed(ConvertToUTF8(u" ")));
  const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
  EXPECT_EQ(ConvertToUTF8(loneSurrogate), QByteArray("a\xEF\xBF\xBD" "b"));
}

TEST(UTF8BytesToString, DecodesEverythingAndReplacesInvalidBytes) {
  EXPECT_EQ(UTF8BytesToString(QByteArray("\xC4\x9F\xC3\xBC")), QString::fromUtf8("ğü"));
  EXPECT_EQ(UTF8BytesToString(QByteArray("a\xFF" "b")), QString::fromUtf8("a\xEF\xBF\xBD" "b"));
  // A mark inside the text is a character, not a marker to drop.
  EXPECT_EQ(UTF8BytesToString(QByteArray("\xEF\xBB\xBFx")), QString(QChar(0xFEFF)) + u'x');
  EXPECT_EQ(UTF8BytesToString({}), QString());
}

TEST(ReadUTF8File, SkipsTheMarkAndKeepsLineEnds) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const struct {
    QByteArray bytes;
    QString text;
  } cases[] = {
      {QByteArray("\xEF\xBB\xBF" "62=48=\r\nAyşe\r\n"), QString::fromUtf8("62=48=\r\nAyşe\r\n")},
      {QByteArray("\xEF\xBB\xBF"), QString()},
      {QByteArray("\xEF\xBB"), QString()},
  };
  for (const auto& c : cases) {
    const QString path = dir.filePath("layout.omrf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(c.bytes);
    file.close();
    EXPECT_EQ(ReadUTF8File(path), c.text) << c.bytes.toHex().toStdString();
  }
  EXPECT_EQ(ReadUTF8File(dir.filePath("missing.omrf")), QString());
}

}  // namespace
