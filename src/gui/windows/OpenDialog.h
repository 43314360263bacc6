#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

class QWidget;

/// The Open dialog of the Read command: a modal file chooser that remembers the last file chosen.
class OpenDialog {
 public:
  /// Shows the chooser; the test seam hands in a fake chooser, the default is a real QFileDialog.
  /// Returns the full path chosen, or empty text when the operator cancelled.
  using Chooser = std::function<QString(QWidget* owner, const QString& title, const QString& startPlace,
                                        const QStringList& nameFilters)>;
  explicit OpenDialog(Chooser chooser = {});

  /// Filter: description/pattern pairs, every item followed by a zero character (a missing final one is added).
  /// InitDir empty: start at the last file chosen (FileName). Returns the full path chosen, or empty on cancel;
  /// a non-empty result becomes FileName. Flags are kept for the caller's sake and unused.
  QString ShowOpen(QWidget* Form_hWnd, const QString& Title, const QString& InitDir, const QString& Filter,
                   std::int32_t Flags);

  /// The last file chosen through this dialog; empty at first.
  const QString& FileName() const;

  /// The Qt name filters of a zero-separated filter: "Veri Dosyaları (*.dat *.txt)", ...; patterns split at ";" and
  /// blanks. "*.*" means every file, as "*" does here. A pair without a pattern is left out.
  static QStringList nameFilters(const QString& Filter);

  /// The Read command's filter: "Veri Dosyaları", "*.dat; *.txt", "Metin Dosyaları", "*.txt", "Tüm Dosyalar", "*.*",
  /// each followed by a zero character.
  static QString readCommandFilter();

  /// The real chooser: a modal, non-native QFileDialog that accepts a new file's name too. The start place is a
  /// folder, or a file whose folder is opened with the file selected.
  static QString chooseWithFileDialog(QWidget* owner, const QString& title, const QString& startPlace,
                                      const QStringList& nameFilters);

 private:
  Chooser m_chooser;
  QString m_fileName;
};
