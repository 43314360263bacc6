#pragma once

#include "reading/ReadingRun.h"

#include <QDialog>

/// The darkness grid of the last sheet a density reading read: the grid's
/// text lines (column numbers, then one line per sheet line) and its
/// picture, which is also saved as gecici2.bmp in the program folder and
/// opened in the system's picture viewer.
class DensityWindow : public QDialog {
  Q_OBJECT
 public:
  /// `openViewer`: whether the saved picture is opened in the system's viewer.
  DensityWindow(const DensityResult& density, const QString& programFolder, bool openViewer,
                QWidget* parent = nullptr);

  /// Where the picture was saved, or why it could not be.
  const QString& savedPicture() const { return m_savedPicture; }

 signals:
  /// "&Program Sonu": the whole program ends.
  void programEndRequested();

 private:
  QString m_savedPicture;
};
