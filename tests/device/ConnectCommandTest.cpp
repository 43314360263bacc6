#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// korvel-cli connect in a fresh program folder with a deck and answers.
class ConnectCommand : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString write(const QString& name, const QByteArray& bytes) {
    QFile file(m_dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
  }

  QByteArray read(const QString& name) {
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  int run(const QByteArray& deck, const QByteArray& answers) {
    QProcess cli;
    cli.start(KORVEL_CLI, {"connect", "--folder", m_dir.path(), "--reader", "sim:" + write("r.deck", deck),
                           "--answers", write("answers.txt", answers), "--transcript", m_dir.filePath("t.jsonl"),
                           "--device-log", m_dir.filePath("device.log")});
    EXPECT_TRUE(cli.waitForFinished(30000));
    m_stdout = cli.readAllStandardOutput();
    return cli.exitCode();
  }

  QTemporaryDir m_dir;
  QByteArray m_stdout;
};

TEST_F(ConnectCommand, ReportsTheReaderAndLogsEveryCall) {
  EXPECT_EQ(run("model SR-TEST\nequipment 00010000\n", ""), 0);
  const QJsonObject result = QJsonDocument::fromJson(m_stdout).object();
  EXPECT_TRUE(result["connected"].toBool());
  EXPECT_TRUE(result["BackSensorFitted"].toBool());
  EXPECT_EQ(result["MachineName"].toString(), "SR-TEST         ");
  const QList<QByteArray> calls = read("device.log").split('\n');
  ASSERT_GE(calls.size(), 3);
  EXPECT_EQ(calls[0], "OMR_CloseDevice()");
  EXPECT_EQ(calls[1], "OMR_OpenDeviceUSB()");
  EXPECT_EQ(calls[2], "_OMR_SendData(buf,2)");
  EXPECT_TRUE(read("device.log").contains("OMR_SetBackSensorUnit(0)\n_OMR_SendData(buf,5)\n"));
  EXPECT_EQ(read("t.jsonl"), "");
}

TEST_F(ConnectCommand, ExitCodesForEachWayTheOperatorEnds) {
  const struct {
    const char* answers;
    int exitCode;
    int boxes;
  } cases[] = {
      {"Evet\nHayır\n", 0, 2},  // the run ends: no reader
      {"Hayır\n", 4, 1},        // the program ends
      {"", 3, 1},               // nobody answers; the unanswered box is in the transcript
      {"Evet\n", 3, 2},         // the answers run out at the second box
      {"belki\n", 2, 1},        // an answer that fits no box
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run("open fail\n", c.answers), c.exitCode) << c.answers;
    const QList<QByteArray> lines = read("t.jsonl").split('\n');
    EXPECT_EQ(lines.size() - 1, c.boxes) << c.answers;
  }
}

TEST_F(ConnectCommand, TheUnansweredBoxEndsTheTranscript) {
  EXPECT_EQ(run("open fail\n", "Evet\n"), 3);
  const QList<QByteArray> lines = read("t.jsonl").split('\n');
  ASSERT_EQ(lines.size(), 3);
  EXPECT_TRUE(QJsonDocument::fromJson(lines[1]).object()["answer"].isNull());
}

TEST_F(ConnectCommand, TranscriptHoldsTheBoxesAsShown) {
  EXPECT_EQ(run("open fail\n", "yes\nno\n"), 0);
  const QList<QByteArray> lines = read("t.jsonl").split('\n');
  ASSERT_EQ(lines.size(), 3);
  const QJsonObject second = QJsonDocument::fromJson(lines[1]).object();
  EXPECT_EQ(second["kind"].toString(), "yesno");
  EXPECT_EQ(second["title"].toString(), QString::fromUtf8("Okuma Programı"));
  EXPECT_EQ(second["text"].toString(), QString::fromUtf8("OMR henüz bağlı değil\rDevam edilecek mi?"));
  EXPECT_EQ(second["answer"].toString(), QString::fromUtf8("Hayır"));
  EXPECT_TRUE(second["default"].isNull());
  EXPECT_TRUE(lines[1].contains("\\r"));  // a carriage return is written \r
}

TEST_F(ConnectCommand, BadReaderOrAnswersFileIsAUsageError) {
  QProcess cli;
  cli.start(KORVEL_CLI, {"connect", "--folder", m_dir.path(), "--reader", "sim:" + m_dir.filePath("none.deck")});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 2);
  EXPECT_TRUE(cli.readAllStandardError().contains("none.deck"));
  cli.start(KORVEL_CLI, {"connect", "--folder", m_dir.path(), "--answers", m_dir.filePath("none.txt")});
  ASSERT_TRUE(cli.waitForFinished(30000));
  EXPECT_EQ(cli.exitCode(), 2);
}

}  // namespace
