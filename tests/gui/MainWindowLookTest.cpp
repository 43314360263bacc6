// The main window as the operator sees it, on the screens operators' desks
// have: a 1024 x 768 screen beside a 1366 x 768 one (offscreen, the test's
// own two screens). The window fits each of them with every command in
// reach, the whole last record can be read, and the controls stand out
// from the window's colours.

#include "OperatorScript.h"

#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "sim/ReaderSelection.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// The screens of the test's platform, left to right.
struct ScreenSize {
  const char* name;
  int width;
  int height;
};
constexpr ScreenSize kScreens[] = {{"small", 1024, 768}, {"wide", 1366, 768}};

// How far two colours stand apart to the eye: the ratio of their relative
// luminances, 1 for the same colour to 21 for black on white. Parts of a
// control want 3 or more against what lies around them.
double contrast(const QColor& first, const QColor& second) {
  const auto luminance = [](const QColor& colour) {
    const auto channel = [](double value) {
      return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
           0.0722 * channel(colour.blueF());
  };
  const double lighter = std::max(luminance(first), luminance(second));
  const double darker = std::min(luminance(first), luminance(second));
  return (lighter + 0.05) / (darker + 0.05);
}

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

  bool waitForRunEnd() {
    QElapsedTimer clock;
    clock.start();
    while (window->isRunning() && clock.elapsed() < 60000) QTest::qWait(10);
    QTest::qWait(20);
    return !window->isRunning();
  }

  // A widget's place on the screen.
  static QRect onScreen(const QWidget* widget) { return {widget->mapToGlobal(QPoint(0, 0)), widget->size()}; }

  QTemporaryDir folder;
  QString chosen;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

class MainWindowLookTest : public QObject {
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

  // The last saved record of the exam layout, 103 fields under the two
  // rulers: in code page 1254 the raw view shows it too, in UTF-8 the
  // record's own view is all the operator has.
  void lastRecordCanBeReadWhole_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("rawViewShown");
    QTest::newRow("code page 1254") << QStringLiteral("EXAM") << true;
    QTest::newRow("UTF-8") << QStringLiteral("EXAM-UTF8") << false;
  }
  void lastRecordCanBeReadWhole() {
    QFETCH(QString, layout);
    QFETCH(bool, rawViewShown);
    QScreen* small = screenNamed(QStringLiteral("small"));
    ScreenDesk desk(small);
    MainWindow& window = *desk.window;
    const int widthBefore = window.frameGeometry().width();
    window.findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(layout);
    desk.chosen = desk.folder.filePath(QStringLiteral("sinav.dat"));
    OperatorScript answers({QStringLiteral("Hayır")});  // "Tepsi Boş ... Devam edilecek mi?"
    window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QVERIFY(desk.waitForRunEnd());
    QVERIFY(answers.problems().isEmpty());
    QCOMPARE(window.findChild<QPlainTextEdit*>(QStringLiteral("Text14"))->isVisible(), rawViewShown);

    auto* record = window.findChild<QLabel*>(QStringLiteral("Label8"));
    QStringList lines = record->text().remove(u'\r').split(u'\n');
    if (lines.last().isEmpty()) lines.removeLast();
    QCOMPARE(lines.size(), 2 + 103);
    QCOMPARE(lines[2], QStringLiteral("2023104233"));  // the twentieth sheet
    QVERIFY(lines[3].startsWith(QStringLiteral("UMUT_ÇAKIR_")));
    // The label gives every line its room ...
    const QFontMetrics metrics(record->font());
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const int margin = record->margin();
    const QRect room = record->contentsRect().marginsRemoved(QMargins(margin, margin, margin, margin));
    const QRect text(room.topLeft(), QSize(widest, static_cast<int>(lines.size()) * metrics.lineSpacing()));
    QVERIFY2(room.contains(text), qPrintable(QDebug::toString(room)));
    // ... and what is not in view at once, the operator scrolls to.
    QAbstractScrollArea* area = nullptr;
    for (QWidget* up = record->parentWidget(); up && !area; up = up->parentWidget())
      area = qobject_cast<QAbstractScrollArea*>(up);
    QVERIFY2(area, "the record is cut where the window ends it");
    QVERIFY(area->isVisible());
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
      bar->setValue(bar->minimum());
    QVERIFY(record->visibleRegion().contains(text.topLeft()));
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
      bar->setValue(bar->maximum());
    QVERIFY(record->visibleRegion().contains(text.bottomRight()));
    // A long record leaves the window as it was, inside the screen.
    QCOMPARE(window.frameGeometry().width(), widthBefore);
    QVERIFY(small->availableGeometry().contains(window.frameGeometry()));
  }

  // The two tick boxes of the status area on its default dark blue: the
  // box itself and its tick must be seen.
  void tickBoxesStandOut_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("ticked");
    for (const char* name : {"Check6", "Check10"}) {
      QTest::newRow(qPrintable(QStringLiteral("%1 clear").arg(QString::fromLatin1(name))))
          << QString::fromLatin1(name) << false;
      QTest::newRow(qPrintable(QStringLiteral("%1 ticked").arg(QString::fromLatin1(name))))
          << QString::fromLatin1(name) << true;
    }
  }
  void tickBoxesStandOut() {
    QFETCH(QString, name);
    QFETCH(bool, ticked);
    ScreenDesk desk(screenNamed(QStringLiteral("small")));
    auto* box = desk.window->findChild<QCheckBox*>(name);
    QVERIFY(box && box->isVisible());
    box->setChecked(ticked);
    const QImage shown = box->grab().toImage();
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    option.state |= ticked ? QStyle::State_On : QStyle::State_Off;
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QVERIFY(!indicator.isEmpty() && shown.rect().contains(indicator));

    const QColor statusColour(0, 0, 192);  // the settings' default
    // The face of the box, clear of the tick.
    const QColor face = shown.pixelColor(indicator.left() + 3, indicator.bottom() - 3);
    QVERIFY2(contrast(face, statusColour) >= 3.0, qPrintable(face.name()));
    double tick = 1.0;
    for (int y = indicator.top() + 3; y <= indicator.bottom() - 3; ++y)
      for (int x = indicator.left() + 3; x <= indicator.right() - 3; ++x)
        tick = std::max(tick, contrast(shown.pixelColor(x, y), face));
    QCOMPARE(tick >= 3.0, ticked);
  }

  // The information panel opens at the top of its page: the scroll bar's
  // thumb, at the top, is what stands out from the track below it.
  void scrollBarThumbStandsOutFromItsTrack() {
    ScreenDesk desk(screenNamed(QStringLiteral("small")));
    auto* panel = desk.window->findChild<QAbstractScrollArea*>(QStringLiteral("WebBrowser1"));
    QScrollBar* bar = panel->verticalScrollBar();
    QTRY_VERIFY(bar->isVisible() && bar->maximum() > 0);
    QCOMPARE(bar->value(), 0);
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.orientation = Qt::Vertical;
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.subControls = QStyle::SC_All;
    const QRect thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarGroove, bar);
    QVERIFY(thumb.top() <= groove.top() + 1 && thumb.bottom() < groove.bottom() - 4);
    const QImage shown = bar->grab().toImage();
    const QColor thumbColour = shown.pixelColor(thumb.center());
    const QColor trackColour = shown.pixelColor(groove.center().x(), (thumb.bottom() + groove.bottom()) / 2);
    QVERIFY2(thumbColour.lightness() < trackColour.lightness() && contrast(thumbColour, trackColour) >= 3.0,
             qPrintable(thumbColour.name() + QStringLiteral(" on ") + trackColour.name()));
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
  MainWindowLookTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "MainWindowLookTest.moc"
