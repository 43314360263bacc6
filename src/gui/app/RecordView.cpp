#include "app/RecordView.h"

#include <QEvent>
#include <QLabel>
#include <QScrollBar>

RecordView::RecordView(QLabel* record, QWidget* parent) : QScrollArea(parent), m_record(record) {
  setObjectName(QStringLiteral("Label8View"));
  setFrameShape(QFrame::NoFrame);
  setWidgetResizable(true);
  setWidget(record);
  // The view scrolls by whole lines, so a line at rest stands whole.
  verticalScrollBar()->setSingleStep(record->fontMetrics().lineSpacing());
  horizontalScrollBar()->installEventFilter(this);
  fitHeight();
}

void RecordView::setLinesShown(int lines) {
  if (lines == m_lines) return;
  m_lines = lines;
  fitHeight();
}

bool RecordView::eventFilter(QObject* watched, QEvent* event) {
  // The sideways bar comes and goes with the record's widest line; the
  // lines shown keep their room above it.
  if (watched == horizontalScrollBar() && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
    fitHeight();
  return QScrollArea::eventFilter(watched, event);
}

void RecordView::fitHeight() {
  const int margins = 2 * (m_record->margin() + frameWidth());
  const int lineSpacing = m_record->fontMetrics().lineSpacing();
  if (m_lines <= 0) {
    setMinimumHeight(2 * lineSpacing + margins);
    setMaximumHeight(QWIDGETSIZE_MAX);
    return;
  }
  const int bar = horizontalScrollBar()->isVisibleTo(this) ? horizontalScrollBar()->sizeHint().height() : 0;
  setFixedHeight(m_lines * lineSpacing + margins + bar);
}
