#include "windows/DensityCells.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

DensityCells::DensityCells(QObject* parent) : QStyledItemDelegate(parent) {}

QColor DensityCells::cellColour(int value) {
  const double darkness = std::clamp(value, 0, 15) / 15.0;
  return QColor::fromHsv(215, static_cast<int>(70 * darkness), 255 - static_cast<int>(195 * darkness));
}

QColor DensityCells::markColour() { return QColor(220, 30, 30); }

QList<DensityCells::Cell> DensityCells::cells(const QString& text, const QFontMetrics& metrics, int textLeft,
                                             const QRect& rowRect) {
  QList<Cell> result;
  qsizetype start = 0;
  while (start < text.size()) {
    if (text[start] == u' ') {
      ++start;
      continue;
    }
    qsizetype end = start;
    while (end < text.size() && text[end] != u' ') ++end;
    // Half a blank on either side, so neighbouring cells just touch.
    const int half = metrics.horizontalAdvance(u' ') / 2;
    const int left = textLeft + metrics.horizontalAdvance(text.left(start)) - half;
    const int right = textLeft + metrics.horizontalAdvance(text.left(end)) + half;
    result.append({text.mid(start, end - start), QRect(left, rowRect.top(), right - left, rowRect.height())});
    start = end;
  }
  return result;
}

int DensityCells::textLeft(const QStyleOptionViewItem& option) {
  const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
  return option.rect.left() + style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
}

void DensityCells::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QStyle* style = item.widget ? item.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

  painter->save();
  painter->setFont(item.font);
  const QList<Cell> numbers = cells(text, item.fontMetrics, textLeft(item), item.rect);
  const bool selected = item.state.testFlag(QStyle::State_Selected);
  for (qsizetype i = 0; i < numbers.size(); ++i) {
    const QRect& cell = numbers[i].rect;
    const QString& number = numbers[i].number;
    QColor ink = item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (i > 0) {
      const int value = number.toInt();
      const QColor shade = cellColour(value);
      painter->fillRect(cell, shade);
      ink = shade.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
      if (m_threshold && value > *m_threshold) {
        painter->setPen(QPen(markColour(), 2));
        painter->drawRect(cell.adjusted(1, 1, -1, -1));
      }
    }
    painter->setPen(ink);
    painter->drawText(cell, Qt::AlignCenter, number);
  }
  painter->restore();
}

QSize DensityCells::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 6);
}
