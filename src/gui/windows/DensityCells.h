#pragma once

#include <QColor>
#include <QList>
#include <QRect>
#include <QStyledItemDelegate>

#include <optional>

/// Paints the density grid's text lines (the line number, then the values
/// separated by blanks) with every value in a cell shaded by its darkness,
/// and a frame around the values the reading would take for a mark, so the
/// operator sees the grid at a glance. The texts themselves stay as they
/// are.
class DensityCells : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit DensityCells(QObject* parent = nullptr);

  /// The layout's darkness threshold: a value above it is a mark. None:
  /// no layout, nothing framed.
  void setThreshold(std::optional<int> threshold) { m_threshold = threshold; }
  std::optional<int> threshold() const { return m_threshold; }

  /// The shade of a value's cell: white for 0, darker up to 15 and beyond.
  static QColor cellColour(int value);
  /// The colour of the frame around a value above the threshold.
  static QColor markColour();

  /// One blank-separated number of a text line and where it stands.
  struct Cell {
    QString number;
    QRect rect;
  };
  /// The numbers of a text line painted at `textLeft` in the row `rowRect`
  /// with `metrics`, the line number first.
  static QList<Cell> cells(const QString& text, const QFontMetrics& metrics, int textLeft, const QRect& rowRect);
  /// The left edge of an item's text, as the plain item painting puts it.
  static int textLeft(const QStyleOptionViewItem& option);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  /// A little taller than plain text, so a mark's frame clears the digits.
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  std::optional<int> m_threshold;
};
