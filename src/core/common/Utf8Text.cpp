#include "common/Utf8Text.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

QString ReadUTF8File(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  return UTF8BytesToString(bytes.size() > 3 ? bytes.sliced(3) : QByteArray());
}

QString UTF8BytesToString(const QByteArray& bytes) {
  // A byte-order mark inside the bytes is text here, not a marker: the caller
  // already skipped the file's own mark.
  QStringDecoder decoder(QStringDecoder::Utf8,
                         QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
  return decoder.decode(bytes);
}

QByteArray ConvertToUTF8(QStringView Source) {
  QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
  return encoder.encode(Source);
}

bool IsDimmed(const QByteArray& myArray) { return !myArray.isEmpty(); }
