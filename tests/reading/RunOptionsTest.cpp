#include "SettingsFileLines.h"
#include "app/AppSettings.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "reading/RunOptions.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>

namespace {

// The settings file a start without one saves, with some lines replaced,
// loaded as the program loads it at start-up; then the panel as the
// operator left it.
RunOptions optionsOf(const std::map<int, QString>& lines,
                     const std::function<void(SettingsPanel&)>& operatorDid) {
  QFile golden(QStringLiteral(KORVEL_TEST_DATA "/settings/defaults.ini"));
  EXPECT_TRUE(golden.open(QIODevice::ReadOnly));
  QStringList file = linesOf(golden.readAll());
  for (const auto& [number, text] : lines) file[number - 1] = text;
  AppSettings settings;
  SettingsPanel panel;
  LoadSettingsFromBytes(fileOf(file), settings, panel);
  if (operatorDid) operatorDid(panel);
  return RunOptions::from(settings, panel);
}

struct OptionsCase {
  const char* name;
  std::map<int, QString> lines;
  std::function<void(SettingsPanel&)> operatorDid;
  std::function<void(const RunOptions&)> expect;
};

void PrintTo(const OptionsCase& c, std::ostream* os) {
  *os << c.name;
}

class RunOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(RunOptionsTest, SettingsAndPanelGiveTheRunsOptions) {
  const OptionsCase& c = GetParam();
  c.expect(optionsOf(c.lines, c.operatorDid));
}

const auto kCases = testing::Values(
    OptionsCase{"Defaults",
                {},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.usbSelected && o.imprint.usbSelected && o.output.usbSelected);
                  EXPECT_FALSE(o.secondTray || o.cycle.secondTray || o.checks.secondTray ||
                               o.device.SecondTray);
                  EXPECT_TRUE(o.cycle.singleSidedSheets && o.device.SingleSidedSheets);
                  EXPECT_FALSE(o.decoding.DuplexSheet);
                  EXPECT_TRUE(o.cycle.reportTimingMarkErrors && o.cycle.askAtWrongLineCount);
                  EXPECT_TRUE(o.output.stopOnError);
                  EXPECT_EQ(o.device.StopOnError, 1);
                  EXPECT_FALSE(o.barcodeEnabled || o.decoding.BarcodeEnabled);
                  EXPECT_EQ(o.StopAfterSheets, 0);
                }},
    // A stored 2 ticks the box but is not "on": timing-mark errors are
    // reported, every other stop on an error is not.
    OptionsCase{"StopOnErrorStoredAsTwo",
                {{10, " 2 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.cycle.reportTimingMarkErrors);
                  EXPECT_FALSE(o.cycle.askAtWrongLineCount);
                  EXPECT_FALSE(o.output.stopOnError);
                  EXPECT_EQ(o.device.StopOnError, 2);
                }},
    OptionsCase{"StopOnErrorOff",
                {{10, " 0 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_FALSE(o.cycle.reportTimingMarkErrors || o.cycle.askAtWrongLineCount);
                  EXPECT_FALSE(o.output.stopOnError);
                  EXPECT_EQ(o.device.StopOnError, 0);
                }},
    OptionsCase{"SecondTray",
                {{3, " 1 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.secondTray && o.cycle.secondTray && o.checks.secondTray &&
                              o.device.SecondTray);
                }},
    OptionsCase{"DoubleSidedSheets",
                {{4, " 1 "}, {5, " 1 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.decoding.DuplexSheet);
                  EXPECT_FALSE(o.cycle.singleSidedSheets || o.device.SingleSidedSheets);
                }},
    OptionsCase{"Barcode",
                {{12, " 1 "}},
                {},
                [](const RunOptions& o) { EXPECT_TRUE(o.barcodeEnabled && o.decoding.BarcodeEnabled); }},
    OptionsCase{"DarknessLimitAndSheetLimit",
                {{8, " 1 "}, {9, "12"}, {31, "7"}},
                {},
                [](const RunOptions& o) {
                  EXPECT_EQ(o.decoding.UseDarknessLimit, 1);
                  EXPECT_EQ(o.decoding.DarknessUpperLimit, 12);
                  EXPECT_EQ(o.StopAfterSheets, 7);
                }},
    // Each imprint choice comes from its own box; a greyed box is not a
    // choice.
    OptionsCase{"ImprintChoices",
                {{13, " 1 "}, {14, "30"}, {15, " 1 "}, {16, " 2 "}, {17, " 0 "}, {28, " 1 "}, {29, " 0 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.imprint.ImprintEnabled);
                  EXPECT_EQ(o.device.ImprintEnabled, 1);
                  EXPECT_EQ(o.device.ImprintPosition, 30);
                  EXPECT_EQ(QList<bool>({o.imprint.sequenceNo, o.imprint.readMark, o.imprint.dateTime,
                                         o.imprint.unreadMark, o.imprint.fileName}),
                            QList<bool>({true, false, false, true, false}));
                }},
    // Typing a csv extension forces the separator on; the checks use its
    // text too.
    OptionsCase{"CsvSeparator",
                {{25, "|"}},
                [](SettingsPanel& p) { p.setText(SettingsPanel::TextBox::Text1, "csv"); },
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.output.separatorEnabled);
                  EXPECT_EQ(o.output.separatorText, ";");
                  EXPECT_EQ(o.checks.separatorText, ";");
                }},
    // The separator's text reaches the checks even when it is not used.
    OptionsCase{"SeparatorOff",
                {{24, " 0 "}, {25, "|"}},
                {},
                [](const RunOptions& o) {
                  EXPECT_FALSE(o.output.separatorEnabled);
                  EXPECT_EQ(o.checks.separatorText, "|");
                }},
    OptionsCase{"Utf8CopyAndEnglish",
                {{27, " 1 "}, {33, " 1 "}},
                {},
                [](const RunOptions& o) {
                  EXPECT_TRUE(o.output.writeUtf8);
                  EXPECT_EQ(o.device.LanguageIndex, 1);
                }},
    // Loading always selects "USB"; a port the operator picked afterwards
    // connects nothing and imprints nothing.
    OptionsCase{"OperatorPickedCom1",
                {{1, " 0 "}},
                [](SettingsPanel& p) { p.selectOption1(PanelIndex::Option1Com1); },
                [](const RunOptions& o) {
                  EXPECT_FALSE(o.usbSelected || o.imprint.usbSelected || o.output.usbSelected);
                }},
    OptionsCase{"OperatorTickedFieldNames",
                {},
                [](SettingsPanel& p) { p.setCheck(SettingsPanel::CheckBox::Check6, 1); },
                [](const RunOptions& o) { EXPECT_TRUE(o.output.showFieldNames); }});

INSTANTIATE_TEST_SUITE_P(Lines, RunOptionsTest, kCases, [](const testing::TestParamInfo<OptionsCase>& p) {
  return std::string(p.param.name);
});

}  // namespace
