#include "MarkSheet.h"
#include "ReadingTestSupport.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

QString u8(const char* text) {
  return QString::fromUtf8(text);
}

using CliResult = cli_test::Result;

CliResult runCli(const QStringList& arguments) {
  return cli_test::run(QStringList{QStringLiteral("decode")} + arguments);
}

bool writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray sheetBytes(const MarkSheet& sheet) {
  return QByteArray(reinterpret_cast<const char*>(sheet.marks.data()), omr::kMarkBufferSize);
}

// A turned form read double-sided with the darkness cap at 10, in a program
// folder of its own.
class DecodeCli : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    // The sample settings (double-sided machine and sheet "Evet") with the
    // cap turned on at 10.
    QFile sample(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = sample.readAll().split('\n');
    ASSERT_GE(lines.size(), 9);
    lines[7] = " 1 \r";
    lines[8] = "10\r";
    ASSERT_TRUE(writeFile(m_dir.filePath(QStringLiteral("sekonic.ini")), lines.join('\n')));

    const QStringList layout = {
        u8("62=48=8=T=*= ="),
        u8("01=05=01=01=00=D=ABCDE==KOLON=="),    // capped marks tie
        u8("02=02=03=07=00=Y=ABCDE=X1=SATIR=="),  // turned, direction 1, double-sided
        u8("03=03=10=14=00=K=ABCDE=F=IKILI=="),   // the two-mark box
        u8("/01=01=01=05=00=Y=ABCDE=C=ARKA=="),   // back side, several marks
        u8("05=05=01=03=00=D=Sabit metin=H=SABIT=="),
        u8("150=160=01=05=00=Y=ABCDE==DISARI=="),  // outside the sheet
    };
    ASSERT_TRUE(writeFile(path("form.omrf"), ansi::encode(layout.join(u8("\r\n")) + u8("\r\n"))));
    MarkSheet front{{2, 1, 12}, {4, 1, 15}, {2, 3, 40}, {3, 11, 40}, {3, 13, 40}};
    ASSERT_TRUE(writeFile(path("front.bin"), sheetBytes(front)));
    ASSERT_TRUE(writeFile(path("back.bin"), sheetBytes(MarkSheet{{1, 1, 40}, {1, 5, 40}})));
  }

  QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

  QStringList decodeArguments(bool withBack) const {
    QStringList arguments = {QStringLiteral("--layout"), path("form.omrf"),
                             QStringLiteral("--front"),  path("front.bin"),
                             QStringLiteral("--folder"), m_dir.path()};
    if (withBack) arguments << QStringLiteral("--back") << path("back.bin");
    return arguments;
  }

  QTemporaryDir m_dir;
};

QJsonObject expectedOutput(const QStringList& values) {
  return {{QStringLiteral("values"), QJsonArray::fromStringList(values)}, {QStringLiteral("dropped"), false}};
}

TEST_F(DecodeCli, PrintsTheValuesOfBothSides) {
  const CliResult result = runCli(decodeArguments(true));
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.isEmpty()) << result.err.toStdString();
  EXPECT_EQ(result.out.count('\n'), 1);
  EXPECT_EQ(QJsonDocument::fromJson(result.out).object(),
            expectedOutput({u8("*"), u8("E"), u8("BD"), u8("A   E"), u8("Sabit metin"), u8("")}))
      << result.out.toStdString();
}

TEST_F(DecodeCli, WithoutABackSheetEveryFieldComesFromTheFront) {
  const CliResult result = runCli(decodeArguments(false));
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(result.out).object(),
            expectedOutput({u8("*"), u8("E"), u8("BD"), u8("     "), u8("Sabit metin"), u8("")}))
      << result.out.toStdString();
}

TEST_F(DecodeCli, ABarcodeWithoutAReaderDropsTheSheet) {
  ASSERT_TRUE(writeFile(path("barcode.omrf"), "62=48=8=N=*= =\r\n03=03=01=06=00=D= =A=BARKOD==\r\n"));
  const CliResult result =
      runCli({QStringLiteral("--layout"), path("barcode.omrf"), QStringLiteral("--front"), path("front.bin"),
              QStringLiteral("--folder"), m_dir.path()});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QJsonObject output = QJsonDocument::fromJson(result.out).object();
  EXPECT_EQ(output.value(QStringLiteral("dropped")), QJsonValue(true));
}

TEST_F(DecodeCli, TakesTheFirstSheetOfADeck) {
  // The same marks as front.bin and back.bin, as deck text; a second sheet
  // that is never read. The first sheet's front reports two lines, so the
  // mark on line 4 no longer ties and the two-mark box on line 3 reads
  // nothing.
  const QByteArray deck =
      "# two sheets\n"
      "sheet\n"
      "lines 2\n"
      "2 1 12\n4 1 15\n2 3 40\n3 11 40\n3 13 40\n"
      "back\n"
      "1: 40 0 0 0 40\n"
      "sheet\n"
      "1 2 200\n";
  ASSERT_TRUE(writeFile(path("sheets.deck"), deck));
  const CliResult result =
      runCli({QStringLiteral("--layout"), path("form.omrf"), QStringLiteral("--front"), path("sheets.deck"),
              QStringLiteral("--back"), path("sheets.deck"), QStringLiteral("--folder"), m_dir.path()});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_EQ(QJsonDocument::fromJson(result.out).object(),
            expectedOutput({u8("B"), u8("E"), u8("  "), u8("A   E"), u8("Sabit metin"), u8("")}))
      << result.out.toStdString();
}

TEST(DecodeCliSamples, ReadsTheSampleExamDeck) {
  const QString deck = QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck");
  const CliResult result = runCli({QStringLiteral("--layout"), QStringLiteral(KORVEL_SAMPLES "/exam.omrf"),
                                   QStringLiteral("--front"), deck, QStringLiteral("--back"), deck,
                                   QStringLiteral("--folder"), QStringLiteral(KORVEL_SAMPLES)});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  const QJsonArray values =
      QJsonDocument::fromJson(result.out).object().value(QStringLiteral("values")).toArray();
  ASSERT_EQ(values.size(), 103);
  EXPECT_EQ(values[0].toString(), u"2023104100");
  EXPECT_EQ(values[1].toString(), u8("AYŞE YILMAZ         "));
  EXPECT_EQ(values[2].toString(), u"A");
  EXPECT_EQ(values[3].toString(), u"D");
}

TEST_F(DecodeCli, RefusesBadArgumentsAndSheets) {
  ASSERT_TRUE(writeFile(path("short.bin"), QByteArray(omr::kMarkBufferSize - 1, '\0')));
  ASSERT_TRUE(writeFile(path("long.bin"), QByteArray(omr::kMarkBufferSize + 1, '\0')));
  ASSERT_TRUE(writeFile(path("bad.deck"), "sheet\n1 49 200\n"));
  ASSERT_TRUE(writeFile(path("empty.deck"), "# no sheets\nmodel X\n"));
  const struct {
    QStringList arguments;
    int exitCode;
    const char* message;
  } cases[] = {
      {{}, 2, "usage"},
      {{QStringLiteral("--layout"), path("form.omrf")}, 2, "usage"},
      {{QStringLiteral("--front"), path("front.bin")}, 2, "usage"},
      {{QStringLiteral("--layout"), path("form.omrf"), QStringLiteral("--front"), path("front.bin"),
        QStringLiteral("extra")},
       2,
       "usage"},
      {{QStringLiteral("--layout"), path("missing.omrf"), QStringLiteral("--front"), path("front.bin")},
       1,
       "missing.omrf"},
      {{QStringLiteral("--layout"), path("form.omrf"), QStringLiteral("--front"), path("short.bin")},
       1,
       "7440"},
      {{QStringLiteral("--layout"), path("form.omrf"), QStringLiteral("--front"), path("long.bin")},
       1,
       "7440"},
      {{QStringLiteral("--layout"), path("form.omrf"), QStringLiteral("--front"), path("front.bin"),
        QStringLiteral("--back"), path("nothing.bin")},
       1,
       "nothing.bin"},
  };
  for (const auto& c : cases) {
    const CliResult result = runCli(c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << c.arguments.join(u' ').toStdString();
    EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(c.message)) << result.err.toStdString();
  }
}

}  // namespace
