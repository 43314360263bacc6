#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

/// The reader's status codes and what the program tells the operator about
/// them.
///
/// Codes are known by their code text: the 32-bit status in upper-case
/// hexadecimal without leading zeros ("40110000"; status 0 is "0").
struct DeviceError {
  const char16_t* codeText;
  const char16_t* turkish;
  const char16_t* english;
  /// 0 for sheet-level faults a second output tray can take without asking.
  bool NeedsOperator;
  /// 1 for faults that do not matter when single-sided sheets are read.
  bool BackSideOnly;
};

namespace device_errors {

/// The code text of a status ("0", "1", "40110000").
QString codeText(std::uint32_t status);

/// The table row of a code text, exact match; nothing for an unlisted code.
std::optional<DeviceError> find(QStringView codeText);

/// The message for a status in the given language (0 Turkish, other
/// English): the table's text, or for an unlisted code the code text
/// followed by " nolu hata" / " error".
QString message(std::uint32_t status, int languageIndex);

}  // namespace device_errors
