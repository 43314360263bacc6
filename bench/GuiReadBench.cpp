// A whole reading through the main window: a generated 10,000-sheet deck of
// the sample exam, started with "&Oku" as the operator starts it, the sheet
// limit typed into the window so no question is asked. Prints sheets per
// second, and how long the window's thread was kept from its events at
// most while the run went (the window must stay responsive).
//
// Runs on any Qt platform; QT_QPA_PLATFORM=offscreen needs no display.

#include "GeneratedExamDeck.h"
#include "app/MainWindow.h"
#include "layout/LayoutParser.h"
#include "sim/SimulatedReader.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSheets = 10000;

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const LayoutTable layout = ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"));
  std::optional<Deck> deck = generatedExamDeck(layout, kSheets);
  if (!deck) return 1;

  QTemporaryDir folder;
  for (const char* name : {"exam.omrf", "sekonic.ini"})
    QFile::copy(QStringLiteral(KORVEL_SAMPLES "/") + QString::fromLatin1(name),
                folder.filePath(QString::fromLatin1(name)));

  MainWindowOptions options;
  options.programFolder = folder.path();
  options.reader = std::make_unique<SimulatedReader>(std::move(*deck));
  const QString data = folder.filePath(QStringLiteral("bench.dat"));
  options.chooser = [&](QWidget*, const QString&, const QString&, const QStringList&) { return data; };
  options.startDesktopPrograms = false;
  MainWindow window(std::move(options));
  window.show();
  window.Form_Activate();

  auto* limit = window.findChild<QLineEdit*>(QStringLiteral("Text13"));
  limit->setText(QString::number(kSheets));
  emit limit->editingFinished();

  // A timer that should fire every 5 ms: the longest gap between two of
  // its ticks is the longest the window could not take an event.
  QElapsedTimer gapClock;
  qint64 longestGapMs = 0;
  int views = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longestGapMs = std::max(longestGapMs, gapClock.restart());
  });
  QObject::connect(&window.runs(), &RunController::published, [&] { ++views; });

  QElapsedTimer runClock;
  QObject::connect(&window, &MainWindow::runEnded, &app, &QApplication::quit);
  QTimer::singleShot(0, [&] {
    gapClock.start();
    ticker.start(5);
    runClock.start();
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  });
  app.exec();
  const double seconds = static_cast<double>(runClock.nsecsElapsed()) / 1e9;

  const RunCounters& counters = window.counters();
  std::printf("sheets read through the window: %d (saved %d)\n", counters.RunSheetCount, counters.RunSavedCount);
  std::printf("sheets per second: %.0f\n", counters.RunSheetCount / seconds);
  std::printf("window refreshes: %d, longest the window waited for its events: %lld ms\n", views,
              static_cast<long long>(longestGapMs));
  return counters.RunSavedCount == kSheets ? 0 : 1;
}
