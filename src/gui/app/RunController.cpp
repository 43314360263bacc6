#include "app/RunController.h"

#include "app/Operator.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QThread>

#include <exception>

class RunController::Observer : public RunObserver {
 public:
  explicit Observer(RunController& controller) : m_controller(controller) {}
  void processEvents() override {
    m_controller.applyPosted();
    m_controller.publish();
  }
  void sheetFinished(const RunCounters&) override { m_controller.publish(); }

 private:
  RunController& m_controller;
};

RunController::RunController(const RunViews& views, const RunCounters& counters, const ReaderState& readerState,
                             QObject* parent)
    : QObject(parent),
      m_views(views),
      m_counters(counters),
      m_readerState(readerState),
      m_observer(std::make_unique<Observer>(*this)) {
  m_snapshot = {m_views, m_counters, m_readerState.MachineName};
}

RunController::~RunController() { wait(); }

bool RunController::start(std::function<void(RunObserver&)> job) {
  if (m_running.exchange(true)) return false;
  wait();  // the thread of the run before, already past its end
  publish();
  m_thread = QThread::create([this, job = std::move(job)] {
    RunOutcome outcome = RunOutcome::Ended;
    QString message;
    try {
      job(*m_observer);
    } catch (const ProgramEnd&) {
      outcome = RunOutcome::ProgramEnds;
    } catch (const OperatorGone&) {
      outcome = RunOutcome::OperatorGone;
    } catch (const std::exception& error) {
      outcome = RunOutcome::Failed;
      message = QString::fromLocal8Bit(error.what());
    }
    applyPosted();  // a change posted after the last cycle is not lost
    publish();
    QMetaObject::invokeMethod(
        this, [this, outcome, message] { deliverFinished(outcome, message); }, Qt::QueuedConnection);
  });
  m_thread->setObjectName(QStringLiteral("reading run"));
  m_thread->start();
  return true;
}

void RunController::post(std::function<void()> change) {
  if (!m_running) {
    change();
    return;
  }
  QMutexLocker lock(&m_postedMutex);
  m_posted.push_back(std::move(change));
}

void RunController::applyPosted() {
  std::vector<std::function<void()>> changes;
  {
    QMutexLocker lock(&m_postedMutex);
    changes.swap(m_posted);
  }
  for (auto& change : changes) change();
}

void RunController::publish() {
  {
    QMutexLocker lock(&m_snapshotMutex);
    m_snapshot.views = m_views;
    m_snapshot.counters = m_counters;
    m_snapshot.MachineName = m_readerState.MachineName;
  }
  if (m_publishPending.exchange(true)) return;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_publishPending = false;
        emit published();
      },
      Qt::QueuedConnection);
}

RunSnapshot RunController::snapshot() const {
  QMutexLocker lock(&m_snapshotMutex);
  return m_snapshot;
}

void RunController::wait() {
  if (!m_thread) return;
  m_thread->wait();
  delete m_thread;
  m_thread = nullptr;
}

void RunController::deliverFinished(RunOutcome outcome, const QString& message) {
  wait();
  m_running = false;
  // Changes posted between the thread's last look and now are made here,
  // on the window's thread, which owns the state again.
  applyPosted();
  emit finished(outcome, message);
}
