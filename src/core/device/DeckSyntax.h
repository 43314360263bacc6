#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
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

}  // namespace decksyntax
