#include "reading/ReadCommand.h"


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

}  // namespace read_command
