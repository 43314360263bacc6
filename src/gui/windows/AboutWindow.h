#pragma once

#include <QDialog>

/// The notice for the customer (a welcome, the warranty and support terms,
/// how to reach us), the same in both languages. The main window keeps one;
/// "&Kapat" closes it.
class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  explicit AboutWindow(QWidget* parent = nullptr);

  /// The notice's text.
  static QString notice();
};
