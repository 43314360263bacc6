#include "CliCommands.h"
#include "CliSession.h"
#include "JsonOutput.h"

#include "app/MainControls.h"
#include "device/ReaderConnection.h"
#include "reading/DensityText.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"

#include <QCommandLineParser>

#include <cstdio>

int runDensityCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  CliSession::addOptions(parser);
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
    printError(parser.errorText().isEmpty()
                   ? QStringLiteral("usage: korvel-cli density --folder DIR [--reader READER] [--answers FILE] "
                                    "[--transcript FILE] [--device-log FILE]")
                   : parser.errorText());
    return kExitUsage;
  }
  CliSession session(parser);
  if (!session.error().isEmpty()) {
    printError(session.error());
    return kExitUsage;
  }
  return session.run([&] {
    MainControls controls;
    ReaderState readerState;
    RunViews views;
    RunCounters counters;
    std::atomic<bool> stop{false};
    RunEnvironment environment{session.reader(), session.person(), session.settings(), session.panel(),
                               controls, readerState, views, counters, session.programFolder(), stop};
    const DensityResult result = ReadingRun(environment).densityRun();
    for (const QString& line : density_text::lines(result.DensityMarks, result.sheetRead ? result.DensityLineCount : 0))
      std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
    return kExitOk;
  });
}
