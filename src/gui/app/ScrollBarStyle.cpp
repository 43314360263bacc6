#include "app/ScrollBarStyle.h"

#include <QApplication>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionSlider>

namespace {

// Dark enough to stand out from the light track, light enough for the
// style's own shading and borders to show on it.
const QColor kThumb(104, 104, 104);

}  // namespace

ScrollBarStyle::ScrollBarStyle(QObject* owner)
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
  setParent(owner);
}

void ScrollBarStyle::applyTo(QWidget* root) {
  auto* style = new ScrollBarStyle(root);
  for (QScrollBar* bar : root->findChildren<QScrollBar*>()) bar->setStyle(style);
}

void ScrollBarStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
  const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
  if (control != CC_ScrollBar || bar == nullptr || !(bar->subControls & SC_ScrollBarSlider)) {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    return;
  }
  // The track and the arrows as the style draws them, then the thumb over
  // them in its own colour.
  QStyleOptionSlider track(*bar);
  track.subControls &= ~SC_ScrollBarSlider;
  QProxyStyle::drawComplexControl(control, &track, painter, widget);
  QStyleOptionSlider thumb(*bar);
  thumb.subControls = SC_ScrollBarSlider;
  thumb.palette.setColor(QPalette::Button, kThumb);
  QProxyStyle::drawComplexControl(control, &thumb, painter, widget);
}
