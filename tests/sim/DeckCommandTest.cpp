#include "DeckTestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

using CliResult = cli_test::Result;

CliResult runCli(const QStringList& arguments, const QString& workingDirectory = {}) {
  return cli_test::run(QStringList{QStringLiteral("deck")} + arguments, workingDirectory);
}

using cli_test::readFile;

struct SampleDeck {
  const char* name;
  const char* layout;
  const char* values;
  QStringList options;
};

void PrintTo(const SampleDeck& c, std::ostream* os) {
  *os << c.name;
}

class SampleDecks : public testing::TestWithParam<SampleDeck> {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
  QTemporaryDir m_dir;
};

// The committed decks are what the generator makes of the committed values,
// so a change to the generator shows up here and the samples are remade.
TEST_P(SampleDecks, AreWhatTheGeneratorMakesOfTheirValues) {
  const SampleDeck& c = GetParam();
  const QString out = m_dir.filePath(QStringLiteral("made.deck"));
  const CliResult result = runCli(QStringList{QStringLiteral("--layout"), QLatin1String(c.layout),
                                              QStringLiteral("--values"), QLatin1String(c.values)} +
                                      c.options + QStringList{QStringLiteral("--out"), out},
                                  QStringLiteral(KORVEL_SAMPLES));
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QString committed = QStringLiteral(KORVEL_SAMPLES "/%1.deck").arg(QLatin1String(c.name));
  EXPECT_EQ(readFile(out), readFile(committed)) << "remake " << committed.toStdString();
  const DeckParser::Result parsed = DeckParser::parseFile(committed);
  ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
  EXPECT_LE(readFile(committed).size(), 300 * 1024);
}

const SampleDeck kSamples[] = {
    {"exam-clean", "exam.omrf", "exam-clean.values", {"--seed", "1"}},
    {"exam-faults", "exam.omrf", "exam-faults.values", {"--seed", "2", "--noise", "1"}},
    {"questionnaire", "questionnaire.omrf", "questionnaire.values", {"--seed", "3", "--noise", "1"}},
    {"registration", "registration.omrf", "registration.values", {"--seed", "4"}},
};

INSTANTIATE_TEST_SUITE_P(Committed, SampleDecks, testing::ValuesIn(kSamples), caseName<SampleDeck>);

TEST(DeckCommand, HoldsTheFaultsTheSampleIsMadeFor) {
  const DeckParser::Result parsed = DeckParser::parseFile(QStringLiteral(KORVEL_SAMPLES "/exam-faults.deck"));
  ASSERT_TRUE(parsed.ok());
  QList<std::uint32_t> statuses;
  QList<std::optional<std::int32_t>> lines;
  for (const DeckSheet& sheet : parsed.deck->sheets) {
    statuses.append(sheet.status);
    lines.append(sheet.lines);
  }
  EXPECT_EQ(statuses,
            (QList<std::uint32_t>{0, 0x40110001, 0x40110002, 0x30080002, 0x41120003, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(lines[5], 61);
  const DeckParser::Result registration =
      DeckParser::parseFile(QStringLiteral(KORVEL_SAMPLES "/registration.deck"));
  ASSERT_TRUE(registration.ok());
  EXPECT_EQ(registration.deck->sheets[0].barcode, QByteArray("202400001000"));
  EXPECT_TRUE(registration.deck->sheets[7].barcode.isEmpty());
}

TEST(DeckCommand, WritesRandomDecksToStandardOutputOrAFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString layout = QStringLiteral(KORVEL_SAMPLES "/exam.omrf");
  const CliResult printed = runCli({"--layout", layout, "--sheets", "3", "--seed", "9", "--noise", "2"});
  ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
  const DeckParser::Result parsed = DeckParser::parse(printed.out, QStringLiteral("stdout"));
  ASSERT_TRUE(parsed.ok()) << parsed.error.toStdString();
  EXPECT_EQ(parsed.deck->sheets.size(), 3);
  EXPECT_TRUE(printed.out.startsWith("# korvel-cli deck --layout exam.omrf --sheets 3 --seed 9 --noise 2\n"));

  const QString out = dir.filePath(QStringLiteral("r.deck"));
  const CliResult written =
      runCli({"--layout", layout, "--sheets", "3", "--seed", "9", "--noise", "2", "--out", out});
  ASSERT_EQ(written.exitCode, 0) << written.err.toStdString();
  const QJsonObject summary = QJsonDocument::fromJson(written.out).object();
  EXPECT_EQ(summary.value(QStringLiteral("sheets")).toInt(), 3);
  EXPECT_EQ(summary.value(QStringLiteral("deck")).toString(), out);
  EXPECT_EQ(readFile(out), printed.out);
}

struct CommandFailure {
  const char* name;
  QStringList arguments;
  const char* values;  // written to v.values in the working folder when not null
  int exitCode;
  const char* message;  // the first line of standard error
};

void PrintTo(const CommandFailure& c, std::ostream* os) {
  *os << c.name;
}

class DeckCommandFailures : public testing::TestWithParam<CommandFailure> {};

TEST_P(DeckCommandFailures, SaysWhatIsWrongAndWritesNothing) {
  const CommandFailure& c = GetParam();
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(
      QFile::copy(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"), dir.filePath(QStringLiteral("exam.omrf"))));
  if (c.values) {
    QFile file(dir.filePath(QStringLiteral("v.values")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.values);
  }
  const CliResult result = runCli(c.arguments + QStringList{"--out", "out.deck"}, dir.path());
  EXPECT_EQ(result.exitCode, c.exitCode);
  EXPECT_EQ(QString::fromUtf8(result.err).split(u'\n').front(), QString::fromUtf8(c.message));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("out.deck"))));
}

const CommandFailure kFailures[] = {
    {"NoLayout", {"--sheets", "2"}, nullptr, 2, "korvel-cli deck: --layout is missing"},
    {"UnknownOption",
     {"--layout", "exam.omrf", "--colour", "red"},
     nullptr,
     2,
     "korvel-cli deck: unknown option --colour"},
    {"NoiseTooHigh",
     {"--layout", "exam.omrf", "--noise", "4"},
     nullptr,
     2,
     "korvel-cli deck: noise level 4 is outside 0-3"},
    {"BadDarkness",
     {"--layout", "exam.omrf", "--darkness", "5-15"},
     nullptr,
     1,
     "korvel-cli deck: mark darkness 5-15 must lie above the threshold 8 and within 255"},
    {"MissingLayout", {"--layout", "none.omrf"}, nullptr, 1, "korvel-cli deck: cannot read none.omrf"},
    {"BadValuesLine",
     {"--layout", "exam.omrf", "--values", "v.values"},
     "S001=A\nS101=B\n",
     1,
     "v.values:2: no field is named 'S101'"},
    {"UnmarkableValue",
     {"--layout", "exam.omrf", "--values", "v.values"},
     "# x\nS001=A\n\nKITAPCIK=E\n",
     1,
     "v.values:4: KITAPCIK: 'E' is not one of its choices"},
};

INSTANTIATE_TEST_SUITE_P(Table, DeckCommandFailures, testing::ValuesIn(kFailures), caseName<CommandFailure>);

}  // namespace
