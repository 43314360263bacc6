#include "reading/Utf8SideFile.h"

#include "common/Utf8Text.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {

QString failure(const QFile& file) {
  return QStringLiteral("WriteUTF8FileEx %1: %2").arg(static_cast<int>(file.error())).arg(file.errorString());
}

}  // namespace

Utf8SideFile::Utf8SideFile(QString path) : m_path(std::move(path)) {}

QString Utf8SideFile::write(QStringView contents, qint64 recordIndex) {
  if (contents.isEmpty() || recordIndex < 0) return {};
  QFile file(m_path);
  if (!file.open(QIODevice::ReadWrite)) return failure(file);

  if (file.size() != m_knownSize) {
    m_lineEnds.clear();
    qint64 offset = 0;
    while (!file.atEnd()) {
      const QByteArray chunk = file.read(1 << 16);
      if (chunk.isEmpty()) return failure(file);
      for (qsizetype i = chunk.indexOf('\n'); i >= 0; i = chunk.indexOf('\n', i + 1))
        m_lineEnds.append(offset + i + 1);
      offset += chunk.size();
    }
    m_knownSize = offset;
  }

  // Where record `recordIndex` starts, and what must stand before it when the
  // file holds fewer lines: an unfinished last line is finished, missing
  // records become empty lines.
  qint64 start = 0;
  QByteArray bytes;
  const qint64 lines = m_lineEnds.size();
  if (recordIndex <= lines) {
    start = recordIndex == 0 ? 0 : m_lineEnds.at(recordIndex - 1);
  } else {
    start = m_knownSize;
    qint64 done = lines;
    if (m_knownSize > (lines == 0 ? 0 : m_lineEnds.last())) {
      bytes += "\r\n";
      ++done;
    }
    for (; done < recordIndex; ++done) bytes += "\r\n";
  }
  bytes += ConvertToUTF8(contents);
  bytes += "\r\n";

  if (!file.seek(start) || file.write(bytes) != bytes.size() || !file.resize(start + bytes.size()) ||
      !file.flush()) {
    m_knownSize = -1;
    return failure(file);
  }

  // The index now ends with the record's line; padding lines before it too.
  m_lineEnds.resize(std::min<qint64>(recordIndex, lines));
  for (qsizetype i = 0; i < bytes.size(); ++i) {
    if (bytes.at(i) == '\n') m_lineEnds.append(start + i + 1);
  }
  m_knownSize = start + bytes.size();
  return {};
}

QString WriteUTF8FileEx(const QString& FileName, QStringView Contents, qint64 SheetCount) {
  return Utf8SideFile(FileName).write(Contents, SheetCount);
}
