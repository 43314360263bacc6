#include "common/NumericText.h"

#include <gtest/gtest.h>

namespace {

struct LeadingCase {
  const char* text;
  double value;
};

void PrintTo(const LeadingCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class LeadingValueTest : public testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingValueTest, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(numeric::leadingValue(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingValueTest,
    testing::Values(LeadingCase{"", 0}, LeadingCase{"abc", 0}, LeadingCase{" 12 ", 12},
                    LeadingCase{"1 2\t3\n4", 1234},           // blanks, tabs, line feeds skipped anywhere
                    LeadingCase{"2.5", 2.5}, LeadingCase{"2,5", 2},  // only the point is a decimal sign
                    LeadingCase{"-3", -3}, LeadingCase{"- 3", -3}, LeadingCase{"+7x", 7},
                    LeadingCase{".5", 0.5}, LeadingCase{"1.2.3", 1.2}, LeadingCase{"08", 8},
                    LeadingCase{"1E3", 1000}, LeadingCase{"1d2", 100}, LeadingCase{"2E", 2},
                    LeadingCase{"2E-", 2}, LeadingCase{"3e-1", 0.3}, LeadingCase{"-", 0},
                    LeadingCase{"E5", 0}, LeadingCase{"12ab34", 12}, LeadingCase{"\r5", 0},
                    LeadingCase{"1e999", 1.7976931348623157e308}, LeadingCase{"1e-999", 0},
                    LeadingCase{"2e+3x", 2000}));

TEST(LeadingValue, VeryLongNumbersKeepTheirMagnitude) {
  const QString thousandDigits = QString(u'1') + QString(999, u'0');
  EXPECT_DOUBLE_EQ(numeric::leadingValue(thousandDigits + QStringLiteral("e-990")), 1e9);
  EXPECT_DOUBLE_EQ(numeric::leadingValue(QStringLiteral("0.") + QString(2000, u'3')), 1.0 / 3.0);
  EXPECT_DOUBLE_EQ(numeric::leadingValue(QString(10'000'000, u'9')), 1.7976931348623157e308);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(numeric::roundHalfEven(0.5), 0);
  EXPECT_EQ(numeric::roundHalfEven(1.5), 2);
  EXPECT_EQ(numeric::roundHalfEven(2.5), 2);
  EXPECT_EQ(numeric::roundHalfEven(-2.5), -2);
  EXPECT_EQ(numeric::roundHalfEven(2.6), 3);
}

TEST(IntegerFitting, OutOfRangeIsRefusedOrClamped) {
  EXPECT_EQ(numeric::toInt16(32767.4), 32767);
  EXPECT_EQ(numeric::toInt16(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(numeric::toInt16(-32768), -32768);
  EXPECT_EQ(numeric::toInt16(-32769), std::nullopt);
  EXPECT_EQ(numeric::toInt32(3e9), std::nullopt);
  EXPECT_EQ(numeric::clampedInt(1e300, 0, 155), 155);
  EXPECT_EQ(numeric::clampedInt(-4, 0, 155), 0);
  EXPECT_EQ(numeric::clampedInt(8.5, 0, 155), 8);
}

TEST(StrictValue, AcceptsOnlyAWholeNumber) {
  EXPECT_EQ(numeric::strictValue(u" 12 "), 12.0);
  EXPECT_EQ(numeric::strictValue(u"-2.5"), -2.5);
  EXPECT_EQ(numeric::strictValue(u"1e2"), 100.0);
  for (const char16_t* bad : {u"", u"  ", u"12a", u"1 2", u"2,5", u"abc", u"-", u"1e", u"1.2.3"})
    EXPECT_EQ(numeric::strictValue(bad), std::nullopt) << QString::fromUtf16(bad).toStdString();
}

TEST(NumberForms, ShortestAndSignedForms) {
  EXPECT_EQ(numeric::shortestForm(5), u"5");
  EXPECT_EQ(numeric::shortestForm(2.5), u"2.5");
  EXPECT_EQ(numeric::shortestForm(-0.0), u"0");
  EXPECT_EQ(numeric::shortestForm(0.125), u"0.125");
  EXPECT_EQ(numeric::signedForm(150), u" 150");
  EXPECT_EQ(numeric::signedForm(0), u" 0");
  EXPECT_EQ(numeric::signedForm(-3), u"-3");
}

}  // namespace
