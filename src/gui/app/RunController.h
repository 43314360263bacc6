#pragma once

#include "device/ReaderConnection.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"

#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QThread;

/// What the window shows of a run while it goes: a copy of the views, the
/// counters and the reader's model name, taken on the run's thread.
struct RunSnapshot {
  RunViews views;
  RunCounters counters;
  QString MachineName;
};

/// How a run's thread ended.
enum class RunOutcome {
  Ended,         ///< the run ended its own way (Stop, sheet limit, reader, ...)
  ProgramEnds,   ///< the run ended the program
  OperatorGone,  ///< the window went away while the run asked a question
  Failed,        ///< an unexpected error; the message says which
};

/// Runs reading runs on a thread of their own, so the window repaints and
/// takes the Stop click while the reader feeds and reads.
///
/// While a run is active the window leaves the state the run works on to
/// the run: it reads what the run shows from snapshots, and a change the
/// operator makes meanwhile (the sheet limit, the field-names option) is
/// posted and made on the run's thread at the top of the next sheet cycle,
/// where the run takes window events.
class RunController : public QObject {
  Q_OBJECT
 public:
  /// The live state the snapshots are copied from; all must outlive this
  /// object.
  RunController(const RunViews& views, const RunCounters& counters, const ReaderState& readerState,
                QObject* parent = nullptr);
  ~RunController() override;

  bool isRunning() const { return m_running; }

  /// Starts `job` on the run's thread with the observer to hand to the
  /// run. False when a run is already active.
  bool start(std::function<void(RunObserver&)> job);

  /// Makes `change` on the run's thread at the top of its next cycle, or at
  /// once when no run is active.
  void post(std::function<void()> change);

  /// Takes a snapshot now; called on the run's thread (before a question,
  /// so the operator sees the sheet it is about).
  void publish();

  RunSnapshot snapshot() const;

  /// Waits until the run's thread has ended.
  void wait();

 signals:
  /// A new snapshot is there (on the window's thread; bursts are merged).
  void published();
  /// The run's thread has ended (on the window's thread).
  void finished(RunOutcome outcome, const QString& message);

 private:
  class Observer;
  void applyPosted();
  void deliverFinished(RunOutcome outcome, const QString& message);

  const RunViews& m_views;
  const RunCounters& m_counters;
  const ReaderState& m_readerState;

  std::atomic<bool> m_running{false};
  std::atomic<bool> m_publishPending{false};
  QThread* m_thread = nullptr;
  std::unique_ptr<Observer> m_observer;

  mutable QMutex m_snapshotMutex;
  RunSnapshot m_snapshot;

  QMutex m_postedMutex;
  std::vector<std::function<void()>> m_posted;
};
