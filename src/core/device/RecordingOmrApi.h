#pragma once

#include "device/OmrApi.h"

#include <QString>
#include <QStringList>

/// Passes every call on to another OmrApi and records it first, one line per
/// call in the order made, as the device log shows them:
///
///     OMR_SetReadingMethod(3,0)   the name, then the arguments separated by
///     OMR_SetPrintString(1,"Ad") commas: integers in decimal (an integer
///     OMR_GetMarks(0,buf,buf)     passed by reference with the value it has
///     _OMR_SendData(buf,2)        when the call is made), texts decoded from
///                                 code page 1254 in double quotes, buffers and
///                                 records as buf
///
/// The two raw-data functions carry the library's names, with the
/// underscore. Inside a text, a double quote and a backslash are written
/// \" and \\, CR, LF and tab \r, \n and \t, and other control characters
/// \u followed by four hexadecimal digits, so every call stays one line.
class RecordingOmrApi : public OmrApi {
 public:
  /// `inner` must outlive this object.
  explicit RecordingOmrApi(OmrApi& inner) : m_inner(inner) {}

  const QStringList& log() const { return m_log; }
  void clearLog() { m_log.clear(); }

  omr::Result OMR_OpenDeviceUSB() override;
  omr::Result OMR_CloseDevice() override;
  omr::Result OMR_GetStatus() override;
  omr::Result OMR_GetMachineName(omr::NameBuffer& name) override;
  omr::Result OMR_GetDeviceInfo() override;
  omr::Result OMR_Reset() override;
  omr::Result OMR_SetReadingMethod(std::int32_t method, std::int32_t option) override;
  omr::Result OMR_SetNumberOfColumnsToRead(std::int32_t columns) override;
  omr::Result OMR_SetBackSensorUnit(std::int32_t& unit) override;
  omr::Result OMR_SendData(omr::DataBuffer& command, std::int32_t& byteCount) override;
  omr::Result OMR_ReceiveData(omr::DataBuffer& reply, std::int32_t& byteCount) override;
  omr::Result OMR_SetPrintPosition(std::int16_t positionMm) override;
  omr::Result OMR_SetPrintAngle(std::int32_t angle) override;
  omr::Result OMR_SetPrintFontSize(std::int32_t size) override;
  omr::Result OMR_SetPrintFontPitch(std::int32_t pitch) override;
  omr::Result OMR_SetPrinterMode(std::int32_t mode) override;
  omr::Result OMR_SetPrintString(std::int32_t line, const QByteArray& text) override;
  omr::Result OMR_SetPrintOrder(std::int32_t first, std::int32_t second, std::int32_t third) override;
  omr::Result OMR_FeedSheet() override;
  omr::Result OMR_GetMarks(std::int16_t side, omr::MarkRequest& request, omr::MarkBuffer& marks) override;
  omr::Result OMR_EjectSheet(std::int32_t tray) override;
  omr::Result OMR_MoveHopper(std::int32_t position) override;
  omr::Result OMR_SetBarcodeReaderUnit(std::int16_t& unit) override;
  omr::Result OMR_SetBarCodeArea(omr::BarcodeArea& area) override;
  omr::Result OMR_SetBarCodeReadType(std::int32_t type) override;
  omr::Result OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) override;
  omr::Result OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& record, std::int16_t& length,
                                 std::int16_t& secondLength, omr::BarcodeBuffer& data) override;

 private:
  void record(const char* function, const QStringList& arguments = {});

  OmrApi& m_inner;
  QStringList m_log;
};
