#pragma once

#include "reading/ReadingRun.h"

#include <QDialog>

#include <optional>

class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;
class DensityCells;

/// What the density window is opened with beside the grid itself.
struct DensityWindowOptions {
  /// Whether the saved picture is opened in the system's picture viewer.
  bool openViewer = true;
  /// The current layout's darkness threshold; its marks are framed.
  std::optional<int> threshold;
};

/// The darkness grid of the last sheet a density reading read: the column
/// numbers (List2) and one text line per sheet line (List1), scrolled
/// sideways together by HScroll1 and through the lines by VScroll1, which
/// stays inside the window however wide the lists, and the grid's picture
/// (Picture1), which
/// is also saved as gecici2.bmp in the program folder and opened in the
/// system's picture viewer. The window opens maximised.
class DensityWindow : public QDialog {
  Q_OBJECT
 public:
  DensityWindow(const DensityResult& density, const QString& programFolder, DensityWindowOptions options,
                QWidget* parent = nullptr);

  /// Where the picture was saved, or why it could not be.
  const QString& savedPicture() const { return m_savedPicture; }
  /// Whether the picture was saved.
  bool pictureSaved() const { return m_pictureSaved; }

  /// The controls' places in pixels for a window of `size`, from their
  /// places in twips (15 to the pixel), the lists moved `scrollValue` to
  /// the left; VScroll1, `barWidth` wide, stands at the lists' right edge
  /// or at the window's, whichever comes first.
  struct Places {
    QRect List2, List1, HScroll1, VScroll1, Command1, Command2;
  };
  static Places placesFor(QSize size, int scrollValue, int barWidth);

 signals:
  /// "&Program Sonu": the whole program ends.
  void programEndRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void placeControls();

  QListWidget* m_header = nullptr;
  QListWidget* m_rows = nullptr;
  QScrollBar* m_scroll = nullptr;
  QScrollBar* m_lines = nullptr;
  QLabel* m_picture = nullptr;
  QPushButton* m_close = nullptr;
  QPushButton* m_end = nullptr;
  DensityCells* m_cells = nullptr;
  QString m_savedPicture;
  bool m_pictureSaved = false;
};
