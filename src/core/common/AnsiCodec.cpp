#include "common/AnsiCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifndef Q_OS_WIN
#include <iconv.h>

#include <cerrno>
#include <cstring>
#endif

namespace ansi {
namespace {

constexpr const char* kCodePageName = "windows-1254";

#ifndef Q_OS_WIN
// Stand-in for a Qt built without ICU, which does not know the code page by
// name: glibc's iconv does.
QByteArray iconvConvert(const char* to, const char* from, const QByteArray& input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  QByteArray out;
  QByteArray in = input;
  char* inPtr = in.data();
  size_t inLeft = static_cast<size_t>(in.size());
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
      // An unconvertible unit: write a question mark and step over it.
      out.append(std::strcmp(to, "UTF-16LE") == 0 ? QByteArray("?\0", 2) : QByteArray("?"));
      const size_t unit = std::strcmp(from, "UTF-16LE") == 0 ? 2 : 1;
      if (inLeft < unit) break;
      inPtr += unit;
      inLeft -= unit;
    }
  }
  iconv_close(cd);
  return out;
}
#endif

QString decodeCodePage(const QByteArray& bytes, const char* qtName, const char* iconvName) {
  QStringDecoder decoder(qtName);
  if (decoder.isValid()) return decoder.decode(bytes);
#ifndef Q_OS_WIN
  const QByteArray utf16 = iconvConvert("UTF-16LE", iconvName, bytes);
  return QString(reinterpret_cast<const QChar*>(utf16.constData()), utf16.size() / 2);
#else
  Q_UNUSED(iconvName);
  return QString::fromLocal8Bit(bytes);
#endif
}

}  // namespace

QString decode(const QByteArray& bytes) { return decodeCodePage(bytes, kCodePageName, "CP1254"); }

QString asCyrillic(QStringView text) { return decodeCodePage(encode(text), "windows-1251", "CP1251"); }

QByteArray encode(QStringView text) {
  QStringEncoder encoder(kCodePageName);
  if (encoder.isValid()) {
    // ICU substitutes the control character SUB (1A) for what the code page
    // lacks; the program writes "?" there, as the Windows converter does.
    QByteArray bytes = encoder.encode(text);
    if (!bytes.contains('\x1A')) return bytes;
    if (!text.contains(QChar(0x1A))) return bytes.replace('\x1A', '?');
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
      const qsizetype unit = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      const QStringView one = text.mid(i, unit);
      QStringEncoder single(kCodePageName);
      const QByteArray encoded = single.encode(one);
      bytes += (encoded == "\x1A" && one != QChar(0x1A)) ? QByteArray("?") : encoded;
      i += unit;
    }
    return bytes;
  }
#ifndef Q_OS_WIN
  const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  return iconvConvert("CP1254", "UTF-16LE", utf16);
#else
  return text.toString().toLocal8Bit();
#endif
}

}  // namespace ansi
