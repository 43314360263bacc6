#pragma once

#include <QString>

/// Where the program keeps every file it names without a folder
/// (sekonic.ini, layouts, side files, pictures).
///
/// The first that applies wins: the folder given on the command line, the
/// KORVEL_HOME environment variable, the executable's folder when it can be
/// written, the per-user data folder.
struct ProgramFolderInputs {
  QString commandLineFolder;   ///< --folder DIR, empty when not given
  QString environmentFolder;   ///< KORVEL_HOME, empty when unset
  QString executableFolder;    ///< folder of the running executable
  QString userDataFolder;      ///< per-user data folder of the platform
};

QString resolveProgramFolder(const ProgramFolderInputs& inputs);

/// The inputs of this process: KORVEL_HOME, the application's folder and the
/// platform's per-user data folder. Needs a QCoreApplication.
ProgramFolderInputs currentProgramFolderInputs(const QString& commandLineFolder);

/// A relative file name resolved in the program folder (never in the current
/// folder); an absolute path is returned unchanged.
QString inProgramFolder(const QString& programFolder, const QString& fileName);
