#pragma once

// Runs korvel-cli (the path the build passes in as KORVEL_CLI) and collects
// what it printed.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QStringList>

namespace cli_test {

struct Result {
  int exitCode = -1;  ///< -1 when the program did not end normally in time
  QByteArray out;
  QByteArray err;
};

inline Result run(const QStringList& arguments, const QString& workingDirectory = {}, int timeoutMs = 60000) {
  QProcess process;
  if (!workingDirectory.isEmpty()) process.setWorkingDirectory(workingDirectory);
  process.start(QStringLiteral(KORVEL_CLI), arguments);
  Result result;
  if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit) return result;
  result.exitCode = process.exitCode();
  result.out = process.readAllStandardOutput();
  result.err = process.readAllStandardError();
  return result;
}

inline QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace cli_test
