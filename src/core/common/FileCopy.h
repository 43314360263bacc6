#pragma once

#include <QString>

/// Copies `source` over `target` whole or not at all: the bytes go to a
/// temporary file beside `target`, which takes its place only once all of
/// them are written, so a failed copy leaves `target` as it was (or absent
/// when it was absent). Returns an empty text on success, otherwise why
/// the copy failed.
QString copyFileWhole(const QString& source, const QString& target);
