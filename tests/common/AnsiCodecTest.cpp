#include "common/AnsiCodec.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiCodec, TurkishLettersRoundTripThroughCodePage1254) {
  const QByteArray bytes("\xF0\xFD\xFE\xDD\xDE\xD0\x80\xE7\xF6\xFC", 10);
  const QString text = ansi::decode(bytes);
  EXPECT_EQ(text, QString::fromUtf8("ğışİŞĞ€çöü"));
  EXPECT_EQ(ansi::encode(text), bytes);
}

TEST(AnsiCodec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(ansi::encode(QString::fromUtf8("aЖb😀")), QByteArray("a?b?"));
  // A control character SUB of its own stays itself beside a replaced one.
  EXPECT_EQ(ansi::encode(QString::fromUtf8("\x1AЖ")), QByteArray("\x1A?"));
}

}  // namespace

TEST(AnsiCodec, CyrillicViewReadsTheCodePageBytesAsCyrillic) {
  // The bytes stay those of code page 1254; only their letters change, so
  // a layout written for Cyrillic forms shows its letters, and plain ASCII
  // shows as it is.
  EXPECT_EQ(ansi::asCyrillic(u"Ayşe Öğün 12"), QString::fromUtf8("Ayюe Црьn 12"));
  EXPECT_EQ(ansi::asCyrillic(u"ABC;123"), QStringLiteral("ABC;123"));
}
