#include "device/ReaderConnection.h"

#include "app/Operator.h"
#include "common/AnsiCodec.h"
#include "device/DeviceErrorTable.h"

#include <QStringList>

#include <utility>

namespace {

constexpr std::int32_t kTrayEmpty = 0x40110000;
constexpr std::int32_t kDoubleFeed = 0x40110001;
constexpr std::int32_t kLeftEndSkew = 0x40110002;
constexpr std::int32_t kNotConnected = 2;
constexpr int kMachineNameLength = 16;

// A hexadecimal digit of the equipment word, group 0 the least significant.
int equipmentGroup(std::int32_t word, int group) {
  return static_cast<int>((static_cast<std::uint32_t>(word) >> (4 * group)) & 0xFu);
}

QString connectionPrompt(int languageIndex) {
  const QStringList lines =
      languageIndex == 0
          ? QStringList{QStringLiteral("Lütfen Optik Okuyucunun"), QStringLiteral("1. Açık "),
                        QStringLiteral("2. Kablolarının bağlı"), QStringLiteral("3. Uygun mod seçili"),
                        QStringLiteral("olduğundan emin olun"), QStringLiteral("Devam Edilecek mi?")}
          : QStringList{QStringLiteral("Please check the following"), QStringLiteral("1. OMR on? "),
                        QStringLiteral("2. Cables connected?"), QStringLiteral("3. Appropriate mode chosen?"),
                        QString(), QStringLiteral("Continue?")};
  return lines.join(u'\r');
}

}  // namespace

ReaderConnection::ReaderConnection(OmrApi& api, Operator& person, const DeviceSettings& settings,
                                   ReaderState& state, std::function<void()> closeRunFiles)
    : m_api(api), m_operator(person), m_settings(settings), m_state(state), m_closeRunFiles(std::move(closeRunFiles)) {}

std::int32_t ReaderConnection::readStatus() { return m_api.OMR_GetStatus().value_or(kNotConnected); }

void ReaderConnection::sendRawCommand(const QByteArray& command, bool stopOnSkip) {
  omr::DataBuffer buffer{};
  omr::DataBuffer reply{};
  std::copy(command.begin(), command.end(), buffer.begin());
  std::int32_t count = static_cast<std::int32_t>(command.size());
  if (!m_api.OMR_SendData(buffer, count) && stopOnSkip) return;
  std::int32_t replyCount = 1;
  if (!m_api.OMR_ReceiveData(reply, replyCount) && stopOnSkip) return;
  replyCount = 6;
  m_api.OMR_ReceiveData(reply, replyCount);
}

void ReaderConnection::SendCommandCE() { sendRawCommand(QByteArrayLiteral("CE"), true); }

bool ReaderConnection::ConnectReader() {
  std::int32_t status = 0;
  std::int32_t equipment = 0;
  for (;;) {
    m_api.OMR_CloseDevice();
    const std::int32_t opened = m_api.OMR_OpenDeviceUSB().value_or(1);
    if (opened != 0) {
      MessageBoxRequest prompt;
      prompt.buttons = MessageButtons::YesNo;
      prompt.text = connectionPrompt(m_settings.LanguageIndex);
      if (m_operator.messageBox(prompt) == MessageAnswer::No) throw ProgramEnd();
      SendCommandCE();
      m_api.OMR_CloseDevice();
      m_api.OMR_OpenDeviceUSB();  // what this second attempt says is not looked at
    } else {
      SendCommandCE();
    }

    omr::NameBuffer name{};
    if (m_api.OMR_GetMachineName(name)) {
      // The name is the first 16 bytes; a zero byte ends it earlier, so a
      // reader that leaves the buffer empty shows no name rather than
      // sixteen control characters.
      QByteArray bytes(reinterpret_cast<const char*>(name.data()), kMachineNameLength);
      if (const qsizetype end = bytes.indexOf('\0'); end >= 0) bytes.truncate(end);
      m_state.MachineName = ansi::decode(bytes);
    }

    SendCommandCE();
    status = readStatus();
    if (status == 0 || status == kTrayEmpty || status == kDoubleFeed || status == kLeftEndSkew) break;
    const std::int16_t decision = ReportDeviceError(status);
    if (decision == kGoOn) continue;
    if (decision == kStop) return false;
    break;
  }

  m_api.OMR_Reset();
  m_api.OMR_SetReadingMethod(3, 0);
  m_api.OMR_SetNumberOfColumnsToRead(omr::kSheetColumns);
  equipment = m_api.OMR_GetDeviceInfo().value_or(equipment);

  if (equipmentGroup(equipment, 0) == 15) {
    MessageBoxRequest error;
    error.text = QStringLiteral("Bağlantı Hatası");
    m_operator.messageBox(error);
    return false;
  }
  m_state.BackSensorFitted = equipmentGroup(equipment, 4) == 1;
  const bool printerFitted = equipmentGroup(equipment, 6) == 1;

  std::int32_t unit = 1;
  m_api.OMR_SetBackSensorUnit(unit);
  if (m_state.BackSensorFitted) {
    unit = m_settings.SingleSidedSheets ? 0 : 1;
    m_api.OMR_SetBackSensorUnit(unit);
    sendRawCommand(m_settings.SingleSidedSheets ? QByteArrayLiteral("BR1,0") : QByteArrayLiteral("BR1,1"),
                   false);
  }

  if (printerFitted && m_settings.ImprintEnabled == 1) {
    m_api.OMR_SetPrintPosition(m_settings.ImprintPosition);
    m_api.OMR_SetPrintAngle(1);
    m_api.OMR_SetPrintFontSize(32);
    m_api.OMR_SetPrintFontPitch(8);
    m_api.OMR_SetPrinterMode(2);
  }
  return true;
}

std::int16_t ReaderConnection::ReportDeviceError(std::int32_t status) {
  const QString code = device_errors::codeText(static_cast<std::uint32_t>(status));
  if (status == 0) return kCarryOn;
  bool needsOperator = true;
  bool backSideOnly = false;
  if (const auto row = device_errors::find(code)) {
    needsOperator = row->NeedsOperator;
    backSideOnly = row->BackSideOnly;
  }
  const bool turkish = m_settings.LanguageIndex == 0;
  const QString text = device_errors::message(static_cast<std::uint32_t>(status), m_settings.LanguageIndex) +
                       u'\r' + (turkish ? QStringLiteral("Devam edilecek mi?") : QStringLiteral("Continue?"));

  bool ask = true;
  if (status == kTrayEmpty) {
    ask = true;
  } else if (m_settings.SecondTray) {
    ask = needsOperator || m_settings.StopOnError == 1;
  } else if (m_settings.SingleSidedSheets && backSideOnly) {
    return kCarryOn;
  }

  std::int16_t decision = kGoOn;
  if (ask) {
    MessageBoxRequest question;
    question.buttons = MessageButtons::YesNo;
    question.text = text;
    if (m_operator.messageBox(question) == MessageAnswer::No) decision = kStop;
  }
  if (decision == kStop && m_closeRunFiles) m_closeRunFiles();
  if (decision == kGoOn && status == 1) ConnectReader();  // its result does not change the decision
  return decision;
}
