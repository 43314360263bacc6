#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString resolveProgramFolder(const ProgramFolderInputs& inputs) {
  if (!inputs.commandLineFolder.isEmpty()) return QDir(inputs.commandLineFolder).absolutePath();
  if (!inputs.environmentFolder.isEmpty()) return QDir(inputs.environmentFolder).absolutePath();
  const QFileInfo executable(inputs.executableFolder);
  if (!inputs.executableFolder.isEmpty() && executable.isDir() && executable.isWritable())
    return executable.absoluteFilePath();
  return inputs.userDataFolder;
}

ProgramFolderInputs currentProgramFolderInputs(const QString& commandLineFolder) {
  ProgramFolderInputs inputs;
  inputs.commandLineFolder = commandLineFolder;
  inputs.environmentFolder = qEnvironmentVariable("KORVEL_HOME");
  inputs.executableFolder = QCoreApplication::applicationDirPath();
  inputs.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
  return inputs;
}

QString inProgramFolder(const QString& programFolder, const QString& fileName) {
  if (QDir::isAbsolutePath(fileName)) return fileName;
  return QDir(programFolder).filePath(fileName);
}
