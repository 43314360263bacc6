#include "reading/RunOptions.h"

#include "app/AppSettings.h"
#include "app/SettingsPanel.h"

namespace {

using CheckBox = SettingsPanel::CheckBox;
using TextBox = SettingsPanel::TextBox;

bool ticked(const SettingsPanel& panel, CheckBox box) {
  return panel.check(box) == 1;
}

bool imprintChoice(const SettingsPanel& panel, PanelIndex::Check5 choice) {
  return panel.Check5(choice) == 1;
}

}  // namespace

RunOptions RunOptions::from(const AppSettings& settings, const SettingsPanel& panel) {
  RunOptions o;
  o.usbSelected = panel.Option1(PanelIndex::Option1Usb);
  o.barcodeEnabled = ticked(panel, CheckBox::Check3);
  o.secondTray = panel.Option2(PanelIndex::Option2SecondTrayYes);
  o.StopAfterSheets = sheetLimitFrom(settings);
  // "Dursun" is read twice, and the two readings differ when the settings
  // file held 2 there: the box is then ticked while the setting stays 2.
  // The box decides whether a front timing-mark error is reported at all;
  // the stored setting decides every other stop on an error.
  const bool stopOnErrorTicked = ticked(panel, CheckBox::Check2);
  const bool stopOnError = settings.StopOnError == 1;

  o.device.LanguageIndex = settings.LanguageIndex;
  o.device.SecondTray = o.secondTray;
  o.device.SingleSidedSheets = panel.Option2(PanelIndex::Option2DuplexSheetNo);
  o.device.StopOnError = settings.StopOnError;
  o.device.ImprintEnabled = settings.ImprintEnabled;
  o.device.ImprintPosition = settings.ImprintPosition;

  o.decoding.UseDarknessLimit = settings.UseDarknessLimit;
  o.decoding.DarknessUpperLimit = settings.DarknessUpperLimit;
  o.decoding.DuplexSheet = panel.Option2(PanelIndex::Option2DuplexSheetYes);
  o.decoding.BarcodeEnabled = o.barcodeEnabled;

  o.cycle.secondTray = o.secondTray;
  o.cycle.singleSidedSheets = o.device.SingleSidedSheets;
  o.cycle.reportTimingMarkErrors = stopOnErrorTicked;
  o.cycle.askAtWrongLineCount = stopOnError;

  o.checks.secondTray = o.secondTray;
  o.checks.separatorText = panel.text(TextBox::Text10);

  o.imprint.usbSelected = o.usbSelected;
  o.imprint.ImprintEnabled = settings.ImprintEnabled == 1;
  o.imprint.sequenceNo = imprintChoice(panel, PanelIndex::Check5SequenceNo);
  o.imprint.readMark = imprintChoice(panel, PanelIndex::Check5ReadMark);
  o.imprint.dateTime = imprintChoice(panel, PanelIndex::Check5DateTime);
  o.imprint.unreadMark = imprintChoice(panel, PanelIndex::Check5UnreadMark);
  o.imprint.fileName = imprintChoice(panel, PanelIndex::Check5FileName);

  o.output.separatorEnabled = panel.check(CheckBox::Check9) != 0;
  o.output.separatorText = o.checks.separatorText;
  o.output.showFieldNames = ticked(panel, CheckBox::Check6);
  o.output.writeUtf8 = settings.WriteUtf8 == 1;
  o.output.usbSelected = o.usbSelected;
  o.output.stopOnError = stopOnError;
  return o;
}

std::int16_t RunOptions::sheetLimitFrom(const AppSettings& settings) { return settings.StopAfterSheets; }
