#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>

/// Fetches the update page in the background and reports a new-version
/// notice when the page announces a build newer than this one.
///
/// One fetch at a time: a check asked for while one is under way is
/// ignored. Every fetch is bounded in time and in size, and any failure
/// (no network, an error status, a timeout, a page too large) ends it
/// quietly: the operator is not troubled about an optional notice.
class UpdateCheck : public QObject {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeout{8000};
  static constexpr qint64 kDefaultMaxBodyBytes = 64 * 1024;

  explicit UpdateCheck(QObject* parent = nullptr);
  ~UpdateCheck() override;

  /// Starts fetching `page` unless a fetch is under way or `page` is empty.
  void check(const QUrl& page);
  bool isChecking() const { return m_reply != nullptr; }

  /// The longest a fetch may take from start to end, redirects included.
  void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
  /// Larger pages are abandoned as soon as they exceed this.
  void setMaxBodyBytes(qint64 bytes) { m_maxBodyBytes = bytes; }

 signals:
  /// The page announces a newer build; `notice` is the text to show.
  void noticeFound(const QString& notice);
  /// A fetch has ended, whatever its outcome.
  void checkEnded();

 private:
  void takeData();
  void abandon();
  void finish();

  QNetworkAccessManager m_network;
  QPointer<QNetworkReply> m_reply;
  QTimer m_deadline;
  QByteArray m_body;
  bool m_abandoned = false;
  std::chrono::milliseconds m_timeout = kDefaultTimeout;
  qint64 m_maxBodyBytes = kDefaultMaxBodyBytes;
};
