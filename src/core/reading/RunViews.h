#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

/// What the main window shows of reading runs, as plain state the window
/// observes: the working texts, the raw view and the last saved record, the
/// status labels with the counters, and the duplicate list. It lives as long
/// as the program: the counters' labels and the duplicate list carry over
/// from run to run.
struct RunViews {
  QString Text6;   ///< working text of the current sheet: rulers and one line per field
  QString Text7;   ///< Text6 with every blank shown as "_"
  QString Text8;   ///< the record line being built
  QString Text14;  ///< raw view of the last saved sheet
  bool Text14Visible = true;  ///< hidden while a UTF-8 layout is read
  QString Label8;  ///< last saved record ("Son Kaydedilen")
  QString Label13; ///< the data file of the run, shortened to fit
  /// Status labels: 0 sheet count, 3 error count, ... (texts without blanks).
  std::array<QString, 10> Label2{};
  std::array<bool, 10> Label2Visible{true, true, true, true, true, true, true, true, true, true};
  /// Values of duplicate-checked fields seen so far, in the order first seen.
  QStringList List1;
};

/// The counters of the program's reading runs.
struct RunCounters {
  /// Accepted sheets in the data file (records already there included).
  std::int32_t SheetCount = 0;
  /// Rejected sheets; carries over from run to run.
  std::int32_t ErrorCount = 0;
  /// Sheet cycles completed in the current run.
  std::int32_t RunSheetCount = 0;
  /// What became of the current run's sheets, each sheet fed in exactly
  /// one of them: records written, sheets rejected, sheets read but neither
  /// saved nor rejected (a sheet in hand when the run was left for want of
  /// an answer among them), sheets ejected unread at a reader fault (an
  /// empty hopper feeds no sheet), and sheets whose record or error line
  /// could not be written. Kept up to date sheet by sheet, so they hold
  /// however the run ends.
  std::int32_t RunSavedCount = 0;
  std::int32_t RunRejectedCount = 0;
  std::int32_t RunDroppedCount = 0;
  std::int32_t RunSkippedCount = 0;
  std::int32_t RunUnwrittenCount = 0;
};
