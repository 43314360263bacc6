#include "reading/SheetCycle.h"

#include "app/Operator.h"
#include "common/NumericText.h"
#include "device/ReaderConnection.h"

namespace {

constexpr std::int32_t kTrayEmpty = 0x40110000;
constexpr std::int32_t kFrontTimingMarkError = 0x41120003;
constexpr std::int32_t kDensityLines = 70;
constexpr std::int32_t kBackLines = 154;

}  // namespace

SheetCycle::SheetCycle(OmrApi& api, ReaderConnection& connection, Operator& person, const Settings& settings)
    : m_api(api), m_connection(connection), m_operator(person), m_settings(settings) {}

void SheetCycle::ejectToSpareTray() { m_api.OMR_EjectSheet(m_settings.secondTray ? 2 : 1); }

bool SheetCycle::feedAndReadFront(std::int32_t lines, Outcome& early) {
  m_backRead = false;
  m_sheetFed = false;
  m_request.status = 0;
  m_api.OMR_FeedSheet();
  const std::int32_t status = m_connection.readStatus();
  m_sheetFed = status != kTrayEmpty;
  if (status == kTrayEmpty) ejectToSpareTray();
  if (status == kFrontTimingMarkError && !m_settings.reportTimingMarkErrors) {
    early = Outcome::Drop;
    return false;
  }
  if (status != 0) {
    const std::int16_t decision = m_connection.ReportDeviceError(status);
    if (decision == kGoOn || decision == kStop) {
      ejectToSpareTray();
      if (m_sheetFed)
        early = decision == kGoOn ? Outcome::SkipAtFault : Outcome::EndRun;
      else
        early = decision == kGoOn ? Outcome::NextAtOnce : Outcome::EndRunAtEmptyHopper;
      return false;
    }
  }
  m_request.columns = omr::kSheetColumns;
  m_request.lines = lines;
  m_api.OMR_GetMarks(0, m_request, m_front);
  m_frontLines = m_request.lines;
  return true;
}

SheetCycle::Outcome SheetCycle::readDensitySheet() {
  Outcome early = Outcome::Decode;
  if (!feedAndReadFront(kDensityLines, early)) return early;
  return Outcome::Decode;
}

SheetCycle::Outcome SheetCycle::readSheet(std::int16_t layoutLineCount, int firstBackField) {
  Outcome early = Outcome::Decode;
  if (!feedAndReadFront(layoutLineCount, early)) return early;

  if (m_frontLines != layoutLineCount) {
    MessageBoxRequest question;
    question.buttons = MessageButtons::YesNo;
    question.text = QStringLiteral("Okuma çizgisi sayısı yanlış ") + numeric::signedForm(m_frontLines) +
                    QStringLiteral(" - ") + numeric::signedForm(layoutLineCount) +
                    QStringLiteral("\rDevam edilecek mi?");
    if (m_settings.secondTray) {
      if (!m_settings.askAtWrongLineCount || m_operator.messageBox(question) == MessageAnswer::Yes) {
        m_api.OMR_EjectSheet(2);
        return Outcome::Drop;
      }
      // "Hayır" with a second tray: the sheet is decoded as it was read.
    } else {
      const bool goOn = m_operator.messageBox(question) == MessageAnswer::Yes;
      m_api.OMR_EjectSheet(1);
      return goOn ? Outcome::Drop : Outcome::EndRunAtLineCount;
    }
  }

  if (m_settings.backSensorFitted && firstBackField > 0 && !m_settings.singleSidedSheets) {
    m_request.lines = kBackLines;
    m_api.OMR_GetMarks(1, m_request, m_back);
    m_backRead = true;
  }
  return Outcome::Decode;
}
