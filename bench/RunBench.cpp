// A whole reading of a generated 10,000-sheet deck of the sample exam
// through the reading run: simulated reader, no questions, every record
// flushed to the data file. Prints sheets per second, the time per sheet
// spent outside decoding, and the peak memory of the process.

#include "GeneratedExamDeck.h"
#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/ScriptedOperator.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "device/ReaderConnection.h"
#include "layout/LayoutParser.h"
#include "reading/FieldDecoding.h"
#include "reading/ReadingRun.h"
#include "reading/RunFieldTable.h"
#include "reading/RunOptions.h"
#include "reading/RunViews.h"
#include "reading/ValueAssembly.h"
#include "sim/SimulatedReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kSheets = 10000;

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QString layoutPath = QStringLiteral(KORVEL_SAMPLES "/exam.omrf");
  const LayoutTable layout = ParseLayoutFile(layoutPath);

  std::optional<Deck> deck = generatedExamDeck(layout, kSheets);
  if (!deck) return 1;

  QTemporaryDir folder;
  AppSettings settings;
  SettingsPanel panel;
  LoadSettingsFromBytes({}, settings, panel);
  // Both sides are read.
  panel.selectOption2(PanelIndex::Option2DuplexMachineYes);
  panel.selectOption2(PanelIndex::Option2DuplexSheetYes);
  settings.StopAfterSheets = kSheets;

  // Decoding alone, over the same sheets, to tell it apart from the rest.
  const DecodingSettings decodingSettings = RunOptions::from(settings, panel).decoding;
  const FieldDecoding passes(layout, decodingSettings);
  const ValueAssembly assembly(layout);
  RunFieldTable values = RunFieldTable::forLayout(layout);
  std::vector<std::pair<omr::MarkBuffer, omr::MarkBuffer>> sides;
  sides.reserve(deck->sheets.size());
  for (const DeckSheet& sheet : deck->sheets)
    sides.emplace_back(sheet.markBuffer(DeckSheet::kFront, layout.LayoutLineCount),
                       sheet.markBuffer(DeckSheet::kBack, 154));
  QString text6;
  const auto decodeStart = std::chrono::steady_clock::now();
  for (const auto& [front, back] : sides) {
    text6.clear();
    passes.frontPass(front, values, layout.FirstBackField - 1, nullptr);
    passes.backPass(back, values, layout.FirstBackField);
    assembly.assemble(values, text6);
  }
  const double decodeSeconds = secondsSince(decodeStart);

  SimulatedReader reader(std::move(*deck));
  ScriptedOperator person({});
  MainControls controls;
  ReaderState readerState;
  RunViews views;
  RunCounters counters;
  std::atomic<bool> stop{false};
  RunEnvironment environment{reader, person, settings, panel, controls, readerState, views, counters,
                             folder.path(), stop};
  const auto runStart = std::chrono::steady_clock::now();
  const RunResult result = ReadingRun(environment).Reader(layoutPath, folder.filePath("exam.dat"));
  const double runSeconds = secondsSince(runStart);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("sheets read: %d (saved %d, dropped %d), run ended: %d\n", counters.RunSheetCount,
              counters.RunSavedCount, counters.RunDroppedCount, static_cast<int>(result.end));
  std::printf("data file: %lld bytes\n", static_cast<long long>(QFile(folder.filePath("exam.dat")).size()));
  std::printf("sheets per second: %.0f\n", counters.RunSheetCount / runSeconds);
  std::printf("time per sheet: %.1f us, of which outside decoding: %.1f us\n", 1e6 * runSeconds / kSheets,
              1e6 * (runSeconds - decodeSeconds) / kSheets);
  std::printf("peak memory: %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return counters.RunSavedCount == kSheets ? 0 : 1;
}
