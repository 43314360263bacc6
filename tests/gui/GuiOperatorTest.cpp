#include "app/GuiOperator.h"

#include "ModalAnswerer.h"

#include <QAbstractButton>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>

Q_DECLARE_METATYPE(MessageButtons)
Q_DECLARE_METATYPE(MessageAnswer)
Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(std::optional<MessageAnswer>)

namespace {

QPushButton* buttonWithText(QWidget* box, const QString& text) {
  const auto buttons = box->findChildren<QPushButton*>();
  for (QPushButton* button : buttons) {
    if (button->text() == text && button->isVisible()) {
      return button;
    }
  }
  return nullptr;
}

QStringList visibleButtonTexts(QWidget* box) {
  QStringList texts;
  const auto buttons = box->findChildren<QPushButton*>();
  for (const QPushButton* button : buttons) {
    if (button->isVisible()) {
      texts.append(button->text());
    }
  }
  texts.sort();
  return texts;
}

void pressEscape(QWidget* box) {
  QWidget* target = box->focusWidget() != nullptr ? box->focusWidget() : box;
  QTest::keyClick(target, Qt::Key_Escape);
}

// What a test saw of a message box before answering it.
struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QString defaultButton;
};

SeenBox look(QWidget* widget) {
  SeenBox seen;
  auto* box = qobject_cast<QMessageBox*>(widget);
  if (box == nullptr) {
    return seen;
  }
  seen.title = box->windowTitle();
  seen.text = box->text();
  seen.icon = box->icon();
  seen.buttons = visibleButtonTexts(box);
  if (box->defaultButton() != nullptr) {
    seen.defaultButton = box->defaultButton()->text();
  }
  return seen;
}

// Runs `ask` on a worker thread while this thread serves the window's events; a worker still waiting after the
// time limit is released through shutDown, so a failure cannot hang the test.
bool runOnWorker(GuiOperator& op, const std::function<void()>& ask) {
  std::atomic<bool> finished{false};
  std::thread worker([&] {
    ask();
    finished.store(true);
  });
  const bool inTime = QTest::qWaitFor([&] { return finished.load(); }, 10000);
  if (!inTime) {
    op.shutDown();
  }
  worker.join();
  return inTime;
}

}  // namespace

class GuiOperatorTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    m_owner = std::make_unique<QWidget>();
    m_operator = std::make_unique<GuiOperator>(m_owner.get());
  }
  void cleanup() {
    m_operator.reset();
    m_owner.reset();
  }

  void messageBoxShowsTheRequestAndAnswersTheButtonPressed_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("buttonTexts");
    QTest::addColumn<QString>("press");
    QTest::addColumn<MessageAnswer>("answer");

    QTest::newRow("ok, Turkish") << MessageButtons::Ok << 0 << QStringList{"Tamam"} << "Tamam" << MessageAnswer::Ok;
    QTest::newRow("ok, English") << MessageButtons::Ok << 1 << QStringList{"OK"} << "OK" << MessageAnswer::Ok;
    QTest::newRow("yes/no, Turkish, no")
        << MessageButtons::YesNo << 0 << QStringList{"Evet", "Hayır"} << "Hayır" << MessageAnswer::No;
    QTest::newRow("yes/no, English, yes")
        << MessageButtons::YesNo << 1 << QStringList{"No", "Yes"} << "Yes" << MessageAnswer::Yes;
    QTest::newRow("yes/no/cancel, Turkish, cancel")
        << MessageButtons::YesNoCancel << 0 << QStringList{"Evet", "Hayır", "İptal"} << "İptal"
        << MessageAnswer::Cancel;
    QTest::newRow("yes/no/cancel, English, no")
        << MessageButtons::YesNoCancel << 1 << QStringList{"Cancel", "No", "Yes"} << "No" << MessageAnswer::No;
    QTest::newRow("yes/no/cancel, English, yes")
        << MessageButtons::YesNoCancel << 1 << QStringList{"Cancel", "No", "Yes"} << "Yes" << MessageAnswer::Yes;
  }
  void messageBoxShowsTheRequestAndAnswersTheButtonPressed() {
    QFETCH(MessageButtons, buttons);
    QFETCH(int, language);
    QFETCH(QStringList, buttonTexts);
    QFETCH(QString, press);
    QFETCH(MessageAnswer, answer);

    m_operator->setLanguageIndex(language);
    SeenBox seen;
    ModalAnswerer answerer([&](QWidget* box) {
      seen = look(box);
      if (QPushButton* button = buttonWithText(box, press)) {
        button->click();
      }
    });
    const MessageAnswer got = m_operator->messageBox(
        {buttons, QStringLiteral("Kağıt 12\rAlan <Ad> boş"), QStringLiteral("Kontrol"), MessageIcon::Warning});

    QVERIFY(!answerer.timedOut());
    QCOMPARE(got, answer);
    QCOMPARE(seen.title, QStringLiteral("Kontrol"));
    QCOMPARE(seen.text, QStringLiteral("Kağıt 12\nAlan <Ad> boş"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, buttonTexts);
    const QString first = language == 1 ? (buttons == MessageButtons::Ok ? "OK" : "Yes")
                                        : (buttons == MessageButtons::Ok ? "Tamam" : "Evet");
    QCOMPARE(seen.defaultButton, first);
  }

  // Enter presses the button the window names, else the first one.
  void enterPressesTheDefaultButton_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<std::optional<MessageAnswer>>("defaultAnswer");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<MessageAnswer>("answer");

    QTest::newRow("yes/no") << MessageButtons::YesNo << std::optional<MessageAnswer>() << "Evet"
                            << MessageAnswer::Yes;
    QTest::newRow("yes/no, no by default")
        << MessageButtons::YesNo << std::optional(MessageAnswer::No) << "Hayır" << MessageAnswer::No;
    QTest::newRow("yes/no/cancel, cancel by default")
        << MessageButtons::YesNoCancel << std::optional(MessageAnswer::Cancel) << "İptal"
        << MessageAnswer::Cancel;
    QTest::newRow("ok, a default it does not have")
        << MessageButtons::Ok << std::optional(MessageAnswer::No) << "Tamam" << MessageAnswer::Ok;
  }
  void enterPressesTheDefaultButton() {
    QFETCH(MessageButtons, buttons);
    QFETCH(std::optional<MessageAnswer>, defaultAnswer);
    QFETCH(QString, defaultButton);
    QFETCH(MessageAnswer, answer);

    SeenBox seen;
    ModalAnswerer answerer([&](QWidget* box) {
      seen = look(box);
      QTest::keyClick(box, Qt::Key_Return);
    });
    MessageBoxRequest request;
    request.buttons = buttons;
    request.text = QStringLiteral("EXAM.omrf isimli dosya silinecek");
    const MessageAnswer got =
        defaultAnswer ? m_operator->messageBox(request, *defaultAnswer) : m_operator->messageBox(request);

    QVERIFY(!answerer.timedOut());
    QCOMPARE(seen.defaultButton, defaultButton);
    QCOMPARE(got, answer);
  }

  void iconsAndTheDefaultTitle_data() {
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QMessageBox::Icon>("shown");
    QTest::newRow("none") << MessageIcon::None << QMessageBox::NoIcon;
    QTest::newRow("error") << MessageIcon::Error << QMessageBox::Critical;
    QTest::newRow("question") << MessageIcon::Question << QMessageBox::Question;
    QTest::newRow("information") << MessageIcon::Information << QMessageBox::Information;
  }
  void iconsAndTheDefaultTitle() {
    QFETCH(MessageIcon, icon);
    QFETCH(QMessageBox::Icon, shown);
    SeenBox seen;
    ModalAnswerer answerer([&](QWidget* box) {
      seen = look(box);
      if (QPushButton* button = buttonWithText(box, QStringLiteral("Tamam"))) {
        button->click();
      }
    });
    MessageBoxRequest request;
    request.text = QStringLiteral("Bitti");
    request.icon = icon;
    QCOMPARE(m_operator->messageBox(request), MessageAnswer::Ok);
    QVERIFY(!answerer.timedOut());
    QCOMPARE(seen.icon, shown);
    QCOMPARE(seen.title, QStringLiteral("Okuma Programı"));
  }

  // A box narrower than its title bar needs has its title cut by the
  // window manager ("Okum… ramı"): every box is at least as wide as its
  // title set in bold, with room beside it for the title bar's icon and
  // buttons.
  void boxesKeepTheirTitleWhole_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::newRow("the reader's question") << QStringLiteral("yesno") << QStringLiteral("Okuma Programı");
    QTest::newRow("a short notice") << QStringLiteral("ok") << QStringLiteral("Okuma Programı");
    QTest::newRow("an input box") << QStringLiteral("input") << QStringLiteral("Kitapçık türü için değer");
  }
  void boxesKeepTheirTitleWhole() {
    QFETCH(QString, kind);
    QFETCH(QString, title);
    int width = 0;
    QFont font;
    ModalAnswerer answerer([&](QWidget* box) {
      width = box->width();
      font = box->font();
      if (auto* dialog = qobject_cast<QDialog*>(box)) dialog->done(QDialog::Rejected);
    });
    if (kind == QStringLiteral("input")) {
      InputBoxRequest request;
      request.prompt = QStringLiteral("Değer");
      request.title = title;
      m_operator->inputBox(request);
    } else {
      MessageBoxRequest request;
      const bool notice = kind == QStringLiteral("ok");
      request.buttons = notice ? MessageButtons::Ok : MessageButtons::YesNo;
      request.text = notice ? QStringLiteral("Bitti") : QStringLiteral("Tepsi Boş \rDevam edilecek mi?");
      request.title = title;
      try {
        m_operator->messageBox(request);
      } catch (const OperatorGone&) {
        // A Yes/No box closed without an answer.
      }
    }
    QVERIFY(answerer.answered());
    font.setBold(true);
    const int titleWidth = QFontMetrics(font).horizontalAdvance(title);
    QVERIFY2(width >= titleWidth + 120,
             qPrintable(QStringLiteral("%1 for a title of %2").arg(width).arg(titleWidth)));
  }

  void closingABoxWithoutAButton_data() {
    QTest::addColumn<MessageButtons>("buttons");
    QTest::addColumn<bool>("escape");  // else the window's close button
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("ok, escape") << MessageButtons::Ok << true << MessageAnswer::Ok;
    QTest::newRow("ok, closed") << MessageButtons::Ok << false << MessageAnswer::Ok;
    QTest::newRow("yes/no/cancel, escape") << MessageButtons::YesNoCancel << true << MessageAnswer::Cancel;
    QTest::newRow("yes/no/cancel, closed") << MessageButtons::YesNoCancel << false << MessageAnswer::Cancel;
  }
  void closingABoxWithoutAButton() {
    QFETCH(MessageButtons, buttons);
    QFETCH(bool, escape);
    QFETCH(MessageAnswer, answer);
    ModalAnswerer answerer([&](QWidget* box) {
      if (escape) {
        pressEscape(box);
      } else {
        box->close();
      }
    });
    QCOMPARE(m_operator->messageBox({buttons, QStringLiteral("Devam?")}), answer);
    QVERIFY(!answerer.timedOut());
  }

  // "Hayır" may end the program, so a Yes/No box stays until one of its buttons is pressed.
  void yesNoBoxCannotBeDismissed() {
    bool openAfterEscape = false;
    bool openAfterClose = false;
    ModalAnswerer answerer([&](QWidget* box) {
      pressEscape(box);
      QCoreApplication::processEvents();
      openAfterEscape = box->isVisible() && QApplication::activeModalWidget() == box;
      box->close();
      QCoreApplication::processEvents();
      openAfterClose = box->isVisible() && QApplication::activeModalWidget() == box;
      if (QPushButton* button = buttonWithText(box, QStringLiteral("Evet"))) {
        button->click();
      }
    });
    QCOMPARE(m_operator->messageBox({MessageButtons::YesNo, QStringLiteral("Okuyucu yok. Devam?")}),
             MessageAnswer::Yes);
    QVERIFY(!answerer.timedOut());
    QVERIFY(openAfterEscape);
    QVERIFY(openAfterClose);
  }

  void inputBox_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("typed");   // typed over the preselected default; empty: left as it is
    QTest::addColumn<QString>("leaveBy");  // the button text, or "escape" / "close"
    QTest::addColumn<QStringList>("buttonTexts");
    QTest::addColumn<std::optional<QString>>("answer");
    const QStringList turkish{"Tamam", "İptal"};
    const QStringList english{"Cancel", "OK"};
    QTest::newRow("typed, Turkish") << 0 << "42" << "Tamam" << turkish << std::optional<QString>("42");
    QTest::newRow("default kept, English") << 1 << "" << "OK" << english << std::optional<QString>("101");
    QTest::newRow("cancel button") << 0 << "42" << "İptal" << turkish << std::optional<QString>();
    QTest::newRow("escape") << 1 << "" << "escape" << english << std::optional<QString>();
    QTest::newRow("closed") << 0 << "" << "close" << turkish << std::optional<QString>();
  }
  void inputBox() {
    QFETCH(int, language);
    QFETCH(QString, typed);
    QFETCH(QString, leaveBy);
    QFETCH(QStringList, buttonTexts);
    QFETCH(std::optional<QString>, answer);

    m_operator->setLanguageIndex(language);
    QString title;
    QString prompt;
    QString selected;
    QStringList shownButtons;
    ModalAnswerer answerer([&](QWidget* box) {
      auto* dialog = qobject_cast<QInputDialog*>(box);
      auto* edit = box->findChild<QLineEdit*>();
      if (dialog == nullptr || edit == nullptr) {
        return;
      }
      title = dialog->windowTitle();
      prompt = dialog->labelText();
      selected = edit->selectedText();
      shownButtons = visibleButtonTexts(box);
      if (!typed.isEmpty()) {
        QTest::keyClicks(edit, typed);
      }
      if (leaveBy == QLatin1String("escape")) {
        pressEscape(box);
      } else if (leaveBy == QLatin1String("close")) {
        box->close();
      } else if (QPushButton* button = buttonWithText(box, leaveBy)) {
        button->click();
      }
    });
    const std::optional<QString> got =
        m_operator->inputBox({QStringLiteral("İlk kağıt no\rgiriniz"), QStringLiteral("Başlangıç"),
                              QStringLiteral("101")});

    QVERIFY(!answerer.timedOut());
    QCOMPARE(got, answer);
    QCOMPARE(title, QStringLiteral("Başlangıç"));
    QCOMPARE(prompt, QStringLiteral("İlk kağıt no\ngiriniz"));
    QCOMPARE(selected, QStringLiteral("101"));
    QCOMPARE(shownButtons, buttonTexts);
  }

  // The reading run asks from its own thread; the box is shown on the window's thread and the run waits.
  void boxesAskedFromAnotherThread() {
    std::thread::id hookThread;
    m_operator->setBeforeBox([&] { hookThread = std::this_thread::get_id(); });
    std::thread::id workerThread;
    MessageAnswer message = MessageAnswer::Ok;
    std::optional<QString> input;

    {
      ModalAnswerer answerer([&](QWidget* box) {
        if (QPushButton* button = buttonWithText(box, QStringLiteral("Hayır"))) {
          button->click();
        }
      });
      QVERIFY(runOnWorker(*m_operator, [&] {
        workerThread = std::this_thread::get_id();
        message = m_operator->messageBox({MessageButtons::YesNoCancel, QStringLiteral("Kayıt edilsin mi?")});
      }));
      QVERIFY(!answerer.timedOut());
    }
    QCOMPARE(message, MessageAnswer::No);
    QVERIFY(hookThread == workerThread);

    ModalAnswerer answerer([&](QWidget* box) {
      auto* edit = box->findChild<QLineEdit*>();
      if (edit != nullptr) {
        edit->insert(QStringLiteral("Ayşe"));  // QTest types ASCII only
        QTest::keyClick(edit, Qt::Key_Return);
      }
    });
    QVERIFY(runOnWorker(*m_operator, [&] { input = m_operator->inputBox({QStringLiteral("Ad"), {}, {}}); }));
    QVERIFY(!answerer.timedOut());
    QCOMPARE(input, std::optional<QString>(QStringLiteral("Ayşe")));
  }

  void aWindowThatGoesAwayLeavesNoQuestionWaiting_data() {
    QTest::addColumn<bool>("fromWorker");
    QTest::addColumn<bool>("deleteOwner");  // else shutDown
    QTest::newRow("window thread, window deleted") << false << true;
    QTest::newRow("window thread, shut down") << false << false;
    QTest::newRow("worker, window deleted") << true << true;
    QTest::newRow("worker, shut down") << true << false;
  }
  void aWindowThatGoesAwayLeavesNoQuestionWaiting() {
    QFETCH(bool, fromWorker);
    QFETCH(bool, deleteOwner);
    ModalAnswerer answerer([&](QWidget*) {
      if (deleteOwner) {
        m_owner.reset();
      } else {
        m_operator->shutDown();
      }
    });
    const auto askTwice = [this] {
      int gone = 0;
      for (int i = 0; i < 2; ++i) {
        try {
          m_operator->messageBox({MessageButtons::YesNo, QStringLiteral("Devam?")});
        } catch (const OperatorGone&) {
          ++gone;
        }
      }
      return gone;
    };
    int gone = 0;
    if (fromWorker) {
      QVERIFY(runOnWorker(*m_operator, [&] { gone = askTwice(); }));
    } else {
      gone = askTwice();
    }
    QVERIFY(answerer.answered());
    QVERIFY(!answerer.timedOut());
    QCOMPARE(gone, 2);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void aQuestionWithoutAWindowIsRefusedAtOnce() {
    GuiOperator orphan(nullptr);
    QVERIFY_THROWS_EXCEPTION(OperatorGone, orphan.messageBox({}));
    QVERIFY_THROWS_EXCEPTION(OperatorGone, orphan.inputBox({}));
  }

 private:
  std::unique_ptr<QWidget> m_owner;
  std::unique_ptr<GuiOperator> m_operator;
};

QTEST_MAIN(GuiOperatorTest)
#include "GuiOperatorTest.moc"
