#pragma once

#include "layout/LayoutTable.h"

// Helpers for tests of the run's files: a file that stops taking bytes, a
// recorder of the boxes shown, and small readers of files.

#include "app/Operator.h"
#include "app/ScriptedOperator.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// A file on a disk with `budget` bytes left, shared by every file object
// made for the same disk. It fails as a real full disk does: the write that
// runs out puts its first bytes on disk and reports them as written,
// without an error, and only the next write fails, with the system's
// reason. The writer is left with half a line to take back.
class FullDiskFile : public QFile {
 public:
  FullDiskFile(const QString& path, std::shared_ptr<qint64> budget)
      : QFile(path), m_left(std::move(budget)) {}

 protected:
  qint64 writeData(const char* data, qint64 length) override {
    if (length <= *m_left) {
      *m_left -= length;
      return QFile::writeData(data, length);
    }
    if (*m_left > 0) {
      const qint64 taken = QFile::writeData(data, *m_left);
      *m_left = 0;
      return taken;
    }
    setErrorString(QStringLiteral("No space left on device"));
    return -1;
  }

 private:
  std::shared_ptr<qint64> m_left;
};

// A file factory for DataFiles: files at `failingPath` sit on a disk with
// `*budget` bytes left; other paths get plain files.
inline std::function<std::unique_ptr<QFile>(const QString&)> fullDiskAt(const QString& failingPath,
                                                                        std::shared_ptr<qint64> budget) {
  return [failingPath, budget](const QString& path) -> std::unique_ptr<QFile> {
    if (path != failingPath) return std::make_unique<QFile>(path);
    return std::make_unique<FullDiskFile>(path, budget);
  };
}

// Answers from a script and keeps every request it was given.
class RequestLog : public Operator {
 public:
  explicit RequestLog(QStringList answers = {}) : m_script(std::move(answers)) {}

  MessageAnswer messageBox(const MessageBoxRequest& request) override {
    messages.append(request);
    if (beforeAnswer) beforeAnswer();
    return m_script.messageBox(request);
  }
  std::optional<QString> inputBox(const InputBoxRequest& request) override {
    inputs.append(request);
    if (beforeAnswer) beforeAnswer();
    return m_script.inputBox(request);
  }
  qsizetype remaining() const { return m_script.remaining(); }

  QList<MessageBoxRequest> messages;
  QList<InputBoxRequest> inputs;
  std::function<void()> beforeAnswer;  // runs while a box is shown

 private:
  ScriptedOperator m_script;
};

inline QByteArray fileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A layout table of the given fields, as a parse would leave it.
inline LayoutTable layoutOf(const QList<FieldDefinition>& fields, bool utf8 = false) {
  LayoutTable layout;
  layout.fields = fields;
  layout.FieldCount = static_cast<std::int16_t>(fields.size());
  layout.Utf8DataFile = utf8;
  return layout;
}
