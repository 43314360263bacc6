#include "reading/ReadCommand.h"

#include <QDir>
#include <QFileInfo>

namespace read_command {

QString completedDataFilePath(const QString& chosen, const QString& extension) {
  if (chosen.right(4).toUpper() == u'.' + extension.toUpper()) return chosen;
  return chosen + u'.' + extension;
}

QString Label13Text(const QString& dataFilePath) {
  if (dataFilePath.size() <= 60) return dataFilePath;
  return dataFilePath.left(25) + QStringLiteral("...") + dataFilePath.right(26);
}

QString missingLayoutMessage(int languageIndex) {
  return languageIndex == 0
             ? QStringLiteral("Dosya bulunamadı. Lütfen başka dosya ismi girin ya da yeni form hazırlayınız.")
             : QStringLiteral("File not found. Please select another one or create a new one");
}

QString layoutPath(const QString& programFolder, const QString& layoutName) {
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

}  // namespace read_command
