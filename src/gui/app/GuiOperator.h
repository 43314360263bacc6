#pragma once

#include "app/Operator.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QDialog;

/// The operator at the window: every box is a real modal dialog owned by the main window. Callable from any
/// thread: from another thread the call blocks until the box has been answered on the window's thread.
///
/// A Yes/No box has no way out but its two buttons (Escape and the window's close button do nothing), since
/// "Hayır" may end the program; a Yes/No/Cancel box closed counts as Cancel, an OK box closed as OK. The
/// first button is the default unless the window names another. Carriage returns in texts become line breaks
/// on screen.
///
/// When the owner window is gone, the application is quitting or shutDown() was called, every question throws
/// OperatorGone instead of waiting for an answer that cannot come.
class GuiOperator : public QObject, public Operator {
  Q_OBJECT
 public:
  /// Create on the owner's thread: the boxes are shown there.
  explicit GuiOperator(QWidget* owner);
  ~GuiOperator() override;

  /// 0 Turkish button texts ("Tamam", "Evet", "Hayır", "İptal"), 1 English ("OK", "Yes", "No", "Cancel").
  void setLanguageIndex(int languageIndex);
  /// Called on the asking thread just before a box is shown (the window publishes the run's views so the
  /// operator sees the sheet the question is about).
  void setBeforeBox(std::function<void()> hook);

  MessageAnswer messageBox(const MessageBoxRequest& request) override;
  /// The same with the button Enter presses named: the window's own questions whose "Evet" cannot be undone
  /// default to "Hayır". A button the box does not have leaves the first as the default.
  MessageAnswer messageBox(const MessageBoxRequest& request, MessageAnswer defaultAnswer);
  std::optional<QString> inputBox(const InputBoxRequest& request) override;

  /// The window is closing: the boxes open now are closed unanswered, and every question, waiting or new,
  /// throws OperatorGone. Callable from any thread.
  void shutDown();

 private:
  template <typename Result>
  Result ask(std::function<Result()> showBox);
  MessageAnswer showMessageBox(const MessageBoxRequest& request, std::optional<MessageAnswer> defaultAnswer);
  std::optional<QString> showInputBox(const InputBoxRequest& request);
  /// Runs a box modally; false when the box went away unanswered.
  bool execBox(QDialog& box, int& result);
  void throwIfGone() const;
  void closeOpenBoxes();

  QPointer<QWidget> m_owner;
  std::shared_ptr<std::atomic<bool>> m_gone;
  std::atomic<int> m_languageIndex{0};
  mutable QMutex m_hookMutex;
  std::function<void()> m_beforeBox;
  QList<QPointer<QDialog>> m_openBoxes;
};
