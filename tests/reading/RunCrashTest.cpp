// A reading killed in the middle of its run: the data file must hold whole
// records only, as many as the run had counted when it died.

#include "layout/LayoutParser.h"
#include "sim/DeckGenerator.h"
#include "sim/DeckWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(RunCrash, KilledRunLeavesWholeCountedRecordsOnly) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString layoutPath = folder.filePath("exam.omrf");
  ASSERT_TRUE(QFile::copy(KORVEL_SAMPLES "/exam.omrf", layoutPath));
  const LayoutTable layout = ParseLayoutFile(layoutPath);

  DeckGenerator generator(layout, {});
  QString error;
  const std::optional<Deck> deck = generator.randomDeck(5000, &error);
  ASSERT_TRUE(deck) << error.toStdString();
  QFile deckFile(folder.filePath("big.deck"));
  ASSERT_TRUE(deckFile.open(QIODevice::WriteOnly));
  deckFile.write(DeckWriter::write(*deck));
  deckFile.close();

  const QString dataPath = folder.filePath("exam.txt");  // the extension without settings
  QProcess cli;
  cli.start(KORVEL_CLI, {"read", "--folder", folder.path(), "--layout", "EXAM", "--data", dataPath, "--reader",
                         "sim:" + deckFile.fileName()});
  ASSERT_TRUE(cli.waitForStarted());

  // Wait until a good part of the run is done, then kill it where it stands.
  const QRegularExpression progress(QStringLiteral("^sheet (\\d+): (\\d+) in the data file"));
  int counted = -1;
  QByteArray pending;
  while (counted < 200) {
    ASSERT_TRUE(cli.waitForReadyRead(60000)) << "the run ended or hung before sheet 200";
    pending += cli.readAllStandardOutput();
    qsizetype end;
    while ((end = pending.indexOf('\n')) >= 0) {
      const QRegularExpressionMatch match = progress.match(QString::fromUtf8(pending.left(end)));
      if (match.hasMatch()) counted = match.captured(2).toInt();
      pending.remove(0, end + 1);
    }
  }
  cli.kill();
  ASSERT_TRUE(cli.waitForFinished(30000));
  // Lines printed before the kill that were not read yet.
  pending += cli.readAllStandardOutput();
  for (const QByteArray& line : pending.split('\n')) {
    const QRegularExpressionMatch match = progress.match(QString::fromUtf8(line));
    if (match.hasMatch()) counted = match.captured(2).toInt();
  }
  ASSERT_LT(counted, 5000) << "the run was not cut short";

  QFile data(dataPath);
  ASSERT_TRUE(data.open(QIODevice::ReadOnly));
  const QByteArray bytes = data.readAll();
  ASSERT_TRUE(bytes.endsWith("\r\n")) << "half a record at the end";
  QList<QByteArray> records = bytes.split('\n');
  records.removeLast();  // what follows the last line end: nothing
  // Every record has the same width: the 81 characters of the front's
  // fields, the 50 blanks of the back's (the default settings read
  // single-sided sheets) and CR.
  for (const QByteArray& record : records) {
    ASSERT_EQ(record.size(), 132) << record.toStdString();
    ASSERT_EQ(record.mid(81, 50), QByteArray(50, ' ')) << record.toStdString();
  }
  // The record of the sheet in hand may be on disk a moment before it is
  // counted; never the other way round.
  EXPECT_GE(records.size(), counted);
  EXPECT_LE(records.size(), counted + 1);
}

}  // namespace
