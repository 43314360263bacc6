#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <functional>

class OmrApi;

/// The imprint choices the run reads (a run's come from its RunOptions).
struct ImprintSettings {
  bool usbSelected = false;     ///< "USB" selected; no other connection imprints
  bool ImprintEnabled = false;  ///< Check4 ("Kullanılsın" under "Printer")
  bool sequenceNo = false;      ///< Check5(0) "Sıra No"
  bool readMark = false;        ///< Check5(1) "Okundu"
  bool dateTime = false;        ///< Check5(2) "Tarih && Saat"
  bool unreadMark = false;      ///< Check5(3) "Okunmadi"
  bool fileName = false;        ///< Check5(4) "Dosya Adı"
};

/// The line printed on each sheet that reaches the output (saved or
/// rejected): the chosen pieces in a fixed order, padded to 42 characters,
/// handed to the reader as print line 1 with two blank lines after it.
class Imprint {
 public:
  /// The width every print line is padded to.
  static constexpr int kLineWidth = 42;

  /// `clock` gives the date and time printed; an empty one means now.
  Imprint(ImprintSettings settings, QString CurrentDataFilePath, std::function<QDateTime()> clock = {});

  /// Print line 1 for a sheet: `SheetCount` is the number of sheets saved
  /// before this one. Dates and times are written the way the system's
  /// locale writes them (short forms).
  QString line(bool SheetAccepted, int SheetCount) const;

  /// Sends the three print lines and the print order to `reader`, when the
  /// connection is USB and imprinting is on; otherwise nothing. The
  /// reader's results are not looked at: a failed imprint never stops a run.
  void send(OmrApi& reader, bool SheetAccepted, int SheetCount) const;

 private:
  ImprintSettings m_settings;
  QString m_dataFilePath;
  std::function<QDateTime()> m_clock;
};
