#include "LayoutTestSupport.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "CliRunner.h"

#include <gtest/gtest.h>

namespace {

using CliResult = cli_test::Result;

CliResult runCli(const QStringList& arguments) {
  return cli_test::run(arguments);
}

using cli_test::readFile;

class LayoutCommand : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

  QString writeLayout(const QByteArray& bytes) {
    const QString path = m_dir.filePath(QStringLiteral("form.omrf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
  }

  QTemporaryDir m_dir;
};

// A code page 1254 layout with Turkish letters: a bounded number, a back-side
// word list and a two-mark box.
const QStringList kSampleLines = {
    QString::fromUtf8("62=48=12=N=*= ="),
    QString::fromUtf8("08=17=20=22=00=D=0123456789=B=Yaş=150= "),
    QString::fromUtf8("/30=39=03=07=00=Y1=Evet~Hayır~=J2=Öğrenci=Cevap=Çoktan seçmeli"),
    QString::fromUtf8("40=41=10=12=00=K=ABCDEF=F=Şık=="),
};

TEST_F(LayoutCommand, PrintsTheTableAsOneJsonObject) {
  const CliResult result = runCli({QStringLiteral("layout"), writeLayout(layoutBytes(kSampleLines))});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  EXPECT_TRUE(result.err.isEmpty());
  ASSERT_TRUE(result.out.endsWith('\n'));
  EXPECT_EQ(result.out.count('\n'), 1);

  QJsonParseError error;
  const QJsonDocument actual = QJsonDocument::fromJson(result.out, &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  const QJsonDocument expected =
      QJsonDocument::fromJson(readFile(QStringLiteral(KORVEL_TEST_DATA "/layout/cli-sample.json")), &error);
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  EXPECT_EQ(actual.object(), expected.object())
      << "actual:   " << actual.toJson(QJsonDocument::Indented).toStdString()
      << "\nexpected: " << expected.toJson(QJsonDocument::Indented).toStdString();
}

TEST_F(LayoutCommand, AUtf8LayoutDiffersOnlyInItsFlag) {
  const CliResult ansi = runCli({QStringLiteral("layout"), writeLayout(layoutBytes(kSampleLines))});
  const CliResult utf8 =
      runCli({QStringLiteral("layout"), writeLayout(layoutBytes(kSampleLines, LayoutEncoding::Utf8))});
  ASSERT_EQ(ansi.exitCode, 0);
  ASSERT_EQ(utf8.exitCode, 0);
  QJsonObject utf8Object = QJsonDocument::fromJson(utf8.out).object();
  EXPECT_EQ(utf8Object.value(QStringLiteral("Utf8DataFile")), QJsonValue(true));
  utf8Object.insert(QStringLiteral("Utf8DataFile"), false);
  EXPECT_EQ(utf8Object, QJsonDocument::fromJson(ansi.out).object());
}

TEST_F(LayoutCommand, RefusesBadArgumentsAndMissingFiles) {
  const struct {
    QStringList arguments;
    int exitCode;
    const char* message;
  } cases[] = {
      {{QStringLiteral("layout")}, 2, "usage"},
      {{QStringLiteral("layout"), QStringLiteral("a.omrf"), QStringLiteral("b.omrf")}, 2, "usage"},
      {{QStringLiteral("layout"), m_dir.filePath(QStringLiteral("missing.omrf"))}, 1, "missing.omrf"},
      {{QStringLiteral("layout"), m_dir.path()}, 1, "no such layout file"},
  };
  for (const auto& c : cases) {
    const CliResult result = runCli(c.arguments);
    const std::string shown = c.arguments.join(u' ').toStdString();
    EXPECT_EQ(result.exitCode, c.exitCode) << shown;
    EXPECT_TRUE(result.out.isEmpty()) << shown;
    EXPECT_TRUE(result.err.contains(c.message)) << shown << ": " << result.err.toStdString();
  }
}

}  // namespace
