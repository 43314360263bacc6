#pragma once

#include <cstdint>

/// The settings the field decoding reads (RunOptions holds a run's).
struct DecodingSettings {
  /// "Koyuluk Ayarı": the cap is in use when UseDarknessLimit is 1.
  std::int16_t UseDarknessLimit = 0;
  std::int16_t DarknessUpperLimit = 0;
  /// "Evet" under "Çift Yüzlü Kağıt" selected.
  bool DuplexSheet = false;
  /// The barcode box "Barkod" "Var" (Check3) ticked: barcode fields are read.
  bool BarcodeEnabled = false;
};
