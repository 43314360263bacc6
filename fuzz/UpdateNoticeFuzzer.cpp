// Arbitrary bytes as the update page's text: the notice must be the fixed
// words followed by the text from the tenth character on, and whenever the
// page's number is short enough for a double to hold it exactly, the
// decision must agree with plain arithmetic.
#include "app/UpdateNotice.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

bool isDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// The page's number as plain ASCII, or nothing when it has too many digits
// for a double to hold exactly.
std::optional<std::string> shortNumber(QStringView rest) {
  qsizetype i = 0;
  while (i < rest.size() && (rest[i] == u' ' || rest[i] == u'\t' || rest[i] == u'\n' || rest[i] == u'\r'))
    ++i;
  std::string number;
  int digits = 0;
  bool point = false;
  for (; i < rest.size(); ++i) {
    if (isDigit(rest[i])) {
      if (++digits > 15) return std::nullopt;
      number += static_cast<char>(rest[i].unicode());
    } else if (rest[i] == u'.' && !point) {
      point = true;
      number += '.';
    } else {
      break;
    }
  }
  return number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString page = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const std::optional<QString> notice = updateNoticeFromPageText(page);
  if (page.size() < 10) {
    require(!notice);
    return 0;
  }
  const QStringView rest = QStringView(page).sliced(9);
  if (notice) require(*notice == QStringLiteral("Yeni Sürüm ") + rest.toString());
  if (const std::optional<std::string> number = shortNumber(rest)) {
    const bool newer =
        !number->empty() && *number != "." && std::strtod(number->c_str(), nullptr) > kProgramBuildNumber;
    require(newer == notice.has_value());
  }
  return 0;
}
