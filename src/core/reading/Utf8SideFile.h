#pragma once

#include <QString>
#include <QStringView>

#include <QList>

/// The UTF-8 side file (geciciUTF8.txt): the records of the current data
/// file, one line each, in UTF-8, record n (counting from 0) on line n + 1.
///
/// Writing record n keeps lines 1..n as they are (empty lines stand in for
/// records the file never received), writes the record with CR LF and drops
/// whatever followed it, so the file always holds exactly the records in
/// order, whatever their byte lengths. Offsets are 64-bit.
///
/// One object serves a whole run: it remembers where the lines end, so
/// appending does not rescan the file. A file changed behind its back is
/// rescanned.
class Utf8SideFile {
 public:
  explicit Utf8SideFile(QString path);

  /// Writes `contents` as record `recordIndex`. Returns empty text on
  /// success, otherwise "WriteUTF8FileEx " + error number + ": " + reason.
  /// Empty contents write nothing and succeed.
  QString write(QStringView contents, qint64 recordIndex);

 private:
  QString m_path;
  QList<qint64> m_lineEnds;      // offset just after each line's LF
  qint64 m_knownSize = -1;       // file size the index describes; -1: not scanned
};

/// Writes one record into the side file `FileName` at record position
/// `SheetCount` (a one-off Utf8SideFile).
QString WriteUTF8FileEx(const QString& FileName, QStringView Contents, qint64 SheetCount);
