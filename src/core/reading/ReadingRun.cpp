#include "reading/ReadingRun.h"

#include "app/MainControls.h"
#include "app/Operator.h"
#include "device/ReaderConnection.h"
#include "layout/FieldRect.h"
#include "layout/LayoutParser.h"
#include "reading/DataFilePreparation.h"
#include "reading/DataFiles.h"
#include "reading/FieldDecoding.h"
#include "reading/Imprint.h"
#include "reading/ReadCommand.h"
#include "reading/RecordOutput.h"
#include "reading/RunFieldTable.h"
#include "reading/RunFiles.h"
#include "reading/RunOptions.h"
#include "reading/RunViews.h"
#include "reading/SheetChecks.h"
#include "reading/SheetCycle.h"
#include "reading/ValueAssembly.h"

#include <exception>

namespace {

// The reader's equipment, known once it is connected, completes the
// options of the parts that depend on it.
SheetCycle::Settings cycleSettings(const RunOptions& options, const ReaderState& reader) {
  SheetCycle::Settings s = options.cycle;
  s.backSensorFitted = reader.BackSensorFitted;
  return s;
}

SheetCheckSettings checkSettings(const RunOptions& options, const ReaderState& reader) {
  SheetCheckSettings s = options.checks;
  s.backSensorFitted = reader.BackSensorFitted;
  return s;
}

// Every end of a run: the idle window's buttons, no file left open, and no
// Stop left over. A Stop pressed just before the run ended some other way
// (a reader fault, the empty tray, an exception) would otherwise end the
// next run before its first sheet.
class RunEnding {
 public:
  RunEnding(MainControls& controls, RunFiles& files, std::atomic<bool>& StopRequested)
      : m_controls(controls), m_files(files), m_stopRequested(StopRequested) {}
  ~RunEnding() {
    m_files.closeAll();
    m_stopRequested = false;
    m_controls.Command1Enabled = true;
    m_controls.Command2Enabled = true;
    m_controls.Command3Enabled = true;
    m_controls.Combo1Enabled = true;
    m_controls.Command12Enabled = false;
  }
  RunEnding(const RunEnding&) = delete;
  RunEnding& operator=(const RunEnding&) = delete;

 private:
  MainControls& m_controls;
  RunFiles& m_files;
  std::atomic<bool>& m_stopRequested;
};

// Stop and the sheet limit leave the reader with its transport emptied and
// the hopper lowered.
void releaseReader(OmrApi& api) {
  api.OMR_EjectSheet(1);
  api.OMR_MoveHopper(0);
}

void setUpBarcodeUnit(OmrApi& api) {
  std::int16_t unit = 1;
  api.OMR_SetBarcodeReaderUnit(unit);
  omr::BarcodeArea area{};
  api.OMR_SetBarCodeArea(area);
  api.OMR_SetBarCodeReadType(25);
}

// Puts each sheet fed into exactly one of the run's tallies; one object
// per sheet cycle. A sheet that goes to the output is counted by what the
// output did with it (the counters it advanced). A sheet still in hand when
// the run is left by an exception (no answer to one of its questions) is
// counted as well, so the tallies add up to the sheets fed however the run
// ends.
class SheetTally {
 public:
  SheetTally(RunCounters& counters, const SheetCycle& cycle)
      : m_counters(counters), m_cycle(cycle), m_exceptions(std::uncaught_exceptions()) {}
  ~SheetTally() {
    if (!m_counted && m_cycle.sheetFed() && std::uncaught_exceptions() > m_exceptions) countOutcome();
  }
  SheetTally(const SheetTally&) = delete;
  SheetTally& operator=(const SheetTally&) = delete;

  void count(std::int32_t RunCounters::*tally) {
    ++(m_counters.*tally);
    m_counted = true;
  }
  void startOutput() {
    m_inOutput = true;
    m_sheetsBefore = m_counters.SheetCount;
    m_errorsBefore = m_counters.ErrorCount;
  }
  void countOutcome() {
    if (!m_inOutput)
      count(&RunCounters::RunDroppedCount);
    else if (m_counters.SheetCount != m_sheetsBefore)
      count(&RunCounters::RunSavedCount);
    else if (m_counters.ErrorCount != m_errorsBefore)
      count(&RunCounters::RunRejectedCount);
    else
      count(&RunCounters::RunUnwrittenCount);
  }

 private:
  RunCounters& m_counters;
  const SheetCycle& m_cycle;
  const int m_exceptions;
  bool m_counted = false;
  bool m_inOutput = false;
  std::int32_t m_sheetsBefore = 0;
  std::int32_t m_errorsBefore = 0;
};

// What every run holds from its set-up to its end: the files it opens, the
// restoring of the window at its end, and the reader connection.
struct RunScope {
  RunScope(RunEnvironment& env, const RunOptions& options)
      : ending(env.controls, runFiles, env.StopRequested),
        connection(env.reader, env.person, options.device, env.readerState, [this] { runFiles.closeAll(); }) {
  }

  RunFiles runFiles;
  RunEnding ending;
  ReaderConnection connection;
};

}  // namespace

ReadingRun::ReadingRun(RunEnvironment& environment) : m_env(environment) {}

RunOptions ReadingRun::currentOptions() const {
  return RunOptions::from(m_env.settings, m_env.panel);
}

bool ReadingRun::readerReady(const RunOptions& options, ReaderConnection& connection) const {
  return !options.usbSelected || connection.ConnectReader();
}

void ReadingRun::startSheets(const RunOptions& options, ReaderConnection& connection) {
  RunCounters& n = m_env.counters;
  n.RunSheetCount = 0;
  n.RunSavedCount = n.RunRejectedCount = n.RunDroppedCount = n.RunSkippedCount = n.RunUnwrittenCount = 0;
  if (options.barcodeEnabled) setUpBarcodeUnit(m_env.reader);
  connection.SendCommandCE();
}

bool ReadingRun::stopAtTopOfCycle(RunFiles& runFiles) {
  if (!m_env.StopRequested.exchange(false)) return false;
  runFiles.closeAll();
  releaseReader(m_env.reader);
  return true;
}

void ReadingRun::beginCycle() {
  m_env.views.Text6.clear();
  m_env.views.Text7.clear();
  if (m_env.observer) m_env.observer->processEvents();
}

bool ReadingRun::sheetLimitReached(RunFiles& runFiles) {
  ++m_env.counters.RunSheetCount;
  if (m_env.observer) m_env.observer->sheetFinished(m_env.counters);
  // Leaving Text13 changes the limit at the top of a cycle, so it is read
  // as it is after each cycle.
  const std::int16_t limit = RunOptions::sheetLimitFrom(m_env.settings);
  if (limit <= 0 || limit != m_env.counters.RunSheetCount) return false;
  runFiles.closeAll();
  releaseReader(m_env.reader);
  return true;
}

RunResult ReadingRun::Reader(const QString& fmt_dosya, const QString& DosyaAdi) {
  RunResult result;
  const RunOptions options = currentOptions();
  RunScope scope(m_env, options);
  RunFiles& runFiles = scope.runFiles;
  ReaderConnection& connection = scope.connection;

  if (!readerReady(options, connection)) {
    result.end = RunEnd::ReaderNotReady;
    return result;
  }

  m_env.views.Label13 = read_command::Label13Text(DosyaAdi);
  const LayoutTable layout = ParseLayoutFile(fmt_dosya);
  m_env.views.Text14Visible = !layout.Utf8DataFile;
  RunFieldTable values = RunFieldTable::forLayout(layout);

  DataFiles files(DosyaAdi, layout.Utf8DataFile, &runFiles);
  PrepareDataFile(layout, options.secondTray, files, values, m_env.views, m_env.counters, m_env.person);
  const FieldRect blocks = FieldRect::fromLayout(layout);
  AskStartValues(layout, blocks, values, m_env.person, m_env.picture);
  RecordOutput output(layout, files, m_env.views, m_env.counters, m_env.person, options.output,
                      m_env.programFolder, &m_env.reader);

  startSheets(options, connection);

  const FieldDecoding passes(layout, options.decoding);
  const ValueAssembly assembly(layout);
  SheetChecks checks(layout, blocks, m_env.person, m_env.views.List1,
                     checkSettings(options, m_env.readerState), m_env.picture);
  const Imprint imprint(options.imprint, DosyaAdi, m_env.clock);
  SheetCycle cycle(m_env.reader, connection, m_env.person, cycleSettings(options, m_env.readerState));
  const int fieldCount = layout.FieldCount;
  const int firstBack = layout.FirstBackField;
  const bool backFieldsOnBack = firstBack > 0 && m_env.readerState.BackSensorFitted;

  bool stopValueMatched = false;
  for (;;) {
    if (stopAtTopOfCycle(runFiles)) {
      result.end = stopValueMatched ? RunEnd::StopValue : RunEnd::Stopped;
      return result;
    }
    beginCycle();

    SheetTally tally(m_env.counters, cycle);
    const SheetCycle::Outcome outcome = cycle.readSheet(layout.LayoutLineCount, firstBack);
    switch (outcome) {
      case SheetCycle::Outcome::EndRun:
        tally.count(&RunCounters::RunSkippedCount);
        result.end = RunEnd::FaultStop;
        return result;
      case SheetCycle::Outcome::EndRunAtEmptyHopper:
        result.end = RunEnd::EmptyHopper;
        return result;
      case SheetCycle::Outcome::EndRunAtLineCount:
        tally.count(&RunCounters::RunDroppedCount);
        result.end = RunEnd::LineCountStop;
        return result;
      case SheetCycle::Outcome::SkipAtFault:
        tally.count(&RunCounters::RunSkippedCount);
        continue;
      case SheetCycle::Outcome::NextAtOnce:
        continue;
      case SheetCycle::Outcome::Drop:
        tally.count(&RunCounters::RunDroppedCount);
        break;
      case SheetCycle::Outcome::Decode: {
        passes.frontPass(cycle.front(), values, backFieldsOnBack ? firstBack - 1 : fieldCount, &m_env.reader);
        // Single-sided sheets on a reader with a back unit: the back side is
        // not read, its fixed values and constants stay, and what it would
        // have read is left blank at its width and out of the checks.
        const bool backUnread = backFieldsOnBack && !cycle.backRead();
        if (cycle.backRead())
          passes.backPass(cycle.back(), values, firstBack);
        else if (backUnread)
          passes.unreadBackPass(values, firstBack);
        const bool dropped = assembly.assemble(values, m_env.views.Text6);
        if (backUnread) passes.blankUnreadBackFields(values, firstBack);
        SheetVerdict verdict;
        if (dropped)
          verdict.outcome = SheetVerdict::Outcome::Dropped;
        else
          verdict = checks.check(values, m_env.StopRequested, backUnread ? firstBack : 0);
        stopValueMatched = stopValueMatched || verdict.stopValueMatched;
        if (verdict.outcome != SheetVerdict::Outcome::Output) {
          tally.count(&RunCounters::RunDroppedCount);
          // Left by the range question: not saved, and outside the sheet
          // limit.
          if (verdict.outcome == SheetVerdict::Outcome::NextAtOnce) continue;
          break;
        }
        imprint.send(m_env.reader, verdict.SheetAccepted, m_env.counters.SheetCount);
        tally.startOutput();
        const bool written = output.write(values, verdict.SheetAccepted, verdict.ErrorWindowList);
        tally.countOutcome();
        if (!written) {
          result.end = RunEnd::WriteFailed;
          return result;
        }
        break;
      }
    }

    if (sheetLimitReached(runFiles)) {
      result.end = RunEnd::SheetLimit;
      return result;
    }
  }
}

DensityResult ReadingRun::densityRun() {
  DensityResult result;
  const RunOptions options = currentOptions();
  RunScope scope(m_env, options);
  RunFiles& runFiles = scope.runFiles;
  ReaderConnection& connection = scope.connection;
  if (!readerReady(options, connection)) {
    result.end = RunEnd::ReaderNotReady;
    return result;
  }
  startSheets(options, connection);
  SheetCycle cycle(m_env.reader, connection, m_env.person, cycleSettings(options, m_env.readerState));

  for (;;) {
    if (stopAtTopOfCycle(runFiles)) {
      result.end = RunEnd::Stopped;
      return result;
    }
    beginCycle();

    const SheetCycle::Outcome outcome = cycle.readDensitySheet();
    if (outcome == SheetCycle::Outcome::EndRun || outcome == SheetCycle::Outcome::EndRunAtEmptyHopper) {
      result.end = outcome == SheetCycle::Outcome::EndRun ? RunEnd::FaultStop : RunEnd::EmptyHopper;
      return result;
    }
    if (outcome == SheetCycle::Outcome::NextAtOnce || outcome == SheetCycle::Outcome::SkipAtFault) continue;
    if (outcome == SheetCycle::Outcome::Decode) {
      result.sheetRead = true;
      result.DensityMarks = cycle.front();
      result.DensityLineCount = cycle.frontLineCount();
    }
    if (sheetLimitReached(runFiles)) {
      result.end = RunEnd::SheetLimit;
      return result;
    }
  }
}
