// The update check against a web server of the test's own on the loopback
// interface: which pages give a notice, which failures stay quiet, and that
// the main window neither piles up fetches nor loses a notice it showed.

#include "app/MainWindow.h"
#include "app/UpdateCheck.h"
#include "sim/ReaderSelection.h"

#include <QElapsedTimer>
#include <QHash>
#include <QLabel>
#include <QNetworkProxy>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

using namespace std::chrono_literals;

// How a route of the server answers.
struct Route {
  enum class Kind { Answer, Silent, Trickle } kind = Kind::Answer;
  QByteArray response;  // the whole response, status line and headers included
};

QByteArray httpResponse(const QByteArray& status, const QByteArray& contentType, const QByteArray& body,
                        bool withLength = true, const QByteArray& extraHeaders = {}) {
  QByteArray out = "HTTP/1.1 " + status + "\r\nConnection: close\r\n";
  if (!contentType.isEmpty()) out += "Content-Type: " + contentType + "\r\n";
  if (withLength) out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
  return out + extraHeaders + "\r\n" + body;
}

QByteArray plainPage(const QByteArray& body) {
  return httpResponse("200 OK", "text/plain; charset=utf-8", body);
}

// A small HTTP server on 127.0.0.1 answering each path with a canned
// response. It counts the connections it accepts; everything it opened is
// closed when it goes.
class PageServer : public QObject {
 public:
  PageServer() {
    if (!m_server.listen(QHostAddress::LocalHost, 0)) qFatal("the test server cannot listen");
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = m_server.nextPendingConnection()) {
        ++connections;
        m_sockets.append(socket);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
      }
    });
  }
  ~PageServer() override {
    for (const QPointer<QTcpSocket>& socket : std::as_const(m_sockets))
      if (socket) socket->abort();
  }

  QUrl url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
  }
  void route(const QByteArray& path, Route answer) { m_routes.insert(path, std::move(answer)); }
  void answer(const QByteArray& path, const QByteArray& response) {
    route(path, {Route::Kind::Answer, response});
  }

  int connections = 0;

 private:
  void serve(QTcpSocket* socket) {
    QByteArray& request = m_requests[socket];
    request += socket->readAll();
    if (!request.contains("\r\n\r\n") || socket->property("served").toBool()) return;
    socket->setProperty("served", true);
    const QByteArray path = request.split(' ').value(1);
    const Route answer =
        m_routes.value(path, {Route::Kind::Answer, httpResponse("404 Not Found", "text/plain", "")});
    switch (answer.kind) {
      case Route::Kind::Answer:
        socket->write(answer.response);
        socket->disconnectFromHost();
        break;
      case Route::Kind::Silent:
        break;
      case Route::Kind::Trickle: {
        // Headers at once, then one byte of body now and then, for ever.
        socket->write(answer.response);
        auto* drip = new QTimer(socket);
        connect(drip, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        drip->start(50);
        break;
      }
    }
  }

  QTcpServer m_server;
  QHash<QByteArray, Route> m_routes;
  QHash<QTcpSocket*, QByteArray> m_requests;
  QList<QPointer<QTcpSocket>> m_sockets;
};

// Runs one check to its end; the notices it gave.
QStringList runCheck(UpdateCheck& check, const QUrl& page, int waitMs = 10000) {
  QSignalSpy notices(&check, &UpdateCheck::noticeFound);
  QSignalSpy ended(&check, &UpdateCheck::checkEnded);
  check.check(page);
  if (!ended.wait(waitMs)) return {QStringLiteral("<the check did not end>")};
  QStringList found;
  for (const QList<QVariant>& args : std::as_const(notices)) found << args.at(0).toString();
  return found;
}

const QByteArray kAnnouncement = QByteArrayLiteral("Sürüm No:125 Yeni özellikler");
const QString kNotice = QStringLiteral("Yeni Sürüm 125 Yeni özellikler");

}  // namespace

class UpdateCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // Loopback traffic must not go through a proxy the machine may name.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
  }

  void pages_data() {
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<QString>("notice");  // empty: none

    QTest::newRow("plain text announcing 125") << plainPage(kAnnouncement) << kNotice;
    QTest::newRow("plain text without a type, no length")
        << httpResponse("200 OK", {}, kAnnouncement, false) << kNotice;
    QTest::newRow("charset named by the reply")
        << httpResponse("200 OK", "text/plain; charset=windows-1254", "S\xFCr\xFCm No:126 \xFE\xF0\xFD")
        << QStringLiteral("Yeni Sürüm 126 şğı");
    QTest::newRow("html: the visible text, not the tags")
        << httpResponse("200 OK", "text/html",
                        "<html><head><title>x</title></head><body><b>S&uuml;r&uuml;m No:</b>"
                        "<span class=\"v\">125</span> Yeni</body></html>")
        << QStringLiteral("Yeni Sürüm 125 Yeni");
    // Counted on the tags, the tenth character would be inside "<body>".
    QTest::newRow("html without a type")
        << httpResponse("200 OK", "application/octet-stream", "<p>123456789130 yeni</p>")
        << QStringLiteral("Yeni Sürüm 130 yeni");
    QTest::newRow("html naming its charset in a meta tag")
        << httpResponse("200 OK", "text/html",
                        "<html><head><meta charset=\"windows-1254\"></head><body>S\xFCr\xFCm No:127 "
                        "\xFE</body></html>")
        << QStringLiteral("Yeni Sürüm 127 ş");
    QTest::newRow("the running build") << plainPage("Sürüm No:124 Yeni") << QString();
    QTest::newRow("four point one two five") << plainPage("Sürüm No:4.125") << QString();
    QTest::newRow("a letter at the tenth character") << plainPage("Sürüm No:v125") << QString();
    QTest::newRow("empty page") << plainPage("") << QString();
    QTest::newRow("404 with a newer number in its body")
        << httpResponse("404 Not Found", "text/plain", kAnnouncement) << QString();
    QTest::newRow("500 with a newer number in its body")
        << httpResponse("500 Internal Server Error", "text/plain", kAnnouncement) << QString();
    QTest::newRow("garbage instead of http") << QByteArray("\x01\x02 no http here\r\n\r\n") << QString();

    const QByteArray huge = kAnnouncement + QByteArray(UpdateCheck::kDefaultMaxBodyBytes, 'x');
    QTest::newRow("too large, declared") << plainPage(huge) << QString();
    QTest::newRow("too large, undeclared") << httpResponse("200 OK", "text/plain", huge, false) << QString();
    QTest::newRow("exactly at the cap")
        << plainPage(kAnnouncement +
                     QByteArray(UpdateCheck::kDefaultMaxBodyBytes - kAnnouncement.size(), 'x'))
        << kNotice + QString(UpdateCheck::kDefaultMaxBodyBytes - kAnnouncement.size(), u'x');
  }

  void pages() {
    QFETCH(QByteArray, response);
    QFETCH(QString, notice);
    PageServer server;
    server.answer("/surum.txt", response);
    UpdateCheck check;
    const QStringList found = runCheck(check, server.url(QStringLiteral("/surum.txt")));
    QCOMPARE(found, notice.isEmpty() ? QStringList() : QStringList{notice});
    QVERIFY(!check.isChecking());
  }

  void redirectsAreFollowed() {
    PageServer server;
    server.answer("/eski", httpResponse("302 Found", "text/plain", "", true, "Location: /yeni\r\n"));
    server.answer("/yeni", plainPage(kAnnouncement));
    UpdateCheck check;
    QCOMPARE(runCheck(check, server.url(QStringLiteral("/eski"))), QStringList{kNotice});
  }

  void endlessRedirectsEndQuietly() {
    PageServer server;
    server.answer("/loop",
                  httpResponse("302 Found", "text/plain", kAnnouncement, true, "Location: /loop\r\n"));
    UpdateCheck check;
    QCOMPARE(runCheck(check, server.url(QStringLiteral("/loop"))), QStringList());
  }

  void unresponsiveServersEndWithinTheTimeout_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("accepts and never answers") << static_cast<int>(Route::Kind::Silent);
    // Never silent for long, so only a limit on the whole fetch stops it.
    QTest::newRow("trickles one byte at a time") << static_cast<int>(Route::Kind::Trickle);
  }

  void unresponsiveServersEndWithinTheTimeout() {
    QFETCH(int, kind);
    PageServer server;
    server.route("/surum.txt", {static_cast<Route::Kind>(kind),
                                "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n" + kAnnouncement});
    UpdateCheck check;
    check.setTimeout(400ms);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(runCheck(check, server.url(QStringLiteral("/surum.txt")), 5000), QStringList());
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(server.connections, 1);
  }

  void refusedConnectionEndsQuietly() {
    quint16 port = 0;
    {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      port = closed.serverPort();
    }
    UpdateCheck check;
    QCOMPARE(runCheck(check, QUrl(QStringLiteral("http://127.0.0.1:%1/surum.txt").arg(port))), QStringList());
  }

  void emptyAddressStartsNothing() {
    UpdateCheck check;
    QSignalSpy ended(&check, &UpdateCheck::checkEnded);
    check.check(QUrl());
    QVERIFY(!check.isChecking());
    QTest::qWait(50);
    QCOMPARE(ended.count(), 0);
  }

  void destroyedWhileFetching() {
    PageServer server;
    server.route("/surum.txt", {Route::Kind::Silent, {}});
    auto check = std::make_unique<UpdateCheck>();
    QSignalSpy ended(check.get(), &UpdateCheck::checkEnded);
    check->check(server.url(QStringLiteral("/surum.txt")));
    QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 5000);
    check.reset();
    QTest::qWait(50);  // nothing of the abandoned fetch may reach a dead object
  }

  // Through the window: the notice appears on activation, survives a later
  // page without a newer build, and activations while a fetch is under way
  // do not start another.
  void windowShowsTheNoticeAndKeepsIt() {
    PageServer server;
    server.answer("/surum.txt", plainPage(kAnnouncement));
    QTemporaryDir folder;
    MainWindow window(windowOptions(folder.path(), server.url(QStringLiteral("/surum.txt"))));
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label2_7"));
    QVERIFY(label);
    QVERIFY(label->text().isEmpty());

    window.Form_Activate();
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), kNotice, 10000);

    auto* check = window.findChild<UpdateCheck*>(QStringLiteral("UpdateCheck"));
    QVERIFY(check);
    for (const QByteArray& later :
         {plainPage("Sürüm No:124"), httpResponse("500 Internal Server Error", "", "")}) {
      server.answer("/surum.txt", later);
      QSignalSpy ended(check, &UpdateCheck::checkEnded);
      window.Form_Activate();
      QVERIFY(ended.wait(10000));
      QCOMPARE(label->text(), kNotice);
    }

    server.answer("/surum.txt", plainPage("Sürüm No:126 Daha da yeni"));
    window.Form_Activate();
    QTRY_COMPARE_WITH_TIMEOUT(label->text(), QStringLiteral("Yeni Sürüm 126 Daha da yeni"), 10000);
  }

  void windowActivationsDoNotPileUpFetches() {
    PageServer server;
    server.route("/surum.txt", {Route::Kind::Silent, {}});
    QTemporaryDir folder;
    MainWindow window(windowOptions(folder.path(), server.url(QStringLiteral("/surum.txt"))));
    auto* check = window.findChild<UpdateCheck*>(QStringLiteral("UpdateCheck"));
    QVERIFY(check);
    check->setTimeout(1500ms);
    for (int i = 0; i < 5; ++i) {
      window.Form_Activate();
      QTest::qWait(20);
    }
    QTRY_COMPARE_WITH_TIMEOUT(server.connections, 1, 5000);
    QTest::qWait(200);
    QCOMPARE(server.connections, 1);

    // Once that fetch has timed out, the next activation fetches again.
    QTRY_VERIFY_WITH_TIMEOUT(!check->isChecking(), 5000);
    server.answer("/surum.txt", plainPage(kAnnouncement));
    window.Form_Activate();
    QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel*>(QStringLiteral("Label2_7"))->text(), kNotice, 10000);
    QCOMPARE(server.connections, 2);
  }

  void windowWithoutAnUpdatePageNeverFetches() {
    QTemporaryDir folder;
    MainWindow window(windowOptions(folder.path(), QUrl()));
    window.Form_Activate();
    auto* check = window.findChild<UpdateCheck*>(QStringLiteral("UpdateCheck"));
    QVERIFY(check);
    QVERIFY(!check->isChecking());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Label2_7"))->text().isEmpty());
  }

 private:
  static MainWindowOptions windowOptions(const QString& folder, const QUrl& updatePage) {
    MainWindowOptions options;
    options.programFolder = folder;
    options.reader = ReaderSelection::open(QStringLiteral("sim:" KORVEL_SAMPLES "/exam-clean.deck")).reader;
    options.startDesktopPrograms = false;
    options.updatePage = updatePage;
    return options;
  }
};

QTEST_MAIN(UpdateCheckTest)
#include "UpdateCheckTest.moc"
