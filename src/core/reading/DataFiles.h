#pragma once

#include <QString>
#include <QStringView>

#include <functional>
#include <memory>

class QFile;
class RunFiles;

/// The data file of one reading run (`DosyaAdi`) and its error file
/// (`DosyaAdi` + ".hat").
///
/// An ANSI layout keeps both files open for the whole run and writes them in
/// code page 1254. A UTF-8 layout opens the data file for each record,
/// appends the record's UTF-8 bytes (no byte-order mark) and closes it
/// again; it never has an error file.
///
/// Every line is written with CR LF and handed to the operating system
/// before the call returns, so a crash later in the run cannot take a
/// counted record with it. A line that cannot be written is cut off again
/// (as far as the system allows), so the file never ends in half a record.
class DataFiles {
 public:
  /// Makes the QFile for a path; tests put in files that fail on purpose.
  using FileFactory = std::function<std::unique_ptr<QFile>(const QString& path)>;

  enum class OpenMode {
    Empty,  ///< created when missing, emptied when present
    /// Created when missing, new lines go after the old ones. A last line
    /// without its line end is ended first (CR LF, or LF after a lone CR),
    /// so every record keeps a line of its own.
    Append,
  };

  /// `runFiles` (may be null) is told about every file held open, so that
  /// whatever ends the run can close them; it must outlive this object.
  DataFiles(QString DosyaAdi, bool utf8, RunFiles* runFiles, FileFactory factory = {});
  ~DataFiles();
  DataFiles(const DataFiles&) = delete;
  DataFiles& operator=(const DataFiles&) = delete;

  const QString& dataPath() const { return m_dataPath; }
  /// `DosyaAdi` followed by ".hat".
  QString errorPath() const;
  bool isUtf8() const { return m_utf8; }

  /// ANSI: opens the data file and keeps it open. UTF-8: nothing is held
  /// open (each record opens the file); the file is opened in `mode` and
  /// closed again, so a file that cannot be written is found at once.
  bool openData(OpenMode mode);
  /// ANSI: opens the error file and keeps it open. UTF-8: there is no error
  /// file; nothing is created and the call succeeds.
  bool openErrorFile(OpenMode mode);
  /// Moves the data file aside before it is started afresh, so that no
  /// record is lost to a misread question: it is renamed `DosyaAdi` + "." +
  /// N in its own folder, N the first number from 1 on that no earlier
  /// backup took. With `errorFileToo` an error file with lines goes to
  /// errorPath() + "." + N with the same N. True when every file that had
  /// to move has moved (a data file that is not there has nothing to move).
  bool moveAsideAsBackup(bool errorFileToo);

  bool isDataOpen() const;
  bool hasErrorFile() const;

  /// Why the last open or move that failed did so: the file's path, ": "
  /// and the system's reason.
  const QString& lastFailure() const { return m_lastFailure; }

  /// Appends `line` and CR LF to the data file. On failure returns false
  /// and sets `failure` to a message naming the file and the system's
  /// reason; the file keeps every earlier line.
  bool appendRecord(QStringView line, QString& failure);
  /// Appends `line` and CR LF to the error file. Without an error file
  /// (no second tray, or a UTF-8 layout) nothing is written and the call
  /// succeeds. Failures as for appendRecord.
  bool appendErrorLine(QStringView line, QString& failure);

  /// Closes both files (idempotent).
  void close();

 private:
  bool open(std::unique_ptr<QFile>& file, const QString& path, OpenMode mode);
  static bool endUnfinishedLine(QFile& file);
  bool failed(const QString& path, const QString& reason);
  bool moveAside(const QString& path, const QString& backup);
  bool writeLine(QFile& file, const QByteArray& bytes, QString& failure);
  void release(std::unique_ptr<QFile>& file);

  QString m_dataPath;
  bool m_utf8 = false;
  RunFiles* m_runFiles = nullptr;
  FileFactory m_factory;
  std::unique_ptr<QFile> m_data;
  std::unique_ptr<QFile> m_error;
  QString m_lastFailure;
};
