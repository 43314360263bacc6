#pragma once

#include "device/ReaderConnection.h"
#include "reading/DecodingSettings.h"
#include "reading/Imprint.h"
#include "reading/RecordOutput.h"
#include "reading/SheetChecks.h"
#include "reading/SheetCycle.h"

#include <cstdint>

class SettingsPanel;
struct AppSettings;

/// Everything a reading run takes from the operator's choices, read once
/// from the settings record and the settings panel when the run starts.
/// The run and its parts read only this value, each its own member.
///
/// The reader's equipment (`backSensorFitted` of the cycle and the checks)
/// is not a choice: it stays false here and the run fills it in once the
/// reader is connected.
struct RunOptions {
  /// "USB" under "Bağlantı Noktası": only then is the reader connected and
  /// tested at set-up.
  bool usbSelected = false;
  /// "Var" under "Barkod": the barcode unit is set up at set-up.
  bool barcodeEnabled = false;
  /// "Var" under "Çift Çıkış Tepsisi", for the start-of-run questions.
  bool secondTray = false;
  /// Text13: the run ends when this many sheet cycles are done; 0 never.
  std::int16_t StopAfterSheets = 0;

  DeviceSettings device;        ///< the reader connection and its fault reports
  DecodingSettings decoding;    ///< the field decoding
  SheetCycle::Settings cycle;   ///< feed, status and the mark reads
  SheetCheckSettings checks;    ///< the per-sheet checks
  ImprintSettings imprint;      ///< the imprint
  RecordOutputSettings output;  ///< the record output

  /// The run's options for the settings and the panel as they are now.
  static RunOptions from(const AppSettings& settings, const SettingsPanel& panel);
  /// The sheet limit alone: the one choice the operator changes while a
  /// run goes, read again after every sheet cycle.
  static std::int16_t sheetLimitFrom(const AppSettings& settings);
};
