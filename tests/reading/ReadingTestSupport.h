#pragma once

#include "common/AnsiCodec.h"
#include "device/OmrApi.h"
#include "layout/LayoutParser.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <vector>

// A layout from its lines, as the design tool writes them in code page 1254.
inline LayoutTable layoutOf(const QStringList& lines) {
  return ParseLayoutBytes(ansi::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

// A reader that only has a barcode unit: it hands out `barcode` (its length
// as the returned length unless `returnedLength` is set) and records
// what the program passed. Every other call cannot run.
class BarcodeReader : public OmrApi {
 public:
  struct DataCall {
    std::int32_t item = 0;
    char kind = 0;
    std::int16_t length = 0;
    omr::BarcodeBuffer data{};
  };

  QByteArray barcode;
  std::optional<int> returnedLength;
  std::vector<std::pair<std::int16_t, std::int16_t>> infoCalls;
  std::vector<DataCall> dataCalls;

  omr::Result OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) override {
    infoCalls.emplace_back(first, second);
    return 0;
  }
  omr::Result OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& record, std::int16_t& length,
                                 std::int16_t& /*secondLength*/, omr::BarcodeBuffer& data) override {
    dataCalls.push_back({item, record.kind[0], length, data});
    std::fill(data.begin(), data.end(), 0);
    std::copy_n(barcode.constData(), std::min<qsizetype>(barcode.size(), omr::kBarcodeBufferSize),
                data.begin());
    length = static_cast<std::int16_t>(returnedLength.value_or(static_cast<int>(barcode.size())));
    return 0;
  }

  omr::Result OMR_OpenDeviceUSB() override { return {}; }
  omr::Result OMR_CloseDevice() override { return {}; }
  omr::Result OMR_GetStatus() override { return {}; }
  omr::Result OMR_GetMachineName(omr::NameBuffer&) override { return {}; }
  omr::Result OMR_GetDeviceInfo() override { return {}; }
  omr::Result OMR_Reset() override { return {}; }
  omr::Result OMR_SetReadingMethod(std::int32_t, std::int32_t) override { return {}; }
  omr::Result OMR_SetNumberOfColumnsToRead(std::int32_t) override { return {}; }
  omr::Result OMR_SetBackSensorUnit(std::int32_t&) override { return {}; }
  omr::Result OMR_SendData(omr::DataBuffer&, std::int32_t&) override { return {}; }
  omr::Result OMR_ReceiveData(omr::DataBuffer&, std::int32_t&) override { return {}; }
  omr::Result OMR_SetPrintPosition(std::int16_t) override { return {}; }
  omr::Result OMR_SetPrintAngle(std::int32_t) override { return {}; }
  omr::Result OMR_SetPrintFontSize(std::int32_t) override { return {}; }
  omr::Result OMR_SetPrintFontPitch(std::int32_t) override { return {}; }
  omr::Result OMR_SetPrinterMode(std::int32_t) override { return {}; }
  omr::Result OMR_SetPrintString(std::int32_t, const QByteArray&) override { return {}; }
  omr::Result OMR_SetPrintOrder(std::int32_t, std::int32_t, std::int32_t) override { return {}; }
  omr::Result OMR_FeedSheet() override { return {}; }
  omr::Result OMR_GetMarks(std::int16_t, omr::MarkRequest&, omr::MarkBuffer&) override { return {}; }
  omr::Result OMR_EjectSheet(std::int32_t) override { return {}; }
  omr::Result OMR_MoveHopper(std::int32_t) override { return {}; }
  omr::Result OMR_SetBarcodeReaderUnit(std::int16_t&) override { return {}; }
  omr::Result OMR_SetBarCodeArea(omr::BarcodeArea&) override { return {}; }
  omr::Result OMR_SetBarCodeReadType(std::int32_t) override { return {}; }
};
