#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <functional>
#include <optional>

/// The number forms shared by deck files and the generator's values files.
/// Each reader returns the value, or nothing and a message saying what is
/// wrong with the token.
namespace decksyntax {

/// Decimal digits only, no sign; `what` names the value in the message
/// ("column 49 is outside 1-48").
std::optional<int> decimal(QStringView token, int lowest, int highest, const QString& what, QString* error);

/// Hexadecimal digits (either case, leading zeros allowed) of a value that
/// fits 32 bits.
std::optional<std::uint32_t> hexWord(QStringView token, QString* error);

/// The reason a barcode text cannot be returned by the reader, or empty text
/// when it can: at most 16 printable ASCII characters.
QString barcodeProblem(QStringView text);

/// A token as messages show it: between single quotes.
QString quoted(QStringView token);

/// Where reading lines stopped: the line (counted from 1) and what is wrong
/// with it; line 0 when every line was taken.
struct LineProblem {
  int lineNumber = 0;
  QString problem;
};

/// Hands every line of UTF-8 text to `takeLine` with its number (a leading
/// byte-order mark skipped; lines end in LF or CR LF). Stops at a line that
/// is not UTF-8, or at the first line `takeLine` finds a problem with (it
/// returns the problem; empty text when the line is fine).
LineProblem forEachUtf8Line(const QByteArray& utf8,
                            const std::function<QString(int lineNumber, const QString& line)>& takeLine);

}  // namespace decksyntax
