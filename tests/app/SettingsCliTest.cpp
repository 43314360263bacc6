#include "common/AnsiCodec.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using CliRun = cli_test::Result;

CliRun runCli(const QStringList& arguments) {
  return cli_test::run(QStringList{QStringLiteral("settings")} + arguments);
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

const QString kGolden = QStringLiteral(KORVEL_TEST_DATA "/settings/defaults.ini");

QByteArray withLines(const std::map<int, QString>& changed) {
  QStringList lines = ansi::decode(readFile(kGolden)).split(QStringLiteral("\r\n"));
  for (const auto& [number, text] : changed) lines[number - 1] = text;
  return ansi::encode(lines.join(QStringLiteral("\r\n")));
}

void expectArrayOf(const QJsonObject& panel, const char* name, qsizetype size, QJsonValue::Type type) {
  const QJsonValue value = panel.value(QLatin1String(name));
  ASSERT_TRUE(value.isArray()) << name;
  const QJsonArray array = value.toArray();
  EXPECT_EQ(array.size(), size) << name;
  for (const QJsonValue& element : array) EXPECT_EQ(element.type(), type) << name;
}

TEST(SettingsCli, PrintsTheLoadedStateAsOneObject) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  QFile file(QDir(folder.path()).filePath("sekonic.ini"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(withLines({{18, " 1 "}, {27, " 1 "}, {30, QStringLiteral("Şube")}}));
  file.close();

  const CliRun run = runCli({"--folder", folder.path()});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.out.count('\n'), 1);
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(run.out, &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.out.toStdString();
  const QJsonObject root = document.object();
  EXPECT_EQ(root.keys(), (QStringList{"AppSettings", "panel"}));

  const QJsonObject settings = root.value("AppSettings").toObject();
  EXPECT_EQ(settings.value("LanguageIndex"), 1);
  EXPECT_EQ(settings.value("ReaderMake"), 1);
  EXPECT_EQ(settings.value("ImprintText"), QStringLiteral("Şube"));
  EXPECT_EQ(settings.value("DataFileExtension"), "txt");
  EXPECT_EQ(settings.value("BackBlue"), 192);
  EXPECT_EQ(settings.value("UseBackgroundPicture"), false);
  EXPECT_EQ(settings.value("PortNumberText"), 1);

  const QJsonObject panel = root.value("panel").toObject();
  expectArrayOf(panel, "Option1", 4, QJsonValue::Bool);
  expectArrayOf(panel, "Option2", 10, QJsonValue::Bool);
  expectArrayOf(panel, "Option3", 2, QJsonValue::Bool);
  expectArrayOf(panel, "Option4", 2, QJsonValue::Bool);
  expectArrayOf(panel, "Check5", 5, QJsonValue::Double);
  EXPECT_EQ(panel.value("Option2").toArray().at(8), true);
  EXPECT_EQ(panel.value("Option4").toArray().at(1), true);
  for (const char* box :
       {"Check1", "Check2", "Check3", "Check4", "Check6", "Check7", "Check8", "Check9", "Check10", "Check11"})
    EXPECT_TRUE(panel.value(QLatin1String(box)).isDouble()) << box;
  EXPECT_EQ(panel.value("Check2"), 1);
  for (const char* text :
       {"Text1", "Text2", "Text3", "Text5", "Text9", "Text10", "Text11", "Text12", "Text13", "Combo3"})
    EXPECT_TRUE(panel.value(QLatin1String(text)).isString()) << text;
  EXPECT_EQ(panel.value("Text12"), QStringLiteral("Şube"));
  EXPECT_EQ(panel.value("Combo3"), "02");

  const QJsonObject enabled = panel.value("enabled").toObject();
  EXPECT_EQ(enabled.keys(), (QStringList{"Check9", "Label7", "Text10", "Text3"}));
  const QJsonObject frames = panel.value("frames").toObject();
  EXPECT_EQ(frames.size(), 14);
  EXPECT_EQ(frames.value(QStringLiteral("Yıldız Ayarı")), true);
  EXPECT_EQ(frames.value(QStringLiteral("Çift Yüzlü Makine")), false);
  EXPECT_EQ(panel.value("Frame4"), false);

  // Printing alone writes nothing.
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"sekonic.ini"});
}

TEST(SettingsCli, SaveRewritesTheFileAsTheConfirmButtonDoes) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString path = QDir(folder.path()).filePath("sekonic.ini");

  ASSERT_EQ(runCli({"--folder", folder.path(), "--save"}).exitCode, 0);
  EXPECT_EQ(readFile(path), readFile(kGolden));

  // The last layout survives, and a double-sided sheet without a
  // double-sided machine is dropped.
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(withLines({{5, " 1 "}, {32, "SINAV"}}));
  file.close();
  const CliRun run = runCli({"--save", "--folder", folder.path()});
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(readFile(path), withLines({{32, "SINAV"}}));
}

TEST(SettingsCli, FailedSaveExitsWithTheReason) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString missing = QDir(folder.path()).filePath("absent");
  const CliRun run = runCli({"--folder", missing, "--save"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(QString::fromUtf8(run.err).contains(QDir::toNativeSeparators(missing)))
      << run.err.toStdString();
}

TEST(SettingsCli, UsageErrors) {
  for (const QStringList& arguments :
       {QStringList{}, QStringList{"--save"}, QStringList{"--folder"},
        QStringList{"--folder", "/tmp", "--bogus"}, QStringList{"--folder", "/tmp", "extra"}}) {
    const CliRun run = runCli(arguments);
    EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.out.isEmpty()) << arguments.join(' ').toStdString();
    EXPECT_TRUE(run.err.contains("usage")) << arguments.join(' ').toStdString();
  }
}

}  // namespace
