#include "MarkSheet.h"
#include "ReadingTestSupport.h"

#include "reading/SheetDecoder.h"

#include <gtest/gtest.h>

namespace {

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

// The sample exam sheet, marked as a student would: the number, the name,
// the booklet type and the answers, with a few answers left blank or
// marked twice and some light smudges that are no marks.
class ExamSheet : public testing::Test {
 protected:
  void SetUp() override {
    m_layout = ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"));
    ASSERT_EQ(m_layout.FieldCount, 103);
    ASSERT_EQ(m_layout.FirstBackField, 54);
    ASSERT_EQ(kAnswers.size(), 100);

    const QString number = QStringLiteral("2024001357");
    for (int k = 0; k < number.size(); ++k) m_front.set(4 + number[k].digitValue(), 26 + k, 200);
    const QString letters = u8(" ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZ");
    const QString name = u8("AYŞE ÇELİK");
    for (int k = 0; k < name.size(); ++k)
      m_front.set(4 + static_cast<int>(letters.indexOf(name[k])), 2 + k, 180);
    m_front.set(17, 30, 150);  // booklet C
    m_front.set(17, 27, 200);  // between the booklet choices: not a position

    for (int q = 1; q <= 100; ++q) {
      const FieldDefinition& field = m_layout.field(q + 3);
      MarkSheet& side = q <= 50 ? m_front : m_back;
      const QChar answer = kAnswers[q - 1];
      if (answer == u'*') {
        side.set(field.FieldLineFrom, field.FieldColFrom, 90)
            .set(field.FieldLineFrom, field.FieldColFrom + 3, 90);
      } else if (answer != u' ') {
        side.set(field.FieldLineFrom, field.FieldColFrom + (answer.unicode() - u'A'), 120 + q);
        side.set(field.FieldLineFrom, field.FieldColFrom + (answer.unicode() - u'A' + 1) % 5, 7);  // a smudge
      }
    }
  }

  QStringList decode(const omr::MarkBuffer* back, bool* dropped = nullptr) const {
    const SheetDecoder decoder(m_layout, DecodingSettings{});
    RunFieldTable values = RunFieldTable::forLayout(m_layout);
    QString Text6;
    const bool wasDropped = decoder.decode(m_front.marks, back, values, Text6, nullptr);
    if (dropped) *dropped = wasDropped;
    QStringList result;
    for (const RunFieldTable::Entry& entry : values.entries) result.append(entry.FieldValue);
    return result;
  }

  static inline const QString kAnswers = QStringLiteral(
      "ABCDEEDCBA AB*CD EEA"
      "CCDDA*BEEABCDEABCDE "
      "BBBBBCCCCCDDDDDEEEEE"
      " ABCD*EDCBAABCDEEDCB"
      "ABCDEABCDEABCDEABCD*");

  LayoutTable m_layout;
  MarkSheet m_front;
  MarkSheet m_back;
};

TEST_F(ExamSheet, BothSidesGiveEveryAnswer) {
  bool dropped = true;
  const QStringList values = decode(&m_back.marks, &dropped);
  EXPECT_FALSE(dropped);
  ASSERT_EQ(values.size(), 103);
  EXPECT_EQ(values[0], u"2024001357");
  EXPECT_EQ(values[1], u8("AYŞE ÇELİK          "));
  EXPECT_EQ(values[2], u"C");
  for (int q = 1; q <= 100; ++q) EXPECT_EQ(values[q + 2], QString(kAnswers[q - 1])) << "question " << q;
}

TEST_F(ExamSheet, WithoutTheBackEveryFieldIsReadFromTheFront) {
  const QStringList both = decode(&m_back.marks);
  const QStringList frontOnly = decode(nullptr);
  ASSERT_EQ(frontOnly.size(), 103);
  for (int i = 0; i < 53; ++i) EXPECT_EQ(frontOnly[i], both[i]) << "field " << i + 1;
  // The back questions read what the front carries in their places: lines
  // 5 to 29 of columns 3 to 7 lie inside the name grid, where the Ç, the E
  // and the Ş of the name stand on the lines of questions 54, 56 and 73.
  for (int q = 51; q <= 100; ++q) {
    const QString expected = QString::fromUtf16(q == 54 ? u"E" : q == 56 ? u"C" : q == 73 ? u"B" : u" ");
    EXPECT_EQ(frontOnly[q + 2], expected) << "question " << q;
  }
}

}  // namespace
