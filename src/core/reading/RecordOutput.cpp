#include "reading/RecordOutput.h"

#include "app/Operator.h"
#include "app/ProgramFolder.h"
#include "device/OmrApi.h"
#include "reading/DataFiles.h"
#include "reading/RunFieldTable.h"
#include "reading/RunViews.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kBlankAnswerMarkerFirst = 344;  // fields 344..349 hold "E" for an emptied group
constexpr int kBlankAnswerGroups = 6;
constexpr int kBlankAnswerFirst = 24;
constexpr int kBlankAnswerLast = 336;
constexpr int kBlankAnswerStride = 8;

}  // namespace

RecordOutput::RecordOutput(const LayoutTable& layout, DataFiles& files, RunViews& views,
                           RunCounters& counters, Operator& op, RecordOutputSettings settings,
                           const QString& programFolder, OmrApi* reader)
    : m_layout(layout),
      m_files(files),
      m_views(views),
      m_counters(counters),
      m_operator(op),
      m_settings(std::move(settings)),
      m_reader(reader),
      m_sideFile(inProgramFolder(programFolder, QStringLiteral("geciciUTF8.txt"))) {}

const QString& RecordOutput::rulerTens() {
  static const QString ruler =
      QStringLiteral("         1         2         3         4         5         6         7         8");
  return ruler;
}

const QString& RecordOutput::rulerUnits() {
  static const QString ruler =
      QStringLiteral("12345678901234567890123456789012345678901234567890123456789012345678901234567890");
  return ruler;
}

bool RecordOutput::write(RunFieldTable& fields, bool SheetAccepted, const QString& ErrorWindowList) {
  return SheetAccepted ? writeSaved(fields) : writeRejected(fields, ErrorWindowList);
}

bool RecordOutput::isWritten(int fieldIndex) const {
  return m_layout.field(fieldIndex).FieldKind.left(1).toUpper() != u"Q";
}

void RecordOutput::reportFailure(const QString& failure) {
  m_operator.messageBox({MessageButtons::Ok, failure});
}

bool RecordOutput::writeSaved(RunFieldTable& fields) {
  const int fieldCount = static_cast<int>(std::min(m_layout.fields.size(), fields.entries.size()));
  const QString newline = QStringLiteral("\r\n");

  QString padding;
  if (m_settings.showFieldNames) {
    qsizetype longest = 0;
    for (const FieldDefinition& field : m_layout.fields) longest = std::max(longest, field.FieldName.size());
    padding = QString(longest, u' ');
  }
  QString text6 = padding + rulerTens() + newline + padding + rulerUnits() + newline;

  for (int k = 0; k < kBlankAnswerGroups; ++k) {
    const int marker = kBlankAnswerMarkerFirst + k;
    if (marker > fieldCount || fields.field(marker).FieldValue != u"E") continue;
    for (int i = kBlankAnswerFirst + k; i <= kBlankAnswerLast + k && i <= fieldCount; i += kBlankAnswerStride)
      fields.field(i).FieldValue = QStringLiteral(" ");
  }

  QString record;
  for (int i = 1; i <= fieldCount; ++i) {
    if (!isWritten(i)) continue;
    const QString& value = fields.field(i).FieldValue;
    record += value;
    if (m_settings.separatorEnabled && i != m_layout.FieldCount) record += m_settings.separatorText;
    if (m_settings.showFieldNames) text6 += m_layout.field(i).FieldName;
    text6 += value + newline;
  }
  m_views.Text8 = record;
  m_views.Text6 = text6;

  QString failure;
  if (!m_files.appendRecord(record, failure)) {
    reportFailure(failure);
    return false;
  }
  // The side file is a copy of what the data file holds, so it follows the
  // data file and never runs ahead of it. Its own failures do not touch the
  // record, which is already safe.
  if (m_settings.writeUtf8) m_sideFile.write(record, m_counters.SheetCount);

  m_views.Text7 = QString(text6).replace(u' ', u'_');
  m_views.Text14 = m_views.Text6;
  m_views.Label8 = m_views.Text7;
  ++m_counters.SheetCount;
  m_views.Label2[0] = QString::number(m_counters.SheetCount);
  return true;
}

bool RecordOutput::writeRejected(const RunFieldTable& fields, const QString& ErrorWindowList) {
  const int fieldCount = static_cast<int>(std::min(m_layout.fields.size(), fields.entries.size()));
  QString line;
  for (int i = 1; i <= fieldCount; ++i) {
    if (isWritten(i)) line += fields.field(i).FieldValue;
  }
  m_views.Text8 = line;

  QString failure;
  const bool written = m_files.appendErrorLine(line, failure);
  if (written) {
    ++m_counters.ErrorCount;
    m_views.Label2[3] = QString::number(m_counters.ErrorCount);
  }
  // The sheet is rejected whatever the error file did: it belongs in the
  // second tray, apart from the saved sheets.
  if (m_settings.usbSelected && m_reader) m_reader->OMR_EjectSheet(2);
  if (!written) {
    reportFailure(failure);
    return false;
  }
  if (m_settings.stopOnError && !ErrorWindowList.isEmpty())
    m_operator.messageBox(
        {MessageButtons::Ok, ErrorWindowList + QStringLiteral(" nolu pencere(ler)de hata var!")});
  return true;
}
