#pragma once

#include "layout/MarkBuffer.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

/// The reader library's functions, one virtual function each, with the
/// library's names, argument order and widths.
///
/// Every call answers with the function's 32-bit result, or with nothing
/// when the function could not run at all (the library or the function is
/// missing). Callers treat "could not run" as a skipped step: the value the
/// call should have produced keeps its earlier value.
///
/// Two library functions begin with an underscore ("_OMR_SendData",
/// "_OMR_ReceiveData"); in C++ they are OMR_SendData and OMR_ReceiveData,
/// and the binding and the call log use the library's own names.
namespace omr {

/// Result of one library call: the function's result, or nothing when it
/// could not run.
using Result = std::optional<std::int32_t>;

/// Sizes of the buffers the library fills.
inline constexpr int kNameBufferSize = 65;
inline constexpr int kDataBufferSize = 65;
inline constexpr int kBarcodeBufferSize = 17;

/// Passed with each mark read: status (0 before each feed), timing lines to
/// read (the library writes back how many it read), columns (48).
struct MarkRequest {
  std::int32_t status = 0;
  std::int32_t lines = 0;
  std::int32_t columns = kSheetColumns;
};

using NameBuffer = std::array<std::uint8_t, kNameBufferSize>;
using DataBuffer = std::array<std::uint8_t, kDataBufferSize>;
using BarcodeBuffer = std::array<std::uint8_t, kBarcodeBufferSize>;

/// The barcode record passed to OMR_GetBarcodeData: its first member is two
/// one-character fields; the program sets the first to "e" and touches
/// nothing else.
struct BarcodeRecord {
  char kind[2] = {0, 0};
  std::uint8_t reserved[62] = {};
};

/// The eleven 32-bit integers of OMR_SetBarCodeArea.
using BarcodeArea = std::array<std::int32_t, 11>;

}  // namespace omr

class OmrApi {
 public:
  virtual ~OmrApi() = default;

  virtual omr::Result OMR_OpenDeviceUSB() = 0;
  virtual omr::Result OMR_CloseDevice() = 0;
  virtual omr::Result OMR_GetStatus() = 0;
  virtual omr::Result OMR_GetMachineName(omr::NameBuffer& name) = 0;
  virtual omr::Result OMR_GetDeviceInfo() = 0;
  virtual omr::Result OMR_Reset() = 0;
  virtual omr::Result OMR_SetReadingMethod(std::int32_t method, std::int32_t option) = 0;
  virtual omr::Result OMR_SetNumberOfColumnsToRead(std::int32_t columns) = 0;
  virtual omr::Result OMR_SetBackSensorUnit(std::int32_t& unit) = 0;
  virtual omr::Result OMR_SendData(omr::DataBuffer& command, std::int32_t& byteCount) = 0;
  virtual omr::Result OMR_ReceiveData(omr::DataBuffer& reply, std::int32_t& byteCount) = 0;
  virtual omr::Result OMR_SetPrintPosition(std::int16_t positionMm) = 0;
  virtual omr::Result OMR_SetPrintAngle(std::int32_t angle) = 0;
  virtual omr::Result OMR_SetPrintFontSize(std::int32_t size) = 0;
  virtual omr::Result OMR_SetPrintFontPitch(std::int32_t pitch) = 0;
  virtual omr::Result OMR_SetPrinterMode(std::int32_t mode) = 0;
  /// `text` is in the system 8-bit code page (1254).
  virtual omr::Result OMR_SetPrintString(std::int32_t line, const QByteArray& text) = 0;
  virtual omr::Result OMR_SetPrintOrder(std::int32_t first, std::int32_t second, std::int32_t third) = 0;
  virtual omr::Result OMR_FeedSheet() = 0;
  virtual omr::Result OMR_GetMarks(std::int16_t side, omr::MarkRequest& request, omr::MarkBuffer& marks) = 0;
  virtual omr::Result OMR_EjectSheet(std::int32_t tray) = 0;
  virtual omr::Result OMR_MoveHopper(std::int32_t position) = 0;
  virtual omr::Result OMR_SetBarcodeReaderUnit(std::int16_t& unit) = 0;
  virtual omr::Result OMR_SetBarCodeArea(omr::BarcodeArea& area) = 0;
  virtual omr::Result OMR_SetBarCodeReadType(std::int32_t type) = 0;
  virtual omr::Result OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) = 0;
  virtual omr::Result OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& record, std::int16_t& length,
                                         std::int16_t& secondLength, omr::BarcodeBuffer& data) = 0;
};
