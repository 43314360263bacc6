#include "SettingsFileLines.h"
#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "common/AnsiCodec.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <ostream>

namespace {

using CheckBox = SettingsPanel::CheckBox;
using Frame = SettingsPanel::Frame;
using Switchable = SettingsPanel::Switchable;
using TextBox = SettingsPanel::TextBox;

const QString kGolden = QStringLiteral(KORVEL_TEST_DATA "/settings/defaults.ini");

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

// The 42 lines saved right after a start without a settings file.
QStringList defaultLines() {
  return linesOf(readFile(kGolden));
}

QStringList firstLines(int count) {
  return defaultLines().mid(0, count);
}

QStringList withLine(int lineNumber, const QString& text) {
  QStringList lines = defaultLines();
  lines[lineNumber - 1] = text;
  return lines;
}

struct State {
  AppSettings settings;
  SettingsPanel panel;
  MainControls main;
};

State loaded(const QStringList& lines) {
  State state;
  LoadSettingsFromBytes(fileOf(lines), state.settings, state.panel);
  return state;
}

QStringList saved(State& state) {
  return linesOf(SaveSettingsToBytes(state.settings, state.panel, state.main.Combo1Text));
}

std::array<bool, 10> option2Of(const SettingsPanel& panel) {
  std::array<bool, 10> options{};
  for (int index = 0; index < 10; ++index) options[static_cast<std::size_t>(index)] = panel.Option2(index);
  return options;
}

constexpr std::array<bool, 10> kDesignOption2 = {true, false, false, true,  false,
                                                 true, false, true,  false, true};

// --- Start without a file ---------------------------------------------------

TEST(SettingsLoad, MissingFileGivesTheStartUpState) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  State state;
  // Values a previous load left must not survive where the lines have defaults.
  state.panel.setText(TextBox::Text9, QStringLiteral("99"));
  state.settings.LastLayoutName = QStringLiteral("OLD");
  LoadSettings(folder.path(), state.settings, state.panel);
  const AppSettings& s = state.settings;
  const SettingsPanel& p = state.panel;

  EXPECT_TRUE(p.Option1(2));                // "USB"
  EXPECT_EQ(option2Of(p), kDesignOption2);  // 38400, Yok, Hayır, Hayır, Sekonic
  EXPECT_TRUE(p.Option3(1));                // "Normal"
  EXPECT_TRUE(p.Option4(0));                // "Türkçe"
  EXPECT_EQ(p.text(TextBox::Text1), "txt");
  EXPECT_EQ(s.DataFileExtension, "txt");
  EXPECT_EQ(p.text(TextBox::Text2), "00");
  EXPECT_EQ(p.text(TextBox::Text3), "");
  EXPECT_EQ(p.text(TextBox::Text5), "");
  EXPECT_EQ(p.Combo3(), "02");
  EXPECT_EQ(s.StarSetting, "02");
  EXPECT_EQ(p.text(TextBox::Text9), "28");
  EXPECT_EQ(p.text(TextBox::Text10), "");
  EXPECT_EQ(p.text(TextBox::Text11), "1");
  EXPECT_EQ(s.PortNumberText, 1);
  EXPECT_EQ(p.text(TextBox::Text13), "0");
  EXPECT_EQ(s.StopAfterSheets, 0);
  EXPECT_EQ(s.LastLayoutName, "");
  EXPECT_EQ(s.LanguageIndex, 0);
  EXPECT_EQ(s.SpareNumber, 1000);
  EXPECT_EQ(s.WriteUtf8, 0);
  // "Dursun" is ticked, and the setting agrees with the box.
  EXPECT_EQ(p.check(CheckBox::Check2), 1);
  EXPECT_EQ(s.StopOnError, 1);
  for (CheckBox box : {CheckBox::Check1, CheckBox::Check3, CheckBox::Check4, CheckBox::Check7,
                       CheckBox::Check8, CheckBox::Check9, CheckBox::Check11})
    EXPECT_EQ(p.check(box), 0) << SettingsPanel::name(box).toStdString();
  for (int index = 0; index < 5; ++index) EXPECT_EQ(p.Check5(index), 0) << index;
  EXPECT_EQ(s.BackRed, 0);
  EXPECT_EQ(s.BackGreen, 0);
  EXPECT_EQ(s.BackBlue, 192);
  EXPECT_EQ(s.TextColor, 65535);
  EXPECT_EQ(s.HighlightRed, 255);
  EXPECT_EQ(s.HighlightGreen, 255);
  EXPECT_EQ(s.HighlightBlue, 128);
  EXPECT_EQ(s.HighlightTextColor, 18);
  EXPECT_FALSE(s.UseBackgroundPicture);
  EXPECT_FALSE(p.isVisible(Frame::YildizAyari));
  EXPECT_FALSE(p.isVisible(Frame::CiftYuzluKagit));
  EXPECT_TRUE(p.isVisible(Frame::Printer));
  EXPECT_FALSE(p.Frame4Visible());

  State empty;
  LoadSettingsFromBytes(QByteArray(), empty.settings, empty.panel);
  EXPECT_EQ(empty.settings, s);
  EXPECT_EQ(empty.panel, p);
}

TEST(SettingsSave, SaveAfterMissingFileMatchesTheGoldenFile) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  State state;
  LoadSettings(folder.path(), state.settings, state.panel);
  const SettingsSaveResult result = SaveSettings(folder.path(), state.settings, state.panel, state.main);
  ASSERT_TRUE(result.saved) << result.message.toStdString();
  const QByteArray golden = readFile(kGolden);
  ASSERT_FALSE(golden.isEmpty());
  EXPECT_EQ(readFile(QDir(folder.path()).filePath("sekonic.ini")), golden);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sekonic.ini"});
}

// --- Loading, case by case --------------------------------------------------

struct LoadCase {
  const char* name;
  std::function<QStringList()> lines;
  std::function<void(const AppSettings&, const SettingsPanel&)> check;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
  *os << c.name;
}

class SettingsLoadCase : public testing::TestWithParam<LoadCase> {};

TEST_P(SettingsLoadCase, Applies) {
  const State state = loaded(GetParam().lines());
  GetParam().check(state.settings, state.panel);
}

const LoadCase kLoadCases[] = {
    // Lines without a default of their own repeat the last line read.
    {"CutAfterLine1", [] { return QStringList{" 1 "}; },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(option2Of(p),
                 (std::array<bool, 10>{false, true, true, false, true, false, true, false, true, false}));
       EXPECT_EQ(p.text(TextBox::Text1), "txt");  // line 6 has its own default
       EXPECT_EQ(p.text(TextBox::Text2), "01");
       EXPECT_EQ(s.UseDarknessLimit, 1);
       EXPECT_EQ(p.check(CheckBox::Check1), 1);
       EXPECT_TRUE(p.isEnabled(Switchable::Text3));
       EXPECT_EQ(p.text(TextBox::Text3), " 1 ");
       EXPECT_EQ(s.DarknessUpperLimit, 1);
       EXPECT_EQ(s.StopOnError, 1);
       EXPECT_EQ(p.text(TextBox::Text5), " 1 ");
       EXPECT_EQ(s.ImprintPosition, 1);
       for (int index = 0; index < 3; ++index) EXPECT_EQ(p.Check5(index), 1);
       EXPECT_EQ(p.Check5(3), 0);
       EXPECT_EQ(p.check(CheckBox::Check7), 1);
       EXPECT_EQ(p.check(CheckBox::Check9), 1);
       EXPECT_EQ(p.text(TextBox::Text10), " 1 ");
       EXPECT_EQ(s.ReaderMake, 1);  // "Nanhao" with its frames
       EXPECT_TRUE(p.isVisible(Frame::YildizAyari));
       EXPECT_FALSE(p.isVisible(Frame::Printer));
       EXPECT_FALSE(p.isVisible(Frame::CiftYuzluKagit));
       EXPECT_EQ(s.DuplexMachine, 1);
       EXPECT_EQ(s.DuplexSheet, 1);
       EXPECT_EQ(s.SeparatorText, " 1 ");
     }},
    {"CutAfterCsvExtension", [] { return firstLines(5) << "csv"; },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.DataFileExtension, "csv");
       EXPECT_EQ(p.text(TextBox::Text2), "00");
       EXPECT_EQ(p.text(TextBox::Text3), "csv");
       EXPECT_EQ(s.DarknessUpperLimit, 0);
       EXPECT_EQ(p.check(CheckBox::Check1), 0);
       // The separator's own lines read "csv" (as 0 and as the separator),
       // and the extension has the last word: ticked, ";".
       EXPECT_EQ(p.check(CheckBox::Check9), 1);
       EXPECT_EQ(p.text(TextBox::Text10), ";");
       EXPECT_FALSE(p.isEnabled(Switchable::Check9));
       EXPECT_FALSE(p.isEnabled(Switchable::Text10));
       EXPECT_EQ(option2Of(p), kDesignOption2);
     }},
    {"CutAfterGreyedBarcodeLine", [] { return firstLines(11) << " 2 "; },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.check(CheckBox::Check3), 1);
       EXPECT_EQ(p.check(CheckBox::Check4), 0);  // line 13 has its own default
       EXPECT_EQ(s.ImprintEnabled, 0);
       EXPECT_EQ(s.ImprintPosition, 2);
       for (int index = 0; index < 3; ++index) EXPECT_EQ(p.Check5(index), 2);
       EXPECT_EQ(p.check(CheckBox::Check7), 2);
       EXPECT_EQ(p.check(CheckBox::Check9), 2);
       EXPECT_TRUE(p.isEnabled(Switchable::Text10));
       EXPECT_EQ(s.ReaderMake, 0);  // 2 selects no reader: "Sekonic" stays
       EXPECT_TRUE(p.isVisible(Frame::Printer));
     }},
    {"CutAfterLanguage", [] { return firstLines(26) << " 1 "; },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.LanguageIndex, 1);
       EXPECT_TRUE(p.Option4(1));
       EXPECT_EQ(p.Check5(3), 0);
       EXPECT_EQ(p.Check5(4), 0);
       EXPECT_EQ(p.text(TextBox::Text13), "0");
       EXPECT_EQ(s.WriteUtf8, 0);
       EXPECT_EQ(s.BackBlue, 192);
       EXPECT_EQ(s.HighlightTextColor, 18);
       EXPECT_FALSE(s.UseBackgroundPicture);
     }},
    // Values that fit no option or box leave the control as it is.
    {"BaudValueOutOfRange", [] { return withLine(2, " 5 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(option2Of(p), kDesignOption2);
       EXPECT_EQ(s.BaudIndex, 0);
     }},
    {"DuplexSheetValueWouldPickTheMachine", [] { return withLine(5, " 3 "); },
     [](const AppSettings&, const SettingsPanel& p) {
       EXPECT_EQ(option2Of(p), kDesignOption2);
       EXPECT_FALSE(p.isVisible(Frame::CiftYuzluKagit));
     }},
    {"ReaderMakeHalfRoundsToEven", [] { return withLine(18, " 0.5 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.ReaderMake, 0); }},
    {"ReaderMakeRoundsToNanhao", [] { return withLine(18, " 0.6 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.ReaderMake, 1);
       EXPECT_TRUE(p.isVisible(Frame::OkumaHizi));
     }},
    {"ReaderMakeOneAndAHalfIsTwo", [] { return withLine(18, " 1.5 "); },
     [](const AppSettings&, const SettingsPanel& p) { EXPECT_EQ(option2Of(p), kDesignOption2); }},
    {"ImprintBoxOutOfRange", [] { return withLine(15, " 3 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.Check5(0), 0);
       EXPECT_EQ(s.ImprintSequenceNo, 0);
     }},
    {"ImprintBoxHalfRoundsToEven", [] { return withLine(19, " 1.5 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.check(CheckBox::Check7), 2);
       EXPECT_EQ(s.Sr410Mode, 2);
     }},
    {"LanguageOutOfRange", [] { return withLine(27, " 2 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.LanguageIndex, 0);
       EXPECT_TRUE(p.Option4(0));
       EXPECT_FALSE(p.Option4(1));
     }},
    {"ReadingSpeedOutOfRange", [] { return withLine(22, " 7 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.ReadingSpeed, 1);
       EXPECT_TRUE(p.Option3(1));
     }},
    {"ReadingSpeedFast", [] { return withLine(22, " 0 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.ReadingSpeed, 0);
       EXPECT_TRUE(p.Option3(0));
       EXPECT_FALSE(p.Option3(1));
     }},
    {"DarknessLimitKeepsItsValue", [] { return withLine(8, " 2 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.UseDarknessLimit, 2);
       EXPECT_EQ(p.check(CheckBox::Check1), 1);
       EXPECT_TRUE(p.isEnabled(Switchable::Label7));
     }},
    {"DarknessLimitOverflowIsIgnored", [] { return withLine(8, " 70000 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.UseDarknessLimit, 0);
       EXPECT_EQ(p.check(CheckBox::Check1), 0);
     }},
    {"StopOnErrorOverflowKeepsTheDefault", [] { return withLine(10, " 70000 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.StopOnError, 1);
       EXPECT_EQ(p.check(CheckBox::Check2), 1);
     }},
    {"StopOnErrorOff", [] { return withLine(10, " 0 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.StopOnError, 0);
       EXPECT_EQ(p.check(CheckBox::Check2), 0);
     }},
    {"BarcodeBelowOneHalf", [] { return withLine(12, " 0.4 "); },
     [](const AppSettings&, const SettingsPanel& p) { EXPECT_EQ(p.check(CheckBox::Check3), 0); }},
    {"Utf8AnyNonZero", [] { return withLine(33, "-1 "); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.WriteUtf8, -1);
       EXPECT_EQ(p.check(CheckBox::Check11), 1);
     }},
    {"BackgroundWordInAnyCase", [] { return withLine(42, "TRUE"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_TRUE(s.UseBackgroundPicture); }},
    {"BackgroundNonZeroNumber", [] { return withLine(42, " -1 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_TRUE(s.UseBackgroundPicture); }},
    {"BackgroundOtherWord", [] { return withLine(42, "yes"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_FALSE(s.UseBackgroundPicture); }},
    {"ColourLeadingNumber", [] { return withLine(34, " 12.5abc"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.BackRed, 12.5); }},
    // The normalisations of loading.
    {"WaitTimeOneDigit", [] { return withLine(7, "5"); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.text(TextBox::Text2), "05");
       EXPECT_EQ(s.FormWaitSeconds, "05");
     }},
    {"WaitTimeCommaEndsTheNumber", [] { return withLine(7, "2,5"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.FormWaitSeconds, "02"); }},
    {"WaitTimeHalf", [] { return withLine(7, "2.5"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.FormWaitSeconds, "2.5"); }},
    {"ExtensionOfFourLetters", [] { return withLine(6, "abcd"); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.text(TextBox::Text1), "abcd");
       EXPECT_EQ(s.DataFileExtension, "abc");
     }},
    {"ExtensionBlanksTrimmed", [] { return withLine(6, " cs v"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.DataFileExtension, "cs"); }},
    {"ReadingLineShownAsRead", [] { return withLine(23, "123"); },
     [](const AppSettings&, const SettingsPanel& p) { EXPECT_EQ(p.text(TextBox::Text9), "123"); }},
    {"SpareNumberAboveRange", [] { return withLine(11, " 9000 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.SpareNumber, 1000); }},
    {"SpareNumberBelowRange", [] { return withLine(11, "-3 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.SpareNumber, 1000); }},
    {"SpareNumberTopOfRange", [] { return withLine(11, " 7200 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.SpareNumber, 7200); }},
    {"SpareNumberZero", [] { return withLine(11, " 0 "); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.SpareNumber, 0); }},
    {"PortNumberHalfRoundsToEven", [] { return withLine(26, "4.5"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.PortNumberText, 4); }},
    {"PortNumberNotANumber", [] { return withLine(26, "2x"); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.text(TextBox::Text11), "2x");
       EXPECT_EQ(s.PortNumberText, 1);
     }},
    {"PortNumberTooLarge", [] { return withLine(26, "99999999999"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.PortNumberText, 1); }},
    {"StopAfterLeadingNumber", [] { return withLine(31, "12abc"); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(p.text(TextBox::Text13), "12abc");
       EXPECT_EQ(s.StopAfterSheets, 12);
     }},
    {"StopAfterOverflow", [] { return withLine(31, "70000"); },
     [](const AppSettings& s, const SettingsPanel&) { EXPECT_EQ(s.StopAfterSheets, 0); }},
    {"TurkishText", [] { return withLine(30, QStringLiteral("Sınav ğüşİ")); },
     [](const AppSettings& s, const SettingsPanel& p) {
       EXPECT_EQ(s.ImprintText, QStringLiteral("Sınav ğüşİ"));
       EXPECT_EQ(p.text(TextBox::Text12), QStringLiteral("Sınav ğüşİ"));
     }},
};

INSTANTIATE_TEST_SUITE_P(Lines, SettingsLoadCase, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase>& param) { return param.param.name; });

// However lines 24 and 25 were left, the loaded panel is the one the
// operator sees when opening it: a csv extension keeps the separator ticked,
// ";" and both locked, and the run writes with that separator.
TEST(SettingsLoad, SeparatorAgreesWithTheExtension) {
  struct Case {
    const char* extension;
    const char* line24;
    const char* line25;
    int check9;
    const char* text10;
    bool locked;
  };
  const Case cases[] = {
      {"csv", " 1 ", ";", 1, ";", true},   // as the program itself saves a csv choice
      {"CSV", " 0 ", "", 1, ";", true},    // separator lines edited by hand
      {"csv", " 1 ", ",", 1, ";", true},   // another separator
      {"csv", " 2 ", ";", 1, ";", true},   // a greyed box
      {"dat", " 1 ", ",", 1, ",", false},  // other extensions leave the lines as they are
      {"dat", " 0 ", "", 0, "", false},
  };
  for (const Case& c : cases) {
    QStringList lines = withLine(6, QString::fromLatin1(c.extension));
    lines[23] = QString::fromLatin1(c.line24);
    lines[24] = QString::fromLatin1(c.line25);
    const State state = loaded(lines);
    const std::string name = std::string(c.extension) + "/" + c.line24 + "/" + c.line25;
    EXPECT_EQ(state.panel.check(CheckBox::Check9), c.check9) << name;
    EXPECT_EQ(state.panel.text(TextBox::Text10), QString::fromLatin1(c.text10)) << name;
    EXPECT_EQ(state.panel.isEnabled(Switchable::Check9), !c.locked) << name;
    EXPECT_EQ(state.panel.isEnabled(Switchable::Text10), !c.locked) << name;
    EXPECT_EQ(state.settings.SeparatorEnabled, c.check9) << name;
    EXPECT_EQ(state.settings.SeparatorText, QString::fromLatin1(c.text10)) << name;

    // Opening the panel changes none of it.
    SettingsPanel opened = state.panel;
    MainControls main;
    opened.Command3_Click(main);
    for (Switchable control : SettingsPanel::switchables())
      EXPECT_EQ(opened.isEnabled(control), state.panel.isEnabled(control))
          << name << " " << SettingsPanel::name(control).toStdString();
    EXPECT_EQ(opened.check(CheckBox::Check9), state.panel.check(CheckBox::Check9)) << name;
  }
}

TEST(SettingsLoad, BareLineFeedsEndLinesToo) {
  QByteArray bytes = fileOf(withLine(6, "dat"));
  bytes.replace("\r\n", "\n");
  State state;
  LoadSettingsFromBytes(bytes, state.settings, state.panel);
  EXPECT_EQ(state.settings, loaded(withLine(6, "dat")).settings);
}

// --- Saving -----------------------------------------------------------------

struct TypedCase {
  const char* name;
  TextBox box;
  const char* typed;
  int lineNumber;
  const char* written;
};

void PrintTo(const TypedCase& c, std::ostream* os) {
  *os << c.name;
}

class SettingsSaveTyped : public testing::TestWithParam<TypedCase> {};

TEST_P(SettingsSaveTyped, WritesTheNormalisedLineAndKeepsTheField) {
  const TypedCase& c = GetParam();
  State state = loaded(defaultLines());
  state.panel.setText(c.box, QString::fromUtf8(c.typed));
  const QStringList lines = saved(state);
  ASSERT_EQ(lines.size(), kSettingsLineCount);
  EXPECT_EQ(lines.at(c.lineNumber - 1), QString::fromUtf8(c.written));
  EXPECT_EQ(state.panel.text(c.box), QString::fromUtf8(c.typed));
}

const TypedCase kTypedCases[] = {
    {"WaitOneDigit", TextBox::Text2, "5", 7, "05"},
    {"WaitHalf", TextBox::Text2, "2.5", 7, "2.5"},
    {"WaitComma", TextBox::Text2, "2,5", 7, "02"},
    {"WaitEmpty", TextBox::Text2, "", 7, "00"},
    {"WaitTwoDigits", TextBox::Text2, "12", 7, "12"},
    {"ReadingLineCut", TextBox::Text9, "123", 23, "12"},
    {"ReadingLinePadded", TextBox::Text9, "7", 23, "7 "},
    {"ReadingLineEmpty", TextBox::Text9, "", 23, "  "},
    {"ExtensionWhole", TextBox::Text1, "abcd", 6, "abcd"},
    {"UpperLimitAsTyped", TextBox::Text3, "300x", 9, "300x"},
    {"StopAfterAsTyped", TextBox::Text13, " 25", 31, " 25"},
};

INSTANTIATE_TEST_SUITE_P(Texts, SettingsSaveTyped, testing::ValuesIn(kTypedCases),
                         [](const testing::TestParamInfo<TypedCase>& param) { return param.param.name; });

TEST(SettingsSave, UpdatesTheSettingsFromTheTypedTexts) {
  State state = loaded(withLine(31, "12"));
  state.panel.setText(TextBox::Text1, QStringLiteral("abcd"));
  state.panel.setText(TextBox::Text3, QStringLiteral("300x"));
  state.panel.setText(TextBox::Text5, QStringLiteral("70000"));  // does not fit: kept
  state.panel.setText(TextBox::Text11, QStringLiteral("x"));     // not a number: kept
  state.panel.setText(TextBox::Text13, QStringLiteral("abc"));   // not a number: kept
  saved(state);
  EXPECT_EQ(state.settings.DataFileExtension, "abcd");
  EXPECT_EQ(state.settings.DarknessUpperLimit, 300);
  EXPECT_EQ(state.settings.ImprintPosition, 0);
  EXPECT_EQ(state.settings.PortNumberText, 1);
  EXPECT_EQ(state.settings.StopAfterSheets, 12);

  state.panel.setText(TextBox::Text11, QStringLiteral(" 6.5 "));
  state.panel.setText(TextBox::Text13, QStringLiteral("2.5"));
  state.panel.setText(TextBox::Text2, QStringLiteral("7"));
  saved(state);
  EXPECT_EQ(state.settings.PortNumberText, 6);
  EXPECT_EQ(state.settings.StopAfterSheets, 2);
  EXPECT_EQ(state.settings.FormWaitSeconds, "07");
  EXPECT_EQ(state.panel.text(TextBox::Text2), "7");
}

TEST(SettingsSave, NoDoubleSidedSheetWithoutADoubleSidedMachine) {
  struct Case {
    int machine;  // Option2 index under "Çift Yüzlü Makine"
    int sheet;    // Option2 index under "Çift Yüzlü Kağıt"
    const char* line4;
    const char* line5;
  };
  for (const Case& c : {Case{5, 6, " 0 ", " 0 "}, Case{5, 7, " 0 ", " 0 "}, Case{4, 6, " 1 ", " 1 "},
                        Case{4, 7, " 1 ", " 0 "}}) {
    State state = loaded(defaultLines());
    state.panel.selectOption2(c.machine);
    state.panel.selectOption2(c.sheet);
    const QStringList lines = saved(state);
    EXPECT_EQ(lines.at(3), c.line4) << c.machine << "/" << c.sheet;
    EXPECT_EQ(lines.at(4), c.line5) << c.machine << "/" << c.sheet;
    const bool sheetKept = c.machine == 4 && c.sheet == 6;
    EXPECT_EQ(state.panel.Option2(6), sheetKept);
    EXPECT_EQ(state.panel.Option2(7), !sheetKept);
    EXPECT_EQ(state.settings.DuplexSheet, sheetKept ? 1 : 0);
  }
}

TEST(SettingsSave, StoredPortAndSpareNumberAreRewritten) {
  QStringList lines = withLine(1, " 0 ");
  lines[10] = " 9000 ";
  State state = loaded(lines);
  EXPECT_TRUE(state.panel.Option1(2));
  const QStringList written = saved(state);
  EXPECT_EQ(written.at(0), " 2 ");
  EXPECT_EQ(written.at(10), " 1000 ");
}

TEST(SettingsSave, NumbersAndTruthInTheirWrittenForm) {
  State state = loaded(defaultLines());
  state.settings.BackRed = -3;
  state.settings.BackGreen = 0.25;
  state.settings.UseBackgroundPicture = true;
  state.panel.setCheck(CheckBox::Check4, 2);
  const QStringList lines = saved(state);
  EXPECT_EQ(lines.at(33), "-3 ");
  EXPECT_EQ(lines.at(34), " 0.25 ");
  EXPECT_EQ(lines.at(41), "True");
  EXPECT_EQ(lines.at(12), " 2 ");
  EXPECT_EQ(state.settings.ImprintEnabled, 2);
}

TEST(SettingsSave, LineFeedInAFieldDoesNotShiftTheLines) {
  State state = loaded(defaultLines());
  state.panel.setText(TextBox::Text10, QStringLiteral("a\nb"));
  state.panel.setCheck(CheckBox::Check11, 1);
  const QStringList lines = saved(state);
  ASSERT_EQ(lines.size(), kSettingsLineCount);
  EXPECT_EQ(lines.at(24), "a b");
  const State reloaded = loaded(lines);
  EXPECT_EQ(reloaded.settings.WriteUtf8, 1);
  EXPECT_EQ(reloaded.panel.text(TextBox::Text10), "a b");
}

TEST(SettingsSave, LoadSaveLoadKeepsTheState) {
  QStringList lines = defaultLines();
  const std::map<int, QString> changed = {
      {2, " 1 "},     {3, " 1 "},  {4, " 1 "},    {5, " 1 "},  {6, "csv"},     {7, "15"},     {8, " 1 "},
      {9, "180"},     {10, " 0 "}, {11, " 250 "}, {12, " 1 "}, {13, " 1 "},    {14, "42"},    {15, " 1 "},
      {16, " 2 "},    {17, " 1 "}, {18, " 1 "},   {19, " 1 "}, {20, "Yıldız"}, {21, " 1 "},   {22, " 0 "},
      {23, "3 "},     {24, " 1 "}, {25, ";"},     {26, "7"},   {27, " 1 "},    {28, " 1 "},   {29, " 2 "},
      {30, "Şube ğ"}, {31, "500"}, {32, "SINAV"}, {33, " 1 "}, {34, " 10.5 "}, {37, " 255 "}, {42, "True"},
  };
  for (const auto& [number, text] : changed) lines[number - 1] = text;
  State first = loaded(lines);
  first.main.Combo1Text = first.settings.LastLayoutName;
  const State before = first;
  const QStringList written = saved(first);
  EXPECT_EQ(written, lines);
  const State second = loaded(written);
  EXPECT_EQ(second.settings, before.settings);
  EXPECT_EQ(second.panel, before.panel);
}

TEST(SettingsSave, ButtonsRestoredOrKept) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  State state;
  state.panel.Command3_Click(state.main);
  ASSERT_TRUE(SaveSettings(folder.path(), state.settings, state.panel, state.main).saved);
  EXPECT_EQ(state.main, MainControls{});
  EXPECT_FALSE(state.panel.Frame4Visible());

  // A running reading run: only "&Dur" enabled. Leaving Text13 saves only.
  MainControls running;
  running.Command1Enabled = running.Command2Enabled = running.Command3Enabled = false;
  running.Command5Enabled = running.Combo1Enabled = false;
  running.Command12Enabled = true;
  state.main = running;
  state.panel.setText(TextBox::Text13, QStringLiteral("30"));
  ASSERT_TRUE(SaveSettings(folder.path(), state.settings, state.panel, state.main, SaveButtons::Keep).saved);
  EXPECT_EQ(state.main, running);
  EXPECT_EQ(state.settings.StopAfterSheets, 30);
  EXPECT_EQ(linesOf(readFile(settingsFilePath(folder.path()))).at(30), "30");
}

// --- A save that fails --------------------------------------------------------

// Writes the first `budget` bytes, then fails as a full disk does.
class FailingSaveFile : public QSaveFile {
 public:
  FailingSaveFile(const QString& path, qint64 budget) : QSaveFile(path), m_budget(budget) {}

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    if (length > m_budget) {
      if (m_budget > 0) QSaveFile::writeData(data, m_budget);
      m_budget = 0;
      setErrorString(QStringLiteral("No space left on device"));
      return -1;
    }
    m_budget -= length;
    return QSaveFile::writeData(data, length);
  }

 private:
  qint64 m_budget;
};

TEST(SettingsSave, FailedWriteKeepsTheOldFile) {
  for (qint64 budget : {0, 20, 150}) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = settingsFilePath(folder.path());
    const QByteArray old = fileOf(withLine(6, "dat"));
    writeFile(path, old);

    State state;
    LoadSettings(folder.path(), state.settings, state.panel);
    state.panel.Command3_Click(state.main);
    state.panel.setText(TextBox::Text1, QStringLiteral("csv"));
    const SettingsSaveResult result = SaveSettings(
        folder.path(), state.settings, state.panel, state.main, SaveButtons::Restore,
        [budget](const QString& file) { return std::make_unique<FailingSaveFile>(file, budget); });

    EXPECT_FALSE(result.saved) << budget;
    EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(path))) << result.message.toStdString();
    EXPECT_TRUE(result.message.contains("No space left on device")) << result.message.toStdString();
    EXPECT_EQ(readFile(path), old) << budget;
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"sekonic.ini"});
    // What the operator set still holds in memory.
    EXPECT_EQ(state.settings.DataFileExtension, "csv");
    EXPECT_FALSE(state.panel.Frame4Visible());
    EXPECT_TRUE(state.main.Command1Enabled);
  }
}

TEST(SettingsSave, FolderThatCannotBeWrittenIsReported) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString missing = QDir(folder.path()).filePath("no-such-folder");
  State state;
  const SettingsSaveResult result = SaveSettings(missing, state.settings, state.panel, state.main);
  EXPECT_FALSE(result.saved);
  EXPECT_TRUE(result.message.contains(QDir::toNativeSeparators(settingsFilePath(missing))))
      << result.message.toStdString();
  EXPECT_FALSE(QFileInfo::exists(settingsFilePath(missing)));
}

}  // namespace
