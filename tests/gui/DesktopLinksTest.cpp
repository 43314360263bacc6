#include "app/DesktopLinks.h"

#include <QDesktopServices>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#ifdef KORVEL_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#endif

#include <memory>

#ifdef KORVEL_HAVE_DBUS
// Stands in for a file manager on the test's own bus.
class FakeFileManager : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

 public:
  QStringList shownItems;

 public slots:
  void ShowItems(const QStringList& uris, const QString& /*startupId*/) { shownItems += uris; }
};
#endif

// Nothing here may start a real file manager or browser: the test runs on a bus of its own (or on none), and
// QDesktopServices hands every address to this test instead of the desktop.
class DesktopLinksTest : public QObject {
  Q_OBJECT

 public:
  // Before the application exists, so nothing the platform does at start-up reaches the desktop's own bus.
  static void initMain() {
    qputenv("DBUS_SESSION_BUS_ADDRESS", QStringLiteral("unix:path=%1").arg(busSocket()).toUtf8());
  }

 public slots:
  void receiveOpened(const QUrl& address) { m_opened.append(address); }

 private slots:
  void initTestCase() {
#ifdef KORVEL_HAVE_DBUS
    startPrivateBus();
#endif
    for (const char* scheme : {"file", "https", "http"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "receiveOpened");
    }
  }
  void init() { m_opened.clear(); }
  void cleanupTestCase() {
    for (const char* scheme : {"file", "https", "http"}) {
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
#ifdef KORVEL_HAVE_DBUS
    if (m_bus) {
      m_bus->terminate();
      if (!m_bus->waitForFinished(5000)) {
        m_bus->kill();
        m_bus->waitForFinished(5000);
      }
    }
#endif
  }

  // Without a file manager on the bus the file's folder is opened.
  void withoutAFileManagerTheFolderIsOpened() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QVERIFY(showInFileManager(QDir(folder.path()).filePath(QStringLiteral("veri.dat"))));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(QDir(folder.path()).absolutePath())});
  }

  void aFileManagerOnTheBusShowsTheFileItself() {
#ifdef KORVEL_HAVE_DBUS
    if (m_busAddress.isEmpty()) {
      QSKIP("dbus-daemon is not installed");
    }
    QVERIFY(QDBusConnection::sessionBus().isConnected());
    FakeFileManager fileManager;
    QDBusConnection connection = QDBusConnection::connectToBus(m_busAddress, QStringLiteral("file-manager"));
    QVERIFY(connection.isConnected());
    QVERIFY(connection.registerObject(QStringLiteral("/org/freedesktop/FileManager1"), &fileManager,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(connection.registerService(QStringLiteral("org.freedesktop.FileManager1")));

    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString file = QDir(folder.path()).filePath(QStringLiteral("sınav 1.dat"));
    QFile data(file);
    QVERIFY(data.open(QIODevice::WriteOnly));
    data.close();
    QVERIFY(showInFileManager(file));
    QTRY_COMPARE_WITH_TIMEOUT(fileManager.shownItems, QStringList{QUrl::fromLocalFile(file).toString()}, 5000);
    QVERIFY(m_opened.isEmpty());

    // A file that is not there (the program file before any reading, when it lies elsewhere; a data file
    // that was never written) cannot be selected: its folder is opened instead of asking the file manager for
    // it.
    fileManager.shownItems.clear();
    const QString missing = QDir(folder.path()).filePath(QStringLiteral("Korvel.exe"));
    QVERIFY(showInFileManager(missing));
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(QDir(folder.path()).absolutePath())});
    QTest::qWait(100);  // a call on the bus would have arrived by now
    QVERIFY(fileManager.shownItems.isEmpty());

    connection.unregisterService(QStringLiteral("org.freedesktop.FileManager1"));
    connection.unregisterObject(QStringLiteral("/org/freedesktop/FileManager1"));
    QDBusConnection::disconnectFromBus(QStringLiteral("file-manager"));
#else
    QSKIP("built without D-Bus");
#endif
  }

  void webPages() {
    const QUrl page(QStringLiteral("https://destek.example.org/okuma?dil=tr"));
    QVERIFY(openWebPage(page));
    QCOMPARE(m_opened, QList<QUrl>{page});

    m_opened.clear();
    QVERIFY(!openWebPage(QUrl()));
    QVERIFY(!showInFileManager(QString()));
    QVERIFY(m_opened.isEmpty());
  }

#ifndef Q_OS_WIN
  void pictureViewerIsTheFirstInstalledOneFullScreen_data() {
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("program");
    QTest::newRow("the desktop's own viewer first") << QStringList{"feh", "eog"} << QStringLiteral("/usr/bin/eog");
    QTest::newRow("a lighter one when it is alone") << QStringList{"feh"} << QStringLiteral("/usr/bin/feh");
    QTest::newRow("none known") << QStringList{"gimp"} << QString();
  }
  void pictureViewerIsTheFirstInstalledOneFullScreen() {
    QFETCH(QStringList, installed);
    QFETCH(QString, program);
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("gecici2.bmp"));
    const std::optional<ViewerCommand> viewer = fullScreenViewer(picture, [&](const QString& name) {
      return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    });
    QCOMPARE(viewer.has_value(), !program.isEmpty());
    if (!viewer) return;
    QCOMPARE(viewer->program, program);
    QCOMPARE(viewer->arguments, (QStringList{QStringLiteral("--fullscreen"), picture}));
  }
#endif

  void withoutAKnownViewerThePictureGoesToTheDesktop() {
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("gecici2.bmp"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.path().toLocal8Bit());  // no viewer can be found
    const bool opened = openPictureFullScreen(picture);
    qputenv("PATH", path);
    QVERIFY(opened);
    QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(picture)});
  }

 private:
  static QTemporaryDir& busFolder() {
    static QTemporaryDir folder;
    return folder;
  }
  // Where the test's bus listens; with no dbus-daemon nothing listens there and there is no bus at all.
  static QString busSocket() { return busFolder().filePath(QStringLiteral("bus")); }

#ifdef KORVEL_HAVE_DBUS
  // A bus with no services but the ones a test puts on it, so no real file manager can be started.
  void startPrivateBus() {
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty() || !busFolder().isValid()) {
      return;
    }
    const QString socket = busSocket();
    const QString address = QStringLiteral("unix:path=") + socket;
    QFile config(busFolder().filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
      return;
    }
    config.write(QStringLiteral("<busconfig><type>session</type><listen>%1</listen><auth>EXTERNAL</auth>"
                                "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                "<allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                                "</policy></busconfig>")
                     .arg(address)
                     .toUtf8());
    config.close();
    m_bus = std::make_unique<QProcess>();
    m_bus->start(daemon, {QStringLiteral("--nofork"), QStringLiteral("--config-file=") + config.fileName()});
    if (!m_bus->waitForStarted(5000) || !QTest::qWaitFor([&] { return QFile::exists(socket); }, 5000)) {
      return;
    }
    m_busAddress = address;
  }

  std::unique_ptr<QProcess> m_bus;
#endif
  QString m_busAddress;
  QList<QUrl> m_opened;
};

QTEST_MAIN(DesktopLinksTest)
#include "DesktopLinksTest.moc"
