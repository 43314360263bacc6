// The main window on the screens operators' desks have: a 1024 x 768
// screen beside a 1366 x 768 one (offscreen, the test's own two screens).
// The window must fit each of them with every command in reach.

#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "device/ReaderSelection.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// The screens of the test's platform, left to right.
struct ScreenSize {
  const char* name;
  int width;
  int height;
};
constexpr ScreenSize kScreens[] = {{"small", 1024, 768}, {"wide", 1366, 768}};

QScreen* screenNamed(const QString& name) {
  for (QScreen* screen : QGuiApplication::screens())
    if (screen->name() == name) return screen;
  return nullptr;
}

// A program folder with the sample layouts and settings, and the window on
// one screen, shown as the program shows it.
class ScreenDesk {
 public:
  explicit ScreenDesk(QScreen* screen) {
    const QDir samples(QStringLiteral(KORVEL_SAMPLES));
    for (const QString& name : samples.entryList({QStringLiteral("*.omrf"), QStringLiteral("sekonic.ini")}))
      QFile::copy(samples.filePath(name), folder.filePath(name));
    MainWindowOptions options;
    options.programFolder = folder.path();
    options.reader = ReaderSelection::open(QStringLiteral("sim:" KORVEL_SAMPLES "/exam-clean.deck")).reader;
    options.chooser = [this](QWidget*, const QString&, const QString&, const QStringList&) { return chosen; };
    options.startDesktopPrograms = false;
    window = std::make_unique<MainWindow>(std::move(options));
    window->setScreen(screen);
    window->move(screen->availableGeometry().topLeft());
    window->show();
    if (!QTest::qWaitForWindowActive(window.get())) window->Form_Activate();
    QCoreApplication::processEvents();
  }

  // A widget's place on the screen.
  static QRect onScreen(const QWidget* widget) { return {widget->mapToGlobal(QPoint(0, 0)), widget->size()}; }

  QTemporaryDir folder;
  QString chosen;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class MainWindowScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    for (const ScreenSize& size : kScreens) {
      QScreen* screen = screenNamed(QString::fromLatin1(size.name));
      QVERIFY2(screen, size.name);
      QCOMPARE(screen->size(), QSize(size.width, size.height));
    }
  }

  void everyCommandIsOnTheScreen_data() {
    QTest::addColumn<QString>("screen");
    for (const ScreenSize& size : kScreens)
      QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(size.width).arg(size.height)))
          << QString::fromLatin1(size.name);
  }
  void everyCommandIsOnTheScreen() {
    QFETCH(QString, screen);
    QScreen* target = screenNamed(screen);
    ScreenDesk desk(target);
    MainWindow& window = *desk.window;
    const QRect available = target->availableGeometry();
    QVERIFY2(available.contains(window.frameGeometry()),
             qPrintable(QStringLiteral("window %1 on %2")
                            .arg(QDebug::toString(window.frameGeometry()), QDebug::toString(available))));
    QStringList commands;
    for (QPushButton* button : window.findChildren<QPushButton*>()) {
      if (!button->objectName().startsWith(QStringLiteral("Command")) || !button->isVisibleTo(&window))
        continue;
      commands << button->objectName();
      const QRect place = ScreenDesk::onScreen(button);
      QVERIFY2(available.contains(place) && window.geometry().contains(place),
               qPrintable(QStringLiteral("%1 at %2").arg(button->objectName(), QDebug::toString(place))));
      QVERIFY2(button->height() >= button->minimumSizeHint().height(), qPrintable(button->objectName()));
    }
    QCOMPARE(commands.size(), 10);
    // The preview and the views are there, each whole and of a size to use.
    for (const char* name : {"Picture1", "Label8", "Text14", "WebBrowser1"}) {
      auto* view = window.findChild<QWidget*>(QString::fromLatin1(name));
      QVERIFY2(view, name);
      const QRect place = ScreenDesk::onScreen(view);
      QVERIFY2(
          window.geometry().contains(place) && place.width() >= 80 && place.height() >= 20,
          qPrintable(QStringLiteral("%1 at %2").arg(QString::fromLatin1(name), QDebug::toString(place))));
    }
  }

  // Screens the offscreen platform cannot show: task bars, and a screen
  // beside another; a window manager's borders of 6 pixels and a title bar
  // of 34.
  void placementOnTheFreeArea_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("fillsScreen");
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 768) << QRect(6, 34, 1012, 728) << true;
    QTest::newRow("1366x768, a task bar at the foot")
        << QRect(0, 0, 1366, 728) << QRect(6, 34, 1354, 688) << true;
    QTest::newRow("1366x768 to the right, a task bar on top")
        << QRect(1024, 40, 1366, 728) << QRect(1030, 74, 1354, 688) << true;
    QTest::newRow("1920x1080: the preferred size, centred")
        << QRect(0, 0, 1920, 1040) << QRect(410, 174, 1100, 720) << false;
    QTest::newRow("800x600, below the minimum: the title bar stays on the screen")
        << QRect(0, 0, 800, 600) << QRect(6, 34, 900, 560) << true;
  }
  void placementOnTheFreeArea() {
    QFETCH(QRect, available);
    QFETCH(QRect, expected);
    QFETCH(bool, fillsScreen);
    const QMargins frame(6, 34, 6, 6);
    const WindowPlacement placement = placeWindow(QSize(1100, 720), QSize(900, 500), available, frame);
    QCOMPARE(placement.geometry, expected);
    QCOMPARE(placement.fillsScreen, fillsScreen);
    if (available.width() >= 900 + 12) QVERIFY(available.contains(placement.geometry.marginsAdded(frame)));
  }
};

int main(int argc, char* argv[]) {
  // Qt's offscreen platform takes its screens from a file.
  QTemporaryDir configFolder;
  const QString config = configFolder.filePath(QStringLiteral("screens.json"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  QJsonArray screens;
  int left = 0;
  for (const ScreenSize& size : kScreens) {
    screens.append(QJsonObject{{QStringLiteral("name"), QString::fromLatin1(size.name)},
                               {QStringLiteral("x"), left},
                               {QStringLiteral("y"), 0},
                               {QStringLiteral("width"), size.width},
                               {QStringLiteral("height"), size.height},
                               {QStringLiteral("logicalDpi"), 96}});
    left += size.width;
  }
  file.write(QJsonDocument(QJsonObject{{QStringLiteral("screens"), screens}}).toJson());
  file.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));

  QApplication application(argc, argv);
  MainWindowScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MainWindowScreenTest.moc"
