#include "SettingsFileLines.h"
#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "app/SettingsPanelWidget.h"
#include "common/AnsiCodec.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

using CheckBox = SettingsPanel::CheckBox;
using TextBox = SettingsPanel::TextBox;

// The frames each reader choice shows, beside the four that never hide.
const QStringList kAlwaysFrames = {"Frame1", "Frame15", "Frame21", "Frame22"};
const QStringList kSekonicFrames = {"Frame2",  "Frame3",  "Frame5",  "Frame7", "Frame8",
                                    "Frame10", "Frame11", "Frame12", "Frame13"};
const QStringList kNanhaoFrames = {"Frame14", "Frame16", "Frame17", "Frame18"};

QStringList sorted(QStringList names) {
  names.sort();
  return names;
}

QStringList defaultLines() {
  QFile file(QStringLiteral(KORVEL_TEST_DATA "/settings/defaults.ini"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return linesOf(file.readAll());
}

// Clicks where the operator would: on the indicator of a check box or an
// option, which need not be the middle of a widget stretched by its layout.
void click(QAbstractButton* button) {
  QVERIFY(button);
  QStyleOptionButton option;
  option.initFrom(button);
  const QStyle::SubElement indicator =
      qobject_cast<QRadioButton*>(button) ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
  QPoint where = button->rect().center();
  if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button)) {
    where = button->style()->subElementRect(indicator, &option, button).center();
  }
  QTest::mouseClick(button, Qt::LeftButton, {}, where);
}

// A panel over its model, opened as "&Ayarlar" opens it.
struct Rig {
  AppSettings settings;
  SettingsPanel model;
  MainControls main;
  std::unique_ptr<QWidget> window;
  SettingsPanelWidget* widget = nullptr;

  Rig() {
    window = std::make_unique<QWidget>();
    window->resize(1024, 700);
    widget = new SettingsPanelWidget(model, window.get());
  }

  void open() {
    model.Command3_Click(main);
    widget->refreshFromModel();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  }

  template <typename T>
  T* get(const char* name) const {
    T* child = widget->findChild<T*>(QLatin1String(name));
    if (!child) qFatal("the panel has no %s", name);
    return child;
  }
  QAbstractButton* button(const char* name) const { return get<QAbstractButton>(name); }
  QCheckBox* box(const char* name) const { return get<QCheckBox>(name); }
  QLineEdit* edit(const char* name) const { return get<QLineEdit>(name); }

  QStringList visibleFrames() const {
    QStringList names;
    for (const QGroupBox* frame : widget->findChildren<QGroupBox*>()) {
      if (frame->isVisibleTo(widget)) names << frame->objectName();
    }
    return sorted(names);
  }
};

}  // namespace

class SettingsPanelWidgetTest : public QObject {
  Q_OBJECT

 private slots:
  void readerChoiceShowsItsFrames() {
    Rig rig;
    rig.open();
    QCOMPARE(rig.widget->objectName(), QStringLiteral("Frame4"));
    QVERIFY(rig.widget->isVisible());
    QCOMPARE(rig.visibleFrames(), sorted(kAlwaysFrames + kSekonicFrames));

    click(rig.button("Option1_0"));
    click(rig.button("Option2_4"));
    click(rig.button("Option2_8"));
    QCOMPARE(rig.visibleFrames(), sorted(kAlwaysFrames + kNanhaoFrames));
    QVERIFY(rig.model.Option2(8));
    // The Nanhao reader only works through USB.
    QVERIFY(rig.button("Option1_2")->isChecked());
    QVERIFY(!rig.button("Option1_0")->isChecked());

    click(rig.button("Option2_9"));
    QCOMPARE(rig.visibleFrames(), sorted(kAlwaysFrames + kSekonicFrames + QStringList{"Frame6"}));
    QVERIFY(rig.model.Option2(9) && !rig.model.Option2(8));
  }

  void duplexMachineShowsDoubleSidedSheet() {
    Rig rig;
    rig.open();
    QVERIFY(!rig.get<QGroupBox>("Frame6")->isVisible());

    click(rig.button("Option2_4"));
    QVERIFY(rig.get<QGroupBox>("Frame6")->isVisible());
    QVERIFY(!rig.button("Option2_5")->isChecked());
    // Each frame's options exclude each other only: the other frames keep theirs.
    for (const char* other : {"Option2_0", "Option2_3", "Option2_7", "Option2_9", "Option3_1", "Option4_0"}) {
      QVERIFY2(rig.button(other)->isChecked(), other);
    }

    click(rig.button("Option2_5"));
    QVERIFY(!rig.get<QGroupBox>("Frame6")->isVisible());
    QVERIFY(!rig.button("Option2_4")->isChecked());
    QVERIFY(rig.model.Option2(5) && !rig.model.Option2(4));
  }

  void extensionLocksSeparator() {
    Rig rig;
    rig.open();
    QCheckBox* check9 = rig.box("Check9");
    QLineEdit* text10 = rig.edit("Text10");

    const struct {
      const char* extension;
      bool locked;
    } steps[] = {{"csv", true}, {"dat", false}, {"CsV", true}, {"txt", false}};
    for (const auto& step : steps) {
      rig.model.setText(TextBox::Text1, QString::fromLatin1(step.extension));
      rig.widget->refreshFromModel();
      QVERIFY2(check9->isEnabled() == !step.locked, step.extension);
      QVERIFY2(text10->isEnabled() == !step.locked, step.extension);
      // Unlocking keeps what csv set.
      QVERIFY2(check9->checkState() == Qt::Checked, step.extension);
      QVERIFY2(text10->text() == QLatin1String(";"), step.extension);
    }

    click(check9);
    QCOMPARE(rig.model.check(CheckBox::Check9), 0);
    QVERIFY(!text10->isEnabled());
    QCOMPARE(text10->text(), QStringLiteral(";"));
  }

  void darknessLimitEnablesUpperLimit() {
    Rig rig;
    rig.open();
    QCheckBox* check1 = rig.box("Check1");
    const auto upperLimitEnabled = [&rig] {
      const bool label = rig.get<QLabel>("Label7")->isEnabled();
      const bool text = rig.edit("Text3")->isEnabled();
      if (label != text) qWarning("Label7 and Text3 disagree");
      return label && text;
    };
    QVERIFY(!upperLimitEnabled());

    click(check1);
    QCOMPARE(rig.model.check(CheckBox::Check1), 1);
    QVERIFY(upperLimitEnabled());
    click(check1);
    QCOMPARE(rig.model.check(CheckBox::Check1), 0);
    QVERIFY(!upperLimitEnabled());

    // Only a tick enables the limit; a greyed box clicked becomes a tick.
    rig.model.setCheck(CheckBox::Check1, 2);
    rig.widget->refreshFromModel();
    QCOMPARE(check1->checkState(), Qt::PartiallyChecked);
    QVERIFY(!upperLimitEnabled());
    click(check1);
    QCOMPARE(rig.model.check(CheckBox::Check1), 1);
    QCOMPARE(check1->checkState(), Qt::Checked);
    QVERIFY(upperLimitEnabled());
    click(check1);
    QCOMPARE(rig.model.check(CheckBox::Check1), 0);
    QCOMPARE(check1->checkState(), Qt::Unchecked);
  }

  void loadedSettingsShow() {
    QStringList lines = defaultLines();
    QCOMPARE(lines.size(), kSettingsLineCount);
    const std::pair<int, const char*> changes[] = {
        {1, " 0 "},  {2, " 1 "},  {3, " 1 "},   {4, " 1 "},  {5, " 1 "},  {6, "csvx"}, {7, "05"},  {8, " 1 "},
        {9, "180"},  {10, " 0 "}, {12, " 1 "},  {13, " 1 "}, {14, "12"},  {15, " 2 "}, {16, " 1 "}, {19, " 1 "},
        {20, "04"},  {22, " 0 "}, {23, "30"},   {24, " 1 "}, {25, "|"},   {26, "3"},   {27, " 1 "}, {28, " 2 "},
        {29, " 1 "}, {30, "Sınav"}, {33, " 1 "},
    };
    for (const auto& [line, text] : changes) lines[line - 1] = QString::fromUtf8(text);
    Rig rig;
    LoadSettingsFromBytes(fileOf(lines), rig.settings, rig.model);
    SettingsPanel expected = rig.model;
    MainControls scratch;
    expected.Command3_Click(scratch);
    rig.open();
    // Showing the values must not feed them back as clicks.
    QVERIFY(rig.model == expected);

    for (const char* name : {"Option1_2", "Option2_1", "Option2_2", "Option2_4", "Option2_6", "Option2_9",
                             "Option3_0", "Option4_1"}) {
      QVERIFY2(rig.button(name)->isChecked(), name);
    }
    QVERIFY(rig.get<QGroupBox>("Frame6")->isVisible());

    const std::pair<const char*, Qt::CheckState> boxes[] = {
        {"Check1", Qt::Checked},           {"Check2", Qt::Unchecked},         {"Check3", Qt::Checked},
        {"Check4", Qt::Checked},           {"Check5_0", Qt::PartiallyChecked}, {"Check5_1", Qt::Checked},
        {"Check5_2", Qt::Unchecked},       {"Check5_3", Qt::PartiallyChecked}, {"Check5_4", Qt::Checked},
        {"Check7", Qt::Checked},           {"Check8", Qt::Unchecked},         {"Check9", Qt::Checked},
        {"Check11", Qt::Checked},
    };
    for (const auto& [name, state] : boxes) QVERIFY2(rig.box(name)->checkState() == state, name);

    const std::pair<const char*, const char*> texts[] = {
        {"Text2", "05"}, {"Text3", "180"}, {"Text5", "12"},   {"Text9", "30"},
        {"Text10", "|"}, {"Text11", "3"},  {"Text12", "Sınav"},
    };
    for (const auto& [name, text] : texts) QCOMPARE(rig.edit(name)->text(), QString::fromUtf8(text));
    QCOMPARE(rig.get<QComboBox>("Combo3")->currentText(), QStringLiteral("04"));
    QVERIFY(rig.get<QLabel>("Label7")->isEnabled());
    // "csvx" is not csv: the separator stays free.
    QVERIFY(rig.box("Check9")->isEnabled());
  }

  void refreshLeavesTheModelAlone() {
    // A state no single click produces: the Nanhao reader on Com1, with a
    // greyed box and the csv lock. Showing it must not run any reaction.
    Rig rig;
    rig.model.selectOption2(8);
    rig.model.selectOption1(0);
    rig.model.setCheck5(2, 2);
    rig.model.setText(TextBox::Text1, QStringLiteral("csv"));
    rig.model.setCombo3(QStringLiteral("7"));
    rig.model.clearOption2(7);
    rig.model.Command3_Click(rig.main);
    const SettingsPanel before = rig.model;
    rig.widget->refreshFromModel();
    rig.widget->refreshFromModel();
    QVERIFY(rig.model == before);
    QVERIFY(rig.button("Option1_0")->isChecked());
    QVERIFY(!rig.button("Option1_2")->isChecked());
    // No option of "Çift Yüzlü Kağıt" is selected and none is shown so.
    QVERIFY(!rig.button("Option2_6")->isChecked() && !rig.button("Option2_7")->isChecked());
    QCOMPARE(rig.get<QComboBox>("Combo3")->currentText(), QStringLiteral("7"));
  }

  void editsReachTheSavedFile() {
    Rig rig;
    LoadSettingsFromBytes({}, rig.settings, rig.model);
    rig.open();

    QTest::keyClicks(rig.edit("Text2"), QStringLiteral("5"));
    click(rig.box("Check1"));
    QTest::keyClicks(rig.edit("Text3"), QStringLiteral("180"));
    click(rig.box("Check3"));
    click(rig.box("Check5_2"));
    click(rig.box("Check2"));
    QLineEdit* text12 = rig.edit("Text12");
    QTest::keyClicks(text12, QStringLiteral("AB 12"));
    QLineEdit* combo3 = rig.get<QComboBox>("Combo3")->lineEdit();
    combo3->selectAll();
    QTest::keyClicks(combo3, QStringLiteral("05"));
    click(rig.button("Option2_1"));
    click(rig.button("Option2_2"));
    click(rig.button("Option4_1"));
    click(rig.box("Check11"));
    QCOMPARE(text12->text(), QStringLiteral("AB 12"));
    QCOMPARE(rig.model.Combo3(), QStringLiteral("05"));

    const QStringList saved = linesOf(SaveSettingsToBytes(rig.settings, rig.model, QString()));
    QCOMPARE(saved.size(), kSettingsLineCount);
    const std::pair<int, const char*> expected[] = {
        {2, " 1 "},  {3, " 1 "},  {7, "05"},  {8, " 1 "},  {9, "180"},     {10, " 0 "},
        {12, " 1 "}, {17, " 1 "}, {20, "05"}, {27, " 1 "}, {30, "AB 12"}, {33, " 1 "},
    };
    for (const auto& [line, text] : expected) {
      const QString message = QStringLiteral("line %1: \"%2\"").arg(line).arg(saved.at(line - 1));
      QVERIFY2(saved.at(line - 1) == QString::fromUtf8(text), qPrintable(message));
    }
  }

  void tamamConfirms() {
    Rig rig;
    rig.open();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QSignalSpy spy(rig.widget, &SettingsPanelWidget::confirmed);
    QObject::connect(rig.widget, &SettingsPanelWidget::confirmed, rig.widget, [&rig, &folder] {
      SaveSettings(folder.path(), rig.settings, rig.model, rig.main);
      rig.widget->refreshFromModel();
    });
    QCOMPARE(rig.button("Command4")->text(), QStringLiteral("&Tamam"));

    click(rig.button("Command4"));
    QCOMPARE(spy.count(), 1);
    QVERIFY(!rig.widget->isVisible());
    QVERIFY(rig.main.Command1Enabled);
    QVERIFY(QFile::exists(settingsFilePath(folder.path())));
  }

  void fitsOverTheWindowInItsOwnColours() {
    Rig rig;
    QPalette blue = rig.window->palette();
    blue.setColor(QPalette::Window, QColor(0, 0, 192));
    blue.setColor(QPalette::WindowText, QColor(255, 255, 0));
    rig.window->setPalette(blue);
    rig.open();

    // The largest choice: Sekonic with both double-sided frames.
    click(rig.button("Option2_4"));
    const QSize sekonic = rig.widget->size();
    click(rig.button("Option2_8"));
    const QSize nanhao = rig.widget->size();
    for (const QSize& size : {sekonic, nanhao}) {
      QVERIFY2(size.width() <= 1024 - 24 && size.height() <= 700 - 16,
               qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));
    }
    // The hidden frames give their room back.
    QVERIFY(nanhao.height() < sekonic.height());
    QCOMPARE(rig.widget->size(), rig.widget->sizeHint());

    const QColor standard = QApplication::palette().color(QPalette::Window);
    QCOMPARE(rig.widget->palette().color(QPalette::Window), standard);
    QCOMPARE(rig.get<QGroupBox>("Frame17")->palette().color(QPalette::Window), standard);
    QCOMPARE(rig.box("Check11")->palette().color(QPalette::WindowText),
             QApplication::palette().color(QPalette::WindowText));
    QVERIFY(rig.widget->autoFillBackground());
  }
};

QTEST_MAIN(SettingsPanelWidgetTest)
#include "SettingsPanelWidgetTest.moc"
