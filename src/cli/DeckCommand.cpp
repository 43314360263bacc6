#include "CliCommands.h"
#include "JsonOutput.h"
#include "layout/LayoutParser.h"
#include "sim/DeckGenerator.h"
#include "sim/DeckSyntax.h"
#include "sim/DeckValuesParser.h"
#include "sim/DeckWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QSaveFile>

#include <cstdio>

namespace {

const char kDeckUsage[] =
    "usage: korvel-cli deck --layout FILE.omrf [--values VALUES] [--sheets N] [--noise LEVEL] [--seed N]\n"
    "                       [--darkness LOW-HIGH] [--single-sided] [--out DECK]";

struct DeckOptions {
  QString layout;
  QString values;
  QString out;
  int sheets = -1;
  DeckGenerator::Options generator;
};

int usage(const QString& problem) {
  printError(QStringLiteral("korvel-cli deck: %1\n%2").arg(problem, QString::fromUtf8(kDeckUsage)));
  return kExitUsage;
}

std::optional<QByteArray> readWhole(const QString& path, QString* problem) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
    *problem = QStringLiteral("cannot read %1").arg(path);
    return std::nullopt;
  }
  return file.readAll();
}

}  // namespace

int runDeckCommand(const QStringList& arguments) {
  DeckOptions options;
  QStringList described;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    const QString option = arguments[i];
    if (option == u"--single-sided") {
      options.generator.duplexSheet = false;
      described << option;
      continue;
    }
    if (i + 1 >= arguments.size()) return usage(QStringLiteral("%1 needs a value").arg(option));
    const QString value = arguments[++i];
    QString problem;
    if (option == u"--layout") {
      options.layout = value;
      described << option << QFileInfo(value).fileName();
    } else if (option == u"--values") {
      options.values = value;
      described << option << QFileInfo(value).fileName();
    } else if (option == u"--out") {
      options.out = value;
    } else if (option == u"--sheets") {
      const auto sheets = decksyntax::decimal(value, 0, 10'000'000, QStringLiteral("sheet count"), &problem);
      if (!sheets) return usage(problem);
      options.sheets = *sheets;
      described << option << value;
    } else if (option == u"--noise") {
      const auto level = decksyntax::decimal(value, 0, DeckGenerator::kMaxNoiseLevel,
                                             QStringLiteral("noise level"), &problem);
      if (!level) return usage(problem);
      options.generator.noiseLevel = *level;
      described << option << value;
    } else if (option == u"--seed") {
      bool ok = false;
      const uint seed = value.toUInt(&ok);
      if (!ok || value.startsWith(u'+'))
        return usage(QStringLiteral("seed %1 is not a number 0-4294967295").arg(value));
      options.generator.seed = seed;
      described << option << value;
    } else if (option == u"--darkness") {
      const QStringList bounds = value.split(u'-');
      if (bounds.size() != 2) return usage(QStringLiteral("darkness %1 is not LOW-HIGH").arg(value));
      const auto low = decksyntax::decimal(bounds[0], 1, 255, QStringLiteral("darkness"), &problem);
      if (!low) return usage(problem);
      const auto high = decksyntax::decimal(bounds[1], 1, 255, QStringLiteral("darkness"), &problem);
      if (!high) return usage(problem);
      options.generator.darknessLow = *low;
      options.generator.darknessHigh = *high;
      described << option << value;
    } else {
      return usage(QStringLiteral("unknown option %1").arg(option));
    }
  }
  if (options.layout.isEmpty()) return usage(QStringLiteral("--layout is missing"));

  QString problem;
  const auto layoutBytes = readWhole(options.layout, &problem);
  if (!layoutBytes) {
    printError(QStringLiteral("korvel-cli deck: %1").arg(problem));
    return kExitFailure;
  }
  const LayoutTable layout = ParseLayoutBytes(*layoutBytes);
  DeckGenerator generator(layout, options.generator);
  if (!generator.problem().isEmpty()) {
    printError(QStringLiteral("korvel-cli deck: %1").arg(generator.problem()));
    return kExitFailure;
  }

  std::optional<Deck> deck;
  if (options.values.isEmpty()) {
    deck = generator.randomDeck(options.sheets < 0 ? 1 : options.sheets, &problem);
  } else {
    const auto valuesBytes = readWhole(options.values, &problem);
    if (!valuesBytes) {
      printError(QStringLiteral("korvel-cli deck: %1").arg(problem));
      return kExitFailure;
    }
    const DeckValuesParser::Result values = DeckValuesParser::parse(*valuesBytes, layout, options.values);
    if (!values.ok()) {
      printError(values.error);
      return kExitFailure;
    }
    int errorSheet = -1;
    deck = generator.deck(values.sheets, options.sheets, &problem, &errorSheet);
    if (!deck && errorSheet >= 0) {
      problem = QStringLiteral("%1:%2: %3")
                    .arg(options.values)
                    .arg(values.sheets[errorSheet].sourceLine)
                    .arg(problem);
      printError(problem);
      return kExitFailure;
    }
  }
  if (!deck) {
    printError(QStringLiteral("korvel-cli deck: %1").arg(problem));
    return kExitFailure;
  }

  const QStringList comment = {
      QStringLiteral("korvel-cli deck %1").arg(described.join(u' ')),
      QStringLiteral("sheets: %1, value marks %2-%3, threshold %4")
          .arg(deck->sheets.size())
          .arg(generator.darknessLow())
          .arg(generator.darknessHigh())
          .arg(layout.ThresholdHex.toInt(nullptr, 16)),
  };
  const QByteArray text = DeckWriter::write(*deck, comment);
  if (options.out.isEmpty()) {
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fflush(stdout);
    return kExitOk;
  }
  QSaveFile file(options.out);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    printError(QStringLiteral("korvel-cli deck: cannot write %1: %2").arg(options.out, file.errorString()));
    return kExitFailure;
  }
  printJson({{QStringLiteral("deck"), options.out}, {QStringLiteral("sheets"), deck->sheets.size()}});
  return kExitOk;
}
