#include "windows/OpenDialog.h"

#include "ModalAnswerer.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include <utility>

namespace {

QString zeroSeparated(const QStringList& items, bool finalZero) {
  QString filter = items.join(QChar(u'\0'));
  if (finalZero) {
    filter += QChar(u'\0');
  }
  return filter;
}

// A chooser that notes what it was shown and answers from a list.
struct FakeChooser {
  struct Call {
    QWidget* owner = nullptr;
    QString title;
    QString startPlace;
    QStringList nameFilters;
  };
  QList<Call> calls;
  QStringList answers;

  OpenDialog::Chooser chooser() {
    return [this](QWidget* owner, const QString& title, const QString& startPlace, const QStringList& filters) {
      calls.append({owner, title, startPlace, filters});
      return answers.isEmpty() ? QString() : answers.takeFirst();
    };
  }
};

}  // namespace

class OpenDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("nameFilters");
    QTest::newRow("the Read command's filter")
        << OpenDialog::readCommandFilter()
        << QStringList{"Veri Dosyaları (*.dat *.txt)", "Metin Dosyaları (*.txt)", "Tüm Dosyalar (*)"};
    QTest::newRow("no final zero") << zeroSeparated({"Veri", "*.dat", "Metin", "*.txt"}, false)
                                   << QStringList{"Veri (*.dat)", "Metin (*.txt)"};
    QTest::newRow("patterns without blanks") << zeroSeparated({"Tablo", "*.csv;*.CSV"}, true)
                                             << QStringList{"Tablo (*.csv *.CSV)"};
    QTest::newRow("a pair without its pattern") << zeroSeparated({"Veri", "*.dat", "Yarım"}, true)
                                                << QStringList{"Veri (*.dat)"};
    QTest::newRow("an empty pattern") << zeroSeparated({"Boş", "", "Veri", "*.dat"}, true)
                                      << QStringList{"Veri (*.dat)"};
    QTest::newRow("nothing") << QString() << QStringList{};
  }
  void nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, nameFilters);
    QCOMPARE(OpenDialog::nameFilters(filter), nameFilters);
  }

  // One dialog object over several Read commands: each start place is the last file chosen unless a folder is
  // given, and a cancel forgets nothing.
  void showOpenRemembersTheLastFileChosen() {
    FakeChooser fake;
    fake.answers = {QStringLiteral("  /veri/sinav.dat "), QString(), QStringLiteral("/baska/anket.txt") + QChar(u'\0')};
    OpenDialog dialog(fake.chooser());
    QWidget owner;
    const QString filter = zeroSeparated({"Veri", "*.dat", "Metin", "*.txt"}, false);

    QCOMPARE(dialog.ShowOpen(&owner, QStringLiteral("Dosya Aç"), QString(), filter, 0),
             QStringLiteral("/veri/sinav.dat"));
    QCOMPARE(dialog.FileName(), QStringLiteral("/veri/sinav.dat"));

    QCOMPARE(dialog.ShowOpen(&owner, QStringLiteral("Dosya Aç"), QString(), filter, 0), QString());
    QCOMPARE(dialog.FileName(), QStringLiteral("/veri/sinav.dat"));

    QCOMPARE(dialog.ShowOpen(&owner, QStringLiteral("Seç"), QStringLiteral("/baska"), filter, 7),
             QStringLiteral("/baska/anket.txt"));
    QCOMPARE(dialog.FileName(), QStringLiteral("/baska/anket.txt"));

    dialog.ShowOpen(nullptr, QStringLiteral("Dosya Aç"), QString(), filter, 0);

    QCOMPARE(fake.calls.size(), 4);
    QCOMPARE(fake.calls.at(0).startPlace, QString());
    QCOMPARE(fake.calls.at(1).startPlace, QStringLiteral("/veri/sinav.dat"));
    QCOMPARE(fake.calls.at(2).startPlace, QStringLiteral("/baska"));
    QCOMPARE(fake.calls.at(3).startPlace, QStringLiteral("/baska/anket.txt"));
    QCOMPARE(fake.calls.at(0).owner, &owner);
    QCOMPARE(fake.calls.at(2).title, QStringLiteral("Seç"));
    QCOMPARE(fake.calls.at(3).owner, nullptr);
    QCOMPARE(fake.calls.at(0).nameFilters, (QStringList{"Veri (*.dat)", "Metin (*.txt)"}));
  }

  // The real chooser: the operator types the name of a data file that does not exist yet, and the next Read
  // command opens in its folder with that file selected.
  void theFileDialogTakesATypedNewFile() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QWidget owner;
    OpenDialog dialog;

    QString title;
    QString selectedFilter;
    QFileDialog::FileMode mode = QFileDialog::Directory;
    QString startFolder;
    {
      ModalAnswerer answerer([&](QWidget* box) {
        auto* chooser = qobject_cast<QFileDialog*>(box);
        auto* nameEdit = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (chooser == nullptr || nameEdit == nullptr) {
          return;
        }
        title = chooser->windowTitle();
        selectedFilter = chooser->selectedNameFilter();
        mode = chooser->fileMode();
        startFolder = chooser->directory().absolutePath();
        nameEdit->insert(QStringLiteral("yeni sınav.dat"));  // QTest types ASCII only
        QTest::keyClick(nameEdit, Qt::Key_Return);
      });
      const QString chosen =
          dialog.ShowOpen(&owner, QStringLiteral("Dosya Aç"), folder.path(), OpenDialog::readCommandFilter(), 0);
      QVERIFY(!answerer.timedOut());
      QCOMPARE(chosen, QDir(folder.path()).filePath(QStringLiteral("yeni sınav.dat")));
    }
    QCOMPARE(title, QStringLiteral("Dosya Aç"));
    QCOMPARE(selectedFilter, QStringLiteral("Veri Dosyaları (*.dat *.txt)"));
    QCOMPARE(mode, QFileDialog::AnyFile);
    QCOMPARE(startFolder, QDir(folder.path()).absolutePath());

    QString preselectedName;
    ModalAnswerer answerer([&](QWidget* box) {
      auto* chooser = qobject_cast<QFileDialog*>(box);
      auto* nameEdit = box->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      if (chooser == nullptr || nameEdit == nullptr) {
        return;
      }
      startFolder = chooser->directory().absolutePath();
      preselectedName = nameEdit->text();
      chooser->reject();
    });
    QCOMPARE(dialog.ShowOpen(&owner, QStringLiteral("Dosya Aç"), QString(), OpenDialog::readCommandFilter(), 0),
             QString());
    QVERIFY(!answerer.timedOut());
    QCOMPARE(startFolder, QDir(folder.path()).absolutePath());
    QCOMPARE(preselectedName, QStringLiteral("yeni sınav.dat"));
    QCOMPARE(dialog.FileName(), QDir(folder.path()).filePath(QStringLiteral("yeni sınav.dat")));
  }
};

QTEST_MAIN(OpenDialogTest)
#include "OpenDialogTest.moc"
