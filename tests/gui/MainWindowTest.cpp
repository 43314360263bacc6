// The main window driven as an operator drives it: start-up, the layout
// list and preview, the settings panel, the language button, and whole
// reading runs started from "&Oku" with every box answered.

#include "CliRunner.h"
#include "ModalAnswerer.h"
#include "OperatorScript.h"
#include "SettingsFileLines.h"

#include "app/MainWindow.h"
#include "app/PictureSurface.h"
#include "layout/LayoutParser.h"
#include "reading/ReadCommand.h"
#include "sim/DeckGenerator.h"
#include "sim/ReaderSelection.h"
#include "sim/SimulatedReader.h"
#include "windows/DensityCells.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

const QColor kPreviewPurple(128, 0, 128);

QByteArray fileBytes(const QString& path) { return cli_test::readFile(path); }

QString settingsLine(const QString& folder, int line) {
  const QList<QByteArray> lines = fileBytes(QDir(folder).filePath(QStringLiteral("sekonic.ini"))).split('\n');
  return line <= lines.size() ? QString::fromLatin1(lines[line - 1]).remove(u'\r') : QString();
}

// A program folder with the sample layouts, and a window on it.
class Desk {
 public:
  explicit Desk(const QString& settingsFile = {}) {
    for (const QString& layout : QDir(QStringLiteral(KORVEL_SAMPLES)).entryList({QStringLiteral("*.omrf")}))
      QFile::copy(QStringLiteral(KORVEL_SAMPLES "/") + layout, folder.filePath(layout));
    if (!settingsFile.isEmpty()) QFile::copy(settingsFile, folder.filePath(QStringLiteral("sekonic.ini")));
  }

  MainWindow& open(std::unique_ptr<OmrApi> reader) {
    MainWindowOptions options;
    options.programFolder = folder.path();
    options.reader = std::move(reader);
    if (!realOpenDialog) {
      options.chooser = [this](QWidget*, const QString& title, const QString&, const QStringList& filters) {
        chooserTitle = title;
        chooserFilters = filters;
        return chosen;
      };
    }
    options.startDesktopPrograms = false;
    window = std::make_unique<MainWindow>(std::move(options));
    window->show();
    if (!QTest::qWaitForWindowActive(window.get())) window->Form_Activate();
    QCoreApplication::processEvents();  // the activation event itself
    return *window;
  }

  MainWindow& openWithDeck(const QString& deckPath) {
    return open(ReaderSelection::open(QStringLiteral("sim:") + deckPath).reader);
  }

  template <typename T>
  T* find(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QPushButton* button(const char* name) const { return find<QPushButton>(name); }

  bool waitForRunEnd(int timeoutMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (window->isRunning() && clock.elapsed() < timeoutMs) QTest::qWait(10);
    QTest::qWait(20);
    return !window->isRunning();
  }

  QTemporaryDir folder;
  bool realOpenDialog = false;  ///< the Open dialog itself instead of answering with `chosen`
  QString chosen;
  QString chooserTitle;
  QStringList chooserFilters;
  std::unique_ptr<MainWindow> window;
};


// The simulated reader, holding its fifth sheet back until the test lets it
// go: however the machine schedules the threads, the operator's Stop comes
// while sheets are still in the hopper.
class HeldReader : public SimulatedReader {
 public:
  using SimulatedReader::SimulatedReader;
  omr::Result OMR_FeedSheet() override {
    if (++m_fed > 4) {
      QElapsedTimer clock;
      clock.start();
      while (!released && m_fed > 4 + passed && clock.elapsed() < 30000) QThread::msleep(1);
    }
    return SimulatedReader::OMR_FeedSheet();
  }
  std::atomic<bool> released{false};
  /// Sheets let through past the hold, one cycle each, so that what the
  /// window posts to the top of the next cycle is taken there.
  std::atomic<int> passed{0};

 private:
  int m_fed = 0;
};

std::unique_ptr<HeldReader> heldExamReader(int sheets) {
  const LayoutTable layout = ParseLayoutFile(QStringLiteral(KORVEL_SAMPLES "/exam.omrf"));
  std::optional<Deck> deck = DeckGenerator(layout, {}).randomDeck(sheets, nullptr);
  return deck ? std::make_unique<HeldReader>(std::move(*deck)) : nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpWithoutSettingsFile() {
    Desk desk;
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvel Okuma Programı Sürüm 4.124D"));
    QCOMPARE(desk.button("Command13")->text(), QStringLiteral("&English"));
    QCOMPARE(desk.find<QLineEdit>("Text1")->text(), QStringLiteral("txt"));
    QCOMPARE(desk.find<QLineEdit>("Text13")->text(), QStringLiteral("0"));
    auto* list = desk.find<QComboBox>("Combo1");
    QVERIFY(list->currentText().isEmpty());
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    QVERIFY2(entries.contains(QStringLiteral("EXAM")) && entries.contains(QStringLiteral("REGISTRATION")),
             qPrintable(entries.join(u',')));
    // The first activation connected the simulated reader: its model is
    // shown and Read is available; Stop waits for a run.
    QTRY_COMPARE(desk.find<QLabel>("Label12")->text(), QStringLiteral("SR-SIMULATOR"));
    QVERIFY(desk.button("Command1")->isEnabled());
    QVERIFY(!desk.button("Command12")->isEnabled());
    QVERIFY(!desk.find<QGroupBox>("Frame4")->isVisible());
    QCOMPARE(desk.find<QLabel>("Label2_0")->text(), QStringLiteral("0"));
  }

  void startUpWithSettingsFileInEnglishShowsTheLastLayout() {
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    QFile ini(desk.folder.filePath(QStringLiteral("sekonic.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = ini.readAll().split('\n');
    ini.close();
    lines[26] = " 1 \r";  // English
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(lines.join('\n'));
    ini.close();

    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvel Reading Software Version 4.124D"));
    QCOMPARE(desk.button("Command13")->text(), QStringLiteral("&Türkçe"));
    QCOMPARE(desk.button("Command1")->text(), QStringLiteral("&Read"));
    QCOMPARE(desk.find<QLabel>("Label2_1")->text(), QStringLiteral("Sheet Count"));
    QCOMPARE(desk.find<QLabel>("Label2_4")->text(), QStringLiteral("Okunan Kağıt Sayısı"));
    QCOMPARE(desk.find<QComboBox>("Combo1")->currentText(), QStringLiteral("EXAM"));
    // The student number's block, lines 4 to 13 by columns 13 to 26, is
    // drawn; a position outside every field is not.
    QCOMPARE(window.picture().pointColour(30 * 13, 30 * 4), kPreviewPurple);
    QCOMPARE(window.picture().pointColour(30 * 26, 30 * 13), kPreviewPurple);
    QVERIFY(window.picture().pointColour(30 * 45, 30 * 100) != kPreviewPurple);
  }

  void turnedLayoutPreviewIsMirrored() {
    Desk desk;
    QFile layout(desk.folder.filePath(QStringLiteral("turned.omrf")));
    QVERIFY(layout.open(QIODevice::WriteOnly));
    layout.write("62=48=8=T=*= =\r\n04=13=26=35=00=D=0123456789=G=NO=No=\r\n");
    layout.close();
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    desk.find<QComboBox>("Combo1")->setEditText(QStringLiteral("TURNED"));
    const PictureSurface& picture = window.picture();
    const int x = PictureSurface::kWidthUnits - 30 * 26 - 150;
    const int y = PictureSurface::kHeightUnits - 30 * 4 - 150;
    QCOMPARE(picture.pointColour(x, y), kPreviewPurple);
    QCOMPARE(picture.pointColour(PictureSurface::kWidthUnits - 30 * 35 - 150,
                                 PictureSurface::kHeightUnits - 30 * 13 - 150),
             kPreviewPurple);
    QVERIFY(picture.pointColour(30 * 26, 30 * 4) != kPreviewPurple);
    // A name that matches no file clears the preview.
    desk.find<QComboBox>("Combo1")->setEditText(QStringLiteral("TURNE"));
    QVERIFY(picture.pointColour(x, y) != kPreviewPurple);
  }

  void deletingALayoutAsksFirst() {
    Desk desk;
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    auto* list = desk.find<QComboBox>("Combo1");
    list->setEditText(QStringLiteral("EXAM"));
    OperatorScript answers({QStringLiteral("Hayır"), QStringLiteral("Evet")});
    desk.button("Command5")->click();
    QVERIFY(QFile::exists(desk.folder.filePath(QStringLiteral("exam.omrf"))));
    QCOMPARE(answers.seen().value(0), QStringLiteral("Okuma Programı|EXAM.omrf isimli dosya silinecek"));
    QCOMPARE(window.picture().pointColour(30 * 13, 30 * 4), kPreviewPurple);

    desk.button("Command5")->click();
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("exam.omrf"))));
    QCOMPARE(list->findText(QStringLiteral("EXAM")), -1);
    QVERIFY(list->findText(QStringLiteral("REGISTRATION")) >= 0);
    QVERIFY(window.picture().pointColour(30 * 13, 30 * 4) != kPreviewPurple);
    QVERIFY(answers.problems().isEmpty());
  }

  // Deleting cannot be undone: Enter on the question keeps the file.
  void enterOnTheDeleteQuestionKeepsTheLayout() {
    Desk desk;
    desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    desk.find<QComboBox>("Combo1")->setEditText(QStringLiteral("EXAM"));
    QString defaultButton;
    ModalAnswerer enter([&](QWidget* box) {
      if (auto* question = qobject_cast<QMessageBox*>(box); question && question->defaultButton())
        defaultButton = question->defaultButton()->text();
      QTest::keyClick(box, Qt::Key_Return);
    });
    desk.button("Command5")->click();
    QVERIFY(enter.answered() && !enter.timedOut());
    QCOMPARE(defaultButton, QStringLiteral("Hayır"));
    QVERIFY(QFile::exists(desk.folder.filePath(QStringLiteral("exam.omrf"))));
    QCOMPARE(desk.find<QComboBox>("Combo1")->currentText(), QStringLiteral("EXAM"));
  }

  void languageButtonTwiceKeepsThePanelOpen() {
    Desk desk;
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    desk.button("Command13")->click();
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvel Reading Software Version 4.124D"));
    QVERIFY(desk.find<QGroupBox>("Frame4")->isVisible());
    QCOMPARE(desk.find<QGroupBox>("Frame4")->title(), QStringLiteral("Settings"));
    QVERIFY(desk.find<QRadioButton>("Option4_1")->isChecked());
    QCOMPARE(desk.button("Command12")->text(), QStringLiteral("&Stop"));
    QCOMPARE(desk.find<QCheckBox>("Check2")->text(), QStringLiteral("Stop"));
    QVERIFY(!desk.button("Command1")->isEnabled());

    desk.button("Command13")->click();
    QCOMPARE(window.windowTitle(), QStringLiteral("Korvel Okuma Programı Sürüm 4.124D"));
    QCOMPARE(desk.button("Command13")->text(), QStringLiteral("&English"));
    QVERIFY(desk.find<QGroupBox>("Frame4")->isVisible());
    QVERIFY(desk.find<QRadioButton>("Option4_0")->isChecked());
    // Nothing is written until the panel is confirmed.
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("sekonic.ini"))));
  }

  // While the panel lies over the window, the keyboard works in the panel
  // only: the focus starts there, and Tab and Shift+Tab never reach a
  // control of the window beneath (Space on a hidden "&Özelleştir" would
  // open the appearance window over the panel).
  void onlyThePanelTakesTheFocusWhileOpen_data() {
    QTest::addColumn<QString>("focusFirst");  // the control that has the focus before
    QTest::addColumn<QString>("opener");      // the button that opens the panel
    QTest::addColumn<bool>("byKeyboard");     // its access key instead of a click
    QTest::newRow("settings button clicked") << "Combo1"
                                             << "Command3" << false;
    QTest::newRow("settings by Alt+A from Özelleştir") << "Command7"
                                                       << "Command3" << true;
    QTest::newRow("settings by Alt+A from the sheet limit") << "Text13"
                                                            << "Command3" << true;
    QTest::newRow("language button clicked") << "Combo1"
                                             << "Command13" << false;
    QTest::newRow("language by Alt+E from the layout list") << "Combo1"
                                                            << "Command13" << true;
  }
  void onlyThePanelTakesTheFocusWhileOpen() {
    QFETCH(QString, focusFirst);
    QFETCH(QString, opener);
    QFETCH(bool, byKeyboard);
    Desk desk;
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    auto* panel = desk.find<QGroupBox>("Frame4");
    const auto inPanel = [panel] { return panel->isAncestorOf(QApplication::focusWidget()); };
    auto* first = window.findChild<QWidget*>(focusFirst);
    first->setFocus();
    QCOMPARE(QApplication::focusWidget(), first);

    auto* button = window.findChild<QPushButton*>(opener);
    if (byKeyboard)
      QTest::keyClick(first, QKeySequence::mnemonic(button->text())[0].key(), Qt::AltModifier);
    else
      QTest::mouseClick(button, Qt::LeftButton);
    QTRY_VERIFY(panel->isVisible());
    QTRY_VERIFY2(inPanel(), qPrintable(QApplication::focusWidget()->objectName()));
    for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
      for (int press = 0; press < 60; ++press) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QVERIFY2(inPanel(), qPrintable(QApplication::focusWidget()->objectName()));
      }
    }
    QVERIFY(!QApplication::activeModalWidget());
    // Nothing of the panel is written before it is confirmed.
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("sekonic.ini"))));

    // Confirmed, the panel gives the window its keyboard back.
    desk.button("Command4")->click();
    QVERIFY(!panel->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), desk.find<QComboBox>("Combo1"));
    bool reached = false;
    for (int press = 0; press < 60 && !reached; ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached = QApplication::focusWidget() == desk.button("Command7");
    }
    QVERIFY(reached);
  }

  void confirmingThePanelWritesTheFileAndEnablesRead() {
    Desk desk;
    QFile deck(desk.folder.filePath(QStringLiteral("absent.deck")));
    QVERIFY(deck.open(QIODevice::WriteOnly));
    deck.write("connectstatus 2\n");
    deck.close();
    OperatorScript answers({QStringLiteral("Hayır")});  // "OMR henüz bağlı değil ... Devam edilecek mi?"
    desk.openWithDeck(deck.fileName());
    QTRY_VERIFY(answers.allUsed());
    QTRY_VERIFY(!desk.button("Command1")->isEnabled());

    desk.button("Command3")->click();
    QVERIFY(desk.find<QGroupBox>("Frame4")->isVisible());
    for (const char* name : {"Command1", "Command2", "Command3", "Command5", "Command12"})
      QVERIFY2(!desk.button(name)->isEnabled(), name);
    QVERIFY(!desk.find<QComboBox>("Combo1")->isEnabled());
    desk.find<QCheckBox>("Check11")->click();  // "UTF8 kaydet"
    desk.button("Command4")->click();

    QVERIFY(!desk.find<QGroupBox>("Frame4")->isVisible());
    QVERIFY(desk.button("Command1")->isEnabled());
    QVERIFY(!desk.button("Command12")->isEnabled());
    QCOMPARE(settingsLine(desk.folder.path(), 33), QStringLiteral(" 1 "));
    QCOMPARE(settingsLine(desk.folder.path(), 7), QStringLiteral("00"));
    QVERIFY(answers.problems().isEmpty());
  }

  void wholeReadingWritesWhatTheCommandLineWrites() {
    const QString settings = QStringLiteral(KORVEL_SAMPLES "/sekonic.ini");
    const QString deck = QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck");
    Desk expected(settings);
    const cli_test::Result cli = cli_test::run(
        {QStringLiteral("read"), QStringLiteral("--folder"), expected.folder.path(), QStringLiteral("--layout"),
         QStringLiteral("EXAM"), QStringLiteral("--data"), expected.folder.filePath(QStringLiteral("exam.dat")),
         QStringLiteral("--reader"), QStringLiteral("sim:") + deck, QStringLiteral("--answers"),
         QStringLiteral(KORVEL_SAMPLES "/exam-clean.answers")});
    QCOMPARE(cli.exitCode, 0);

    Desk desk(settings);
    MainWindow& window = desk.openWithDeck(deck);
    QCOMPARE(desk.find<QComboBox>("Combo1")->currentText(), QStringLiteral("EXAM"));
    desk.chosen = desk.folder.filePath(QStringLiteral("exam"));  // the extension is added
    OperatorScript answers({QStringLiteral("Hayır")});           // "Tepsi Boş ... Devam edilecek mi?"
    desk.button("Command1")->click();
    QVERIFY(window.isRunning());
    QVERIFY(desk.waitForRunEnd());

    QCOMPARE(desk.chooserTitle, QStringLiteral("Dosya Aç"));
    QCOMPARE(desk.chooserFilters.value(0), QStringLiteral("Veri Dosyaları (*.dat *.txt)"));
    const QString data = desk.folder.filePath(QStringLiteral("exam.dat"));
    QCOMPARE(window.CurrentDataFilePath(), data);
    QCOMPARE(fileBytes(data), fileBytes(expected.folder.filePath(QStringLiteral("exam.dat"))));
    QCOMPARE(answers.seen(), QStringList{QStringLiteral("Okuma Programı|Tepsi Boş \nDevam edilecek mi?")});
    QCOMPARE(desk.find<QLabel>("Label2_0")->text(), QString::number(window.counters().SheetCount));
    QCOMPARE(window.counters().RunSavedCount, 20);
    QVERIFY(!desk.find<QLabel>("Label8")->text().isEmpty());
    QCOMPARE(desk.find<QLabel>("Label13")->text(), read_command::Label13Text(data));
    QVERIFY(desk.button("Command1")->isEnabled());
    QVERIFY(desk.button("Command1")->isDefault());
    QVERIFY(!desk.button("Command12")->isEnabled());
  }

  // Leaving the sheet limit saves the settings whether or not it was
  // edited, with the layout the operator picked, and the focus goes on to
  // the layout list.
  void leavingTheSheetLimitSavesTheSettings_data() {
    QTest::addColumn<QString>("typed");  // over the whole field; empty: left as it was
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("line31");
    QTest::newRow("Tab, unchanged") << "" << int(Qt::Key_Tab) << "0";
    QTest::newRow("Shift+Tab, unchanged") << "" << int(Qt::Key_Backtab) << "0";
    QTest::newRow("Tab after typing") << "25" << int(Qt::Key_Tab) << "25";
    QTest::newRow("Enter after typing") << "7" << int(Qt::Key_Return) << "7";
  }
  void leavingTheSheetLimitSavesTheSettings() {
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QString, line31);
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    QFile::remove(desk.folder.filePath(QStringLiteral("sekonic.ini")));
    auto* list = desk.find<QComboBox>("Combo1");
    list->setCurrentIndex(list->findText(QStringLiteral("REGISTRATION")));
    auto* limit = desk.find<QLineEdit>("Text13");
    limit->setFocus();
    if (!typed.isEmpty()) {
      limit->selectAll();
      QTest::keyClicks(limit, typed);
    }
    QTest::keyClick(limit, Qt::Key(key));

    QTRY_COMPARE(settingsLine(desk.folder.path(), 32), QStringLiteral("REGISTRATION"));
    QCOMPARE(settingsLine(desk.folder.path(), 31), line31);
    QTRY_COMPARE(QApplication::focusWidget(), list);
  }

  // The close box saves nothing, although closing takes the focus from the
  // sheet limit too.
  void closeBoxSavesNothingFromTheSheetLimit() {
    Desk desk;
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    auto* limit = desk.find<QLineEdit>("Text13");
    limit->setFocus();
    QTest::keyClicks(limit, QStringLiteral("9"));
    QVERIFY(window.close());
    QTest::qWait(50);
    QVERIFY(!QFile::exists(desk.folder.filePath(QStringLiteral("sekonic.ini"))));
  }

  // Alt+O while the sheet limit has the focus: the run's first box takes
  // the focus, and the save that follows keeps the layout the run reads.
  void runStartedFromTheSheetLimitKeepsTheLastLayout_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("unchanged") << "";
    QTest::newRow("edited") << "25";
  }
  void runStartedFromTheSheetLimitKeepsTheLastLayout() {
    QFETCH(QString, typed);
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    desk.chosen = desk.folder.filePath(QStringLiteral("exam.dat"));
    auto* limit = desk.find<QLineEdit>("Text13");
    limit->setFocus();
    if (!typed.isEmpty()) {
      limit->selectAll();
      QTest::keyClicks(limit, typed);
    }
    OperatorScript answers({QStringLiteral("Hayır")});  // "Tepsi Boş ... Devam edilecek mi?"
    QTest::keyClick(limit, Qt::Key_O, Qt::AltModifier);
    // The button shows itself pressed for a moment before it acts.
    QTRY_VERIFY(!desk.chooserTitle.isEmpty());
    QVERIFY(desk.waitForRunEnd());
    QVERIFY(answers.problems().isEmpty());

    QTRY_COMPARE(settingsLine(desk.folder.path(), 31), typed.isEmpty() ? QStringLiteral("0") : typed);
    QCOMPARE(settingsLine(desk.folder.path(), 32), QStringLiteral("EXAM"));
    QCOMPARE(window.counters().RunSavedCount, 20);
  }

  // The program was started from some other folder. The first Open dialog
  // starts in the program folder all the same, so a bare name typed there
  // makes the data file beside the layouts.
  void firstOpenDialogStartsInTheProgramFolder() {
    QTemporaryDir launchedFrom;
    QVERIFY(launchedFrom.isValid());
    const QString workingFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(launchedFrom.path()));
    const auto backHome = qScopeGuard([&] { QDir::setCurrent(workingFolder); });

    Desk desk;
    desk.realOpenDialog = true;
    QFile deck(desk.folder.filePath(QStringLiteral("empty.deck")));
    QVERIFY(deck.open(QIODevice::WriteOnly));
    deck.close();
    MainWindow& window = desk.openWithDeck(deck.fileName());
    desk.find<QComboBox>("Combo1")->setEditText(QStringLiteral("EXAM"));

    QString startFolder;
    ModalAnswerer typeBareName([&](QWidget* box) {
      auto* dialog = qobject_cast<QFileDialog*>(box);
      auto* name = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (!dialog || !name) return;
      startFolder = dialog->directory().absolutePath();
      QTest::keyClicks(name, QStringLiteral("bare"));
      QTest::keyClick(name, Qt::Key_Return);
    });
    OperatorScript answers({QStringLiteral("Hayır")});  // "Tepsi Boş ... Devam edilecek mi?"
    desk.button("Command1")->click();
    QVERIFY(desk.waitForRunEnd());
    QVERIFY(!typeBareName.timedOut());
    QCOMPARE(startFolder, QDir(desk.folder.path()).absolutePath());
    QCOMPARE(window.CurrentDataFilePath(),
             QDir(desk.folder.path()).absoluteFilePath(QStringLiteral("bare.txt")));
    QVERIFY(QDir(launchedFrom.path()).isEmpty());
  }

  void stopEndsTheRunBetweenSheets() {
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    auto held = heldExamReader(400);
    QVERIFY(held);
    HeldReader& reader = *held;
    MainWindow& window = desk.open(std::move(held));
    desk.chosen = desk.folder.filePath(QStringLiteral("stop.dat"));
    desk.button("Command1")->click();
    QTRY_VERIFY_WITH_TIMEOUT(window.runs().snapshot().counters.RunSheetCount >= 3, 30000);
    QVERIFY(desk.button("Command12")->isEnabled());
    desk.button("Command12")->click();
    reader.released = true;
    QVERIFY(desk.waitForRunEnd());

    const RunCounters& counters = window.counters();
    QVERIFY2(counters.RunSheetCount < 400, "the run went on after Stop");
    // Every sheet counted was finished: its record is in the file, whole.
    const QByteArray data = fileBytes(desk.folder.filePath(QStringLiteral("stop.dat")));
    QCOMPARE(data.count("\r\n"), counters.SheetCount);
    QVERIFY(data.endsWith("\r\n"));
    QCOMPARE(desk.find<QLabel>("Label2_0")->text(), QString::number(counters.SheetCount));
    QVERIFY(desk.button("Command1")->isEnabled());
    QVERIFY(!desk.button("Command12")->isEnabled());
  }

  void noSecondRunWhileOneIsActive() {
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    auto held = heldExamReader(50);
    QVERIFY(held);
    HeldReader& reader = *held;
    MainWindow& window = desk.open(std::move(held));
    desk.chosen = desk.folder.filePath(QStringLiteral("busy.dat"));
    desk.button("Command1")->click();
    QVERIFY(window.isRunning());
    for (const char* name : {"Command1", "Command2", "Command3", "Command6", "Command13", "Command5"})
      QVERIFY2(!desk.button(name)->isEnabled(), name);

    // Leaving the sheet limit during the run saves it and keeps the run's
    // buttons as they are.
    auto* limit = desk.find<QLineEdit>("Text13");
    limit->setFocus();
    limit->setText(QStringLiteral("7"));
    desk.find<QCheckBox>("Check6")->setFocus();
    QVERIFY(!desk.button("Command1")->isEnabled());
    QVERIFY(desk.button("Command12")->isEnabled());
    // The save waits for the top of the next cycle; the run may already be
    // held at its fifth sheet, so one more sheet goes through.
    QCoreApplication::processEvents();
    ++reader.passed;
    QTRY_COMPARE_WITH_TIMEOUT(settingsLine(desk.folder.path(), 31), QStringLiteral("7"), 10000);

    desk.button("Command12")->click();
    reader.released = true;
    QVERIFY(desk.waitForRunEnd());
    QVERIFY(desk.button("Command1")->isEnabled());
  }

  void densityCommandKeepsReadDisabledAndShowsTheGrid() {
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    QCOMPARE(desk.find<QComboBox>("Combo1")->currentText(), QStringLiteral("EXAM"));
    OperatorScript answers({QStringLiteral("Hayır"), QStringLiteral("Hayır")});  // the tray runs empty
    QList<QStringList> grids;
    QList<std::optional<int>> thresholds;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != QStringLiteral("frmYogun")) return;
      auto* rows = modal->findChild<QListWidget*>(QStringLiteral("List1"));
      QStringList lines;
      for (int i = 0; i < rows->count(); ++i) lines << rows->item(i)->text();
      grids << lines;
      thresholds << modal->findChild<DensityCells*>()->threshold();
      modal->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    closer.start(10);
    desk.button("Command6")->click();
    QVERIFY(!desk.button("Command1")->isEnabled());
    QVERIFY(!desk.button("Command6")->isEnabled());
    QVERIFY(desk.waitForRunEnd());
    QTRY_COMPARE_WITH_TIMEOUT(grids.size(), 1, 20000);
    QCOMPARE(grids[0].size(), 70);
    QVERIFY(grids[0][0].startsWith(QStringLiteral("01 ")));
    // The marks framed are those the current layout would read.
    QCOMPARE(thresholds[0], std::optional<int>(8));
    QVERIFY(QFile::exists(desk.folder.filePath(QStringLiteral("gecici2.bmp"))));
    QVERIFY(desk.button("Command1")->isEnabled());

    // The hopper is empty now: a second density reading reads nothing and
    // shows the last sheet's grid again.
    desk.button("Command6")->click();
    QVERIFY(desk.waitForRunEnd());
    QTRY_COMPARE_WITH_TIMEOUT(grids.size(), 2, 20000);
    QCOMPARE(grids[1], grids[0]);
  }

  // A density reading leaves nothing of itself to the next run: the Read
  // that follows in the same window parses its layout, reads the full line
  // count and writes the records the command line writes for the same
  // sheets. With a sheet limit of 2 the density reading takes sheets 1 and
  // 2, the Read sheets 3 and 4.
  void readAfterADensityReadingWritesTheLayoutsRecords() {
    QFile sample(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    QVERIFY(sample.open(QIODevice::ReadOnly));
    QStringList lines = linesOf(sample.readAll());
    lines[30] = QStringLiteral("2");  // stop after this many sheets
    QTemporaryDir settingsFolder;
    const QString settings = settingsFolder.filePath(QStringLiteral("sekonic.ini"));
    QFile limited(settings);
    QVERIFY(limited.open(QIODevice::WriteOnly));
    limited.write(fileOf(lines));
    limited.close();

    // The command line on the deck without its first two sheets.
    const QString wholeDeck = QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck");
    QStringList deckLines = QString::fromUtf8(fileBytes(wholeDeck)).split(u'\n');
    QList<qsizetype> starts;
    for (qsizetype i = 0; i < deckLines.size(); ++i)
      if (deckLines[i].trimmed() == QStringLiteral("sheet")) starts << i;
    QVERIFY(starts.size() >= 4);
    deckLines.remove(starts[0], starts[2] - starts[0]);
    Desk expected(settings);
    const QString laterSheets = expected.folder.filePath(QStringLiteral("later.deck"));
    QFile deck(laterSheets);
    QVERIFY(deck.open(QIODevice::WriteOnly));
    deck.write(deckLines.join(u'\n').toUtf8());
    deck.close();
    const QString noAnswers = expected.folder.filePath(QStringLiteral("none.answers"));
    QFile none(noAnswers);
    QVERIFY(none.open(QIODevice::WriteOnly));
    none.close();
    const cli_test::Result cli = cli_test::run(
        {QStringLiteral("read"), QStringLiteral("--folder"), expected.folder.path(), QStringLiteral("--layout"),
         QStringLiteral("EXAM"), QStringLiteral("--data"), expected.folder.filePath(QStringLiteral("exam.dat")),
         QStringLiteral("--reader"), QStringLiteral("sim:") + laterSheets, QStringLiteral("--answers"), noAnswers});
    QCOMPARE(cli.exitCode, 0);
    const QByteArray records = fileBytes(expected.folder.filePath(QStringLiteral("exam.dat")));
    QCOMPARE(records.count("\r\n"), 2);

    Desk desk(settings);
    MainWindow& window = desk.openWithDeck(wholeDeck);
    QCOMPARE(desk.find<QComboBox>("Combo1")->currentText(), QStringLiteral("EXAM"));
    OperatorScript answers;  // no box is expected
    int densityLines = -1;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal->objectName() != QStringLiteral("frmYogun")) return;
      densityLines = modal->findChild<QListWidget*>(QStringLiteral("List1"))->count();
      modal->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    closer.start(10);
    desk.button("Command6")->click();
    QVERIFY(desk.waitForRunEnd());
    QTRY_COMPARE_WITH_TIMEOUT(densityLines, 70, 20000);
    QCOMPARE(window.counters().SheetCount, 0);

    desk.chosen = desk.folder.filePath(QStringLiteral("exam.dat"));
    desk.button("Command1")->click();
    QVERIFY(desk.waitForRunEnd());
    QCOMPARE(fileBytes(desk.chosen), records);
    QCOMPARE(window.counters().RunSavedCount, 2);
    QCOMPARE(desk.find<QLabel>("Label2_0")->text(), QStringLiteral("2"));
    // The student number of sheet 4 leads the last saved record.
    const QByteArray lastRecord = records.split('\n').value(1);
    QVERIFY(desk.find<QLabel>("Label8")->text().contains(QString::fromLatin1(lastRecord.left(10))));
    QVERIFY(answers.seen().isEmpty());
    QVERIFY(answers.problems().isEmpty());
  }

  // The activation steps (the preview drawn anew, the pages loaded again)
  // run when the operator comes back from another window of the program,
  // not from another application: the points a check drew on the sheet
  // stay while the operator looks something up elsewhere.
  void activationStepsOnReturnFromTheProgramsOwnWindowsOnly() {
    Desk desk(QStringLiteral(KORVEL_SAMPLES "/sekonic.ini"));
    MainWindow& window = desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    PictureSurface& picture = window.picture();
    const int x = 30 * 45;
    const int y = 30 * 100;  // outside every field of the layout
    const QColor red(255, 0, 0);
    picture.setPoint(x, y, {255, 0, 0});

    // Another application takes the focus and gives it back.
    QApplication::setActiveWindow(nullptr);
    QVERIFY(!window.isActiveWindow());
    QApplication::setActiveWindow(&window);
    QVERIFY(window.isActiveWindow());
    QCOMPARE(picture.pointColour(x, y), red);

    // Away again, then the About window, then back to the main window.
    QApplication::setActiveWindow(nullptr);
    desk.button("Command14")->click();
    QWidget* about = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (widget->objectName() == QStringLiteral("frmhakkimizda")) about = widget;
    QVERIFY(about);
    QTRY_VERIFY(about->isActiveWindow());
    QCOMPARE(picture.pointColour(x, y), red);
    about->close();
    window.activateWindow();
    QTRY_VERIFY(window.isActiveWindow());
    QVERIFY(picture.pointColour(x, y) != red);
    QCOMPARE(picture.pointColour(30 * 13, 30 * 4), kPreviewPurple);
  }

  void aboutWindowIsOneWindowShownAgain() {
    Desk desk;
    desk.openWithDeck(QStringLiteral(KORVEL_SAMPLES "/exam-clean.deck"));
    const auto aboutWindows = [] {
      QList<QWidget*> found;
      for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QStringLiteral("frmhakkimizda")) found << widget;
      return found;
    };
    desk.button("Command14")->click();
    desk.button("Command14")->click();
    QCOMPARE(aboutWindows().size(), 1);
    QWidget* about = aboutWindows().first();
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(about->windowTitle(), QStringLiteral("Hakkımızda"));
    QVERIFY(about->findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText().contains(QStringLiteral("Garanti")));
    // The main window stays usable while it is open.
    QVERIFY(desk.button("Command3")->isEnabled());

    about->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    QTRY_VERIFY(aboutWindows().isEmpty() || !aboutWindows().first()->isVisible());
    desk.button("Command14")->click();
    QCOMPARE(aboutWindows().size(), 1);
    QVERIFY(aboutWindows().first()->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
