#include "CliCommands.h"
#include "CliSession.h"
#include "JsonOutput.h"

#include "app/MainControls.h"
#include "app/Operator.h"
#include "device/ReaderConnection.h"
#include "layout/LayoutList.h"
#include "reading/ReadCommand.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

namespace {

// One line per finished sheet, flushed at once, so whoever watches the run
// (or kills it) knows how many sheets were counted.
class ProgressLines : public RunObserver {
 public:
  void sheetFinished(const RunCounters& counters) override {
    std::printf("sheet %d: %d in the data file, %d rejected\n", counters.RunSheetCount, counters.SheetCount,
                counters.ErrorCount);
    std::fflush(stdout);
  }
};

const char* endName(RunEnd end) {
  switch (end) {
    case RunEnd::Stopped: return "stopped";
    case RunEnd::SheetLimit: return "sheet limit reached";
    case RunEnd::ReaderNotReady: return "reader not ready";
    case RunEnd::FaultStop: return "ended at a reader fault";
    case RunEnd::LineCountStop: return "ended at a wrong line count";
    case RunEnd::WriteFailed: return "ended: a record could not be written";
    case RunEnd::EmptyHopper: return "ended at the empty hopper";
    case RunEnd::StopValue: return "stopped at the stop value";
  }
  return "";
}

void printRunLine(const char* end) {
  std::printf("run %s\n", end);
}

// Every sheet fed, each in one tally. The tallies tools have always read
// come first and always; the others only when they hold a sheet, so the
// line of an ordinary run stays as it was.
QString summary(const RunCounters& counters) {
  QString line = QStringLiteral("saved %1, rejected %2, dropped %3")
                     .arg(counters.RunSavedCount)
                     .arg(counters.RunRejectedCount)
                     .arg(counters.RunDroppedCount);
  if (counters.RunSkippedCount > 0)
    line += QStringLiteral(", skipped at a reader fault %1").arg(counters.RunSkippedCount);
  if (counters.RunUnwrittenCount > 0) line += QStringLiteral(", not written %1").arg(counters.RunUnwrittenCount);
  return line;
}

}  // namespace

int runReadCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  CliSession::addOptions(parser);
  parser.addOption({QStringLiteral("layout"), QStringLiteral("layout name in the program folder"), QStringLiteral("NAME")});
  parser.addOption({QStringLiteral("data"), QStringLiteral("data file, as the Open dialog gives it"), QStringLiteral("PATH")});
  const QString usage = QStringLiteral(
      "usage: korvel-cli read --folder DIR --layout NAME --data PATH [--reader READER] [--answers FILE] "
      "[--transcript FILE] [--device-log FILE]");
  if (!CliSession::parseArguments(parser, arguments, usage, {QStringLiteral("layout")})) return kExitUsage;
  CliSession session(parser);
  if (session.failed()) return kExitUsage;

  QString dataPath;
  RunCounters counters;
  int exitCode = session.run([&] {
    MainControls controls;
    controls.Command1Enabled = controls.Command2Enabled = controls.Command3Enabled = controls.Combo1Enabled = false;
    controls.Command12Enabled = true;
    const QString layout = findLayoutFile(session.programFolder(), parser.value(QStringLiteral("layout")));
    if (layout.isEmpty()) {
      MessageBoxRequest missing;
      missing.text = read_command::missingLayoutMessage(session.settings().LanguageIndex);
      session.person().messageBox(missing);
      return kExitOk;
    }
    const QString chosen = parser.value(QStringLiteral("data"));
    if (chosen.isEmpty()) return kExitOk;  // the Open dialog was cancelled
    dataPath = read_command::completedDataFilePath(
        QFileInfo(chosen).isRelative() ? QFileInfo(chosen).absoluteFilePath() : chosen,
        session.settings().DataFileExtension);

    ReaderState readerState;
    RunViews views;
    std::atomic<bool> stop{false};
    ProgressLines progress;
    RunEnvironment environment{session.reader(), session.person(), session.settings(), session.panel(),
                               controls, readerState, views, counters, session.programFolder(), stop,
                               nullptr, &progress};
    // The ends that leave the run by an exception are named here too; the
    // session turns them into their exit codes.
    try {
      const RunResult result = ReadingRun(environment).Reader(layout, dataPath);
      printRunLine(endName(result.end));
      // The operator has been told which file and why.
      if (result.end == RunEnd::WriteFailed) return kExitFailure;
    } catch (const DataFileUnwritable& e) {
      // The program ends here as it does in the window, but a file could
      // not be written, and that is what a tool needs to hear.
      printRunLine("ended: the data file could not be written");
      printError(QStringLiteral("cannot write %1").arg(QString::fromUtf8(e.what())));
      return kExitFailure;
    } catch (const OperatorGone&) {
      printRunLine("ended: the answers ran out");
      throw;
    } catch (const ProgramEnd&) {
      printRunLine("ended: the program ends");
      throw;
    }
    return kExitOk;
  });
  std::printf("%s: %s\n", summary(counters).toUtf8().constData(), dataPath.toUtf8().constData());
  std::fflush(stdout);
  return exitCode;
}
