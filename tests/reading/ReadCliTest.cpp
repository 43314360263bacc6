#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// korvel-cli read and density in a program folder holding the sample exam.
class ReadCli : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QFile::copy(KORVEL_SAMPLES "/exam.omrf", m_dir.filePath("exam.omrf")));
  }

  QString write(const QString& name, const QByteArray& bytes) {
    QFile file(m_dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return file.fileName();
  }

  QByteArray read(const QString& name) {
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
  }

  int run(const QStringList& arguments, const QByteArray& answers) {
    QProcess cli;
    cli.start(KORVEL_CLI, arguments + QStringList{"--folder", m_dir.path(), "--answers", write("answers.txt", answers),
                                                  "--transcript", m_dir.filePath("t.jsonl")});
    EXPECT_TRUE(cli.waitForFinished(60000));
    m_stdout = QString::fromUtf8(cli.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    m_stderr = QString::fromUtf8(cli.readAllStandardError());
    return cli.exitCode();
  }

  int readExam(const QByteArray& answers) {
    return run({"read", "--layout", "EXAM", "--data", m_dir.filePath("sinav"), "--reader",
                "sim:" KORVEL_SAMPLES "/exam-clean.deck"},
               answers);
  }

  QTemporaryDir m_dir;
  QStringList m_stdout;
  QString m_stderr;
};

TEST_F(ReadCli, ReadsTheSampleDeckAndEndsWithASummary) {
  EXPECT_EQ(readExam("Hayır\n"), 0);
  ASSERT_FALSE(m_stdout.isEmpty());
  EXPECT_EQ(m_stdout.last(), "saved 20, rejected 0, dropped 0: " + m_dir.filePath("sinav.txt"));
  EXPECT_EQ(read("sinav.txt").count("\r\n"), 20);
}

TEST_F(ReadCli, RegistrationDeckWithItsAnswersGivesTheRecordsOfTheDemo) {
  // Fixed value, running numbers, stop value, duplicate check, a corrected
  // year and a sheet dropped for its missing barcode, as the README's demo
  // shows them.
  ASSERT_TRUE(QFile::copy(KORVEL_SAMPLES "/registration.omrf", m_dir.filePath("registration.omrf")));
  ASSERT_TRUE(QFile::copy(KORVEL_SAMPLES "/registration-sekonic.ini", m_dir.filePath("sekonic.ini")));
  QFile answers(KORVEL_SAMPLES "/registration.answers");
  ASSERT_TRUE(answers.open(QIODevice::ReadOnly));
  EXPECT_EQ(run({"read", "--layout", "REGISTRATION", "--data", m_dir.filePath("kayit.dat"), "--reader",
                 "sim:" KORVEL_SAMPLES "/registration.deck"},
                answers.readAll()),
            0);
  EXPECT_EQ(m_stdout.last(), "saved 7, rejected 0, dropped 1: " + m_dir.filePath("kayit.dat"));
  QFile expected(KORVEL_TEST_DATA "/reading/registration.dat");
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
  EXPECT_EQ(read("kayit.dat"), expected.readAll());
}

TEST_F(ReadCli, ExitCodesOfTheWaysAReadingEnds) {
  // Answers that run out at the empty tray: 3, every record kept.
  EXPECT_EQ(readExam(""), 3);
  EXPECT_EQ(m_stdout.last(), "saved 20, rejected 0, dropped 0: " + m_dir.filePath("sinav.txt"));
  EXPECT_EQ(read("sinav.txt").count("\r\n"), 20);
  // Cancel at the append question: the program ends (4) and the file stays.
  EXPECT_EQ(readExam("İptal\n"), 4);
  EXPECT_EQ(read("sinav.txt").count("\r\n"), 20);
  // A layout that is not there: the message, then no run.
  EXPECT_EQ(run({"read", "--layout", "YOK", "--data", m_dir.filePath("x")}, "Tamam\n"), 0);
  EXPECT_TRUE(read("t.jsonl").contains("Dosya bulunamad"));
  EXPECT_EQ(read("x.txt"), "<none>");
  // No layout given: a usage error.
  EXPECT_EQ(run({"read", "--data", m_dir.filePath("x")}, ""), 2);
}

TEST_F(ReadCli, TheSummaryAccountsForEverySheetFed) {
  // One answer on a 10-line form; the first sheet jams and is set aside.
  write("form.omrf", "10=48=8=N=*= =\r\n02=02=01=05=00=Y=ABCDE=Y=SORU1=Soru 1=\r\n");
  const QString deck = write("d.deck", "sheet\nstatus 30080002\n2 1 14\nsheet\n2 3 14\n");
  EXPECT_EQ(run({"read", "--layout", "FORM", "--data", m_dir.filePath("veri"), "--reader", "sim:" + deck},
                "Evet\nHayır\n"),
            0);
  EXPECT_EQ(read("veri.txt"), "C\r\n");
  EXPECT_EQ(m_stdout.last(),
            "saved 1, rejected 0, dropped 0, skipped at a reader fault 1: " + m_dir.filePath("veri.txt"));
}

enum class DataFile { Missing, Folder, FullDisk };

struct EndCase {
  const char* name;
  const char* field;  // the form's one field, an answer on line 2
  QByteArray deck;
  QByteArray answers;
  bool sheetLimitOfOne;
  const char* runLine;
  int exitCode;
  DataFile data = DataFile::Missing;
  const char* reason = "";  // the system's reason, on standard error or in a box
};

void PrintTo(const EndCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadCliEnds : public ReadCli, public testing::WithParamInterface<EndCase> {};

TEST_P(ReadCliEnds, TheRunLineNamesHowTheRunEnded) {
  const EndCase& c = GetParam();
  write("form.omrf", QByteArray("10=48=8=N=*= =\r\n") + c.field + "\r\n");
  if (c.sheetLimitOfOne) {
    QFile defaults(KORVEL_TEST_DATA "/settings/defaults.ini");
    ASSERT_TRUE(defaults.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = defaults.readAll().split('\n');
    lines[30] = "1\r";  // the sheet limit
    write("sekonic.ini", lines.join('\n'));
  }
  if (c.data == DataFile::Folder) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("veri.txt"));
  }
  if (c.data == DataFile::FullDisk) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    ASSERT_TRUE(QFile::link("/dev/full", m_dir.filePath("veri.txt")));
  }
  const QString deck = write("d.deck", c.deck);
  EXPECT_EQ(run({"read", "--layout", "FORM", "--data", m_dir.filePath("veri"), "--reader", "sim:" + deck},
                c.answers),
            c.exitCode);
  ASSERT_GE(m_stdout.size(), 2);
  EXPECT_EQ(m_stdout[m_stdout.size() - 2], c.runLine);
  EXPECT_TRUE(m_stdout.last().startsWith("saved ")) << m_stdout.last().toStdString();
  const QString told = m_stderr + QString::fromUtf8(read("t.jsonl"));
  EXPECT_TRUE(told.contains(QString::fromUtf8(c.reason))) << told.toStdString();
  EXPECT_FALSE(told.contains("Unknown error")) << told.toStdString();
}

const char kQuestion[] = "02=02=01=05=00=Y=ABCDE=Y=SORU1=Soru 1=";

INSTANTIATE_TEST_SUITE_P(
    Ends, ReadCliEnds,
    testing::Values(EndCase{"EmptyHopper", kQuestion, "sheet\n2 3 14\n", "Hayır\n", false,
                            "run ended at the empty hopper", 0},
                    EndCase{"StopValue", "02=02=01=05=00=Y=ABCDE=\xDE=DUR=Dur=" /* Ş in code page 1254 */,
                            "sheet\n2 3 14\nsheet\n2 1 14\n", "C\n", false, "run stopped at the stop value",
                            0},
                    EndCase{"SheetLimit", kQuestion, "sheet\n2 3 14\nsheet\n2 1 14\n", "", true,
                            "run sheet limit reached", 0},
                    EndCase{"ReaderFault", kQuestion, "sheet\nstatus 30080002\n", "Hayır\n", false,
                            "run ended at a reader fault", 0},
                    EndCase{"WrongLineCount", kQuestion, "sheet\nlines 9\n", "Hayır\n", false,
                            "run ended at a wrong line count", 0},
                    EndCase{"AnswersRanOut", kQuestion, "sheet\n2 3 14\n", "", false,
                            "run ended: the answers ran out", 3},
                    // A file that could not be written: exit 1 and the system's reason.
                    EndCase{"DataPathIsAFolder", kQuestion, "sheet\n2 3 14\n", "Tamam\n", false,
                            "run ended: the data file could not be written", 1, DataFile::Folder,
                            "Is a directory"},
                    EndCase{"FullDisk", kQuestion, "sheet\n2 3 14\n", "Tamam\n", false,
                            "run ended: a record could not be written", 1, DataFile::FullDisk,
                            "No space left on device"}),
    [](const testing::TestParamInfo<EndCase>& p) { return std::string(p.param.name); });

TEST_F(ReadCli, DensityPrintsTheGridOfTheLastSheet) {
  const QString deck = write("d.deck", "sheet\n2 3 7\n3 48 12\n");
  EXPECT_EQ(run({"density", "--reader", "sim:" + deck}, "Hayır\n"), 0);
  ASSERT_EQ(m_stdout.size(), 71);  // the header and 70 lines
  EXPECT_TRUE(m_stdout[0].startsWith("   01 02 03 "));
  EXPECT_TRUE(m_stdout[2].startsWith("02 00 00 07 00 "));
  EXPECT_TRUE(m_stdout[3].endsWith(" 12 "));
  EXPECT_TRUE(read("gecici2.bmp").startsWith("BM"));  // the grid's picture in the program folder
  EXPECT_EQ(read("sinav.txt"), "<none>");
}

}  // namespace
