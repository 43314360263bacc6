#pragma once

#include "layout/LayoutTable.h"

#include <QByteArray>
#include <QString>

/// Parses the bytes of a layout file into its header and field table.
///
/// Bytes starting with EF BB are UTF-8 (three marker bytes skipped), anything
/// else is code page 1254. The parse never fails: items that are missing read
/// as empty, numbers that do not fit are clamped, and whatever the bytes hold
/// gives a table.
LayoutTable ParseLayoutBytes(const QByteArray& bytes);

/// Reads and parses the layout file at `path`. A file that is missing or
/// cannot be read gives the empty table (`LayoutTable{}`); callers that must
/// tell the operator check for the file first.
LayoutTable ParseLayoutFile(const QString& path);
