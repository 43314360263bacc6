#include "reading/RunFiles.h"

#include <QFileDevice>

void RunFiles::add(QFileDevice* file) {
  if (file && !m_files.contains(file)) m_files.append(file);
}

void RunFiles::remove(QFileDevice* file) { m_files.removeAll(file); }

void RunFiles::closeAll() {
  for (QFileDevice* file : std::as_const(m_files)) {
    if (file->isOpen()) file->close();  // close() flushes first
  }
  m_files.clear();
}
