#include "device/RecordingOmrApi.h"

#include "common/AnsiCodec.h"

namespace {

const QString kBuffer = QStringLiteral("buf");

QString number(std::int64_t value) {
  return QString::number(value);
}

QString quotedText(const QByteArray& bytes) {
  QString out = QStringLiteral("\"");
  for (const QChar c : ansi::decode(bytes)) {
    switch (c.unicode()) {
      case u'"':
        out += QStringLiteral("\\\"");
        break;
      case u'\\':
        out += QStringLiteral("\\\\");
        break;
      case u'\r':
        out += QStringLiteral("\\r");
        break;
      case u'\n':
        out += QStringLiteral("\\n");
        break;
      case u'\t':
        out += QStringLiteral("\\t");
        break;
      default:
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
          out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
          out += c;
    }
  }
  return out + QLatin1Char('"');
}

}  // namespace

void RecordingOmrApi::record(const char* function, const QStringList& arguments) {
  m_log.append(QLatin1String(function) + QLatin1Char('(') + arguments.join(QLatin1Char(',')) +
               QLatin1Char(')'));
}

omr::Result RecordingOmrApi::OMR_OpenDeviceUSB() {
  record("OMR_OpenDeviceUSB");
  return m_inner.OMR_OpenDeviceUSB();
}

omr::Result RecordingOmrApi::OMR_CloseDevice() {
  record("OMR_CloseDevice");
  return m_inner.OMR_CloseDevice();
}

omr::Result RecordingOmrApi::OMR_GetStatus() {
  record("OMR_GetStatus");
  return m_inner.OMR_GetStatus();
}

omr::Result RecordingOmrApi::OMR_GetMachineName(omr::NameBuffer& name) {
  record("OMR_GetMachineName", {kBuffer});
  return m_inner.OMR_GetMachineName(name);
}

omr::Result RecordingOmrApi::OMR_GetDeviceInfo() {
  record("OMR_GetDeviceInfo");
  return m_inner.OMR_GetDeviceInfo();
}

omr::Result RecordingOmrApi::OMR_Reset() {
  record("OMR_Reset");
  return m_inner.OMR_Reset();
}

omr::Result RecordingOmrApi::OMR_SetReadingMethod(std::int32_t method, std::int32_t option) {
  record("OMR_SetReadingMethod", {number(method), number(option)});
  return m_inner.OMR_SetReadingMethod(method, option);
}

omr::Result RecordingOmrApi::OMR_SetNumberOfColumnsToRead(std::int32_t columns) {
  record("OMR_SetNumberOfColumnsToRead", {number(columns)});
  return m_inner.OMR_SetNumberOfColumnsToRead(columns);
}

omr::Result RecordingOmrApi::OMR_SetBackSensorUnit(std::int32_t& unit) {
  record("OMR_SetBackSensorUnit", {number(unit)});
  return m_inner.OMR_SetBackSensorUnit(unit);
}

omr::Result RecordingOmrApi::OMR_SendData(omr::DataBuffer& command, std::int32_t& byteCount) {
  record("_OMR_SendData", {kBuffer, number(byteCount)});
  return m_inner.OMR_SendData(command, byteCount);
}

omr::Result RecordingOmrApi::OMR_ReceiveData(omr::DataBuffer& reply, std::int32_t& byteCount) {
  record("_OMR_ReceiveData", {kBuffer, number(byteCount)});
  return m_inner.OMR_ReceiveData(reply, byteCount);
}

omr::Result RecordingOmrApi::OMR_SetPrintPosition(std::int16_t positionMm) {
  record("OMR_SetPrintPosition", {number(positionMm)});
  return m_inner.OMR_SetPrintPosition(positionMm);
}

omr::Result RecordingOmrApi::OMR_SetPrintAngle(std::int32_t angle) {
  record("OMR_SetPrintAngle", {number(angle)});
  return m_inner.OMR_SetPrintAngle(angle);
}

omr::Result RecordingOmrApi::OMR_SetPrintFontSize(std::int32_t size) {
  record("OMR_SetPrintFontSize", {number(size)});
  return m_inner.OMR_SetPrintFontSize(size);
}

omr::Result RecordingOmrApi::OMR_SetPrintFontPitch(std::int32_t pitch) {
  record("OMR_SetPrintFontPitch", {number(pitch)});
  return m_inner.OMR_SetPrintFontPitch(pitch);
}

omr::Result RecordingOmrApi::OMR_SetPrinterMode(std::int32_t mode) {
  record("OMR_SetPrinterMode", {number(mode)});
  return m_inner.OMR_SetPrinterMode(mode);
}

omr::Result RecordingOmrApi::OMR_SetPrintString(std::int32_t line, const QByteArray& text) {
  record("OMR_SetPrintString", {number(line), quotedText(text)});
  return m_inner.OMR_SetPrintString(line, text);
}

omr::Result RecordingOmrApi::OMR_SetPrintOrder(std::int32_t first, std::int32_t second, std::int32_t third) {
  record("OMR_SetPrintOrder", {number(first), number(second), number(third)});
  return m_inner.OMR_SetPrintOrder(first, second, third);
}

omr::Result RecordingOmrApi::OMR_FeedSheet() {
  record("OMR_FeedSheet");
  return m_inner.OMR_FeedSheet();
}

omr::Result RecordingOmrApi::OMR_GetMarks(std::int16_t side, omr::MarkRequest& request,
                                          omr::MarkBuffer& marks) {
  record("OMR_GetMarks", {number(side), kBuffer, kBuffer});
  return m_inner.OMR_GetMarks(side, request, marks);
}

omr::Result RecordingOmrApi::OMR_EjectSheet(std::int32_t tray) {
  record("OMR_EjectSheet", {number(tray)});
  return m_inner.OMR_EjectSheet(tray);
}

omr::Result RecordingOmrApi::OMR_MoveHopper(std::int32_t position) {
  record("OMR_MoveHopper", {number(position)});
  return m_inner.OMR_MoveHopper(position);
}

omr::Result RecordingOmrApi::OMR_SetBarcodeReaderUnit(std::int16_t& unit) {
  record("OMR_SetBarcodeReaderUnit", {number(unit)});
  return m_inner.OMR_SetBarcodeReaderUnit(unit);
}

omr::Result RecordingOmrApi::OMR_SetBarCodeArea(omr::BarcodeArea& area) {
  record("OMR_SetBarCodeArea", {kBuffer});
  return m_inner.OMR_SetBarCodeArea(area);
}

omr::Result RecordingOmrApi::OMR_SetBarCodeReadType(std::int32_t type) {
  record("OMR_SetBarCodeReadType", {number(type)});
  return m_inner.OMR_SetBarCodeReadType(type);
}

omr::Result RecordingOmrApi::OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) {
  record("OMR_GetBarcodeInfo", {number(first), number(second)});
  return m_inner.OMR_GetBarcodeInfo(first, second);
}

omr::Result RecordingOmrApi::OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& barcodeRecord,
                                                std::int16_t& length, std::int16_t& secondLength,
                                                omr::BarcodeBuffer& data) {
  record("OMR_GetBarcodeData", {number(item), kBuffer, number(length), number(secondLength), kBuffer});
  return m_inner.OMR_GetBarcodeData(item, barcodeRecord, length, secondLength, data);
}
