#include "reading/DecodingSettings.h"

#include "app/AppSettings.h"
#include "app/SettingsPanel.h"

DecodingSettings DecodingSettings::from(const AppSettings& settings, const SettingsPanel& panel) {
  DecodingSettings result;
  result.UseDarknessLimit = settings.UseDarknessLimit;
  result.DarknessUpperLimit = settings.DarknessUpperLimit;
  result.DuplexSheet = panel.Option2(6);
  result.BarcodeEnabled = panel.check(SettingsPanel::CheckBox::Check3) == 1;
  return result;
}
