#pragma once

#include "app/AppSettings.h"
#include "app/FocusConfinement.h"
#include "app/GuiOperator.h"
#include "app/MainControls.h"
#include "app/MainWindowControls.h"
#include "app/RunController.h"
#include "app/SettingsFile.h"
#include "app/SettingsPanel.h"
#include "device/OmrApi.h"
#include "device/ReaderConnection.h"
#include "layout/FieldRect.h"
#include "layout/LayoutPreview.h"
#include "reading/ReadingRun.h"
#include "reading/RunViews.h"
#include "windows/OpenDialog.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QUrl>

#include <atomic>
#include <memory>

class QDialog;
class SettingsPanelWidget;
class BackgroundWidget;
class UpdateCheck;

/// What the main window is started with.
struct MainWindowOptions {
  QString programFolder;
  std::unique_ptr<OmrApi> reader;
  /// The Open dialog's chooser; empty: the real file dialog.
  OpenDialog::Chooser chooser;
  /// The page the status labels open; empty: none.
  QUrl supportPage;
  /// The page announcing the newest build; empty: no update check at all.
  QUrl updatePage;
  /// Whether the window starts other programs (file manager, browser,
  /// picture viewer); tests turn it off.
  bool startDesktopPrograms = true;
};

/// The program's main window: the layout list with its preview, the Read
/// and Stop buttons, the counters and the last saved record, the settings
/// panel shown over the window, and the commands that open the other
/// windows. It owns the program's state for the program's lifetime; a
/// reading run works on that state on a thread of its own (RunController).
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainWindow(MainWindowOptions options, QWidget* parent = nullptr);
  ~MainWindow() override;

  const AppSettings& settings() const { return m_settings; }
  const RunCounters& counters() const { return m_counters; }
  const QString& programFolder() const { return m_programFolder; }
  const QString& CurrentDataFilePath() const { return m_currentDataFilePath; }
  bool isRunning() const { return m_runs.isRunning(); }
  RunController& runs() { return m_runs; }
  PictureSurface& picture() { return *m_c.Picture1; }
  /// The last density reading (the density window shows it).
  const DensityResult& density() const { return m_density; }

  /// The activation steps, run when the window first becomes the active one
  /// and whenever the operator comes back to it from another of the
  /// program's windows (not from another application).
  void Form_Activate();

 signals:
  /// The program ends (the exit button, or a path of a run or of the
  /// connection that ends it); main() quits on it.
  void programEnded();
  /// A reading or density run has ended and the window shows its result.
  void runEnded();

 protected:
  bool event(QEvent* event) override;
  /// The first show fits the window to its screen.
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectControls();
  void Combo1_Change();
  void fillLayoutList();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command5_Click();
  void Command6_Click();
  void Command7_Click();
  void Command12_Click();
  void Command13_Click();
  void Command14_Click();
  void Command15_Click();
  void Check10_Click();
  void Text13_LostFocus();
  /// What leaving Text13 saves, once the focus has arrived where it went.
  void saveStopAfter();
  void panelConfirmed();

  /// Saves the settings; tells the operator when the file could not be written.
  void saveSettings(SaveButtons buttons);
  void ApplyCaptions();
  void ApplyAppearance();
  void applyBackground();
  /// Puts the buttons' and the layout list's states on the widgets.
  void applyControls();
  /// While the settings panel is shown, the keyboard works in it only.
  void applyPanelFocus();
  /// Shows what the run shows: the views, the counters, the reader's model.
  void showRunViews(const RunSnapshot& snapshot);
  RunSnapshot currentViews() const;
  void runFinished(RunOutcome outcome, const QString& message);
  void startRun(std::function<void(RunEnvironment&)> job);
  void showDensityWindow();
  void endProgram();

  QString m_programFolder;
  std::unique_ptr<OmrApi> m_reader;
  QUrl m_supportPage;
  QUrl m_updatePage;
  UpdateCheck* m_updateCheck = nullptr;
  bool m_startDesktopPrograms = true;

  AppSettings m_settings;
  SettingsPanel m_panel;
  MainControls m_controls;
  RunViews m_views;
  RunCounters m_counters;
  ReaderState m_readerState;
  std::atomic<bool> m_stopRequested{false};
  bool m_firstActivationDone = false;
  bool m_inActivation = false;
  /// The window last lost the focus to another application, and no other
  /// window of the program has had it since.
  bool m_awayInOtherProgram = false;
  bool m_closeAfterRun = false;
  /// The window is closing or the program ends: leaving Text13 saves nothing more.
  bool m_closing = false;
  /// "&Oku" is asking for its data file; the run has not started yet.
  bool m_readStarting = false;
  bool m_densityRunning = false;
  bool m_placedOnScreen = false;
  QString m_currentDataFilePath;
  FieldRect m_fieldRect;
  LayoutPreview m_preview;
  DensityResult m_density;

  BackgroundWidget* m_central = nullptr;
  MainWindowControls m_c;
  SettingsPanelWidget* m_panelWidget = nullptr;
  FocusConfinement m_panelFocus;
  GuiOperator m_operator;
  OpenDialog m_openDialog;
  RunController m_runs;
  QPointer<QDialog> m_about;
};
