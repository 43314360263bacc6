// Saves pictures of the main window as an operator sees it, on a copy of
// the sample folder with the simulated reader and the sample exam deck:
//
//   main-tr.png        the window in Turkish with the exam layout's preview
//   settings-panel.png the settings panel open over the window
//   main-en.png        the window in English
//   preview-turned.png the preview of a form fed turned (mirrored)
//   reading.png        the window in the middle of a reading, with the
//                      question the reader's empty tray asks
//   density.png        the density window after a density reading of the
//                      sample sheets, the exam layout's marks framed
//   about.png          the About window
//   appearance.png     the appearance window, the third picture chosen
//
// usage: korvel-screenshots OUTPUT_FOLDER
// Under a real X server (xvfb-run) the window is drawn with the system's
// fonts and style; any Qt platform works.

#include "app/MainWindow.h"
#include "app/PictureSurface.h"
#include "sim/ReaderSelection.h"
#include "windows/AppearanceWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > timeoutMs) return false;
    QTest::qWait(20);
  }
  return true;
}

// The window with a box over it, centred as the box shows itself.
QImage withBoxOver(QWidget& window, QWidget* box) {
  QImage picture = window.grab().toImage();
  if (box) {
    const QImage boxPicture = box->grab().toImage();
    QPainter painter(&picture);
    const QPoint corner((picture.width() - boxPicture.width()) / 2, (picture.height() - boxPicture.height()) / 2);
    painter.fillRect(QRect(corner + QPoint(4, 4), boxPicture.size()), QColor(0, 0, 0, 90));
    painter.drawImage(corner, boxPicture);
    painter.setPen(QColor(90, 90, 90));
    painter.drawRect(QRect(corner, boxPicture.size()).adjusted(0, 0, -1, -1));
  }
  return picture;
}

// The main window on `folder`, the simulated reader holding the sample exam
// sheets, shown and activated.
std::unique_ptr<MainWindow> openDesk(const QString& folder, OpenDialog::Chooser chooser) {
  MainWindowOptions options;
  options.programFolder = folder;
  options.reader = ReaderSelection::open(QStringLiteral("sim:" KORVEL_SAMPLES "/exam-clean.deck")).reader;
  options.chooser = std::move(chooser);
  options.startDesktopPrograms = false;
  auto window = std::make_unique<MainWindow>(std::move(options));
  window->resize(1180, 760);
  window->show();
  if (!QTest::qWaitForWindowActive(window.get(), 3000)) window->Form_Activate();
  QTest::qWait(200);
  return window;
}

void answerNo(QMessageBox& question) {
  for (QAbstractButton* answer : question.buttons())
    if (answer->text().remove(u'&') == QStringLiteral("Hayır")) answer->click();
}

// A window the program opened, by its name; a null picture when it is not there.
QImage findTopLevel(const char* name) {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->objectName() == QLatin1String(name) && widget->isVisible()) return widget->grab().toImage();
  return {};
}

bool save(const QImage& picture, const QDir& output, const char* name) {
  const QString path = output.filePath(QString::fromLatin1(name));
  if (!picture.save(path)) {
    std::fprintf(stderr, "cannot save %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvel-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  QDir output(QString::fromLocal8Bit(argv[1]));
  if (!output.mkpath(QStringLiteral("."))) return 1;

  QTemporaryDir folder;
  const QStringList shipped{QStringLiteral("*.omrf"), QStringLiteral("sekonic.ini"), QStringLiteral("arka*.jpg")};
  for (const QString& name : QDir(QStringLiteral(KORVEL_SAMPLES)).entryList(shipped))
    QFile::copy(QStringLiteral(KORVEL_SAMPLES "/") + name, folder.filePath(name));
  QFile turned(folder.filePath(QStringLiteral("turned.omrf")));
  if (turned.open(QIODevice::WriteOnly))
    turned.write("62=48=8=T=*= =\r\n04=13=26=35=00=D=0123456789=G=NO=No=\r\n"
                 "04=33=02=21=00=D=ABCDEFGHIJKLMNOPRSTUVYZ=Y=AD=Ad=\r\n37=61=03=07=00=Y=ABCDE==S=Soru=\r\n");
  turned.close();

  const QString data = folder.filePath(QStringLiteral("sinav.dat"));
  const std::unique_ptr<MainWindow> desk =
      openDesk(folder.path(), [&](QWidget*, const QString&, const QString&, const QStringList&) { return data; });
  MainWindow& window = *desk;

  const auto button = [&](const char* name) { return window.findChild<QPushButton*>(QString::fromLatin1(name)); };
  bool ok = save(window.grab().toImage(), output, "main-tr.png");

  button("Command3")->click();
  QTest::qWait(100);
  ok &= save(window.grab().toImage(), output, "settings-panel.png");
  button("Command4")->click();

  button("Command13")->click();  // English, with the panel open
  button("Command4")->click();
  QTest::qWait(100);
  ok &= save(window.grab().toImage(), output, "main-en.png");
  button("Command13")->click();  // back to Turkish
  button("Command4")->click();

  auto* list = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
  list->setEditText(QStringLiteral("TURNED"));
  QTest::qWait(100);
  ok &= save(window.picture().grab().toImage(), output, "preview-turned.png");
  list->setEditText(QStringLiteral("EXAM"));

  // A reading of the twenty sample sheets; when the hopper is empty the
  // reader asks whether to go on: the picture is taken there, and the
  // reading is ended with "Hayır".
  // The box runs its own event loop: it is answered from a timer, which
  // fires inside that loop.
  bool asked = false;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!question || asked) return;
    asked = true;
    ok &= save(withBoxOver(window, question), output, "reading.png");
    answerNo(*question);
  });
  answerer.start(150);
  button("Command1")->click();
  ok &= waitFor([&] { return asked; });
  ok &= waitFor([&] { return !window.isRunning(); });
  answerer.stop();

  button("Command14")->click();
  QTest::qWait(100);
  ok &= save(findTopLevel("frmhakkimizda"), output, "about.png");
  if (auto* about = window.findChild<QWidget*>(QStringLiteral("frmhakkimizda"))) about->close();

  // The appearance window is shown without its modal loop, on a copy of
  // the settings, so it can be clicked and taken from here.
  AppSettings appearanceSettings = window.settings();
  AppearanceWindow appearance(appearanceSettings, folder.path(), &window);
  appearance.show();
  QTest::qWait(100);
  if (auto* third = appearance.findChild<QWidget*>(QStringLiteral("Image3")))
    QTest::mouseClick(third, Qt::LeftButton);
  QTest::qWait(100);
  ok &= save(appearance.grab().toImage(), output, "appearance.png");
  appearance.close();
  window.close();

  // The reading emptied the hopper: the density reading runs in a window of
  // its own on a full one. The reader asks about the empty tray again and
  // the density window follows; both are answered from a timer.
  const std::unique_ptr<MainWindow> densityDesk = openDesk(folder.path(), {});
  bool shown = false;
  QTimer densityAnswerer;
  QObject::connect(&densityAnswerer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* question = qobject_cast<QMessageBox*>(modal)) {
      answerNo(*question);
      return;
    }
    if (!modal || modal->objectName() != QStringLiteral("frmYogun") || shown) return;
    shown = true;
    modal->setWindowState(Qt::WindowNoState);
    modal->resize(1180, 760);
    QTest::qWait(100);
    ok &= save(modal->grab().toImage(), output, "density.png");
    modal->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
  });
  densityAnswerer.start(150);
  densityDesk->findChild<QPushButton*>(QStringLiteral("Command6"))->click();
  ok &= waitFor([&] { return shown; });
  ok &= waitFor([&] { return !densityDesk->isRunning(); });
  return ok ? 0 : 1;
}
