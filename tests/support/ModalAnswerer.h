#pragma once

// Answers the next modal box of a GUI test: a timer polls
// QApplication::activeModalWidget() and hands the box to the answer once.
// A box still open when the time limit runs out is closed by force and the
// answerer reports a time-out, so a test that fails to answer cannot hang.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(QWidget* box)> answer, int timeLimitMs = 10000)
      : m_answer(std::move(answer)) {
    m_poll.setInterval(10);
    QObject::connect(&m_poll, &QTimer::timeout, [this] {
      QWidget* box = QApplication::activeModalWidget();
      if (box == nullptr) {
        return;
      }
      m_poll.stop();
      m_answered = true;
      m_box = box;
      m_answer(box);
    });
    m_limit.setSingleShot(true);
    m_limit.setInterval(timeLimitMs);
    QObject::connect(&m_limit, &QTimer::timeout, [this] {
      m_poll.stop();
      QWidget* box = m_answered ? m_box.data() : QApplication::activeModalWidget();
      if (!m_answered || (box != nullptr && box->isVisible())) {
        m_timedOut = true;
      }
      if (box != nullptr && box->isVisible()) {
        if (auto* dialog = qobject_cast<QDialog*>(box)) {
          dialog->done(QDialog::Rejected);
        } else {
          box->hide();
        }
      }
    });
    m_poll.start();
    m_limit.start();
  }

  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  /// A box was found and handed to the answer.
  bool answered() const { return m_answered; }
  /// No box came in time, or the answer left it open.
  bool timedOut() const { return m_timedOut; }

 private:
  std::function<void(QWidget*)> m_answer;
  QTimer m_poll;
  QTimer m_limit;
  QPointer<QWidget> m_box;
  bool m_answered = false;
  bool m_timedOut = false;
};
