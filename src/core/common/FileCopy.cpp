#include "common/FileCopy.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr qint64 kChunk = 64 * 1024;

}  // namespace

QString copyFileWhole(const QString& source, const QString& target) {
  QFile from(source);
  if (!from.open(QIODevice::ReadOnly)) return from.errorString();
  QSaveFile to(target);
  if (!to.open(QIODevice::WriteOnly)) return to.errorString();
  while (true) {
    const QByteArray chunk = from.read(kChunk);
    if (chunk.isEmpty()) {
      if (from.error() != QFileDevice::NoError) {
        to.cancelWriting();
        return from.errorString();
      }
      break;
    }
    if (to.write(chunk) != chunk.size()) {
      to.cancelWriting();
      return to.errorString();
    }
  }
  if (!to.commit()) return to.errorString();
  return {};
}
