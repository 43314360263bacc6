#include "reading/DataFiles.h"

#include "common/AnsiCodec.h"
#include "common/Utf8Text.h"
#include "reading/RunFiles.h"

#include <QFile>
#include <QFileInfo>

#include <utility>

namespace {

QString failureText(const QString& path, const QString& reason) {
  return QStringLiteral("Dosya yazma hatası: %1\r%2").arg(path, reason);
}

QIODevice::OpenMode modeFlags(DataFiles::OpenMode mode) {
  // Unbuffered: a write goes straight to the system, so a failure shows at
  // the write that caused it and nothing is left waiting in a buffer that a
  // later close could still push out.
  QIODevice::OpenMode flags = QIODevice::WriteOnly | QIODevice::Unbuffered;
  flags |= mode == DataFiles::OpenMode::Append ? QIODevice::Append : QIODevice::Truncate;
  return flags;
}

}  // namespace

DataFiles::DataFiles(QString DosyaAdi, bool utf8, RunFiles* runFiles, FileFactory factory)
    : m_dataPath(std::move(DosyaAdi)), m_utf8(utf8), m_runFiles(runFiles), m_factory(std::move(factory)) {
  if (!m_factory) m_factory = [](const QString& path) { return std::make_unique<QFile>(path); };
}

DataFiles::~DataFiles() {
  close();
}

QString DataFiles::errorPath() const {
  return m_dataPath + QStringLiteral(".hat");
}

bool DataFiles::failed(const QString& path, const QString& reason) {
  m_lastFailure = path + QStringLiteral(": ") + reason;
  return false;
}

bool DataFiles::open(std::unique_ptr<QFile>& file, const QString& path, OpenMode mode) {
  release(file);
  std::unique_ptr<QFile> opened = m_factory(path);
  if (!opened) return failed(path, QStringLiteral("Dosya açılamadı"));
  if (!opened->open(modeFlags(mode))) return failed(path, opened->errorString());
  if (mode == OpenMode::Append && !endUnfinishedLine(*opened)) return failed(path, opened->errorString());
  file = std::move(opened);
  if (m_runFiles) m_runFiles->add(file.get());
  return true;
}

void DataFiles::release(std::unique_ptr<QFile>& file) {
  if (!file) return;
  if (m_runFiles) m_runFiles->remove(file.get());
  file->close();
  file.reset();
}

bool DataFiles::endUnfinishedLine(QFile& file) {
  // A file cut short by a power loss or edited by hand may end inside its
  // last line. That line counts as a record when the file is read back, so
  // it is finished here and the next record starts a line of its own.
  const QString& path = file.fileName();
  if (!QFileInfo(path).isFile()) return true;
  QFile reader(path);
  if (!reader.open(QIODevice::ReadOnly) || reader.size() == 0 || !reader.seek(reader.size() - 1)) return true;
  char last = 0;
  if (!reader.getChar(&last) || last == '\n') return true;
  const QByteArray ending = last == '\r' ? QByteArrayLiteral("\n") : QByteArrayLiteral("\r\n");
  return file.write(ending) == ending.size();
}

bool DataFiles::openData(OpenMode mode) {
  if (!m_utf8) return open(m_data, m_dataPath, mode);
  // Each record opens the file again, but whether it can be written is
  // found out now, before the first sheet goes through the reader; an
  // unfinished last line is ended now too.
  std::unique_ptr<QFile> file;
  const bool opened = open(file, m_dataPath, mode);
  release(file);
  return opened;
}

bool DataFiles::openErrorFile(OpenMode mode) {
  if (m_utf8) return true;
  return open(m_error, errorPath(), mode);
}

bool DataFiles::moveAsideAsBackup(bool errorFileToo) {
  release(m_data);
  release(m_error);
  const QString errorFile = errorPath();
  // An error file without lines holds nothing worth keeping; a folder in
  // its place is not ours to move.
  const QFileInfo error(errorFile);
  const bool moveError = errorFileToo && error.isFile() && error.size() > 0;
  constexpr int kMostBackups = 1000000;
  for (int number = 1; number <= kMostBackups; ++number) {
    const QString suffix = u'.' + QString::number(number);
    if (QFileInfo::exists(m_dataPath + suffix) || QFileInfo::exists(errorFile + suffix)) continue;
    if (QFileInfo::exists(m_dataPath) && !moveAside(m_dataPath, m_dataPath + suffix)) return false;
    return !moveError || moveAside(errorFile, errorFile + suffix);
  }
  return failed(m_dataPath, QStringLiteral("Yedek numarası kalmadı"));
}

bool DataFiles::moveAside(const QString& path, const QString& backup) {
  QFile file(path);
  return file.rename(backup) || failed(path, file.errorString());
}

bool DataFiles::isDataOpen() const {
  return m_data && m_data->isOpen();
}

bool DataFiles::hasErrorFile() const {
  return m_error != nullptr;
}

bool DataFiles::writeLine(QFile& file, const QByteArray& bytes, QString& failure) {
  const QByteArray line = bytes + QByteArrayLiteral("\r\n");
  const qint64 sizeBefore = file.isSequential() ? 0 : file.size();
  // A full disk takes the first part of a line and reports no error; only
  // writing the rest fails with the system's reason.
  qint64 written = 0;
  while (written < line.size()) {
    const qint64 taken = file.write(line.constData() + written, line.size() - written);
    if (taken <= 0) break;
    written += taken;
  }
  if (written == line.size() && file.flush()) return true;
  QString reason = file.errorString();
  if (reason.isEmpty()) reason = QStringLiteral("Dosya yazılamadı");
  failure = failureText(file.fileName(), reason);
  // Whatever part of the line reached the disk is taken back.
  if (!file.isSequential() && file.size() > sizeBefore) file.resize(sizeBefore);
  return false;
}

bool DataFiles::appendRecord(QStringView line, QString& failure) {
  if (!m_utf8) {
    if (!isDataOpen()) {
      failure = failureText(m_dataPath, QStringLiteral("Dosya açık değil"));
      return false;
    }
    return writeLine(*m_data, ansi::encode(line), failure);
  }
  std::unique_ptr<QFile> file = m_factory(m_dataPath);
  if (!file || !file->open(modeFlags(OpenMode::Append))) {
    failure = failureText(m_dataPath, file ? file->errorString() : QStringLiteral("Dosya açılamadı"));
    return false;
  }
  const bool written = writeLine(*file, ConvertToUTF8(line), failure);
  file->close();
  return written;
}

bool DataFiles::appendErrorLine(QStringView line, QString& failure) {
  if (!m_error) return true;
  if (!m_error->isOpen()) {
    failure = failureText(errorPath(), QStringLiteral("Dosya açık değil"));
    return false;
  }
  return writeLine(*m_error, ansi::encode(line), failure);
}

void DataFiles::close() {
  release(m_data);
  release(m_error);
}
