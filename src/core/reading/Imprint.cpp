#include "reading/Imprint.h"

#include "common/AnsiCodec.h"
#include "common/NumericText.h"
#include "device/OmrApi.h"

#include <QLocale>

Imprint::Imprint(ImprintSettings settings, QString CurrentDataFilePath, std::function<QDateTime()> clock)
    : m_settings(settings), m_dataFilePath(std::move(CurrentDataFilePath)), m_clock(std::move(clock)) {
  if (!m_clock) m_clock = [] { return QDateTime::currentDateTime(); };
}

QString Imprint::line(bool SheetAccepted, int SheetCount) const {
  QString text;
  if (m_settings.sequenceNo) text = numeric::signedForm(SheetCount);
  if (m_settings.fileName) text += u' ' + m_dataFilePath.left(11);
  if (SheetAccepted && m_settings.readMark) text += QStringLiteral(" Sinav Okundu");
  if (!SheetAccepted && m_settings.unreadMark) text += QStringLiteral(" Sinav Okunmadi");
  if (m_settings.dateTime) {
    const QDateTime now = m_clock();
    const QLocale locale;
    text += u' ' + locale.toString(now.date(), QLocale::ShortFormat) + u' ' +
            locale.toString(now.time(), QLocale::ShortFormat);
  }
  if (text.size() < kLineWidth) text.resize(kLineWidth, u' ');
  return text;
}

void Imprint::send(OmrApi& reader, bool SheetAccepted, int SheetCount) const {
  if (!m_settings.usbSelected || !m_settings.ImprintEnabled) return;
  const QByteArray blanks = ansi::encode(QString(kLineWidth, u' '));
  reader.OMR_SetPrintString(1, ansi::encode(line(SheetAccepted, SheetCount)));
  reader.OMR_SetPrintString(2, blanks);
  reader.OMR_SetPrintString(3, blanks);
  reader.OMR_SetPrintOrder(1, 2, 3);
}
