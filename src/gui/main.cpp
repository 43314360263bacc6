#include "app/MainWindow.h"
#include "app/ProgramFolder.h"
#include "sim/ReaderSelection.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QStyleFactory>

namespace {

// The page the status labels open; any page of ours will do.
const char kSupportPage[] = "https://korvel.example/destek";

// The page that announces the newest build. An address of ours that does
// not resolve yet simply gives no notice.
const char kUpdatePage[] = "https://korvel.example/surum.txt";

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Korvel"));
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Korvel: the optical mark reader's operator program"));
  parser.addHelpOption();
  parser.addOption({QStringLiteral("folder"), QStringLiteral("program folder (settings, layouts, side files)"),
                    QStringLiteral("DIR")});
  parser.addOption({QStringLiteral("reader"),
                    QStringLiteral("sim:DECK for the simulated reader, vendor[:LIBRARY] for the reader's library "
                                   "(default: the library when it loads, else the simulated reader with the "
                                   "built-in sample deck)"),
                    QStringLiteral("READER")});
  parser.addOption({QStringLiteral("update-page"),
                    QStringLiteral("address of the page announcing the newest build (default: %1; "
                                   "an empty address turns the check off)")
                        .arg(QString::fromLatin1(kUpdatePage)),
                    QStringLiteral("URL")});
  parser.process(app);

  QUrl updatePage(QString::fromLatin1(kUpdatePage));
  if (parser.isSet(QStringLiteral("update-page"))) {
    const QString given = parser.value(QStringLiteral("update-page")).trimmed();
    updatePage = given.isEmpty() ? QUrl() : QUrl(given, QUrl::StrictMode);
    const QString scheme = updatePage.scheme().toLower();
    const bool fetchable = scheme == u"http" || scheme == u"https" || scheme == u"file";
    if (!given.isEmpty() && (!updatePage.isValid() || !fetchable)) {
      QMessageBox::critical(nullptr, QStringLiteral("Korvel"),
                            QStringLiteral("--update-page: not an http, https or file address: %1").arg(given));
      return 2;
    }
  }

  ReaderSelection selection = ReaderSelection::open(parser.value(QStringLiteral("reader")));
  if (!selection.reader) {
    QMessageBox::critical(nullptr, QStringLiteral("Korvel"), selection.error);
    return 2;
  }
  MainWindowOptions options;
  options.programFolder = resolveProgramFolder(currentProgramFolderInputs(parser.value(QStringLiteral("folder"))));
  options.reader = std::move(selection.reader);
  options.supportPage = QUrl(QString::fromLatin1(kSupportPage));
  options.updatePage = updatePage;

  MainWindow window(std::move(options));
  QObject::connect(&window, &MainWindow::programEnded, &app, &QApplication::quit, Qt::QueuedConnection);
  window.show();
  return app.exec();
}
