#pragma once

#include "device/OmrApi.h"
#include "sim/Deck.h"

#include <QList>

#include <optional>

/// A reader loaded with a deck: it opens (unless the deck says `open fail`),
/// reports the deck's model, equipment and statuses, feeds the deck's sheets
/// in order and delivers their marks and barcodes. Wrap it in a
/// RecordingOmrApi to record the calls made to it.
///
/// While it is not open, OMR_GetStatus reports 2 (not connected),
/// OMR_GetDeviceInfo reports a connection error (hexadecimal F in its lowest
/// digit) and every other call does nothing and returns 2. Open or not,
/// every call answers (none returns "could not run").
///
/// Sheets: a feed takes the next sheet from the hopper into the transport;
/// OMR_EjectSheet(1 or 2) puts the sheet in the transport into that tray. A
/// sheet still in the transport when the next feed comes goes to tray 1,
/// the main stacker, as a reader does with a sheet it is not told to divert.
/// A feed on an empty hopper reports 40110000 (tray empty). Marks and
/// barcode come from the sheet fed last, until the next feed.
class SimulatedReader : public OmrApi {
 public:
  /// Result of a call while the reader is not open; also the status then.
  static constexpr std::int32_t kNotConnected = 2;
  /// Result of a call with an argument the reader does not know.
  static constexpr std::int32_t kParameterError = 3;
  /// OMR_OpenDeviceUSB's result when the deck says `open fail`.
  static constexpr std::int32_t kOpenFailed = 1;
  /// Status of a feed on an empty hopper.
  static constexpr std::uint32_t kTrayEmpty = 0x40110000;
  /// Equipment word reported while the reader is not open.
  static constexpr std::uint32_t kConnectionErrorEquipment = 0x0000000F;

  explicit SimulatedReader(Deck deck);

  const Deck& deck() const { return m_deck; }
  bool isOpen() const { return m_open; }
  /// Indexes into deck().sheets of the sheets in tray 1 or 2, in the order
  /// they arrived; empty for any other tray number.
  QList<int> tray(int tray) const;
  /// The sheet fed and not yet put into a tray, if any.
  std::optional<int> sheetInTransport() const { return m_inTransport; }
  /// How many sheets the hopper still holds.
  int sheetsInHopper() const { return static_cast<int>(m_deck.sheets.size()) - m_nextSheet; }

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
  /// Answers with no bytes: the count is set to 0 and the buffer left alone.
  omr::Result OMR_ReceiveData(omr::DataBuffer& reply, std::int32_t& byteCount) override;
  omr::Result OMR_SetPrintPosition(std::int16_t positionMm) override;
  omr::Result OMR_SetPrintAngle(std::int32_t angle) override;
  omr::Result OMR_SetPrintFontSize(std::int32_t size) override;
  omr::Result OMR_SetPrintFontPitch(std::int32_t pitch) override;
  omr::Result OMR_SetPrinterMode(std::int32_t mode) override;
  omr::Result OMR_SetPrintString(std::int32_t line, const QByteArray& text) override;
  omr::Result OMR_SetPrintOrder(std::int32_t first, std::int32_t second, std::int32_t third) override;
  omr::Result OMR_FeedSheet() override;
  /// Fills all 7440 bytes: the side's marks on lines 1 to the reported line
  /// count, 0 elsewhere. The line count reported is the sheet's `lines` or
  /// `backlines`, else the count asked for (kept within 0-155); with no sheet
  /// fed it is 0 and the buffer all 0.
  omr::Result OMR_GetMarks(std::int16_t side, omr::MarkRequest& request, omr::MarkBuffer& marks) override;
  omr::Result OMR_EjectSheet(std::int32_t tray) override;
  omr::Result OMR_MoveHopper(std::int32_t position) override;
  omr::Result OMR_SetBarcodeReaderUnit(std::int16_t& unit) override;
  omr::Result OMR_SetBarCodeArea(omr::BarcodeArea& area) override;
  omr::Result OMR_SetBarCodeReadType(std::int32_t type) override;
  omr::Result OMR_GetBarcodeInfo(std::int16_t& first, std::int16_t& second) override;
  /// Writes the sheet's barcode characters at the start of `data`, a 0 byte
  /// after them, and their count into `length`; a sheet without a barcode
  /// gives length 0 and leaves `data` alone. `secondLength` is not touched.
  omr::Result OMR_GetBarcodeData(std::int32_t item, omr::BarcodeRecord& record, std::int16_t& length,
                                 std::int16_t& secondLength, omr::BarcodeBuffer& data) override;

 private:
  omr::Result whenOpen() const;

  Deck m_deck;
  bool m_open = false;
  int m_nextSheet = 0;
  std::optional<int> m_inTransport;
  std::optional<int> m_lastFed;
  std::optional<std::uint32_t> m_feedStatus;
  QList<int> m_tray1;
  QList<int> m_tray2;
};
