#pragma once

#include <QList>

class QFileDevice;

/// The files a reading run holds open (its data file, its error file and
/// whatever else it reads or writes), so that every way a run ends, a
/// reader fault the operator answers with "stop" among them, can close them
/// all in one place. The files are owned by the run; this only closes them.
class RunFiles {
 public:
  void add(QFileDevice* file);
  void remove(QFileDevice* file);
  /// Flushes and closes every file still open; the list is emptied.
  void closeAll();
  bool isEmpty() const { return m_files.isEmpty(); }

 private:
  QList<QFileDevice*> m_files;
};
