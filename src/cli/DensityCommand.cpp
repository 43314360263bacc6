#include "CliCommands.h"
#include "CliSession.h"
#include "JsonOutput.h"

#include "app/MainControls.h"
#include "device/ReaderConnection.h"
#include "reading/DensityText.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"
#include "windows/DensityBitmap.h"

#include <QDir>

#include <QCommandLineParser>

#include <cstdio>

int runDensityCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  CliSession::addOptions(parser);
  const QString usage = QStringLiteral(
      "usage: korvel-cli density --folder DIR [--reader READER] [--answers FILE] [--transcript FILE] "
      "[--device-log FILE]");
  if (!CliSession::parseArguments(parser, arguments, usage)) return kExitUsage;
  CliSession session(parser);
  if (session.failed()) return kExitUsage;
  return session.run([&] {
    MainControls controls;
    ReaderState readerState;
    RunViews views;
    RunCounters counters;
    std::atomic<bool> stop{false};
    RunEnvironment environment{session.reader(), session.person(), session.settings(), session.panel(),
                               controls, readerState, views, counters, session.programFolder(), stop};
    const DensityResult result = ReadingRun(environment).densityRun();
    const std::int32_t lines = result.sheetRead ? result.DensityLineCount : 0;
    for (const QString& line : density_text::lines(result.DensityMarks, lines))
      std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
    const QString picture = QDir(session.programFolder()).filePath(QStringLiteral("gecici2.bmp"));
    const QString failure = density_bitmap::save(result.DensityMarks, lines, picture);
    if (!failure.isEmpty()) {
      printError(QStringLiteral("cannot save %1: %2").arg(picture, failure));
      return kExitFailure;
    }
    return kExitOk;
  });
}
