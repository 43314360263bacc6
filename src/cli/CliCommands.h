#pragma once

#include <QStringList>

/// Exit codes shared by every command.
enum CliExit : int {
  kExitOk = 0,
  kExitFailure = 1,   ///< the command ran but could not do its work (a file it could not write)
  kExitUsage = 2,
};

/// Each command gets its own arguments (the command word removed, the
/// program name kept first) and returns the process exit code.
int runDecodeCommand(const QStringList& arguments);
int runDeckCommand(const QStringList& arguments);
int runLayoutCommand(const QStringList& arguments);
int runSettingsCommand(const QStringList& arguments);
