#include "app/GuiOperator.h"

#include "app/WindowTitleWidth.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QMetaObject>
#include <QMutexLocker>
#include <QPushButton>
#include <QThread>

#include <chrono>
#include <exception>
#include <future>
#include <utility>
#include <vector>

namespace {

struct ButtonTexts {
  QString ok;
  QString yes;
  QString no;
  QString cancel;
};

ButtonTexts buttonTexts(int languageIndex) {
  if (languageIndex == 1) {
    return {QStringLiteral("OK"), QStringLiteral("Yes"), QStringLiteral("No"), QStringLiteral("Cancel")};
  }
  return {QStringLiteral("Tamam"), QStringLiteral("Evet"), QStringLiteral("Hayır"), QStringLiteral("İptal")};
}

// The program separates lines with a carriage return alone; the screen wants line feeds.
QString screenLines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// How often a thread waiting for an answer looks whether the window went away.
constexpr std::chrono::milliseconds kGonePollInterval{25};

}  // namespace

GuiOperator::GuiOperator(QWidget* owner) : m_owner(owner), m_gone(std::make_shared<std::atomic<bool>>(false)) {
  const auto gone = m_gone;
  const auto markGone = [gone] { gone->store(true); };
  if (owner == nullptr) {
    gone->store(true);
  } else {
    connect(owner, &QObject::destroyed, this, markGone);
  }
  if (QCoreApplication* application = QCoreApplication::instance()) {
    connect(application, &QCoreApplication::aboutToQuit, this, markGone);
  }
}

GuiOperator::~GuiOperator() {
  m_gone->store(true);
}

void GuiOperator::setLanguageIndex(int languageIndex) {
  m_languageIndex.store(languageIndex);
}

void GuiOperator::setBeforeBox(std::function<void()> hook) {
  const QMutexLocker lock(&m_hookMutex);
  m_beforeBox = std::move(hook);
}

MessageAnswer GuiOperator::messageBox(const MessageBoxRequest& request) {
  return ask<MessageAnswer>([this, request] { return showMessageBox(request, std::nullopt); });
}

MessageAnswer GuiOperator::messageBox(const MessageBoxRequest& request, MessageAnswer defaultAnswer) {
  return ask<MessageAnswer>(
      [this, request, defaultAnswer] { return showMessageBox(request, defaultAnswer); });
}

std::optional<QString> GuiOperator::inputBox(const InputBoxRequest& request) {
  return ask<std::optional<QString>>([this, request] { return showInputBox(request); });
}

void GuiOperator::shutDown() {
  m_gone->store(true);
  if (QThread::currentThread() == thread()) {
    closeOpenBoxes();
  } else {
    QMetaObject::invokeMethod(this, [this] { closeOpenBoxes(); }, Qt::QueuedConnection);
  }
}

// From another thread the box is handed to the window's thread as a queued call and this thread waits for its
// answer. If this object dies before the call runs, Qt drops the call and with it the promise, which wakes the
// waiter with a broken promise; the gone flag covers a window that is closing while the call still waits in
// the queue.
template <typename Result>
Result GuiOperator::ask(std::function<Result()> showBox) {
  if (m_gone->load()) {
    throw OperatorGone();
  }
  std::function<void()> hook;
  {
    const QMutexLocker lock(&m_hookMutex);
    hook = m_beforeBox;
  }
  if (hook) {
    hook();
  }
  if (QThread::currentThread() == thread()) {
    return showBox();
  }

  auto promise = std::make_shared<std::promise<Result>>();
  std::future<Result> answer = promise->get_future();
  const bool posted = QMetaObject::invokeMethod(
      this,
      [promise, showBox] {
        try {
          promise->set_value(showBox());
        } catch (...) {
          promise->set_exception(std::current_exception());
        }
      },
      Qt::QueuedConnection);
  promise.reset();
  if (!posted) {
    throw OperatorGone();
  }
  const auto gone = m_gone;  // this object may be destroyed while the thread waits
  while (answer.wait_for(kGonePollInterval) != std::future_status::ready) {
    if (gone->load()) {
      throw OperatorGone();
    }
  }
  try {
    return answer.get();
  } catch (const std::future_error&) {
    throw OperatorGone();
  }
}

void GuiOperator::throwIfGone() const {
  if (m_gone->load() || m_owner.isNull() || QCoreApplication::closingDown()) {
    throw OperatorGone();
  }
}

MessageAnswer GuiOperator::showMessageBox(const MessageBoxRequest& request,
                                          std::optional<MessageAnswer> defaultAnswer) {
  throwIfGone();
  const ButtonTexts texts = buttonTexts(m_languageIndex.load());
  auto* box = new QMessageBox(m_owner.data());
  box->setWindowTitle(request.title);
  box->setTextFormat(Qt::PlainText);
  box->setText(screenLines(request.text));
  box->setIcon(qtIcon(request.icon));
  // The box sizes itself to its text and would leave its title to be cut by
  // the window manager; its layout, which it has just built, is given the
  // title's width to keep.
  if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
    grid->addItem(new QSpacerItem(windowTitleWidth(request.title, box->font()), 0), grid->rowCount(), 0, 1,
                  grid->columnCount());

  // Roles decide what Escape and the close button do: a single button, or the one RejectRole button, answers
  // them; a Yes/No box has neither (its "Hayır" is destructive, not a way out), so both are ignored there.
  std::vector<std::pair<QAbstractButton*, MessageAnswer>> answers;
  const auto add = [&](const QString& text, QMessageBox::ButtonRole role, MessageAnswer answer) {
    answers.emplace_back(box->addButton(text, role), answer);
  };
  switch (request.buttons) {
    case MessageButtons::Ok:
      add(texts.ok, QMessageBox::AcceptRole, MessageAnswer::Ok);
      break;
    case MessageButtons::YesNo:
      add(texts.yes, QMessageBox::YesRole, MessageAnswer::Yes);
      add(texts.no, QMessageBox::DestructiveRole, MessageAnswer::No);
      break;
    case MessageButtons::YesNoCancel:
      add(texts.yes, QMessageBox::YesRole, MessageAnswer::Yes);
      add(texts.no, QMessageBox::NoRole, MessageAnswer::No);
      add(texts.cancel, QMessageBox::RejectRole, MessageAnswer::Cancel);
      break;
  }
  QAbstractButton* defaultButton = answers.front().first;
  for (const auto& [button, answer] : answers) {
    if (defaultAnswer == answer) {
      defaultButton = button;
    }
  }
  box->setDefaultButton(qobject_cast<QPushButton*>(defaultButton));

  int result = 0;
  if (!execBox(*box, result)) {
    throw OperatorGone();
  }
  const QAbstractButton* clicked = box->clickedButton();
  delete box;
  for (const auto& [button, answer] : answers) {
    if (button == clicked) {
      return answer;
    }
  }
  // Ended without a button: only an OK or a Yes/No/Cancel box has a way to be closed.
  switch (request.buttons) {
    case MessageButtons::Ok:
      return MessageAnswer::Ok;
    case MessageButtons::YesNoCancel:
      return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
      break;
  }
  throw OperatorGone();
}

std::optional<QString> GuiOperator::showInputBox(const InputBoxRequest& request) {
  throwIfGone();
  const ButtonTexts texts = buttonTexts(m_languageIndex.load());
  auto* box = new QInputDialog(m_owner.data());
  box->setWindowTitle(request.title);
  box->setInputMode(QInputDialog::TextInput);
  box->setLabelText(screenLines(request.prompt));
  box->setTextValue(request.defaultText);
  box->setOkButtonText(texts.ok);
  box->setCancelButtonText(texts.cancel);
  // Its layout sets the box's size, and is given the title's width to keep.
  if (QLayout* layout = box->layout())
    layout->addItem(new QSpacerItem(windowTitleWidth(request.title, box->font()), 0));

  int result = 0;
  if (!execBox(*box, result)) {
    throw OperatorGone();
  }
  const QString typed = box->textValue();
  delete box;
  if (result != QDialog::Accepted) {
    return std::nullopt;
  }
  return typed;
}

// The box is a child of the owner, so closing the window deletes it in the middle of exec(): the guard tells.
bool GuiOperator::execBox(QDialog& box, int& result) {
  const QPointer<QDialog> guard(&box);
  m_openBoxes.append(guard);
  result = box.exec();
  m_openBoxes.removeIf([&](const QPointer<QDialog>& open) { return open.isNull() || open == guard; });
  if (guard.isNull()) {
    return false;
  }
  if (m_gone->load()) {
    delete guard.data();
    return false;
  }
  return true;
}

void GuiOperator::closeOpenBoxes() {
  const QList<QPointer<QDialog>> open = m_openBoxes;
  for (const QPointer<QDialog>& box : open) {
    if (!box.isNull()) {
      box->done(QDialog::Rejected);
    }
  }
}
