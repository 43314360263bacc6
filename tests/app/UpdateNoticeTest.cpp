#include "app/UpdateNotice.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Nine characters of lead-in before the number; their content never matters.
const QString kLeadIn = QStringLiteral("Surum_No:");

std::optional<QString> noticeFor(const QString& afterLeadIn) {
  return updateNoticeFromPageText(kLeadIn + afterLeadIn);
}

}  // namespace

TEST(UpdateNotice, NewerBuildsGiveTheTextFromTheTenthCharacterOn) {
  const char* const cases[] = {
      {"125 Yeni özellikler"},
      {"125"},
      {"124.5"},       // a fraction above the own build is newer
      {"124.000001"},  // however small, as long as it is not zero
      {"  \t125 leading blanks belong to the notice"},
      {"\n126\nsecond line"},
      {"0125"},
      {"125abc"},
      {"125.5.7"},  // the second point ends the number
      {"1000"},
      {"99999999999999999999999999999999999999999999"},
  };
  for (const char* c : cases) {
    const QString rest = QString::fromUtf8(c);
    const std::optional<QString> notice = noticeFor(rest);
    ASSERT_TRUE(notice.has_value()) << c;
    EXPECT_EQ(*notice, QStringLiteral("Yeni Sürüm ") + rest) << c;
  }
}

TEST(UpdateNotice, SameOrOlderBuildsAndOtherTextsGiveNone) {
  const char* const cases[] = {
      {"124"},
      {"124 the build already running"},
      {"124.0"},
      {"124.000"},
      {"124."},
      {"4.125"},  // four and a fraction is less than 124
      {"123.99999999999999999999"},
      {"000124"},
      {"99"},
      {"v125"},  // a letter at the tenth character
      {"-125"},
      {"+125"},
      {".125"},
      {"1 25"},  // the blank ends the number
      {"12e5"},  // no exponents
      {""},
      {"   "},
      {"１２５"},  // full-width digits are not digits here
  };
  for (const char* c : cases) EXPECT_EQ(noticeFor(QString::fromUtf8(c)), std::nullopt) << c;
}

TEST(UpdateNotice, TextUpToNineCharactersGivesNone) {
  for (const char* text : {"", "125", "Surum_No:", "125456789"})
    EXPECT_EQ(updateNoticeFromPageText(QString::fromUtf8(text)), std::nullopt) << text;
  // The tenth character alone is enough.
  EXPECT_EQ(updateNoticeFromPageText(QStringLiteral("xxxxxxxxx9999")), QStringLiteral("Yeni Sürüm 9999"));
}

TEST(UpdateNotice, HugePagesAreReadWithoutOverflow) {
  const QString digits(200000, u'9');
  EXPECT_EQ(noticeFor(digits), QStringLiteral("Yeni Sürüm ") + digits);
  // Many zeros in front of the own build are still the own build.
  EXPECT_EQ(noticeFor(QString(200000, u'0') + QStringLiteral("124")), std::nullopt);
  EXPECT_EQ(noticeFor(QStringLiteral("124.") + QString(200000, u'0')), std::nullopt);
  EXPECT_TRUE(noticeFor(QStringLiteral("124.") + QString(200000, u'0') + u'1').has_value());
}
