#include "sim/DeckSyntax.h"

#include <QStringDecoder>

#include "sim/DeckSheet.h"

namespace decksyntax {

QString quoted(QStringView token) {
  return QLatin1Char('\'') + token.toString() + QLatin1Char('\'');
}

std::optional<int> decimal(QStringView token, int lowest, int highest, const QString& what, QString* error) {
  if (token.isEmpty()) {
    *error = QStringLiteral("%1 needs a number").arg(what);
    return std::nullopt;
  }
  qint64 value = 0;
  for (const QChar c : token) {
    if (c < u'0' || c > u'9') {
      *error = QStringLiteral("%1 is not a number").arg(quoted(token));
      return std::nullopt;
    }
    // Past any limit a deck can use; stop growing so long digit runs cannot
    // overflow.
    if (value <= highest) value = value * 10 + (c.unicode() - u'0');
  }
  if (value < lowest || value > highest) {
    *error = QStringLiteral("%1 %2 is outside %3-%4").arg(what, token.toString()).arg(lowest).arg(highest);
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<std::uint32_t> hexWord(QStringView token, QString* error) {
  std::uint64_t value = 0;
  bool overflow = false;
  for (const QChar c : token) {
    int digit = -1;
    if (c >= u'0' && c <= u'9') digit = c.unicode() - u'0';
    if (c >= u'a' && c <= u'f') digit = c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F') digit = c.unicode() - u'A' + 10;
    if (digit < 0) {
      *error = QStringLiteral("%1 is not a hexadecimal word").arg(quoted(token));
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFFu) {
      overflow = true;
      value = 0xFFFFFFFFu + std::uint64_t{1};  // stays above the limit without wrapping
    }
  }
  if (token.isEmpty()) {
    *error = QStringLiteral("a hexadecimal word is missing");
    return std::nullopt;
  }
  if (overflow) {
    *error = QStringLiteral("%1 does not fit 32 bits").arg(quoted(token));
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

QString barcodeProblem(QStringView text) {
  if (text.size() > DeckSheet::kMaxBarcodeLength)
    return QStringLiteral("barcode %1 is longer than %2 characters")
        .arg(quoted(text))
        .arg(DeckSheet::kMaxBarcodeLength);
  for (const QChar c : text) {
    if (c.unicode() < 0x21 || c.unicode() > 0x7E)
      return QStringLiteral("barcode %1 holds a character other than printable ASCII").arg(quoted(text));
  }
  return {};
}

LineProblem forEachUtf8Line(const QByteArray& utf8,
                            const std::function<QString(int lineNumber, const QString& line)>& takeLine) {
  QByteArrayView bytes(utf8);
  if (bytes.startsWith("\xEF\xBB\xBF")) bytes = bytes.sliced(3);
  // Stateless, so a sequence cut off at the end of a line is an error of
  // that line rather than carried into the next.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  int lineNumber = 0;
  qsizetype start = 0;
  while (start < bytes.size()) {
    qsizetype end = bytes.indexOf('\n', start);
    if (end < 0) end = bytes.size();
    QByteArrayView lineBytes = bytes.sliced(start, end - start);
    if (lineBytes.endsWith('\r')) lineBytes.chop(1);
    start = end + 1;
    ++lineNumber;
    const QString line = decoder.decode(lineBytes);
    if (decoder.hasError()) return {lineNumber, QStringLiteral("the line is not UTF-8 text")};
    QString problem = takeLine(lineNumber, line);
    if (!problem.isEmpty()) return {lineNumber, std::move(problem)};
  }
  return {};
}

}  // namespace decksyntax
