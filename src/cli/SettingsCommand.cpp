#include "CliCommands.h"

int runSettingsCommand(const QStringList&) { return kExitUsage; }
