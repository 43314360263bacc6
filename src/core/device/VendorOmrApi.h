#pragma once

#include "device/OmrApi.h"

#include <QLibrary>
#include <QString>

/// The reader vendor's library, loaded at run time. Each function is looked
/// up by its name when the library is loaded; a function the library lacks,
/// or every function when the library cannot be loaded, answers "could not
/// run".
class VendorOmrApi : public OmrApi {
 public:
  /// The library's name as the platform loader knows it.
  static constexpr const char* kDefaultLibrary = "OMRAPI";

  /// Loads `library`: a bare name ("OMRAPI") is searched where the platform
  /// searches libraries, a path is loaded from there.
  explicit VendorOmrApi(const QString& library = QString::fromLatin1(kDefaultLibrary));
  ~VendorOmrApi() override;

  VendorOmrApi(const VendorOmrApi&) = delete;
  VendorOmrApi& operator=(const VendorOmrApi&) = delete;

  bool isLoaded() const { return m_library.isLoaded(); }
  /// Why the library could not be loaded.
  QString errorString() const { return m_library.errorString(); }

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
  template <typename Function, typename... Args>
  omr::Result call(const char* name, Args... args);

  QLibrary m_library;
};
