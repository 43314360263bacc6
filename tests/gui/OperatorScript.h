#pragma once

// Answers the modal boxes the window shows, one scripted answer a box, the
// way an operator at the desk would: a message box by the button of that
// caption, an input box by typing the answer ("<cancel>" cancels it).

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

class OperatorScript : public QObject {
 public:
  explicit OperatorScript(QStringList answers = {}) : m_answers(std::move(answers)) {
    connect(&m_timer, &QTimer::timeout, this, &OperatorScript::poll);
    m_timer.start(10);
  }

  void add(const QString& answer) { m_answers.append(answer); }
  /// Every box answered so far: its title, a "|", its text.
  const QStringList& seen() const { return m_seen; }
  /// Answers that fitted no box, and boxes for which no answer was left.
  const QStringList& problems() const { return m_problems; }
  bool allUsed() const { return m_answers.isEmpty(); }

 private:
  void poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("answered").toBool()) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      modal->setProperty("answered", true);
      m_seen.append(box->windowTitle() + u'|' + box->text());
      const QString answer = next(box->text());
      for (QAbstractButton* button : box->buttons()) {
        if (button->text().remove(u'&') == answer) {
          button->click();
          return;
        }
      }
      m_problems.append(QStringLiteral("no button %1 on: %2").arg(answer, box->text()));
      box->buttons().value(0)->click();
    } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      modal->setProperty("answered", true);
      m_seen.append(input->windowTitle() + u'|' + input->labelText());
      const QString answer = next(input->labelText());
      if (answer == QStringLiteral("<cancel>")) {
        input->reject();
      } else {
        input->setTextValue(answer);
        input->accept();
      }
    }
  }

  QString next(const QString& text) {
    if (m_answers.isEmpty()) {
      m_problems.append(QStringLiteral("no answer left for: ") + text);
      return {};
    }
    return m_answers.takeFirst();
  }

  QTimer m_timer;
  QStringList m_answers;
  QStringList m_seen;
  QStringList m_problems;
};
