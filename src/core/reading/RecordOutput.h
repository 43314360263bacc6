#pragma once

#include "layout/LayoutTable.h"
#include "reading/Utf8SideFile.h"

#include <QString>

class DataFiles;
class OmrApi;
class Operator;
struct RunCounters;
struct RunFieldTable;
struct RunViews;

/// The settings the record output reads (a run's come from its
/// RunOptions).
struct RecordOutputSettings {
  bool separatorEnabled = false;  ///< Check9 ("Kullanılsın" under "Ayırma")
  QString separatorText = {};     ///< Text10
  bool showFieldNames = false;    ///< Check6 ("Alan Adları Görünsün")
  bool writeUtf8 = false;         ///< WriteUtf8 (Check11, "UTF8 kaydet")
  bool usbSelected = false;       ///< "USB" under "Bağlantı Noktası"
  bool stopOnError = false;       ///< StopOnError (Check2, "Dursun")
};

/// Writes each finished sheet of a run: a saved sheet's record to the data
/// file (and its copy to the UTF-8 side file), a rejected sheet's values to
/// the error file, and the counters and views that go with them.
///
/// A record is counted only once it is in the data file. When a line
/// cannot be written the operator is told (one OK box naming the file and
/// the system's reason), the counter stays, and the call returns false: the
/// caller ends the run, and every record written before stays in the file.
///
/// One object serves one run; `layout`, `files`, `views`, `counters` and
/// `op` must outlive it. `reader` may be null (no ejecting).
class RecordOutput {
 public:
  RecordOutput(const LayoutTable& layout, DataFiles& files, RunViews& views, RunCounters& counters,
               Operator& op, RecordOutputSettings settings, const QString& programFolder, OmrApi* reader);

  /// Writes the sheet as `SheetAccepted` says: writeSaved or writeRejected.
  bool write(RunFieldTable& fields, bool SheetAccepted, const QString& ErrorWindowList);

  /// A sheet that passed its checks. Clears the blank-answer groups of
  /// fields 344 to 349 holding "E", builds the record (kind "Q" fields left
  /// out, the separator after every value but the table's last field's),
  /// fills Text6/Text7/Text8/Text14/Label8, appends the record and counts
  /// it in SheetCount and Label2(0). With writeUtf8 the record also goes to
  /// geciciUTF8.txt in the program folder, at its record position.
  /// Returns false, uncounted, when the data file could not take it.
  bool writeSaved(RunFieldTable& fields);

  /// A sheet that failed a window check: its values without separators go
  /// to the error file when the run has one, ErrorCount and Label2(3)
  /// count it, the reader ejects it to tray 2 (USB), and with stopOnError
  /// the failed windows are named. Returns false, uncounted, when the error
  /// file could not take the line (the sheet is still ejected to tray 2).
  bool writeRejected(const RunFieldTable& fields, const QString& ErrorWindowList);

  /// The two ruler lines over the raw view.
  static const QString& rulerTens();
  static const QString& rulerUnits();

 private:
  bool isWritten(int fieldIndex) const;
  void reportFailure(const QString& failure);

  const LayoutTable& m_layout;
  DataFiles& m_files;
  RunViews& m_views;
  RunCounters& m_counters;
  Operator& m_operator;
  RecordOutputSettings m_settings;
  OmrApi* m_reader;
  Utf8SideFile m_sideFile;
};
