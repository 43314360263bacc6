#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

/// UTF-8 at the program's edges: UTF-8 layout files are read with these, and
/// records of UTF-8 data files are turned into bytes with them.
///
/// A conversion that yields nothing gives an empty array; `IsDimmed` tells
/// the two apart the way the record writer needs.

/// Reads a file that starts with the UTF-8 byte-order mark: its first three
/// bytes are skipped and the rest is decoded. Line ends stay in the text.
/// A file that cannot be read gives empty text.
QString ReadUTF8File(const QString& path);

/// Decodes the whole array as UTF-8; invalid sequences become U+FFFD.
QString UTF8BytesToString(const QByteArray& bytes);

/// The UTF-8 bytes of `Source`: no terminating NUL, no byte-order mark.
/// Unpaired surrogates become U+FFFD. Empty text gives an empty array.
QByteArray ConvertToUTF8(QStringView Source);

/// True when a conversion produced bytes.
bool IsDimmed(const QByteArray& myArray);
