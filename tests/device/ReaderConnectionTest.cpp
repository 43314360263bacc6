#include "device/ReaderConnection.h"

#include "app/ScriptedOperator.h"
#include "app/TranscribingOperator.h"
#include "device/RecordingOmrApi.h"
#include "device/VendorOmrApi.h"
#include "reading/RunFiles.h"
#include "sim/DeckParser.h"
#include "sim/SimulatedReader.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The raw commands sent, as text, beside the call log.
class CommandSpy : public RecordingOmrApi {
 public:
  using RecordingOmrApi::RecordingOmrApi;
  omr::Result OMR_SendData(omr::DataBuffer& command, std::int32_t& byteCount) override {
    commands.append(QString::fromLatin1(reinterpret_cast<const char*>(command.data()), byteCount));
    return RecordingOmrApi::OMR_SendData(command, byteCount);
  }
  QStringList commands;
};

// A simulated reader from deck text, a scripted operator and the settings,
// wired to one ReaderConnection.
class Rig {
 public:
  Rig(const QByteArray& deckText, QStringList answers, DeviceSettings settings = {})
      : m_settings(settings), m_script(std::move(answers)), m_operator(m_script) {
    DeckParser::Result parsed = DeckParser::parse(deckText, QStringLiteral("test.deck"));
    EXPECT_TRUE(parsed.ok()) << parsed.error.toStdString();
    m_reader = std::make_unique<SimulatedReader>(parsed.deck.value_or(Deck{}));
    m_spy = std::make_unique<CommandSpy>(*m_reader);
    m_connection = std::make_unique<ReaderConnection>(*m_spy, m_operator, m_settings, state, [this] { files.closeAll(); });
  }

  ReaderConnection& connection() { return *m_connection; }
  const QStringList& log() const { return m_spy->log(); }
  const QStringList& commands() const { return m_spy->commands; }
  const QList<TranscriptEntry>& boxes() const { return m_operator.transcript(); }
  qsizetype answersLeft() const { return m_script.remaining(); }

  ReaderState state;
  RunFiles files;

 private:
  DeviceSettings m_settings;
  ScriptedOperator m_script;
  TranscribingOperator m_operator;
  std::unique_ptr<SimulatedReader> m_reader;
  std::unique_ptr<CommandSpy> m_spy;
  std::unique_ptr<ReaderConnection> m_connection;
};

const QStringList kCe = {"_OMR_SendData(buf,2)", "_OMR_ReceiveData(buf,1)", "_OMR_ReceiveData(buf,6)"};

TEST(ConnectReader, AReadyReaderIsOpenedAskedAndConfiguredInOrder) {
  Rig rig("model SR-500\n", {});
  EXPECT_TRUE(rig.connection().ConnectReader());
  const QStringList expected = QStringList{"OMR_CloseDevice()", "OMR_OpenDeviceUSB()"} + kCe +
                               QStringList{"OMR_GetMachineName(buf)"} + kCe +
                               QStringList{"OMR_GetStatus()", "OMR_Reset()", "OMR_SetReadingMethod(3,0)",
                                           "OMR_SetNumberOfColumnsToRead(48)", "OMR_GetDeviceInfo()",
                                           "OMR_SetBackSensorUnit(1)"};
  EXPECT_EQ(rig.log(), expected);
  EXPECT_EQ(rig.commands(), QStringList({"CE", "CE"}));
  EXPECT_EQ(rig.state.MachineName, "SR-500          ");  // the 16 bytes as the reader gives them
  EXPECT_FALSE(rig.state.BackSensorFitted);
  EXPECT_TRUE(rig.boxes().isEmpty());
}

struct EquipmentCase {
  const char* name;
  const char* equipment;
  bool singleSided;
  int imprintEnabled;
  bool backFitted;
  QStringList tail;  // the calls after OMR_GetDeviceInfo()
  QStringList commands;  // raw commands after the two CE
};

void PrintTo(const EquipmentCase& c, std::ostream* os) { *os << c.name; }

class EquipmentTest : public testing::TestWithParam<EquipmentCase> {};

TEST_P(EquipmentTest, GroupsChooseBackSideAndImprinter) {
  const EquipmentCase& c = GetParam();
  DeviceSettings settings;
  settings.SingleSidedSheets = c.singleSided;
  settings.ImprintEnabled = c.imprintEnabled;
  settings.ImprintPosition = 25;
  Rig rig(QByteArray("equipment ") + c.equipment + "\n", {}, settings);
  EXPECT_TRUE(rig.connection().ConnectReader());
  EXPECT_EQ(rig.state.BackSensorFitted, c.backFitted);
  const QStringList& log = rig.log();
  const qsizetype info = log.indexOf("OMR_GetDeviceInfo()");
  ASSERT_GE(info, 0);
  EXPECT_EQ(log.mid(info + 1), c.tail);
  EXPECT_EQ(rig.commands().mid(2), c.commands);
}

const QStringList kPrinter = {"OMR_SetPrintPosition(25)", "OMR_SetPrintAngle(1)", "OMR_SetPrintFontSize(32)",
                              "OMR_SetPrintFontPitch(8)", "OMR_SetPrinterMode(2)"};
const QStringList kBackCommand = {"_OMR_SendData(buf,5)", "_OMR_ReceiveData(buf,1)", "_OMR_ReceiveData(buf,6)"};

INSTANTIATE_TEST_SUITE_P(
    Words, EquipmentTest,
    testing::Values(
        EquipmentCase{"Nothing", "0", true, 1, false, {"OMR_SetBackSensorUnit(1)"}, {}},
        EquipmentCase{"BackUnitSingleSided", "00010000", true, 0, true,
                      QStringList{"OMR_SetBackSensorUnit(1)", "OMR_SetBackSensorUnit(0)"} + kBackCommand, {"BR1,0"}},
        EquipmentCase{"BackUnitDoubleSided", "00010000", false, 0, true,
                      QStringList{"OMR_SetBackSensorUnit(1)", "OMR_SetBackSensorUnit(1)"} + kBackCommand, {"BR1,1"}},
        EquipmentCase{"GroupOfThreeIsNoBackUnit", "00030000", false, 0, false, {"OMR_SetBackSensorUnit(1)"}, {}},
        EquipmentCase{"PrinterAndImprint", "01000000", true, 1, false,
                      QStringList{"OMR_SetBackSensorUnit(1)"} + kPrinter, {}},
        EquipmentCase{"PrinterWithoutImprint", "01000000", true, 0, false, {"OMR_SetBackSensorUnit(1)"}, {}},
        EquipmentCase{"ImprintGreyedIsNotOn", "01000000", true, 2, false, {"OMR_SetBackSensorUnit(1)"}, {}},
        EquipmentCase{"BothAndUpperGroups", "F1010000", false, 1, true,
                      QStringList{"OMR_SetBackSensorUnit(1)", "OMR_SetBackSensorUnit(1)"} + kBackCommand + kPrinter,
                      {"BR1,1"}}));

TEST(ConnectReader, ConnectionErrorInTheEquipmentWord) {
  Rig rig("equipment 0001001F\n", {"Tamam"});
  EXPECT_FALSE(rig.connection().ConnectReader());
  ASSERT_EQ(rig.boxes().size(), 1);
  EXPECT_EQ(rig.boxes()[0].kind, "ok");
  EXPECT_EQ(rig.boxes()[0].text, "Bağlantı Hatası");
  EXPECT_EQ(rig.log().last(), "OMR_GetDeviceInfo()");  // nothing configured
}

TEST(ConnectReader, StatusesThatNeedNoReconnectionPassSilently) {
  for (const char* status : {"40110000", "40110001", "40110002"}) {
    Rig rig(QByteArray("connectstatus ") + status + "\n", {});
    EXPECT_TRUE(rig.connection().ConnectReader()) << status;
    EXPECT_TRUE(rig.boxes().isEmpty()) << status;
  }
}

const char kTurkishPrompt[] =
    "Lütfen Optik Okuyucunun\r1. Açık \r2. Kablolarının bağlı\r3. Uygun mod seçili\rolduğundan emin olun\r"
    "Devam Edilecek mi?";
const char kEnglishPrompt[] =
    "Please check the following\r1. OMR on? \r2. Cables connected?\r3. Appropriate mode chosen?\r\rContinue?";

TEST(ConnectReader, NoReaderAskedInTheOperatorsLanguage) {
  for (int language : {0, 1}) {
    DeviceSettings settings;
    settings.LanguageIndex = language;
    Rig rig("open fail\n", {"Evet", "Hayır"}, settings);
    // Yes goes on as if the reader were there; the status read then finds
    // none, and that fault is reported like any other.
    EXPECT_FALSE(rig.connection().ConnectReader());
    ASSERT_EQ(rig.boxes().size(), 2);
    EXPECT_EQ(rig.boxes()[0].kind, "yesno");
    EXPECT_EQ(rig.boxes()[0].title, "Okuma Programı");
    EXPECT_EQ(rig.boxes()[0].text, QString::fromUtf8(language == 0 ? kTurkishPrompt : kEnglishPrompt));
    EXPECT_EQ(rig.boxes()[1].text, language == 0 ? QString::fromUtf8("OMR henüz bağlı değil\rDevam edilecek mi?")
                                                 : QString("OMR Not connected yet\rContinue?"));
    const QStringList opening = QStringList{"OMR_CloseDevice()", "OMR_OpenDeviceUSB()"} + kCe +
                                QStringList{"OMR_CloseDevice()", "OMR_OpenDeviceUSB()"};
    EXPECT_EQ(rig.log().mid(0, 7), opening);
  }
}

TEST(ConnectReader, NoAtTheNoReaderPromptEndsTheProgram) {
  Rig rig("open fail\n", {"Hayır"});
  EXPECT_THROW(rig.connection().ConnectReader(), ProgramEnd);
}

TEST(ConnectReader, AFaultAnsweredYesConnectsAgain) {
  Rig rig("connectstatus 20070000\n", {"Evet", "Hayır"});
  EXPECT_FALSE(rig.connection().ConnectReader());
  ASSERT_EQ(rig.boxes().size(), 2);
  EXPECT_EQ(rig.boxes()[0].text, QString::fromUtf8("Ana gövde : Kapak açık\rDevam edilecek mi?"));
  EXPECT_EQ(rig.log().count("OMR_OpenDeviceUSB()"), 2);
}

TEST(ConnectReader, CodeOneAnsweredYesConnectsAfreshBeforeTheCallerGoesOn) {
  // Yes to code 1 starts a nested connection (asked again: No), then the
  // outer connection starts over (asked once more: No).
  Rig rig("connectstatus 1\n", {"Evet", "Hayır", "Hayır"});
  EXPECT_FALSE(rig.connection().ConnectReader());
  ASSERT_EQ(rig.boxes().size(), 3);
  for (const TranscriptEntry& box : rig.boxes())
    EXPECT_EQ(box.text, QString::fromUtf8("Hatalı Duruş (Ayrıntı bilinmiyor)\rDevam edilecek mi?"));
  EXPECT_EQ(rig.log().count("OMR_OpenDeviceUSB()"), 3);
  EXPECT_EQ(rig.answersLeft(), 0);
}

TEST(ConnectReader, WithoutTheLibraryThereIsNoReader) {
  VendorOmrApi missing(QStringLiteral("/no/such/folder/libOMRAPI.so"));
  DeviceSettings settings;
  ReaderState state;
  ScriptedOperator script({"Evet", "Hayır"});
  TranscribingOperator person(script);
  ReaderConnection connection(missing, person, settings, state);
  EXPECT_FALSE(connection.ConnectReader());
  ASSERT_EQ(person.transcript().size(), 2);
  EXPECT_EQ(person.transcript()[1].text, QString::fromUtf8("OMR henüz bağlı değil\rDevam edilecek mi?"));
}

struct FaultCase {
  const char* name;
  std::uint32_t status;
  bool secondTray;
  bool singleSided;
  int stopOnError;
  bool asked;
  std::int16_t decisionWithoutQuestion;  // when not asked
};

void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class FaultRuleTest : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultRuleTest, RulesInTheirOrder) {
  const FaultCase& c = GetParam();
  for (const char* answer : {"Evet", "Hayır"}) {
    DeviceSettings settings;
    settings.SecondTray = c.secondTray;
    settings.SingleSidedSheets = c.singleSided;
    settings.StopOnError = c.stopOnError;
    Rig rig("", {answer}, settings);
    const std::int16_t decision = rig.connection().ReportDeviceError(static_cast<std::int32_t>(c.status));
    EXPECT_EQ(rig.boxes().size(), c.asked ? 1 : 0);
    if (c.asked) {
      EXPECT_EQ(decision, QString(answer) == "Evet" ? kGoOn : kStop);
      EXPECT_EQ(rig.boxes()[0].kind, "yesno");
      EXPECT_EQ(rig.boxes()[0].title, "Okuma Programı");
    } else {
      EXPECT_EQ(decision, c.decisionWithoutQuestion);
    }
    EXPECT_TRUE(rig.log().isEmpty());  // none of these touch the reader
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FaultRuleTest,
    testing::Values(FaultCase{"NoFault", 0, true, true, 1, false, kCarryOn},
                    FaultCase{"TrayEmptyAskedEvenWithSecondTray", 0x40110000, true, true, 0, true, 0},
                    FaultCase{"DoubleFeedToSecondTray", 0x40110001, true, true, 0, false, kGoOn},
                    FaultCase{"DoubleFeedToSecondTrayStopOnError", 0x40110001, true, true, 1, true, 0},
                    FaultCase{"StopOnErrorGreyedIsNotOn", 0x40110001, true, true, 2, false, kGoOn},
                    FaultCase{"NotSheetLevelAskedWithSecondTray", 0x41130000, true, true, 0, true, 0},
                    FaultCase{"BackUnitMissingSingleSided", 0x42100000, false, true, 0, false, kCarryOn},
                    FaultCase{"BackUnitMissingDoubleSided", 0x42100000, false, false, 0, true, 0},
                    FaultCase{"BackOnlyWithSecondTrayFollowsTheTrayRule", 0x42120003, true, true, 0, false, kGoOn},
                    FaultCase{"SheetLevelWithoutSecondTrayAsked", 0x40110001, false, true, 0, true, 0},
                    FaultCase{"UnlistedCode", 0x12345678, false, true, 0, true, 0}));

TEST(ReportDeviceError, MessagesForUnlistedCodesInBothLanguages) {
  for (int language : {0, 1}) {
    DeviceSettings settings;
    settings.LanguageIndex = language;
    Rig rig("", {"Evet"}, settings);
    rig.connection().ReportDeviceError(0x12345678);
    ASSERT_EQ(rig.boxes().size(), 1);
    EXPECT_EQ(rig.boxes()[0].text, language == 0 ? QString::fromUtf8("12345678 nolu hata\rDevam edilecek mi?")
                                                 : QString("12345678 error\rContinue?"));
  }
}

TEST(ReportDeviceError, StoppingClosesTheRunsFiles) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const char* answer : {"Evet", "Hayır"}) {
    Rig rig("", {answer});
    QFile data(dir.filePath("veri.dat"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    rig.files.add(&data);
    rig.connection().ReportDeviceError(0x30080002);
    EXPECT_EQ(data.isOpen(), QString(answer) == "Evet") << answer;
  }
}

}  // namespace
