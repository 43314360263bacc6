#include "CliCommands.h"
#include "JsonOutput.h"

#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "device/OmrApi.h"
#include "layout/LayoutParser.h"
#include "reading/RunFieldTable.h"
#include "reading/RunOptions.h"
#include "reading/SheetDecoder.h"
#include "sim/DeckParser.h"
#include "sim/DeckSheet.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace {

const char kUsage[] =
    "usage: korvel-cli decode --layout FILE.omrf --front SHEET [--back SHEET] [--folder DIR]";

// The lines the reading run asks for when it reads a back side.
constexpr int kBackLinesAsked = 154;

struct LoadedSheet {
  std::optional<omr::MarkBuffer> marks;
  QString error;
};

// A sheet file: a raw mark buffer of exactly 7440 bytes, or a deck whose
// first sheet is used. A deck's side is what the reader would deliver for
// it: its marks on the lines the sheet reports, `linesAsked` when it
// reports none.
LoadedSheet loadSheet(const QString& path, DeckSheet::Side side, int linesAsked) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
    return {std::nullopt, QStringLiteral("cannot read sheet file %1").arg(path)};
  const QByteArray bytes = file.readAll();
  if (bytes.size() == omr::kMarkBufferSize) {
    omr::MarkBuffer marks{};
    std::copy(bytes.begin(), bytes.end(), marks.begin());
    return {marks, {}};
  }
  const DeckParser::Result deck = DeckParser::parse(bytes, path);
  if (!deck.ok())
    return {std::nullopt, QStringLiteral("%1 (a sheet is a deck or a raw sheet of exactly %2 bytes)")
                              .arg(deck.error)
                              .arg(omr::kMarkBufferSize)};
  if (deck.deck->sheets.isEmpty())
    return {std::nullopt, QStringLiteral("%1: the deck has no sheet").arg(path)};
  const DeckSheet& sheet = deck.deck->sheets.first();
  const std::optional<std::int32_t> reported = side == DeckSheet::kBack ? sheet.backLines : sheet.lines;
  return {sheet.markBuffer(side, reported.value_or(linesAsked)), {}};
}

}  // namespace

int runDecodeCommand(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption layoutOption(QStringLiteral("layout"), QStringLiteral("layout file"),
                                        QStringLiteral("FILE"));
  const QCommandLineOption frontOption(QStringLiteral("front"), QStringLiteral("front side"),
                                       QStringLiteral("SHEET"));
  const QCommandLineOption backOption(QStringLiteral("back"), QStringLiteral("back side"),
                                      QStringLiteral("SHEET"));
  const QCommandLineOption folderOption(QStringLiteral("folder"), QStringLiteral("program folder"),
                                        QStringLiteral("DIR"));
  parser.addOptions({layoutOption, frontOption, backOption, folderOption});
  if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty() || !parser.isSet(layoutOption) ||
      !parser.isSet(frontOption)) {
    if (!parser.errorText().isEmpty()) printError(parser.errorText());
    printError(QString::fromLatin1(kUsage));
    return kExitUsage;
  }

  const QString layoutPath = parser.value(layoutOption);
  if (!QFileInfo(layoutPath).isFile()) {
    printError(QStringLiteral("korvel-cli decode: no such layout file: %1").arg(layoutPath));
    return kExitFailure;
  }
  const LayoutTable layout = ParseLayoutFile(layoutPath);
  const LoadedSheet front = loadSheet(parser.value(frontOption), DeckSheet::kFront, layout.LayoutLineCount);
  const LoadedSheet back = parser.isSet(backOption)
                               ? loadSheet(parser.value(backOption), DeckSheet::kBack, kBackLinesAsked)
                               : LoadedSheet{};
  for (const QString& error : {front.error, back.error}) {
    if (!error.isEmpty()) {
      printError(QStringLiteral("korvel-cli decode: ") + error);
      return kExitFailure;
    }
  }

  const QString folder = resolveProgramFolder(currentProgramFolderInputs(parser.value(folderOption)));
  AppSettings settings;
  SettingsPanel panel;
  LoadSettings(folder, settings, panel);

  const SheetDecoder decoder(layout, RunOptions::from(settings, panel).decoding);
  RunFieldTable values = RunFieldTable::forLayout(layout);
  QString Text6;
  const bool dropped =
      decoder.decode(*front.marks, back.marks ? &*back.marks : nullptr, values, Text6, nullptr);

  QJsonArray array;
  for (const RunFieldTable::Entry& entry : values.entries) array.append(entry.FieldValue);
  printJson({{QStringLiteral("values"), array}, {QStringLiteral("dropped"), dropped}});
  return kExitOk;
}
