#include "layout/LayoutList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// Case-insensitive name order; names differing only in case keep a fixed
// order too, whatever order the file system returns them in.
QStringList sortedFiles(const QDir& folder, const QString& pattern) {
  QStringList names = folder.entryList({pattern}, QDir::Files, QDir::NoSort);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
  });
  return names;
}

// The name before the first occurrence of `extension`, in capitals.
QString entryOf(const QString& fileName, QStringView extension) {
  const QString upper = fileName.toUpper();
  const qsizetype cut = upper.indexOf(extension);
  return cut < 0 ? upper : upper.first(cut);
}

bool holdsSeparator(const QString& name) {
  if (name.contains(u'/') || name.contains(u'\\')) return true;
#ifdef Q_OS_WIN
  if (name.contains(u':')) return true;  // a drive-relative name
#endif
  return false;
}

}  // namespace

QStringList layoutListEntries(const QString& folder) {
  const QDir dir(folder);
  QStringList entries;
  // Name filters match regardless of letter case.
  for (const QString& name : sortedFiles(dir, QStringLiteral("*.omrf"))) entries.append(entryOf(name, u".OMRF"));
  for (const QString& name : sortedFiles(dir, QStringLiteral("*.rtf"))) entries.append(entryOf(name, u".RTF"));
  return entries;
}

QString findLayoutFile(const QString& programFolder, const QString& layoutName) {
  const QDir folder(programFolder);
  const QString exact = layoutName + QStringLiteral(".omrf");
  if (QFileInfo(folder.filePath(exact)).isFile()) return folder.filePath(exact);
  const QStringList candidates =
      folder.entryList({QStringLiteral("*.omrf"), QStringLiteral("*.OMRF")}, QDir::Files, QDir::Name);
  // The list shows names in capitals: "ırmak.omrf" is listed as IRMAK, which
  // case folding alone does not match back (dotless ı folds to itself).
  const QString upperExact = exact.toUpper();
  for (const QString& name : candidates)
    if (name.compare(exact, Qt::CaseInsensitive) == 0 || name.toUpper() == upperExact)
      return folder.filePath(name);
  return {};
}

QString layoutFilePath(const QString& folder, const QString& listText) {
  if (listText.isEmpty() || holdsSeparator(listText)) return {};
  return findLayoutFile(folder, listText);
}

QString layoutDeletionQuestion(const QString& listText) {
  return listText + QStringLiteral(".omrf isimli dosya silinecek");
}

bool deleteLayoutFile(const QString& folder, const QString& listText) {
  const QString path = layoutFilePath(folder, listText);
  return !path.isEmpty() && QFile::remove(path);
}
