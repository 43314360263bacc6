#include "app/FocusConfinement.h"

#include <QAbstractButton>
#include <QApplication>

namespace {

bool takesTabFocus(const QWidget* widget, const QWidget* inside) {
  if ((widget->focusPolicy() & Qt::TabFocus) != Qt::TabFocus) return false;
  if (!widget->isEnabled() || !widget->isVisibleTo(inside)) return false;
  // Arriving on an option that is not selected, Space would change the
  // choice; the group is entered at its selected option.
  const auto* option = qobject_cast<const QAbstractButton*>(widget);
  return !option || !option->autoExclusive() || option->isChecked();
}

void focusFirstControl(QWidget* inside) {
  for (QWidget* widget = inside->nextInFocusChain(); widget != inside; widget = widget->nextInFocusChain()) {
    if (inside->isAncestorOf(widget) && takesTabFocus(widget, inside)) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace

void FocusConfinement::confine(QWidget* window, QWidget* inside) {
  if (!m_active) {
    m_active = true;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
      // Windows of their own (an About window left open) keep their keyboard.
      if (widget->window() != window) continue;
      if (widget == inside || inside->isAncestorOf(widget) || widget->focusPolicy() == Qt::NoFocus) continue;
      m_taken.append({widget, widget->focusPolicy()});
      widget->setFocusPolicy(Qt::NoFocus);
    }
  }
  if (!inside->isAncestorOf(QApplication::focusWidget())) focusFirstControl(inside);
}

void FocusConfinement::release() {
  for (const auto& [widget, policy] : std::as_const(m_taken)) {
    if (widget) widget->setFocusPolicy(policy);
  }
  m_taken.clear();
  m_active = false;
}
