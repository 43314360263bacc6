#include "reading/DataFilePreparation.h"

#include "app/Operator.h"
#include "common/AnsiCodec.h"
#include "common/NumericText.h"
#include "common/TextLines.h"
#include "common/Utf8Text.h"
#include "reading/DataFiles.h"
#include "reading/RunFieldTable.h"
#include "reading/RunViews.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <limits>

namespace {

QString kindLetter(const FieldDefinition& field) {
  return field.FieldKind.left(1).toUpper();
}

[[noreturn]] void endWithWriteError(DataFiles& files, Operator& op, int number) {
  files.close();
  op.messageBox({MessageButtons::Ok, QStringLiteral("Dosya yazma hatası %1 ").arg(number)});
  throw DataFileUnwritable(files.lastFailure().toStdString());
}

QStringList readRecordLines(const QString& path, bool utf8) {
  // Only a plain file holds records; a device in its place (a link to
  // /dev/zero, say) would be read without end.
  if (!QFileInfo(path).isFile()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray bytes = file.readAll();
  QString text = utf8 ? UTF8BytesToString(bytes) : ansi::decode(bytes);
  if (utf8 && text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return textlines::split(text);
}

qsizetype recordWidth(const FieldDefinition& field) {
  const double width = numeric::leadingValue(field.FieldSubLength);
  return static_cast<qsizetype>(numeric::clampedInt(width, 0, std::numeric_limits<std::int32_t>::max()));
}

// What the earlier records leave for a run that continues them: the values
// of the duplicate-checked fields, the running numbers that follow the last
// record, and the last record field by field.
struct EarlierRecords {
  QStringList duplicateValues;  // in the order first seen, each once
  QStringList counters;         // per field: the next running number; null for none
  QString lastRecord;
};

EarlierRecords readEarlierRecords(const LayoutTable& layout, const QStringList& lines, qsizetype fieldCount) {
  QList<QString> kinds;
  QList<qsizetype> widths;
  for (qsizetype i = 0; i < fieldCount; ++i) {
    kinds.append(kindLetter(layout.fields[i]));
    widths.append(recordWidth(layout.fields[i]));
  }
  EarlierRecords earlier;
  earlier.counters.resize(fieldCount);
  QSet<QString> seen;
  for (const QString& line : lines) {
    qsizetype position = 0;
    earlier.lastRecord.clear();
    for (qsizetype i = 0; i < fieldCount; ++i) {
      const QString value = position < line.size() ? line.mid(position, widths[i]) : QString();
      position = widths[i] > line.size() - position ? line.size() : position + widths[i];
      if (kinds[i] == u"G") {
        if (!seen.contains(value)) {
          seen.insert(value);
          earlier.duplicateValues.append(value);
        }
      } else if (kinds[i] == u"R") {
        earlier.counters[i] = numeric::signedForm(numeric::leadingValue(value) + 1);
      }
      earlier.lastRecord += value + QStringLiteral("\r\n");
    }
  }
  return earlier;
}

void continueRecords(const EarlierRecords& earlier, RunFieldTable& fields, RunViews& views) {
  QSet<QString> known(views.List1.cbegin(), views.List1.cend());
  for (const QString& value : earlier.duplicateValues) {
    if (known.contains(value)) continue;
    known.insert(value);
    views.List1.append(value);
  }
  for (qsizetype i = 0; i < earlier.counters.size(); ++i)
    if (!earlier.counters[i].isNull()) fields.entries[i].FieldCounter = earlier.counters[i];
}

// Starting afresh keeps nothing of the old records: their values are no
// duplicates of the new ones (even those an earlier run of the program put
// into the list), the running numbers start from the beginning, and no
// record of theirs is shown as the last one saved.
void forgetRecords(const EarlierRecords& earlier, RunViews& views) {
  const QSet<QString> discarded(earlier.duplicateValues.cbegin(), earlier.duplicateValues.cend());
  views.List1.removeIf([&discarded](const QString& value) { return discarded.contains(value); });
  views.Label8.clear();
}

void showErrorLabels(RunViews& views, bool SecondTray) {
  views.Label2Visible[2] = SecondTray;
  views.Label2Visible[3] = SecondTray;
}

}  // namespace

void PrepareDataFile(const LayoutTable& layout, bool SecondTray, DataFiles& files, RunFieldTable& fields,
                     RunViews& views, RunCounters& counters, Operator& op) {
  const QString& path = files.dataPath();
  if (!QFileInfo::exists(path)) {
    counters.SheetCount = 0;
    bool opened = files.openData(DataFiles::OpenMode::Empty);
    if (SecondTray) opened = files.openErrorFile(DataFiles::OpenMode::Empty) && opened;
    showErrorLabels(views, SecondTray);
    if (!opened) endWithWriteError(files, op, 1);
  } else {
    const QStringList lines = readRecordLines(path, files.isUtf8());
    const EarlierRecords earlier =
        readEarlierRecords(layout, lines, std::min(layout.fields.size(), fields.entries.size()));
    views.Label8 = earlier.lastRecord;
    counters.SheetCount = static_cast<std::int32_t>(
        std::min<qsizetype>(lines.size(), std::numeric_limits<std::int32_t>::max()));

    MessageAnswer answer = MessageAnswer::Yes;
    if (!lines.isEmpty()) {
      answer =
          op.messageBox({MessageButtons::YesNoCancel,
                         QStringLiteral("Daha önceden okutulan kağıt sayısı : ") +
                             numeric::signedForm(static_cast<double>(lines.size())) + u'\r' +
                             QStringLiteral("Bu kağıtlar önceden okutulan kağıtların üzerine eklensin mi?"),
                         QString::fromUtf16(kProgramTitle), MessageIcon::Error});
    }
    if (answer == MessageAnswer::Yes) {
      bool opened = files.openData(DataFiles::OpenMode::Append);
      if (SecondTray) opened = files.openErrorFile(DataFiles::OpenMode::Append) && opened;
      showErrorLabels(views, SecondTray);
      if (!opened) endWithWriteError(files, op, 2);
      continueRecords(earlier, fields, views);
    } else if (answer == MessageAnswer::No) {
      // The old records are kept as a numbered backup beside the file (a
      // UTF-8 layout has no error file to keep).
      bool restarted = files.moveAsideAsBackup(SecondTray && !files.isUtf8()) &&
                       files.openData(DataFiles::OpenMode::Empty);
      if (SecondTray) restarted = restarted && files.openErrorFile(DataFiles::OpenMode::Empty);
      showErrorLabels(views, SecondTray);
      if (!restarted) endWithWriteError(files, op, 3);
      forgetRecords(earlier, views);
      counters.SheetCount = 0;
    } else {
      // Cancel, or a box closed without an answer: the earlier records stay
      // as they are and the program ends.
      files.close();
      throw ProgramEnd();
    }
  }
  views.Label2[0] = QString::number(counters.SheetCount);
  views.Label2[3] = QString::number(counters.ErrorCount);
}

void AskStartValues(const LayoutTable& layout, const FieldRect& rects, RunFieldTable& fields, Operator& op,
                    SheetPicture* picture) {
  const qsizetype fieldCount = std::min(layout.fields.size(), fields.entries.size());
  for (qsizetype i = 0; i < fieldCount; ++i) {
    const FieldDefinition& field = layout.fields[i];
    RunFieldTable::Entry& entry = fields.entries[i];
    const QString kind = kindLetter(field);
    if (kind == u"H") {
      entry.FieldFixedText = field.FieldAlphabet;
      continue;
    }

    QString what;
    if (kind == u"D") {
      what = QStringLiteral("(Sabit değer)");
    } else if (kind == u"R") {
      what = QStringLiteral("(Artan numaralar)");
    } else if (kind == u"T" || kind == u"Ş") {
      what = QStringLiteral("(Boş ise artan numaralar)");
    } else {
      continue;
    }

    const int fieldNumber = static_cast<int>(i + 1);
    if (picture) markFieldBlock(*picture, layout.LayoutTurn, rects.row(fieldNumber), kPromptMarkColour);

    InputBoxRequest request;
    request.prompt = field.FieldLabel == u" "
                         ? numeric::signedForm(fieldNumber) + QStringLiteral(". değeri giriniz ") + what
                         : field.FieldLabel + QStringLiteral(" alanını giriniz ") + what;
    if (kind == u"R") request.defaultText = entry.FieldCounter;
    const QString answer = op.inputBox(request).value_or(QString());

    if (kind == u"D") {
      entry.FieldFixedText = answer;
    } else if (kind == u"Ş") {
      entry.FieldEntered = answer;
    } else {
      entry.FieldCounter = answer;
    }
  }
}
