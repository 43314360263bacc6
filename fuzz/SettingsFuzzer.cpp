// Arbitrary bytes as the content of sekonic.ini: loading must never crash,
// saving must give 42 lines, and the saved file must read back to itself.
#include "app/AppSettings.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  AppSettings settings;
  SettingsPanel panel;
  LoadSettingsFromBytes(content, settings, panel);
  const QByteArray saved = SaveSettingsToBytes(settings, panel, settings.LastLayoutName);
  if (saved.count("\r\n") != kSettingsLineCount) __builtin_trap();

  AppSettings reloadedSettings;
  SettingsPanel reloadedPanel;
  LoadSettingsFromBytes(saved, reloadedSettings, reloadedPanel);
  const QByteArray savedAgain =
      SaveSettingsToBytes(reloadedSettings, reloadedPanel, reloadedSettings.LastLayoutName);
  if (savedAgain != saved) __builtin_trap();
  return 0;
}
