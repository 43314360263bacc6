#include "sim/SimulatedReader.h"

#include "common/AnsiCodec.h"

#include <algorithm>

SimulatedReader::SimulatedReader(Deck deck) : m_deck(std::move(deck)) {}

QList<int> SimulatedReader::tray(int tray) const {
  if (tray == 1) return m_tray1;
  if (tray == 2) return m_tray2;
  return {};
}

omr::Result SimulatedReader::whenOpen() const {
  return m_open ? 0 : kNotConnected;
}

omr::Result SimulatedReader::OMR_OpenDeviceUSB() {
  if (m_deck.openFails) return kOpenFailed;
  m_open = true;
  return 0;
}

omr::Result SimulatedReader::OMR_CloseDevice() {
  // Closing the connection moves no paper: the hopper, the transport and the
  // trays stay as they are for the next open.
  m_open = false;
  return 0;
}

omr::Result SimulatedReader::OMR_GetStatus() {
  if (!m_open) return kNotConnected;
  return static_cast<std::int32_t>(m_feedStatus.value_or(m_deck.connectStatus));
}

omr::Result SimulatedReader::OMR_GetMachineName(omr::NameBuffer& name) {
  if (!m_open) return kNotConnected;
  const QByteArray model = ansi::encode(m_deck.model).left(Deck::kMaxModelBytes);
  for (int i = 0; i < Deck::kMaxModelBytes; ++i)
    name[static_cast<std::size_t>(i)] = i < model.size() ? static_cast<std::uint8_t>(model[i]) : ' ';
  name[Deck::kMaxModelBytes] = 0;
  return 0;
}

omr::Result SimulatedReader::OMR_GetDeviceInfo() {
  return static_cast<std::int32_t>(m_open ? m_deck.equipment : kConnectionErrorEquipment);
}

omr::Result SimulatedReader::OMR_Reset() {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetReadingMethod(std::int32_t, std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetNumberOfColumnsToRead(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetBackSensorUnit(std::int32_t&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SendData(omr::DataBuffer&, std::int32_t&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_ReceiveData(omr::DataBuffer&, std::int32_t& byteCount) {
  if (!m_open) return kNotConnected;
  byteCount = 0;
  return 0;
}

omr::Result SimulatedReader::OMR_SetPrintPosition(std::int16_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrintAngle(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrintFontSize(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrintFontPitch(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrinterMode(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrintString(std::int32_t, const QByteArray&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetPrintOrder(std::int32_t, std::int32_t, std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_FeedSheet() {
  if (!m_open) return kNotConnected;
  if (m_inTransport) m_tray1.append(*m_inTransport);
  m_inTransport.reset();
  if (m_nextSheet >= m_deck.sheets.size()) {
    m_lastFed.reset();
    m_feedStatus = kTrayEmpty;
    return 0;
  }
  const int sheet = m_nextSheet++;
  m_inTransport = sheet;
  m_lastFed = sheet;
  m_feedStatus = m_deck.sheets[sheet].status;
  return 0;
}

omr::Result SimulatedReader::OMR_GetMarks(std::int16_t side, omr::MarkRequest& request,
                                          omr::MarkBuffer& marks) {
  if (!m_open) return kNotConnected;
  if (side != DeckSheet::kFront && side != DeckSheet::kBack) return kParameterError;
  if (!m_lastFed) {
    marks.fill(0);
    request.lines = 0;
    return 0;
  }
  const DeckSheet& sheet = m_deck.sheets[*m_lastFed];
  const auto& reported = side == DeckSheet::kBack ? sheet.backLines : sheet.lines;
  const std::int32_t lines = reported.value_or(std::clamp(request.lines, 0, omr::kSheetLines));
  marks = sheet.markBuffer(static_cast<DeckSheet::Side>(side), lines);
  request.lines = lines;
  return 0;
}

omr::Result SimulatedReader::OMR_EjectSheet(std::int32_t tray) {
  if (!m_open) return kNotConnected;
  if (tray != 1 && tray != 2) return kParameterError;
  // An eject with nothing in the transport (after a tray-empty feed, say)
  // moves nothing.
  if (!m_inTransport) return 0;
  (tray == 1 ? m_tray1 : m_tray2).append(*m_inTransport);
  m_inTransport.reset();
  return 0;
}

omr::Result SimulatedReader::OMR_MoveHopper(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetBarcodeReaderUnit(std::int16_t&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetBarCodeArea(omr::BarcodeArea&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_SetBarCodeReadType(std::int32_t) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_GetBarcodeInfo(std::int16_t&, std::int16_t&) {
  return whenOpen();
}

omr::Result SimulatedReader::OMR_GetBarcodeData(std::int32_t, omr::BarcodeRecord&, std::int16_t& length,
                                                std::int16_t&, omr::BarcodeBuffer& data) {
  if (!m_open) return kNotConnected;
  const QByteArray barcode = m_lastFed ? m_deck.sheets[*m_lastFed].barcode : QByteArray();
  // A deck holds at most 16 characters; a sheet built in code is cut there
  // so the terminating 0 still fits the 17 bytes.
  const qsizetype count = std::min<qsizetype>(barcode.size(), DeckSheet::kMaxBarcodeLength);
  if (count == 0) {
    length = 0;
    return 0;
  }
  for (qsizetype i = 0; i < count; ++i)
    data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(barcode[i]);
  data[static_cast<std::size_t>(count)] = 0;
  length = static_cast<std::int16_t>(count);
  return 0;
}
