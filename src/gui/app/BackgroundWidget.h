#pragma once

#include <QImage>
#include <QWidget>

/// The window's surface (Image2): the background picture stretched over
/// the whole window, the controls on top of it.
class BackgroundWidget : public QWidget {
  Q_OBJECT
 public:
  explicit BackgroundWidget(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return m_picture; }

  /// The picture the program brings along (Image3): a quiet pattern of
  /// mark rows, so a window without a chosen picture still has one.
  static QImage builtInPicture();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_picture;
};
