#pragma once

#include <QString>

/// The steps of the Read command that need no window.
namespace read_command {

/// The data file name with the data-file extension: the name is kept when
/// its last four characters are "." and the extension (any letter case),
/// else "." and the extension are appended ("veri" -> "veri.dat",
/// "veri.txt" -> "veri.txt.dat").
QString completedDataFilePath(const QString& chosen, const QString& extension);

/// The data file as the status label shows it: whole up to 60 characters,
/// else its first 25, "..." and its last 26.
QString Label13Text(const QString& dataFilePath);

/// The message for a layout that does not exist, in the given language.
QString missingLayoutMessage(int languageIndex);

}  // namespace read_command
