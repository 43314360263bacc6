#pragma once

#include <QScrollArea>

class QLabel;

/// The last saved record (Label8) in a view of its own that scrolls both
/// ways: every line of a long record can be read, and however long the
/// record, it never widens the window. It shows a set number of whole lines,
/// or, with none set, as many as the window gives it room for.
class RecordView : public QScrollArea {
  Q_OBJECT
 public:
  explicit RecordView(QLabel* record, QWidget* parent = nullptr);

  /// The number of whole lines shown; 0: as many as there is room for.
  void setLinesShown(int lines);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fitHeight();

  QLabel* m_record = nullptr;
  int m_lines = 0;
};
