#pragma once

#include "device/OmrApi.h"

#include <QDateTime>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

struct AppSettings;
struct MainControls;
struct ReaderState;
struct RunCounters;
struct RunViews;
class Operator;
class ReaderConnection;
class RunFiles;
class SettingsPanel;
class SheetPicture;
struct RunOptions;

/// Told about a run's progress. The window repaints and takes the Stop
/// click in processEvents; the CLI reports each sheet.
class RunObserver {
 public:
  virtual ~RunObserver() = default;
  /// Called at the top of every sheet cycle, before the sheet is fed.
  virtual void processEvents() {}
  /// Called after every sheet cycle that counts towards the sheet limit.
  virtual void sheetFinished(const RunCounters&) {}
};

/// What a run talks to and what it updates. Everything here outlives the run.
struct RunEnvironment {
  OmrApi& reader;
  Operator& person;
  /// The operator's choices; the run reads them only as RunOptions.
  const AppSettings& settings;
  const SettingsPanel& panel;
  MainControls& controls;
  ReaderState& readerState;
  RunViews& views;
  RunCounters& counters;
  QString programFolder;
  /// Set by the Stop command (from any thread); read at the top of a cycle
  /// and cleared at every end of a run, however it ends.
  std::atomic<bool>& StopRequested;
  SheetPicture* picture = nullptr;
  RunObserver* observer = nullptr;
  /// The date and time imprinted on sheets; empty means the current time.
  std::function<QDateTime()> clock = {};
};

/// How a run ended.
enum class RunEnd {
  Stopped,         ///< the Stop command
  SheetLimit,      ///< the sheet limit was reached
  ReaderNotReady,  ///< the connection at set-up failed
  FaultStop,       ///< the operator ended the run at a reader fault
  LineCountStop,   ///< the operator ended the run at a wrong line count
  WriteFailed,     ///< a record could not be written; the operator was told
  EmptyHopper,     ///< the hopper was empty and the operator ended the run
  StopValue,       ///< a stop value matched; its sheet was finished first
};

/// How the run ended; what became of its sheets is in RunCounters.
struct RunResult {
  RunEnd end = RunEnd::Stopped;
};

/// The density reading's result: the marks and the line count of the last
/// sheet read.
struct DensityResult {
  RunEnd end = RunEnd::Stopped;
  bool sheetRead = false;
  omr::MarkBuffer DensityMarks{};
  std::int32_t DensityLineCount = 0;
};

/// The reading run: set-up, the loop of sheet cycles and every way it ends.
///
/// A run may end the whole program (ProgramEnd) or find the operator gone
/// (OperatorGone); both propagate to the caller after the run's files are
/// closed, with every record written before kept.
class ReadingRun {
 public:
  explicit ReadingRun(RunEnvironment& environment);

  /// A normal run: the layout file `fmt_dosya` read into the data file
  /// `DosyaAdi`.
  RunResult Reader(const QString& fmt_dosya, const QString& DosyaAdi);

  /// The density command's run: sheets read with 70 lines, nothing decoded
  /// or written.
  DensityResult densityRun();

 private:
  /// The run's options: the only place the run reads the settings and
  /// the panel.
  RunOptions currentOptions() const;
  /// The connection of the run's set-up (USB only); false: no run.
  bool readerReady(const RunOptions& options, ReaderConnection& connection) const;
  /// The counters cleared, the barcode unit set up, CE sent.
  void startSheets(const RunOptions& options, ReaderConnection& connection);
  /// Stop found at the top of a cycle: files closed, the reader released.
  bool stopAtTopOfCycle(RunFiles& runFiles);
  /// The working texts cleared and the window's events processed.
  void beginCycle();
  /// Counts the cycle; at the sheet limit closes the files and releases
  /// the reader.
  bool sheetLimitReached(RunFiles& runFiles);

  RunEnvironment& m_env;
};
