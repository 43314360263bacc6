#pragma once

#include <QStringList>

/// Exit codes shared by every command.
enum CliExit : int {
  kExitOk = 0,
  kExitFailure = 1,   ///< the command ran but could not do its work (a file it could not write)
  kExitUsage = 2,
  kExitAnswersRanOut = 3,  ///< the operator's answers ran out; the run was ended cleanly
  kExitProgramEnds = 4,    ///< the program itself ends (the operator refused to go on)
};

/// Each command gets its own arguments (the command word removed, the
/// program name kept first) and returns the process exit code.
int runConnectCommand(const QStringList& arguments);
int runDecodeCommand(const QStringList& arguments);
int runDeckCommand(const QStringList& arguments);
int runDensityCommand(const QStringList& arguments);
int runLayoutCommand(const QStringList& arguments);
int runReadCommand(const QStringList& arguments);
int runSettingsCommand(const QStringList& arguments);
