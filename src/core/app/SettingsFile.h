#pragma once

#include "app/AppSettings.h"
#include "app/MainControls.h"
#include "app/SettingsPanel.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <functional>
#include <memory>

/// sekonic.ini: 42 positional lines in code page 1254, each ended by CR LF.
///
/// Loading never fails: a missing file, a short file or a value that cannot
/// be used leaves the default (or the control's state) in place. Saving
/// rewrites the whole file and is all or nothing: the new content goes to a
/// temporary file that replaces the old one only when it was written
/// completely, so a failed save leaves the previous file as it was.

inline constexpr int kSettingsLineCount = 42;

/// The settings file of a program folder.
QString settingsFilePath(const QString& programFolder);

/// Reads <programFolder>/sekonic.ini as start-up does: every line in order,
/// applied to the settings record and to the panel through the panel's
/// setters, so its reactions run as they would for the operator's clicks.
/// The extension's reaction (Text1_Change) runs once more at the end, so the
/// separator fields agree with a csv extension whatever lines 24 and 25 say.
void LoadSettings(const QString& programFolder, AppSettings& settings, SettingsPanel& panel);

/// The same as LoadSettings for a file's raw content; an empty content is a
/// missing file.
void LoadSettingsFromBytes(const QByteArray& content, AppSettings& settings, SettingsPanel& panel);

/// The file content saving writes, with the updates of the settings record
/// and the panel that saving makes on the way (the double-sided choices, the
/// extension, the normalised texts and numbers). `combo1Text` is the layout
/// list's text, saved as the last layout.
QByteArray SaveSettingsToBytes(AppSettings& settings, SettingsPanel& panel, const QString& combo1Text);

/// What saving does with the main window's buttons.
enum class SaveButtons {
  Restore,  ///< the confirm and exit buttons: back to the idle window, panel hidden
  Keep,     ///< leaving Text13 during a reading run: the run's buttons stay as they are
};

struct SettingsSaveResult {
  bool saved = false;
  QString message;  ///< when not saved: the file's path and the system's reason
};

/// Creates the file saving writes through. Tests hand in one that fails.
using SettingsFileFactory = std::function<std::unique_ptr<QSaveFile>(const QString& path)>;

/// Saves the settings (the panel's "&Tamam", the exit button, leaving
/// Text13). With SaveButtons::Restore it first enables "&Oku", "Çı&kış",
/// "&Ayarlar", the delete-layout button and the layout list, disables
/// "&Dur" and hides the panel. The settings record and the panel are updated
/// whether or not the file could be written; the result says which.
SettingsSaveResult SaveSettings(const QString& programFolder, AppSettings& settings, SettingsPanel& panel,
                                MainControls& main, SaveButtons buttons = SaveButtons::Restore,
                                const SettingsFileFactory& openFile = {});
