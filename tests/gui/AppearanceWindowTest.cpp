// The appearance window driven as the operator drives it, in a program
// folder of its own: the background picture chosen from the thumbnails,
// the outer colour picked from the chart, the text colour, the check box;
// and once through the main window, whose status area takes the choices
// as soon as the window closes.

#include "FileTestSupport.h"
#include "ModalAnswerer.h"

#include "app/BackgroundWidget.h"
#include "app/MainWindow.h"
#include "sim/ReaderSelection.h"
#include "windows/AppearanceWindow.h"
#include "windows/ColourChart.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

namespace {

const QString kNotFound = QStringLiteral("Dosya bulunamadı.");
const QString kSample = QStringLiteral("         ÖRNEK\n         ÖRNEK\n         ÖRNEK");

QString candidateName(int number) { return QStringLiteral("arka%1.jpg").arg(number, 3, 10, QLatin1Char('0')); }

// A point of the chart inside a patch of `colour` (its eight neighbours
// the same), so the pixel under the mouse is that colour exactly.
std::optional<QPoint> patchOf(const QImage& chart, QColor colour) {
  const QRgb wanted = colour.rgb();
  for (int y = 1; y + 1 < chart.height(); ++y) {
    for (int x = 1; x + 1 < chart.width(); ++x) {
      bool patch = true;
      for (int dy = -1; dy <= 1 && patch; ++dy)
        for (int dx = -1; dx <= 1 && patch; ++dx) patch = chart.pixel(x + dx, y + dy) == wanted;
      if (patch) return QPoint(x, y);
    }
  }
  return std::nullopt;
}

// A program folder, the settings the window works on, and the window.
class Desk {
 public:
  void addSample(int number) {
    QFile::copy(QStringLiteral(KORVEL_SAMPLES "/") + candidateName(number), path(candidateName(number)));
  }
  QString path(const QString& name) const { return QDir(folder.path()).filePath(name); }

  AppearanceWindow& open() {
    window = std::make_unique<AppearanceWindow>(settings, folder.path());
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) qWarning("the appearance window was not exposed");
    return *window;
  }

  template <typename T>
  T* find(const QString& name) const {
    return window->findChild<T*>(name);
  }
  QLabel* label(const QString& name) const { return find<QLabel>(name); }
  ColourChart* chart() const { return window->findChild<ColourChart*>(QStringLiteral("Picture1")); }
  QColor sampleBackground() const { return label(QStringLiteral("Picture2"))->palette().color(QPalette::Window); }
  QColor sampleText() const { return label(QStringLiteral("Picture2"))->palette().color(QPalette::WindowText); }
  QColor backColour() const {
    return QColor(static_cast<int>(settings.BackRed), static_cast<int>(settings.BackGreen),
                  static_cast<int>(settings.BackBlue));
  }

  QTemporaryDir folder;
  AppSettings settings;
  std::unique_ptr<AppearanceWindow> window;
};

}  // namespace

class AppearanceWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsAndNames() {
    Desk desk;
    AppearanceWindow& window = desk.open();
    QCOMPARE(window.objectName(), QStringLiteral("GenSabit"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Genel Sabitler"));
    QCOMPARE(desk.find<QCheckBox>(QStringLiteral("Check1"))->text(), QStringLiteral("Arka plan resmi kullanılsın"));
    QCOMPARE(desk.find<QPushButton>(QStringLiteral("Command2"))->text(), QStringLiteral("Dış Renk"));
    QCOMPARE(desk.find<QPushButton>(QStringLiteral("Command1"))->text(), QStringLiteral("&Tamam"));
    QCOMPARE(desk.chart()->picture().size(), QSize(213, 167));
    QCOMPARE(desk.chart()->size(), QSize(213, 167));
    QVERIFY(desk.chart()->hasMouseTracking());
    // The sample starts on the outer colour of the settings, in their text colour.
    QCOMPARE(desk.label(QStringLiteral("Picture2"))->text(), kSample);
    QCOMPARE(desk.sampleBackground(), QColor(0, 0, 192));
    QCOMPARE(desk.sampleText(), QColor(255, 255, 0));
    QVERIFY(desk.find<QRadioButton>(QStringLiteral("Option2_2"))->isChecked());
  }

  void thumbnailsShowTheCandidatesThatArePictures_data() {
    QTest::addColumn<QList<int>>("present");
    QTest::addColumn<QList<int>>("broken");
    QTest::newRow("none") << QList<int>{} << QList<int>{};
    QTest::newRow("only the second") << QList<int>{2} << QList<int>{};
    QTest::newRow("all six shipped") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{};
    QTest::newRow("one is no picture") << QList<int>{1, 6} << QList<int>{4};
  }
  void thumbnailsShowTheCandidatesThatArePictures() {
    QFETCH(QList<int>, present);
    QFETCH(QList<int>, broken);
    Desk desk;
    for (int number : present) desk.addSample(number);
    for (int number : broken) QVERIFY(writeBytes(desk.path(candidateName(number)), "not a picture"));
    desk.open();
    for (int number = 1; number <= 6; ++number) {
      QLabel* image = desk.label(QStringLiteral("Image%1").arg(number));
      QVERIFY(image != nullptr);
      QCOMPARE(!image->pixmap().isNull(), present.contains(number));
      QCOMPARE(image->frameShape(), QFrame::NoFrame);
    }
  }

  void clickingAThumbnailReplacesTheChosenPicture() {
    Desk desk;
    desk.addSample(2);
    const QString chosen = desk.path(QStringLiteral("arkaplan.jpg"));
    QVERIFY(writeBytes(chosen, "the picture chosen before"));
    desk.open();
    QLabel* image1 = desk.label(QStringLiteral("Image1"));
    QLabel* image2 = desk.label(QStringLiteral("Image2"));

    QTest::mouseClick(image1, Qt::LeftButton);
    QCOMPARE(desk.label(QStringLiteral("Label1"))->text(), kNotFound);
    QCOMPARE(fileBytes(chosen), QByteArray("the picture chosen before"));
    QCOMPARE(image1->frameShape(), QFrame::Box);
    QCOMPARE(image1->lineWidth(), 1);

    QTest::mouseClick(image2, Qt::LeftButton);
    QCOMPARE(fileBytes(chosen), fileBytes(desk.path(candidateName(2))));
    QCOMPARE(image2->frameShape(), QFrame::Box);
    QCOMPARE(image1->frameShape(), QFrame::NoFrame);
    QVERIFY(desk.label(QStringLiteral("Label1"))->text().isEmpty());
    QCOMPARE(QDir(desk.folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
             (QStringList{candidateName(2), QStringLiteral("arkaplan.jpg")}));
  }

  void aMissingCandidateLeavesNoChosenPictureAbsent() {
    Desk desk;
    desk.open();
    QTest::mouseClick(desk.label(QStringLiteral("Image6")), Qt::LeftButton);
    QCOMPARE(desk.label(QStringLiteral("Label1"))->text(), kNotFound);
    QVERIFY(!QFileInfo::exists(desk.path(QStringLiteral("arkaplan.jpg"))));
  }

  void aCopyThatFailsKeepsThePictureThereWas() {
    Desk desk;
    // A candidate that is there but cannot be read.
    QVERIFY(QDir(desk.folder.path()).mkdir(candidateName(3)));
    const QString chosen = desk.path(QStringLiteral("arkaplan.jpg"));
    QVERIFY(writeBytes(chosen, "the picture chosen before"));
    desk.open();
    QTest::mouseClick(desk.label(QStringLiteral("Image3")), Qt::LeftButton);
    QCOMPARE(fileBytes(chosen), QByteArray("the picture chosen before"));
    const QString message = desk.label(QStringLiteral("Label1"))->text();
    QVERIFY2(message.startsWith(QStringLiteral("Resim kopyalanamadı")), qPrintable(message));
    QCOMPARE(QDir(desk.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("arkaplan.jpg")});
  }

  void activationReloadsTheThumbnailsAndTheCheckBox() {
    Desk desk;
    desk.open();
    QTest::mouseClick(desk.label(QStringLiteral("Image5")), Qt::LeftButton);
    QCOMPARE(desk.label(QStringLiteral("Label1"))->text(), kNotFound);
    QVERIFY(desk.label(QStringLiteral("Image5"))->pixmap().isNull());

    desk.addSample(5);
    desk.settings.UseBackgroundPicture = true;
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(desk.window.get(), &activate);
    QVERIFY(desk.label(QStringLiteral("Label1"))->text().isEmpty());
    QVERIFY(!desk.label(QStringLiteral("Image5"))->pixmap().isNull());
    QVERIFY(desk.find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    // The border stays on the thumbnail chosen last.
    QCOMPARE(desk.label(QStringLiteral("Image5"))->frameShape(), QFrame::Box);

    QFile::remove(desk.path(candidateName(5)));
    desk.settings.UseBackgroundPicture = false;
    QCoreApplication::sendEvent(desk.window.get(), &activate);
    QVERIFY(desk.label(QStringLiteral("Image5"))->pixmap().isNull());
    QVERIFY(!desk.find<QCheckBox>(QStringLiteral("Check1"))->isChecked());
  }

  void checkBoxSetsWhetherThePictureIsUsed() {
    Desk desk;
    desk.settings.UseBackgroundPicture = true;
    desk.open();
    auto* check = desk.find<QCheckBox>(QStringLiteral("Check1"));
    QVERIFY(check->isChecked());
    check->click();
    QVERIFY(!desk.settings.UseBackgroundPicture);
    check->click();
    QVERIFY(desk.settings.UseBackgroundPicture);
  }

  void textColourOptions_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<double>("textColour");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("white") << 0 << QStringLiteral("Beyaz") << 16777215.0 << QColor(255, 255, 255);
    QTest::newRow("black") << 1 << QStringLiteral("Siyah") << 0.0 << QColor(0, 0, 0);
    QTest::newRow("yellow") << 2 << QStringLiteral("Sarı") << 65535.0 << QColor(255, 255, 0);
    QTest::newRow("navy") << 3 << QStringLiteral("Lacivert") << 16711680.0 << QColor(0, 0, 255);
    QTest::newRow("red") << 4 << QStringLiteral("Kırmızı") << 255.0 << QColor(255, 0, 0);
  }
  void textColourOptions() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    QFETCH(double, textColour);
    QFETCH(QColor, shown);
    Desk desk;
    desk.settings.TextColor = 12345;  // none of the five: no option chosen
    desk.open();
    auto* option = desk.find<QRadioButton>(QStringLiteral("Option2_%1").arg(index));
    QVERIFY(option != nullptr);
    QCOMPARE(option->text(), caption);
    QVERIFY(!option->isChecked());
    option->click();
    QCOMPARE(desk.settings.TextColor, textColour);
    QCOMPARE(desk.sampleText(), shown);
    QCOMPARE(desk.label(QStringLiteral("Picture2"))->text(), kSample);
    QCOMPARE(desk.sampleBackground(), QColor(0, 0, 192));
  }

  void releaseOnTheChartTakesTheOuterColour_data() {
    QTest::addColumn<bool>("choosing");  // "Dış Renk" clicked first
    QTest::addColumn<QColor>("pressOn");
    QTest::addColumn<QPoint>("releaseOffset");  // from the pressed point
    QTest::addColumn<QColor>("taken");
    const QColor red(255, 0, 0);
    const QColor white(255, 255, 255);
    QTest::newRow("pure red") << true << red << QPoint() << red;
    QTest::newRow("mid grey") << true << QColor(128, 128, 128) << QPoint() << QColor(128, 128, 128);
    QTest::newRow("without Dış Renk") << false << red << QPoint() << red;
    QTest::newRow("released right of the chart") << true << red << QPoint(400, 0) << white;
    QTest::newRow("released above the chart") << true << red << QPoint(0, -400) << white;
  }
  void releaseOnTheChartTakesTheOuterColour() {
    QFETCH(bool, choosing);
    QFETCH(QColor, pressOn);
    QFETCH(QPoint, releaseOffset);
    QFETCH(QColor, taken);
    Desk desk;
    desk.open();
    ColourChart* chart = desk.chart();
    const std::optional<QPoint> point = patchOf(chart->picture(), pressOn);
    QVERIFY2(point.has_value(), qPrintable(pressOn.name()));
    auto* command2 = desk.find<QPushButton>(QStringLiteral("Command2"));
    if (choosing) {
      command2->click();
      QVERIFY(command2->isHidden());
      QVERIFY(!desk.window->idle());
    }
    QTest::mousePress(chart, Qt::LeftButton, {}, *point);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, *point + releaseOffset);
    QCOMPARE(desk.backColour(), taken);
    QVERIFY(!command2->isHidden());
    QVERIFY(desk.window->idle());
    QCOMPARE(desk.sampleBackground(), taken);
  }

  void movesOverTheChartShowOnlyWhileChoosing() {
    Desk desk;
    desk.open();
    ColourChart* chart = desk.chart();
    const std::optional<QPoint> red = patchOf(chart->picture(), QColor(255, 0, 0));
    const std::optional<QPoint> grey = patchOf(chart->picture(), QColor(128, 128, 128));
    QVERIFY(red && grey);

    QTest::mouseMove(chart, *red);
    QCOMPARE(desk.sampleBackground(), QColor(0, 0, 192));

    desk.find<QPushButton>(QStringLiteral("Command2"))->click();
    // A move to where the mouse already is reaches no widget: first away.
    QTest::mouseMove(chart, *grey);
    QCOMPARE(desk.sampleBackground(), QColor(128, 128, 128));
    QTest::mouseMove(chart, *red);
    QCOMPARE(desk.sampleBackground(), QColor(255, 0, 0));
    QCOMPARE(desk.sampleText(), QColor(255, 255, 0));
    // Only a release takes the colour.
    QCOMPARE(desk.backColour(), QColor(0, 0, 192));
  }

  void chartHasNoPointWithoutAColour() {
    const QImage chart = colour_chart::draw();
    QCOMPARE(colour_chart::colourNumberAt(chart, QPoint(-1, 0)), -1);
    QCOMPARE(colour_chart::colourNumberAt(chart, QPoint(213, 166)), -1);
    QCOMPARE(colour_chart::colourNumberAt(chart, QPoint(0, 167)), -1);
    QCOMPARE(colour_chart::colourNumberAt(chart, QPoint(0, 0)), 0xFFFFFF);  // the white round the cells
    const std::optional<QPoint> blue = patchOf(chart, QColor(0, 0, 255));
    QVERIFY(blue.has_value());
    QCOMPARE(colour_chart::colourNumberAt(chart, *blue), 0xFF0000);
  }

  void closingTheWindowRecoloursTheMainWindowAtOnce() {
    QTemporaryDir folder;
    QFile::copy(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"), QDir(folder.path()).filePath(QStringLiteral("exam.omrf")));
    QFile::copy(QStringLiteral(KORVEL_SAMPLES "/arka001.jpg"), QDir(folder.path()).filePath(candidateName(1)));
    MainWindowOptions options;
    options.programFolder = folder.path();
    options.reader = ReaderSelection::open(QStringLiteral("sim:" KORVEL_SAMPLES "/exam-clean.deck")).reader;
    options.startDesktopPrograms = false;
    MainWindow window(std::move(options));
    window.show();
    if (!QTest::qWaitForWindowActive(&window)) window.Form_Activate();
    QCoreApplication::processEvents();

    auto* count = window.findChild<QLabel*>(QStringLiteral("Label2_0"));
    auto* fixedLine = window.findChild<QLabel*>(QStringLiteral("Label2_6"));
    auto* background = window.findChild<BackgroundWidget*>(QStringLiteral("Image2"));
    QVERIFY(count && fixedLine && background);
    const QPalette fixedBefore = fixedLine->palette();
    QCOMPARE(count->palette().color(QPalette::Window), QColor(0, 0, 192));
    QCOMPARE(background->picture(), BackgroundWidget::builtInPicture());

    bool sawWindow = false;
    ModalAnswerer answerer([&](QWidget* box) {
      sawWindow = box->objectName() == QStringLiteral("GenSabit") && box->windowTitle() == QStringLiteral("Genel Sabitler");
      if (!sawWindow) return;
      QVERIFY(QTest::qWaitForWindowExposed(box));
      box->findChild<QCheckBox*>(QStringLiteral("Check1"))->click();
      QTest::mouseClick(box->findChild<QLabel*>(QStringLiteral("Image1")), Qt::LeftButton);
      box->findChild<QRadioButton*>(QStringLiteral("Option2_1"))->click();
      box->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
      auto* chart = box->findChild<ColourChart*>(QStringLiteral("Picture1"));
      const std::optional<QPoint> red = patchOf(chart->picture(), QColor(255, 0, 0));
      QVERIFY(red.has_value());
      QTest::mousePress(chart, Qt::LeftButton, {}, *red);
      QTest::mouseRelease(chart, Qt::LeftButton, {}, *red);
      box->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    window.findChild<QPushButton*>(QStringLiteral("Command7"))->click();
    QVERIFY(sawWindow);
    QVERIFY(!answerer.timedOut());

    QCOMPARE(count->palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(count->palette().color(QPalette::WindowText), QColor(0, 0, 0));
    QCOMPARE(fixedLine->palette(), fixedBefore);
    QVERIFY(window.settings().UseBackgroundPicture);
    QCOMPARE(background->picture().size(), QSize(800, 500));
    QCOMPARE(fileBytes(QDir(folder.path()).filePath(QStringLiteral("arkaplan.jpg"))),
             fileBytes(QDir(folder.path()).filePath(candidateName(1))));
    // The settings reach the file only when they are next saved.
    QVERIFY(!QFileInfo::exists(QDir(folder.path()).filePath(QStringLiteral("sekonic.ini"))));
  }
};

QTEST_MAIN(AppearanceWindowTest)
#include "AppearanceWindowTest.moc"
