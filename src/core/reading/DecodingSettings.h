#pragma once

#include <cstdint>

class SettingsPanel;
struct AppSettings;

/// The settings the field decoding reads, taken from the settings record and
/// the settings panel when a reading starts.
struct DecodingSettings {
  /// "Koyuluk Ayarı": the cap is in use when UseDarknessLimit is 1.
  std::int16_t UseDarknessLimit = 0;
  std::int16_t DarknessUpperLimit = 0;
  /// "Çift Yüzlü Kağıt" "Evet" (Option2(6)) selected.
  bool DuplexSheet = false;
  /// The barcode box "Barkod" "Var" (Check3) ticked: barcode fields are read.
  bool BarcodeEnabled = false;

  static DecodingSettings from(const AppSettings& settings, const SettingsPanel& panel);
};
