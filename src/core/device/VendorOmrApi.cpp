#include "device/VendorOmrApi.h"

// The library's functions use the platform's standard calling convention,
// which on 32-bit Windows is not the compiler's default.
#if defined(_WIN32) && !defined(_WIN64)
#define OMR_CALL __stdcall
#else
#define OMR_CALL
#endif

namespace {

using NoArgs = std::int32_t(OMR_CALL*)();
using OneInt = std::int32_t(OMR_CALL*)(std::int32_t);
using TwoInts = std::int32_t(OMR_CALL*)(std::int32_t, std::int32_t);
using ThreeInts = std::int32_t(OMR_CALL*)(std::int32_t, std::int32_t, std::int32_t);
using OneShort = std::int32_t(OMR_CALL*)(std::int16_t);
using IntPointer = std::int32_t(OMR_CALL*)(std::int32_t*);
using ShortPointer = std::int32_t(OMR_CALL*)(std::int16_t*);
using TwoShortPointers = std::int32_t(OMR_CALL*)(std::int16_t*, std::int16_t*);
using BytePointer = std::int32_t(OMR_CALL*)(std::uint8_t*);
using BytesAndCount = std::int32_t(OMR_CALL*)(std::uint8_t*, std::int32_t*);
using IntAndText = std::int32_t(OMR_CALL*)(std::int32_t, const char*);
using Marks = std::int32_t(OMR_CALL*)(std::int16_t, omr::MarkRequest*, std::uint8_t*);
using Barcode = std::int32_t(OMR_CALL*)(std::int32_t, omr::BarcodeRecord*, std::int16_t*, std::int16_t*,
                                        std::uint8_t*);

}  // namespace

VendorOmrApi::VendorOmrApi(const QString& library) : m_library(library) { m_library.load(); }

VendorOmrApi::~VendorOmrApi() {
  if (m_library.isLoaded()) m_library.unload();
}

template <typename Function, typename... Args>
omr::Result VendorOmrApi::call(const char* name, Args... args) {
  if (!m_library.isLoaded()) return std::nullopt;
  const auto function = reinterpret_cast<Function>(m_library.resolve(name));
  if (!function) return std::nullopt;
  return function(args...);
}

omr::Result VendorOmrApi::OMR_OpenDeviceUSB() { return call<NoArgs>("OMR_OpenDeviceUSB"); }
omr::Result VendorOmrApi::OMR_CloseDevice() { return call<NoArgs>("OMR_CloseDevice"); }
omr::Result VendorOmrApi::OMR_GetStatus() { return call<NoArgs>("OMR_GetStatus"); }
omr::Result VendorOmrApi::OMR_GetMachineName(omr::NameBuffer& name) {
  return call<BytePointer>("OMR_GetMachineName", name.data());
}
omr::Result VendorOmrApi::OMR_GetDeviceInfo() { return call<NoArgs>("OMR_GetDeviceInfo"); }
omr::Result VendorOmrApi::OMR_Reset() { return call<NoArgs>("OMR_Reset"); }
omr::Result VendorOmrApi::OMR_SetReadingMethod(std::int32_t method, std::int32_t option) {
  return call<TwoInts>("OMR_SetReadingMethod", method, option);
}
omr::Result VendorOmrApi::OMR_SetNumberOfColumnsToRead(std::int32_t columns) {
  return call<OneInt>("OMR_SetNumberOfColumnsToRead", columns);
}
omr::Result VendorOmrApi::OMR_SetBackSensorUnit(std::int32_t& unit) {
  return call<IntPointer>("OMR_SetBackSensorUnit", &unit);
}
omr::Result VendorOmrApi::OMR_SendData(omr::DataBuffer& command, std::int32_t& byteCount) {
  return call<BytesAndCount>("_OMR_SendData", command.data(), &byteCount);
}
omr::Result VendorOmrApi::OMR_ReceiveData(omr::DataBuffer& reply, std::int32_t& byteCount) {
  return call<BytesAndCount>("_OMR_ReceiveData", reply.data(), &byteCount);
}
omr::Result VendorOmrApi::OMR_SetPrintPosition(std::int16_t positionMm) {
  return call<OneShort>("OMR_SetPrintPosition", positionMm);
}
omr::Result VendorOmrApi::OMR_SetPrintAngle(std::int32_t angle) { return call<OneInt>("OMR_SetPrintAngle", angle); }
omr::Result VendorOmrApi::OMR_SetPrintFontSize(std::int32_t size) {
  return call<OneInt>("OMR_SetPrintFontSize", size);
}
omr::Result VendorOmrApi::OMR_SetPrintFontPitch(std::int32_t pitch) {
  return call<OneInt>("OMR_SetPrintFontPitch", pitch);
}
omr::Result VendorOmrApi::OMR_SetPrinterMode(std::int32_t mode) { return call<OneInt>("OMR_SetPrinterMode", mode); }
omr::Result VendorOmrApi::OMR_SetPrintString(std::int32_t line, const QByteArray& text) {
  return call<IntAndText>("OMR_SetPrintString", line, text.constData());  // QByteArray ends in NUL
}
omr::Result VendorOmrApi::OMR_SetPrintOrder(std::int32_t first, std::int32_t second, std::int32_t third) {
  return call<ThreeInts>("OMR_SetPrintOrder", first, second, third);
}
omr::Result VendorOmrApi::OMR_FeedSheet() { return call<NoArgs>("OMR_FeedSheet"); }
omr::Result VendorOmrApi::OMR_GetMarks(std::int16_t side, omr::MarkRequest& request, omr::MarkBuffer& marks) {
  return call<Marks>("OMR_GetMarks", side, &request, marks.data());
}
omr::Result VendorOmrApi::OMR_EjectSheet(std::int32_t tray) { return call<OneInt>("OMR_EjectSheet", tray); }
omr::Result VendorOmrApi::OMR_MoveHopper(std::int32_t position) { return call<OneInt>("OMR_MoveHopper", position); }
omr::Result VendorOmrApi::OMR_SetBarcodeReaderUnit(std::int16_t& unit) {
  return call<ShortPointer>("OMR_SetBarcodeReaderUnit", &unit);
}
omr::Result VendorOmrApi::OMR_SetBarCodeArea(omr::BarcodeArea& area) {
  return call<IntPointer>("OMR_SetBarCodeArea", area.data());
}
omr::Result VendorOmrApi::OMR_SetBarCodeReadType(std::int32_t type) {
  return call<OneInt>("OMR_SetBarCodeReadType", type);
}
omr::Result VendorOmrApi::OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) {
  return call<TwoShortPointers>("OMR_GetBarcodeInfo", &first, &second);
}
omr::Result VendorOmrApi::OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& record, std::int16_t& length,
                                             std::int16_t& secondLength, omr::BarcodeBuffer& data) {
  return call<Barcode>("OMR_GetBarcodeData", item, &record, &length, &secondLength, data.data());
}
