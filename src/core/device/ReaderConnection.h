#pragma once

#include "device/OmrApi.h"

#include <QString>

#include <cstdint>
#include <functional>

class Operator;

/// What the reader knows about itself after a connection.
struct ReaderState {
  /// The model name, 16 characters as the reader gives them.
  QString MachineName;
  /// True when the equipment word reports a back-side reading unit.
  bool BackSensorFitted = false;
};

/// The settings connection and fault handling read (a run takes them from
/// its RunOptions).
struct DeviceSettings {
  int LanguageIndex = 0;            ///< 0 Turkish, anything else English
  bool SecondTray = false;          ///< "Var" under "Çift Çıkış Tepsisi"
  bool SingleSidedSheets = true;    ///< "Hayır" under "Çift Yüzlü Kağıt"
  int StopOnError = 0;              ///< 1 when "Dursun" is ticked
  int ImprintEnabled = 0;           ///< 1 when imprinting is on
  std::int16_t ImprintPosition = 0;  ///< millimetres
};

/// The decisions of ReportDeviceError.
enum DeviceDecision : std::int16_t {
  kCarryOn = 0,  ///< no fault, or one that does not matter here
  kGoOn = 1,     ///< connect again / eject the sheet and feed the next
  kStop = 2,     ///< give up the connection / eject and end the run
};

/// Connecting to the reader and handling its faults. ConnectReader and
/// ReportDeviceError call each other: a fault of code 1 that the operator
/// wants to go on with is met by a fresh connection.
///
/// A library function that cannot run is a skipped step; the value it
/// should have given keeps its earlier value. Two reads are the exception,
/// because skipping them would report a reader that is not there as ready:
/// an open that cannot run counts as no reader found, a status that cannot
/// be read counts as 2 (not connected).
class ReaderConnection {
 public:
  /// `closeRunFiles` is called when the operator ends a run at a fault, so
  /// the run's files are closed at once; empty when no run is in progress.
  ReaderConnection(OmrApi& api, Operator& person, const DeviceSettings& settings, ReaderState& state,
                   std::function<void()> closeRunFiles = {});

  /// Opens and configures the reader; true when it is ready. Throws
  /// ProgramEnd when the operator answers No to the connection prompt.
  bool ConnectReader();

  /// Sends the raw command "CE" and discards the replies.
  void SendCommandCE();

  /// Tells the operator about a reader status and returns the decision.
  std::int16_t ReportDeviceError(std::int32_t status);

  /// The reader's status; 2 (not connected) when it cannot be read.
  std::int32_t readStatus();

 private:
  /// Sends a raw command; when `stopOnSkip`, a step that cannot run ends it.
  void sendRawCommand(const QByteArray& command, bool stopOnSkip);

  OmrApi& m_api;
  Operator& m_operator;
  const DeviceSettings& m_settings;
  ReaderState& m_state;
  std::function<void()> m_closeRunFiles;
};
