#include "app/MainWindow.h"

#include "app/AppearanceColours.h"
#include "app/BackgroundWidget.h"
#include "app/CaptionTable.h"
#include "app/DesktopLinks.h"
#include "app/PictureSurface.h"
#include "app/RecordView.h"
#include "app/ScrollBarStyle.h"
#include "app/SettingsColour.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanelWidget.h"
#include "app/UpdateCheck.h"
#include "app/WindowPlacement.h"
#include "common/AnsiCodec.h"
#include "layout/LayoutList.h"
#include "reading/FieldDecoding.h"
#include "reading/ReadCommand.h"
#include "reading/RunOptions.h"
#include "windows/AboutWindow.h"
#include "windows/AppearanceWindow.h"
#include "windows/DensityWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShowEvent>
#include <QTextBrowser>
#include <QWindow>

#include <algorithm>

namespace {

const QUrl kInformationPage(QStringLiteral("qrc:/korvel/info.html"));

// The lines of the last saved record shown at once while the raw view below
// shows the whole sheet.
constexpr int kRecordLinesBesideRawView = 6;

// The window's size where the screen has room for it.
constexpr QSize kPreferredSize(1100, 720);

// What a window manager's title bar and borders commonly take; the real
// frame is often known only after the window has been placed.
constexpr QMargins kFrameAllowance(6, 34, 6, 6);

// Only the roles of the control's own surface and text: a palette set on a
// widget passes to its children, and the edit fields must keep theirs.
void paint(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  if (qobject_cast<QCheckBox*>(widget)) {
    // The box itself is drawn in the colours of an edit field: a white face
    // and a black tick stand out from any status colour dark enough for
    // light text, and a light one still shows the box's border.
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
  }
  widget->setPalette(palette);
}

}  // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_programFolder(std::move(options.programFolder)),
      m_reader(std::move(options.reader)),
      m_supportPage(std::move(options.supportPage)),
      m_updatePage(std::move(options.updatePage)),
      m_startDesktopPrograms(options.startDesktopPrograms),
      m_operator(this),
      m_openDialog(std::move(options.chooser)),
      m_runs(m_views, m_counters, m_readerState) {
  setObjectName(QStringLiteral("MainWindow"));
  m_central = new BackgroundWidget(this);
  setCentralWidget(m_central);
  m_c = MainWindowControls::build(m_central);
  m_c.WebBrowser1->setSource(kInformationPage);
  m_panelWidget = new SettingsPanelWidget(m_panel, m_central);
  m_panelWidget->hide();
  ScrollBarStyle::applyTo(m_central);
  for (QLabel* label : m_c.Label2) label->installEventFilter(this);
  m_c.Text13->installEventFilter(this);
  m_updateCheck = new UpdateCheck(this);
  m_updateCheck->setObjectName(QStringLiteral("UpdateCheck"));
  // The notice is only ever replaced by a newer one, never cleared.
  connect(m_updateCheck, &UpdateCheck::noticeFound, m_c.Label2[7], &QLabel::setText);
  m_operator.setBeforeBox([this] { m_runs.publish(); });
  resize(kPreferredSize);

  // Start-up: the counters at zero, the settings loaded (the panel's
  // reactions run as they are applied), captions and colours, the layout
  // list and the last layout's preview.
  m_views.Label2[0] = m_views.Label2[3] = QStringLiteral("0");
  LoadSettings(m_programFolder, m_settings, m_panel);
  ApplyCaptions();
  ApplyAppearance();
  m_panelWidget->refreshFromModel();
  m_c.Text1->setText(m_panel.text(SettingsPanel::TextBox::Text1));
  m_c.Text13->setText(m_panel.text(SettingsPanel::TextBox::Text13));
  m_c.Check6->setChecked(m_panel.check(SettingsPanel::CheckBox::Check6) == 1);
  fillLayoutList();
  connectControls();
  if (!m_settings.LastLayoutName.isEmpty()) m_c.Combo1->setEditText(m_settings.LastLayoutName);
  Combo1_Change();
  applyControls();
  showRunViews(currentViews());

  connect(&m_runs, &RunController::published, this, [this] { showRunViews(currentViews()); });
  // Another window of the program taking the focus (the window may have
  // lost it to another application before) makes the next return one from
  // the program.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
    if (focused && focused != windowHandle()) m_awayInOtherProgram = false;
  });
  connect(&m_runs, &RunController::finished, this, &MainWindow::runFinished);
}

MainWindow::~MainWindow() {
  m_stopRequested = true;
  m_operator.shutDown();
  m_runs.wait();
}

void MainWindow::connectControls() {
  connect(m_c.Command1, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(m_c.Command2, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(m_c.Command3, &QPushButton::clicked, this, &MainWindow::Command3_Click);
  connect(m_c.Command5, &QPushButton::clicked, this, &MainWindow::Command5_Click);
  connect(m_c.Command6, &QPushButton::clicked, this, &MainWindow::Command6_Click);
  connect(m_c.Command7, &QPushButton::clicked, this, &MainWindow::Command7_Click);
  connect(m_c.Command12, &QPushButton::clicked, this, &MainWindow::Command12_Click);
  connect(m_c.Command13, &QPushButton::clicked, this, &MainWindow::Command13_Click);
  connect(m_c.Command14, &QPushButton::clicked, this, &MainWindow::Command14_Click);
  connect(m_c.Command15, &QPushButton::clicked, this, &MainWindow::Command15_Click);
  connect(m_c.Check10, &QCheckBox::clicked, this, &MainWindow::Check10_Click);
  connect(m_c.Combo1, &QComboBox::editTextChanged, this, &MainWindow::Combo1_Change);
  // Enter in the sheet limit leaves the field, which saves it.
  connect(m_c.Text13, &QLineEdit::returnPressed, m_c.Text13, [this] { m_c.Text13->clearFocus(); });
  connect(m_c.Text1, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_panel.setText(SettingsPanel::TextBox::Text1, text);
    m_panelWidget->refreshFromModel();
  });
  // The run reads the option for every sheet's raw view: the change is
  // made where the run takes window events.
  connect(m_c.Check6, &QCheckBox::clicked, this, [this](bool ticked) {
    m_runs.post([this, ticked] { m_panel.setCheck(SettingsPanel::CheckBox::Check6, ticked ? 1 : 0); });
  });
  connect(m_panelWidget, &SettingsPanelWidget::confirmed, this, &MainWindow::panelConfirmed);
}

bool MainWindow::event(QEvent* event) {
  // Coming back from the file manager, the browser or the picture viewer
  // changes nothing the activation steps show; running them would wipe the
  // points a check drew, scroll the information page to its top and fetch
  // the update page again.
  if (event->type() == QEvent::WindowActivate && !m_awayInOtherProgram) Form_Activate();
  if (event->type() == QEvent::WindowDeactivate)
    m_awayInOtherProgram = QApplication::activeWindow() == nullptr;
  return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (m_placedOnScreen || event->spontaneous() || !screen()) return;
  m_placedOnScreen = true;
  // The frame as far as it is known yet, and at least what window managers
  // commonly take.
  const QRect inside = geometry();
  const QRect outside = frameGeometry();
  const QMargins frame(std::max(inside.left() - outside.left(), kFrameAllowance.left()),
                       std::max(inside.top() - outside.top(), kFrameAllowance.top()),
                       std::max(outside.right() - inside.right(), kFrameAllowance.right()),
                       std::max(outside.bottom() - inside.bottom(), kFrameAllowance.bottom()));
  // The size given before the first show (the preferred one, unless a
  // caller chose another) where it fits.
  const WindowPlacement placement =
      placeWindow(size(), minimumSizeHint(), screen()->availableGeometry(), frame);
  setGeometry(placement.geometry);
  // On a small screen the window manager gives the window all the room
  // there is; without one the window has already been made to fit.
  if (placement.fillsScreen) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::Form_Activate() {
  // Looked for on every activation, during a run too: the answer only ever
  // sets the notice label, and a fetch under way is not started twice.
  if (!m_updatePage.isEmpty()) m_updateCheck->check(m_updatePage);
  // A box closed during a run activates the window too; the preview then
  // keeps the points the run drew.
  if (m_inActivation || m_runs.isRunning()) return;
  m_inActivation = true;
  Combo1_Change();
  if (m_panel.Option2(PanelIndex::Option2ReaderSekonic))
    m_panel.Option2_Click(PanelIndex::Option2ReaderSekonic);
  m_panelWidget->refreshFromModel();
  m_c.WebBrowser1->setSource(kInformationPage);
  m_c.WebBrowser1->reload();
  if (!m_panel.Frame4Visible()) m_c.Combo1->setFocus();
  applyBackground();
  if (!m_firstActivationDone) {
    m_firstActivationDone = true;
    try {
      const DeviceSettings deviceSettings = RunOptions::from(m_settings, m_panel).device;
      ReaderConnection connection(*m_reader, m_operator, deviceSettings, m_readerState);
      if (!connection.ConnectReader()) {
        m_controls.Command1Enabled = false;
        applyControls();
      }
    } catch (const ProgramEnd&) {
      m_inActivation = false;
      endProgram();
      return;
    } catch (const OperatorGone&) {
    }
    showRunViews(currentViews());
  }
  m_inActivation = false;
}

void MainWindow::applyBackground() {
  const QString chosen = QDir(m_programFolder).filePath(QStringLiteral("arkaplan.jpg"));
  if (m_settings.UseBackgroundPicture) {
    QImage picture;
    if (QFileInfo::exists(chosen) && picture.load(chosen)) m_central->setPicture(picture);
  } else {
    m_central->setPicture(BackgroundWidget::builtInPicture());
  }
}

void MainWindow::Combo1_Change() {
  if (m_runs.isRunning()) return;
  m_c.Picture1->reset();
  m_preview = readLayoutPreview(m_programFolder, m_c.Combo1->currentText(), m_fieldRect);
  if (m_preview.found) drawLayoutPreview(*m_c.Picture1, m_preview, m_fieldRect);
}

void MainWindow::fillLayoutList() {
  const QSignalBlocker quiet(m_c.Combo1);
  m_c.Combo1->clear();
  m_c.Combo1->addItems(layoutListEntries(m_programFolder));
  m_c.Combo1->setEditText(QString());
}

void MainWindow::applyControls() {
  // Beside the buttons a run switches itself, a run also keeps the
  // commands that would change what it works on out of reach, so a second
  // run can never start while one is active.
  const bool running = m_runs.isRunning();
  m_c.Command1->setEnabled(m_controls.Command1Enabled && !running);
  m_c.Command2->setEnabled(m_controls.Command2Enabled && !running);
  m_c.Command3->setEnabled(m_controls.Command3Enabled && !running);
  m_c.Command5->setEnabled(m_controls.Command5Enabled && !running);
  m_c.Command12->setEnabled(m_controls.Command12Enabled || running);
  m_c.Combo1->setEnabled(m_controls.Combo1Enabled && !running);
  for (QWidget* command : {static_cast<QWidget*>(m_c.Command7), static_cast<QWidget*>(m_c.Command13),
                           static_cast<QWidget*>(m_c.Text1)})
    command->setEnabled(!running);
  // The density reading reads the panel's choices while it runs: not while
  // the operator is still changing them.
  m_c.Command6->setEnabled(!running && !m_panel.Frame4Visible());
}

void MainWindow::showRunViews(const RunSnapshot& snapshot) {
  const RunViews& views = snapshot.views;
  for (int index : {0, 3}) m_c.Label2[index]->setText(views.Label2[static_cast<std::size_t>(index)]);
  for (int index = 0; index < 10; ++index)
    m_c.Label2[index]->setVisible(views.Label2Visible[static_cast<std::size_t>(index)]);
  m_c.Label8->setText(views.Label8);
  m_c.Label13->setText(views.Label13);
  m_c.Label12->setText(snapshot.MachineName.trimmed());
  const QString raw = m_c.Check10->isChecked() ? ansi::asCyrillic(views.Text14) : views.Text14;
  if (m_c.Text14->toPlainText() != raw) m_c.Text14->setPlainText(raw);
  m_c.Text14->setVisible(views.Text14Visible);
  m_c.Label8View->setLinesShown(views.Text14Visible ? kRecordLinesBesideRawView : 0);
}

RunSnapshot MainWindow::currentViews() const {
  // While a run works on the state, the window shows the run's copies.
  if (m_runs.isRunning()) return m_runs.snapshot();
  return {m_views, m_counters, m_readerState.MachineName};
}

void MainWindow::startRun(std::function<void(RunEnvironment&)> job) {
  m_runs.start([this, job = std::move(job)](RunObserver& observer) {
    RunEnvironment environment{*m_reader, m_operator, m_settings,     m_panel,          m_controls,
                               m_readerState, m_views, m_counters, m_programFolder, m_stopRequested,
                               m_c.Picture1,  &observer};
    job(environment);
  });
  applyControls();
}

void MainWindow::Command1_Click() {
  if (m_runs.isRunning()) return;
  const QScopedValueRollback<bool> starting(m_readStarting, true);
  m_controls.Command1Enabled = m_controls.Command2Enabled = m_controls.Command3Enabled = false;
  m_controls.Combo1Enabled = false;
  m_controls.Command12Enabled = true;
  applyControls();
  const auto restore = [this] {
    m_controls.Command1Enabled = m_controls.Command2Enabled = m_controls.Command3Enabled = true;
    m_controls.Combo1Enabled = true;
    m_controls.Command12Enabled = false;
    applyControls();
  };

  const QString layoutPath = findLayoutFile(m_programFolder, m_c.Combo1->currentText());
  if (layoutPath.isEmpty()) {
    MessageBoxRequest missing;
    missing.text = read_command::missingLayoutMessage(m_settings.LanguageIndex);
    m_operator.messageBox(missing);
    restore();
    return;
  }
  // Bare names belong in the program folder: until a file has been chosen
  // the dialog starts there, not wherever the program was launched from.
  const QString startFolder = m_openDialog.FileName().isEmpty() ? m_programFolder : QString();
  const QString chosen = m_openDialog.ShowOpen(this, QStringLiteral("Dosya Aç"), startFolder,
                                               OpenDialog::readCommandFilter(), 0);
  if (chosen.isEmpty()) {
    restore();
    return;
  }
  m_currentDataFilePath = read_command::completedDataFilePath(QDir(m_programFolder).absoluteFilePath(chosen),
                                                              m_settings.DataFileExtension);
  const QString dataPath = m_currentDataFilePath;
  startRun([layoutPath, dataPath](RunEnvironment& environment) {
    ReadingRun(environment).Reader(layoutPath, dataPath);
  });
}

void MainWindow::Command6_Click() {
  if (m_runs.isRunning()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_densityRunning = true;
  startRun([this](RunEnvironment& environment) {
    // A reading that read no sheet leaves the last sheet's grid to show.
    const DensityResult latest = ReadingRun(environment).densityRun();
    if (latest.sheetRead) m_density = latest;
  });
}

void MainWindow::Command12_Click() { m_stopRequested = true; }

void MainWindow::runFinished(RunOutcome outcome, const QString& message) {
  const bool density = m_densityRunning;
  m_densityRunning = false;
  if (density) QApplication::restoreOverrideCursor();
  applyControls();
  showRunViews(currentViews());
  m_c.Command1->setDefault(true);
  m_c.Combo1->setFocus();
  emit runEnded();
  if (m_closeAfterRun) {
    close();
    return;
  }
  switch (outcome) {
    case RunOutcome::ProgramEnds: endProgram(); return;
    case RunOutcome::Failed: {
      MessageBoxRequest failure;
      failure.icon = MessageIcon::Error;
      failure.text = message;
      m_operator.messageBox(failure);
      return;
    }
    case RunOutcome::OperatorGone: return;
    case RunOutcome::Ended: break;
  }
  if (density) showDensityWindow();
}

void MainWindow::showDensityWindow() {
  DensityWindowOptions options;
  options.openViewer = m_startDesktopPrograms;
  if (m_preview.found) options.threshold = thresholdFromHex(m_preview.ThresholdHex);
  DensityWindow window(m_density, m_programFolder, options, this);
  connect(&window, &DensityWindow::programEndRequested, this, &MainWindow::endProgram);
  window.exec();
}

void MainWindow::Command2_Click() {
  if (m_runs.isRunning()) return;
  saveSettings(SaveButtons::Restore);
  endProgram();
}

void MainWindow::endProgram() {
  m_closing = true;
  emit programEnded();
  hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The close box saves nothing; a run is first stopped between sheets.
  if (m_runs.isRunning()) {
    m_stopRequested = true;
    m_closeAfterRun = true;
    event->ignore();
    return;
  }
  m_closing = true;
  event->accept();
}

void MainWindow::Command3_Click() {
  m_panel.Command3_Click(m_controls);
  applyControls();
  m_panelWidget->refreshFromModel();
  m_panelWidget->adjustSize();
  m_panelWidget->move(24, 16);
  m_panelWidget->raise();
  applyPanelFocus();
}

void MainWindow::applyPanelFocus() {
  // The panel lies over most of the window: a control beneath it must not
  // take keys the operator meant for the panel.
  if (m_panel.Frame4Visible())
    m_panelFocus.confine(this, m_panelWidget);
  else
    m_panelFocus.release();
}

void MainWindow::panelConfirmed() {
  saveSettings(SaveButtons::Restore);
  m_c.Combo1->setFocus();
}

void MainWindow::Text13_LostFocus() {
  // Moving the focus on to the layout list from inside a focus change would
  // fight it, and a box about a failed save must not open in the middle of
  // one: the save waits for the next turn of the event loop, and then acts
  // on what the focus went to (the panel opened, a run started).
  QMetaObject::invokeMethod(this, &MainWindow::saveStopAfter, Qt::QueuedConnection);
}

void MainWindow::saveStopAfter() {
  if (m_closing) return;
  const QString text = m_c.Text13->text();
  // The layout the operator picked, read now: the controls saving keeps
  // only hold the list's text of the last save, if there was one.
  const QString layout = m_c.Combo1->currentText();
  if (!m_runs.isRunning()) {
    m_panel.setText(SettingsPanel::TextBox::Text13, text);
    // The panel's choices are not confirmed yet; its "Tamam" writes them
    // with this value.
    if (m_panel.Frame4Visible()) return;
    // While "&Oku" asks for the data file its buttons stay as they are.
    saveSettings(m_readStarting ? SaveButtons::Keep : SaveButtons::Restore);
    m_c.Combo1->setFocus();
    return;
  }
  // During a run only the file is written; the run's buttons stay.
  m_runs.post([this, text, layout] {
    m_panel.setText(SettingsPanel::TextBox::Text13, text);
    m_controls.Combo1Text = layout;
    const SettingsSaveResult result = SaveSettings(m_programFolder, m_settings, m_panel, m_controls, SaveButtons::Keep);
    if (!result.saved) {
      MessageBoxRequest failure;
      failure.icon = MessageIcon::Warning;
      failure.text = result.message;
      m_operator.messageBox(failure);
    }
  });
}

void MainWindow::saveSettings(SaveButtons buttons) {
  m_controls.Combo1Text = m_c.Combo1->currentText();
  const SettingsSaveResult result = SaveSettings(m_programFolder, m_settings, m_panel, m_controls, buttons);
  ApplyAppearance();
  ApplyCaptions();
  m_panelWidget->refreshFromModel();
  m_c.Text1->setText(m_panel.text(SettingsPanel::TextBox::Text1));
  applyControls();
  applyPanelFocus();
  if (!result.saved) {
    MessageBoxRequest failure;
    failure.icon = MessageIcon::Warning;
    failure.text = result.message;
    m_operator.messageBox(failure);
  }
}

void MainWindow::Command5_Click() {
  const QString name = m_c.Combo1->currentText();
  if (name.isEmpty()) return;
  MessageBoxRequest question;
  question.buttons = MessageButtons::YesNo;
  question.icon = MessageIcon::Question;
  question.text = layoutDeletionQuestion(name);
  // The file is gone for good: Enter must not delete it.
  if (m_operator.messageBox(question, MessageAnswer::No) != MessageAnswer::Yes) return;
  if (findLayoutFile(m_programFolder, name).isEmpty()) return;
  deleteLayoutFile(m_programFolder, name);
  m_c.Picture1->reset();
  fillLayoutList();
}

void MainWindow::Command13_Click() {
  const QString caption = m_c.Command13->text();
  if (caption == QStringLiteral("&English")) {
    m_settings.LanguageIndex = 1;
    m_panel.selectOption4(PanelIndex::Option4English);
  } else if (caption == QStringLiteral("&Türkçe")) {
    m_settings.LanguageIndex = 0;
    m_panel.selectOption4(PanelIndex::Option4Turkish);
  }
  ApplyCaptions();
  Command3_Click();
}

void MainWindow::Command7_Click() {
  AppearanceWindow appearance(m_settings, m_programFolder, this);
  appearance.exec();
  // A new arkaplan.jpg or a changed check box shows at once, not only at
  // the next activation.
  ApplyAppearance();
  applyBackground();
}

void MainWindow::Command14_Click() {
  // One About window: a second press shows the one already open.
  if (!m_about) {
    m_about = new AboutWindow(this);
    m_about->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_about->show();
  m_about->raise();
  m_about->activateWindow();
}

void MainWindow::Command15_Click() {
  const QString target = m_currentDataFilePath.isEmpty()
                             ? QDir(m_programFolder).filePath(QFileInfo(QApplication::applicationFilePath()).fileName())
                             : m_currentDataFilePath;
  if (m_startDesktopPrograms) showInFileManager(target);
}

void MainWindow::Check10_Click() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  m_c.Text14->setFont(font);
  showRunViews(currentViews());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Every loss of the focus saves, edited or not; a context menu opened
  // on the field does not take it away.
  if (watched == m_c.Text13 && event->type() == QEvent::FocusOut &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    Text13_LostFocus();
    return false;
  }
  if (event->type() == QEvent::MouseButtonRelease && m_c.Label2.contains(qobject_cast<QLabel*>(watched))) {
    if (m_startDesktopPrograms && m_supportPage.isValid()) openWebPage(m_supportPage);
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ApplyCaptions() {
  const int language = m_settings.LanguageIndex;
  m_operator.setLanguageIndex(language);
  for (const Caption& row : captionTable()) {
    const std::optional<QString> text = captionIn(row, language);
    if (!text) return;
    if (row.control == QStringLiteral("MainWindow")) {
      setWindowTitle(*text);
      continue;
    }
    QWidget* widget = findChild<QWidget*>(row.control);
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(*text);
    else if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(*text);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget)) frame->setTitle(*text);
  }
}

void MainWindow::ApplyAppearance() {
  const AppearanceColours colours = appearanceColours(m_settings);
  const QColor base = colourOf(colours.base);
  const QColor text = colourOf(colours.text);
  QPalette window = m_central->palette();
  window.setColor(QPalette::Window, base);
  m_central->setPalette(window);
  QList<QWidget*> status;
  for (int index : {0, 1, 2, 3, 4, 5, 7, 8, 9}) status.append(m_c.Label2[index]);
  status << m_c.Label3 << m_c.Label5 << m_c.Label12 << m_c.Label13 << m_c.Check6 << m_c.Check10;
  for (QWidget* widget : status) paint(widget, base, text);
  // The record's view too, for the corner between its scroll bars.
  for (QWidget* record : {static_cast<QWidget*>(m_c.Label8), static_cast<QWidget*>(m_c.Label9),
                          static_cast<QWidget*>(m_c.Label8View)})
    paint(record, colourOf(colours.highlight), colourOf(colours.highlightText));
}
