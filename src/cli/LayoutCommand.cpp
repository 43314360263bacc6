#include "CliCommands.h"

int runLayoutCommand(const QStringList&) { return kExitUsage; }
