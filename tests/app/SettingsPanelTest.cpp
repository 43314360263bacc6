#include "app/MainControls.h"
#include "app/SettingsPanel.h"

#include <gtest/gtest.h>

namespace {

using CheckBox = SettingsPanel::CheckBox;
using Frame = SettingsPanel::Frame;
using Switchable = SettingsPanel::Switchable;
using TextBox = SettingsPanel::TextBox;

constexpr std::array kSekonicFrames = {
    Frame::OkumaSurati,  Frame::CiftCikisTepsisi, Frame::CiftYuzluMakine, Frame::ElleBeslemeOptikOkuyucu,
    Frame::KoyulukAyari, Frame::HataDurumunda,    Frame::Barkod,          Frame::Printer,
    Frame::Sr410};
constexpr std::array kNanhaoFrames = {Frame::YildizAyari, Frame::GeciciTxt, Frame::OkumaHizi,
                                      Frame::Mesafe13cm};

void expectFrames(const SettingsPanel& panel, bool sekonic, bool duplexSheet) {
  for (Frame frame : kSekonicFrames)
    EXPECT_EQ(panel.isVisible(frame), sekonic) << SettingsPanel::caption(frame).toStdString();
  for (Frame frame : kNanhaoFrames)
    EXPECT_EQ(panel.isVisible(frame), !sekonic) << SettingsPanel::caption(frame).toStdString();
  EXPECT_EQ(panel.isVisible(Frame::CiftYuzluKagit), duplexSheet);
}

TEST(SettingsPanel, Option2SelectsWithinItsFrameOnly) {
  SettingsPanel panel;
  panel.selectOption2(1);  // "19200"
  panel.selectOption2(2);  // "Var"
  panel.selectOption2(6);  // "Evet" under "Çift Yüzlü Kağıt"
  const std::array<bool, 10> expected = {false, true, true, false, false, true, true, false, false, true};
  for (int index = 0; index < 10; ++index) EXPECT_EQ(panel.Option2(index), expected[index]) << index;
  panel.selectOption2(10);
  panel.selectOption2(-1);
  for (int index = 0; index < 10; ++index) EXPECT_EQ(panel.Option2(index), expected[index]) << index;
}

TEST(SettingsPanel, ReaderMakeSwitchesTheFramesOfItsReader) {
  SettingsPanel panel;
  expectFrames(panel, true, false);

  panel.selectOption2(4);  // a double-sided machine
  expectFrames(panel, true, true);

  panel.selectOption1(0);
  panel.selectOption2(8);  // "Nanhao": its frames, no double-sided sheet, USB
  expectFrames(panel, false, false);
  EXPECT_TRUE(panel.Option1(2));
  EXPECT_FALSE(panel.Option1(0));

  panel.selectOption2(9);  // back to "Sekonic" with the machine still double-sided
  expectFrames(panel, true, true);

  panel.selectOption2(5);
  expectFrames(panel, true, false);
  panel.selectOption2(9);
  expectFrames(panel, true, false);
}

TEST(SettingsPanel, ErrorFrameShownAgainByTheDoubleSidedMachine) {
  SettingsPanel panel;
  panel.selectOption2(8);
  EXPECT_FALSE(panel.isVisible(Frame::HataDurumunda));
  panel.selectOption2(4);
  EXPECT_TRUE(panel.isVisible(Frame::HataDurumunda));
  EXPECT_TRUE(panel.isVisible(Frame::CiftYuzluKagit));
  EXPECT_FALSE(panel.isVisible(Frame::Printer));
}

TEST(SettingsPanel, CsvExtensionLocksTheSeparator) {
  for (const char* csv : {"csv", "CSV", "cSv"}) {
    SettingsPanel panel;
    panel.setText(TextBox::Text10, QStringLiteral("|"));
    panel.setText(TextBox::Text1, QString::fromLatin1(csv));
    EXPECT_EQ(panel.check(CheckBox::Check9), 1) << csv;
    EXPECT_EQ(panel.text(TextBox::Text10), ";") << csv;
    EXPECT_FALSE(panel.isEnabled(Switchable::Check9)) << csv;
    EXPECT_FALSE(panel.isEnabled(Switchable::Text10)) << csv;

    panel.setText(TextBox::Text1, QStringLiteral("dat"));
    EXPECT_EQ(panel.check(CheckBox::Check9), 1) << csv;
    EXPECT_EQ(panel.text(TextBox::Text10), ";") << csv;
    EXPECT_TRUE(panel.isEnabled(Switchable::Check9)) << csv;
    EXPECT_TRUE(panel.isEnabled(Switchable::Text10)) << csv;
  }
  SettingsPanel panel;
  panel.setText(TextBox::Text1, QStringLiteral("csv "));
  EXPECT_EQ(panel.check(CheckBox::Check9), 0);
  EXPECT_TRUE(panel.isEnabled(Switchable::Check9));
}

TEST(SettingsPanel, CheckBoxesSwitchTheirFields) {
  struct Case {
    int value;
    bool upperLimitEnabled;
    bool separatorEnabled;
  };
  for (const Case& c : {Case{1, true, true}, Case{2, false, true}, Case{0, false, false}}) {
    SettingsPanel panel;
    ASSERT_TRUE(panel.setCheck(CheckBox::Check1, c.value));
    EXPECT_EQ(panel.isEnabled(Switchable::Label7), c.upperLimitEnabled) << c.value;
    EXPECT_EQ(panel.isEnabled(Switchable::Text3), c.upperLimitEnabled) << c.value;
    ASSERT_TRUE(panel.setCheck(CheckBox::Check9, c.value));
    EXPECT_EQ(panel.isEnabled(Switchable::Text10), c.separatorEnabled) << c.value;
  }
}

TEST(SettingsPanel, CheckValuesOutsideTheBoxStatesAreRefused) {
  SettingsPanel panel;
  ASSERT_TRUE(panel.setCheck(CheckBox::Check1, 1));
  EXPECT_FALSE(panel.setCheck(CheckBox::Check1, 3));
  EXPECT_FALSE(panel.setCheck(CheckBox::Check1, -1));
  EXPECT_EQ(panel.check(CheckBox::Check1), 1);
  EXPECT_TRUE(panel.isEnabled(Switchable::Text3));
  ASSERT_TRUE(panel.setCheck5(4, 2));
  EXPECT_FALSE(panel.setCheck5(4, 7));
  EXPECT_FALSE(panel.setCheck5(5, 1));
  EXPECT_EQ(panel.Check5(4), 2);
}

TEST(SettingsPanel, OpeningDisablesTheMainWindowAndRefreshesTheFields) {
  SettingsPanel panel;
  MainControls main;
  panel.setCheck(CheckBox::Check9, 0);  // Text10 disabled by the box...
  panel.setCheck(CheckBox::Check1, 1);
  panel.Command3_Click(main);
  EXPECT_TRUE(panel.Frame4Visible());
  EXPECT_TRUE(panel.isEnabled(Switchable::Text10));  // ...and enabled again by the extension "dat"
  EXPECT_TRUE(panel.isEnabled(Switchable::Text3));
  MainControls disabled;
  disabled.Command1Enabled = disabled.Command2Enabled = disabled.Command3Enabled = false;
  disabled.Command5Enabled = disabled.Combo1Enabled = disabled.Command12Enabled = false;
  EXPECT_EQ(main, disabled);

  // An extension typed in while the panel was closed is acted on at opening.
  SettingsPanel csvPanel;
  csvPanel.setText(TextBox::Text1, QStringLiteral("CSV"));
  csvPanel.setCheck(CheckBox::Check9, 0);
  csvPanel.setText(TextBox::Text10, QString());
  csvPanel.Command3_Click(main);
  EXPECT_EQ(csvPanel.check(CheckBox::Check9), 1);
  EXPECT_EQ(csvPanel.text(TextBox::Text10), ";");
  EXPECT_FALSE(csvPanel.isEnabled(Switchable::Text10));
}

}  // namespace
