#include "CliCommands.h"
#include "JsonOutput.h"

#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>

namespace {

const char kUsage[] = "usage: korvel-cli settings --folder DIR [--save]";

QJsonObject settingsJson(const AppSettings& s) {
  return {
      {"PortIndex", s.PortIndex},
      {"BaudIndex", s.BaudIndex},
      {"SecondTray", s.SecondTray},
      {"DuplexMachine", s.DuplexMachine},
      {"DuplexSheet", s.DuplexSheet},
      {"DataFileExtension", s.DataFileExtension},
      {"FormWaitSeconds", s.FormWaitSeconds},
      {"UseDarknessLimit", s.UseDarknessLimit},
      {"DarknessUpperLimit", s.DarknessUpperLimit},
      {"StopOnError", s.StopOnError},
      {"SpareNumber", s.SpareNumber},
      {"BarcodeEnabled", s.BarcodeEnabled},
      {"ImprintEnabled", s.ImprintEnabled},
      {"ImprintPosition", s.ImprintPosition},
      {"ImprintSequenceNo", s.ImprintSequenceNo},
      {"ImprintReadMark", s.ImprintReadMark},
      {"ImprintDateTime", s.ImprintDateTime},
      {"ReaderMake", s.ReaderMake},
      {"Sr410Mode", s.Sr410Mode},
      {"StarSetting", s.StarSetting},
      {"UseOtherTempFile", s.UseOtherTempFile},
      {"ReadingSpeed", s.ReadingSpeed},
      {"ReadingLine13cm", s.ReadingLine13cm},
      {"SeparatorEnabled", s.SeparatorEnabled},
      {"SeparatorText", s.SeparatorText},
      {"PortNumberText", s.PortNumberText},
      {"LanguageIndex", s.LanguageIndex},
      {"ImprintUnreadMark", s.ImprintUnreadMark},
      {"ImprintFileName", s.ImprintFileName},
      {"ImprintText", s.ImprintText},
      {"StopAfterSheets", s.StopAfterSheets},
      {"LastLayoutName", s.LastLayoutName},
      {"WriteUtf8", s.WriteUtf8},
      {"BackRed", s.BackRed},
      {"BackGreen", s.BackGreen},
      {"BackBlue", s.BackBlue},
      {"TextColor", s.TextColor},
      {"HighlightRed", s.HighlightRed},
      {"HighlightGreen", s.HighlightGreen},
      {"HighlightBlue", s.HighlightBlue},
      {"HighlightTextColor", s.HighlightTextColor},
      {"UseBackgroundPicture", s.UseBackgroundPicture},
  };
}

template <typename Selected>
QJsonArray options(int count, Selected selected) {
  QJsonArray array;
  for (int index = 0; index < count; ++index) array.append(selected(index));
  return array;
}

QJsonObject panelJson(const SettingsPanel& panel) {
  QJsonObject object;
  object.insert("Option1", options(SettingsPanel::kOption1Count, [&](int i) { return panel.Option1(i); }));
  object.insert("Option2", options(SettingsPanel::kOption2Count, [&](int i) { return panel.Option2(i); }));
  object.insert("Option3", options(SettingsPanel::kOption3Count, [&](int i) { return panel.Option3(i); }));
  object.insert("Option4", options(SettingsPanel::kOption4Count, [&](int i) { return panel.Option4(i); }));
  for (SettingsPanel::CheckBox box : SettingsPanel::checkBoxes())
    object.insert(SettingsPanel::name(box), panel.check(box));
  object.insert("Check5", options(SettingsPanel::kCheck5Count, [&](int i) { return panel.Check5(i); }));
  for (SettingsPanel::TextBox box : SettingsPanel::textBoxes())
    object.insert(SettingsPanel::name(box), panel.text(box));
  object.insert("Combo3", panel.Combo3());
  QJsonObject enabled;
  for (SettingsPanel::Switchable control : SettingsPanel::switchables())
    enabled.insert(SettingsPanel::name(control), panel.isEnabled(control));
  object.insert("enabled", enabled);
  QJsonObject frames;
  for (SettingsPanel::Frame frame : SettingsPanel::frames())
    frames.insert(SettingsPanel::caption(frame), panel.isVisible(frame));
  object.insert("frames", frames);
  object.insert("Frame4", panel.Frame4Visible());
  return object;
}

}  // namespace

int runSettingsCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption folderOption(QStringLiteral("folder"), QStringLiteral("program folder"),
                                        QStringLiteral("DIR"));
  const QCommandLineOption saveOption(QStringLiteral("save"), QStringLiteral("save as the panel's OK does"));
  parser.addOption(folderOption);
  parser.addOption(saveOption);
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty() || !parser.isSet(folderOption) ||
      parser.value(folderOption).isEmpty()) {
    if (!parser.errorText().isEmpty()) printError(parser.errorText());
    printError(QString::fromLatin1(kUsage));
    return kExitUsage;
  }
  const QString folder = parser.value(folderOption);

  AppSettings settings;
  SettingsPanel panel;
  MainControls main;
  LoadSettings(folder, settings, panel);
  // Start-up puts the last layout into the layout list once it is filled,
  // so saving keeps it.
  if (!settings.LastLayoutName.isEmpty()) main.Combo1Text = settings.LastLayoutName;

  printJson({{"AppSettings", settingsJson(settings)}, {"panel", panelJson(panel)}});

  if (parser.isSet(saveOption)) {
    const SettingsSaveResult result = SaveSettings(folder, settings, panel, main);
    if (!result.saved) {
      printError(result.message);
      return kExitFailure;
    }
  }
  return kExitOk;
}
