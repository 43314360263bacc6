#include "windows/OpenDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>

#include <utility>

namespace {

constexpr QChar kZero{u'\0'};

// Blanks at the ends of a chosen name are never meant: they come from a slip of the thumb while typing.
QString withoutOuterBlanks(const QString& text) {
  qsizetype from = 0;
  qsizetype to = text.size();
  while (from < to && text.at(from) == QLatin1Char(' ')) {
    ++from;
  }
  while (to > from && text.at(to - 1) == QLatin1Char(' ')) {
    --to;
  }
  return text.mid(from, to - from);
}

}  // namespace

OpenDialog::OpenDialog(Chooser chooser)
    : m_chooser(chooser ? std::move(chooser) : Chooser(&OpenDialog::chooseWithFileDialog)) {}

QString OpenDialog::ShowOpen(QWidget* Form_hWnd, const QString& Title, const QString& InitDir, const QString& Filter,
                             std::int32_t /*Flags*/) {
  QString filter = Filter;
  if (!filter.endsWith(kZero)) {
    filter.append(kZero);
  }
  const QString startPlace = InitDir.isEmpty() ? m_fileName : InitDir;

  QString result = withoutOuterBlanks(m_chooser(Form_hWnd, Title, startPlace, nameFilters(filter)));
  if (result.endsWith(kZero)) {
    result.chop(1);
  }
  if (!result.isEmpty()) {
    m_fileName = result;
  }
  return result;
}

const QString& OpenDialog::FileName() const {
  return m_fileName;
}

QStringList OpenDialog::nameFilters(const QString& Filter) {
  static const QRegularExpression patternSeparators(QStringLiteral("[; ]+"));
  QStringList items = Filter.split(kZero);
  if (!items.isEmpty() && items.constLast().isEmpty()) {
    items.removeLast();  // what follows the final zero
  }
  QStringList filters;
  for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
    QStringList patterns = items.at(i + 1).split(patternSeparators, Qt::SkipEmptyParts);
    if (patterns.isEmpty()) {
      continue;
    }
    // "*.*" is every file where this filter comes from; here it would skip the names without a dot.
    patterns.replaceInStrings(QRegularExpression(QStringLiteral("^\\*\\.\\*$")), QStringLiteral("*"));
    patterns.removeDuplicates();
    const QString description = items.at(i).trimmed();
    const QString list = patterns.join(QLatin1Char(' '));
    filters.append(description.isEmpty() ? QStringLiteral("(%1)").arg(list)
                                         : QStringLiteral("%1 (%2)").arg(description, list));
  }
  return filters;
}

QString OpenDialog::readCommandFilter() {
  const QStringList items{QStringLiteral("Veri Dosyaları"),  QStringLiteral("*.dat; *.txt"),
                          QStringLiteral("Metin Dosyaları"), QStringLiteral("*.txt"),
                          QStringLiteral("Tüm Dosyalar"),    QStringLiteral("*.*")};
  QString filter;
  for (const QString& item : items) {
    filter += item;
    filter += kZero;
  }
  return filter;
}

QString OpenDialog::chooseWithFileDialog(QWidget* owner, const QString& title, const QString& startPlace,
                                         const QStringList& nameFilters) {
  // On the heap and guarded: the owner may be closed while the dialog runs, and it deletes its children.
  QPointer<QFileDialog> dialog = new QFileDialog(owner, title);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setOption(QFileDialog::DontConfirmOverwrite);
  // A reading run creates the data file, so the name of a file that does not exist yet is an answer too.
  dialog->setFileMode(QFileDialog::AnyFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  if (!nameFilters.isEmpty()) {
    dialog->setNameFilters(nameFilters);
    dialog->selectNameFilter(nameFilters.constFirst());
  }
  if (!startPlace.isEmpty()) {
    const QFileInfo place(startPlace);
    if (place.isDir()) {
      dialog->setDirectory(place.absoluteFilePath());
    } else {
      dialog->setDirectory(place.absolutePath());
      dialog->selectFile(place.fileName());
    }
  }

  const int result = dialog->exec();
  if (dialog.isNull()) {
    return {};
  }
  QString chosen;
  if (result == QDialog::Accepted && !dialog->selectedFiles().isEmpty()) {
    chosen = QDir::cleanPath(dialog->selectedFiles().constFirst());
  }
  delete dialog.data();
  return chosen;
}
