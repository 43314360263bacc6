#include "app/SettingsFile.h"

#include "common/AnsiCodec.h"
#include "common/NumericText.h"
#include "common/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringList>

#include <optional>
#include <utility>

namespace {

using CheckBox = SettingsPanel::CheckBox;
using TextBox = SettingsPanel::TextBox;

const QString kFileName = QStringLiteral("sekonic.ini");

// Option2 indices as the file encodes them.

constexpr std::int16_t kSpareNumberDefault = 1000;
constexpr double kSpareNumberMax = 7200;

// The lines of the file in order. A read fails once the file has ended (or
// when there is no file), and every later read fails too. Lines without a
// default of their own take the text of the last line read successfully.
class LineReader {
 public:
  explicit LineReader(QStringList lines) : m_lines(std::move(lines)) {}

  std::optional<QString> next() {
    if (m_next >= m_lines.size()) return std::nullopt;
    m_last = m_lines.at(m_next++);
    return m_last;
  }

  QString nextOrLast() {
    const std::optional<QString> line = next();
    return line ? *line : m_last;
  }

 private:
  QStringList m_lines;
  qsizetype m_next = 0;
  QString m_last;
};

double numberOf(const QString& text) {
  return numeric::leadingValue(text);
}

// The value of a 16-bit setting. A value that does not fit is a failed
// conversion: the setting keeps what it had.
std::optional<std::int16_t> int16Of(const QString& text) {
  return numeric::toInt16(numberOf(text));
}

// An option line: 0 or 1 picks one of a frame's two options. Other values
// would pick an option of the array outside the frame (or none at all), so
// they are ignored and the frame keeps its choice.
std::optional<int> optionOf(const QString& text) {
  const double value = numeric::roundHalfEven(numberOf(text));
  if (value == 0) return 0;
  if (value == 1) return 1;
  return std::nullopt;
}

// A check-box line. Values outside 0 to 2 become -1 or 3, which the box
// refuses, so it keeps its state.
int checkOf(const QString& text) {
  return numeric::clampedInt(numberOf(text), -1, 3);
}

// The "integer value" of a typed text: the whole text must be a number.
std::optional<double> integerOf(const QString& text) {
  const std::optional<double> value = numeric::strictValue(text);
  if (!value) return std::nullopt;
  return numeric::roundHalfEven(*value);
}

QString trimBlanks(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin) == u' ') ++begin;
  while (end > begin && text.at(end - 1) == u' ') --end;
  return text.mid(begin, end - begin);
}

// The form wait time is kept as at least two digits: 5 becomes 05, an empty
// field 00, 12 and 2.5 stay.
QString waitSecondsText(const QString& typed) {
  QString text = numeric::shortestForm(numberOf(typed));
  if (text.size() == 1) text.prepend(u'0');
  return text;
}

QString readingLineText(const QString& typed) {
  return typed.left(2).leftJustified(2, u' ');
}

// The background line holds "True" or "False" in any letter case, or a
// number where anything but zero is true. Other text leaves the setting.
std::optional<bool> truthOf(const QString& text) {
  const QString word = text.trimmed();
  if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) return true;
  if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) return false;
  if (const std::optional<double> value = numeric::strictValue(word)) return *value != 0;
  return std::nullopt;
}

std::int16_t portIndexOf(const SettingsPanel& panel) {
  for (int index = PanelIndex::Option1Com1; index < PanelIndex::Option1Usb731; ++index)
    if (panel.Option1(index)) return static_cast<std::int16_t>(index);
  return PanelIndex::Option1Usb731;
}

std::int16_t zeroWhen(bool condition) {
  return condition ? 0 : 1;
}

// The fields of the settings the reading run takes from the panel's
// controls, brought up to date with them.
void mirrorControls(AppSettings& s, const SettingsPanel& panel) {
  s.PortIndex = portIndexOf(panel);
  s.BaudIndex = zeroWhen(panel.Option2(PanelIndex::Option2Baud38400));
  s.SecondTray = zeroWhen(panel.Option2(PanelIndex::Option2SecondTrayNo));
  s.DuplexMachine = zeroWhen(panel.Option2(PanelIndex::Option2DuplexMachineNo));
  s.DuplexSheet = zeroWhen(panel.Option2(PanelIndex::Option2DuplexSheetNo));
  s.BarcodeEnabled = static_cast<std::int16_t>(panel.check(CheckBox::Check3));
  s.ImprintSequenceNo = static_cast<std::int16_t>(panel.Check5(PanelIndex::Check5SequenceNo));
  s.ImprintReadMark = static_cast<std::int16_t>(panel.Check5(PanelIndex::Check5ReadMark));
  s.ImprintDateTime = static_cast<std::int16_t>(panel.Check5(PanelIndex::Check5DateTime));
  s.ReaderMake = zeroWhen(panel.Option2(PanelIndex::Option2ReaderSekonic));
  s.Sr410Mode = static_cast<std::int16_t>(panel.check(CheckBox::Check7));
  s.ReadingLine13cm = readingLineText(panel.text(TextBox::Text9));
  s.SeparatorEnabled = static_cast<std::int16_t>(panel.check(CheckBox::Check9));
  s.SeparatorText = panel.text(TextBox::Text10);
  s.ImprintUnreadMark = static_cast<std::int16_t>(panel.Check5(PanelIndex::Check5UnreadMark));
  s.ImprintFileName = static_cast<std::int16_t>(panel.Check5(PanelIndex::Check5FileName));
}

// A check box whose line also sets a 16-bit setting, with the box ticked
// when `ticked` holds for the value.
template <typename Ticked>
void applyBoxSetting(const std::optional<QString>& line, std::int16_t missing, std::int16_t& setting,
                     SettingsPanel& panel, CheckBox box, Ticked ticked) {
  if (!line) {
    setting = missing;
    panel.setCheck(box, ticked(missing) ? 1 : 0);
    return;
  }
  const std::optional<std::int16_t> value = int16Of(*line);
  if (!value) return;
  setting = *value;
  panel.setCheck(box, ticked(*value) ? 1 : 0);
}

QString numberLine(double value) {
  return numeric::signedForm(value) + u' ';
}

QString truthLine(bool value) {
  return value ? QStringLiteral("True") : QStringLiteral("False");
}

// The lines of the file, with the updates saving makes on the way.
QStringList settingsLines(AppSettings& s, SettingsPanel& panel, const QString& combo1Text) {
  // Without a double-sided machine there is no double-sided sheet.
  if (panel.Option2(PanelIndex::Option2DuplexMachineNo)) {
    panel.selectOption2(PanelIndex::Option2DuplexSheetNo);
    panel.clearOption2(PanelIndex::Option2DuplexSheetYes);
  }
  mirrorControls(s, panel);

  s.DataFileExtension = panel.text(TextBox::Text1);
  s.FormWaitSeconds = waitSecondsText(panel.text(TextBox::Text2));
  s.UseDarknessLimit = static_cast<std::int16_t>(panel.check(CheckBox::Check1));
  if (const auto value = int16Of(panel.text(TextBox::Text3))) s.DarknessUpperLimit = *value;
  s.StopOnError = static_cast<std::int16_t>(panel.check(CheckBox::Check2));
  s.ImprintEnabled = static_cast<std::int16_t>(panel.check(CheckBox::Check4));
  if (const auto value = int16Of(panel.text(TextBox::Text5))) s.ImprintPosition = *value;
  s.StarSetting = panel.Combo3();
  s.UseOtherTempFile = static_cast<std::int16_t>(panel.check(CheckBox::Check8));
  if (panel.Option3(PanelIndex::Option3Fast)) s.ReadingSpeed = 0;
  if (panel.Option3(PanelIndex::Option3Normal)) s.ReadingSpeed = 1;
  if (const auto value = integerOf(panel.text(TextBox::Text11)))
    if (const auto port = numeric::toInt32(*value)) s.PortNumberText = *port;
  if (panel.Option4(PanelIndex::Option4Turkish)) s.LanguageIndex = 0;
  if (panel.Option4(PanelIndex::Option4English)) s.LanguageIndex = 1;
  s.ImprintText = panel.text(TextBox::Text12);
  if (const auto value = integerOf(panel.text(TextBox::Text13)))
    if (const auto sheets = numeric::toInt16(*value)) s.StopAfterSheets = *sheets;
  s.LastLayoutName = combo1Text;
  s.WriteUtf8 = static_cast<std::int16_t>(panel.check(CheckBox::Check11));

  return {
      numberLine(s.PortIndex),
      numberLine(s.BaudIndex),
      numberLine(s.SecondTray),
      numberLine(s.DuplexMachine),
      numberLine(s.DuplexSheet),
      s.DataFileExtension,
      s.FormWaitSeconds,
      numberLine(s.UseDarknessLimit),
      panel.text(TextBox::Text3),
      numberLine(s.StopOnError),
      numberLine(s.SpareNumber),
      numberLine(s.BarcodeEnabled),
      numberLine(s.ImprintEnabled),
      panel.text(TextBox::Text5),
      numberLine(s.ImprintSequenceNo),
      numberLine(s.ImprintReadMark),
      numberLine(s.ImprintDateTime),
      numberLine(s.ReaderMake),
      numberLine(s.Sr410Mode),
      s.StarSetting,
      numberLine(s.UseOtherTempFile),
      numberLine(s.ReadingSpeed),
      s.ReadingLine13cm,
      numberLine(s.SeparatorEnabled),
      s.SeparatorText,
      panel.text(TextBox::Text11),
      numberLine(s.LanguageIndex),
      numberLine(s.ImprintUnreadMark),
      numberLine(s.ImprintFileName),
      s.ImprintText,
      panel.text(TextBox::Text13),
      s.LastLayoutName,
      numberLine(s.WriteUtf8),
      numberLine(s.BackRed),
      numberLine(s.BackGreen),
      numberLine(s.BackBlue),
      numberLine(s.TextColor),
      numberLine(s.HighlightRed),
      numberLine(s.HighlightGreen),
      numberLine(s.HighlightBlue),
      numberLine(s.HighlightTextColor),
      truthLine(s.UseBackgroundPicture),
  };
}

QByteArray encodedLine(QString line) {
  // A line feed inside a value would split it into two lines and shift every
  // later setting by one when the file is read back.
  line.replace(u'\n', u' ');
  return ansi::encode(line) + "\r\n";
}

SettingsSaveResult saveFailure(const QString& path, const QString& reason) {
  return {false, QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), reason)};
}

}  // namespace

QString settingsFilePath(const QString& programFolder) {
  return QDir(programFolder).filePath(kFileName);
}

void LoadSettings(const QString& programFolder, AppSettings& settings, SettingsPanel& panel) {
  QByteArray content;
  const QString path = settingsFilePath(programFolder);
  QFile file(path);
  // A missing or unreadable file reads as one without lines.
  if (QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly)) content = file.readAll();
  LoadSettingsFromBytes(content, settings, panel);
}

void LoadSettingsFromBytes(const QByteArray& content, AppSettings& s, SettingsPanel& panel) {
  const AppSettings appearance;
  s.BackRed = appearance.BackRed;
  s.BackGreen = appearance.BackGreen;
  s.BackBlue = appearance.BackBlue;
  s.TextColor = appearance.TextColor;
  s.HighlightRed = appearance.HighlightRed;
  s.HighlightGreen = appearance.HighlightGreen;
  s.HighlightBlue = appearance.HighlightBlue;
  s.HighlightTextColor = appearance.HighlightTextColor;

  LineReader in(textlines::split(ansi::decode(content)));

  // 1: the stored port is not used; every start connects through USB.
  in.next();
  panel.selectOption1(PanelIndex::Option1Usb);

  // 2 to 5: each option pair, a missing line taking the last text read.
  // Selecting the double-sided machine's option runs its reaction, which
  // shows or hides the double-sided sheet frame.
  if (const auto value = optionOf(in.nextOrLast()))
    panel.selectOption2(PanelIndex::Option2Baud38400 + *value);
  if (const auto value = optionOf(in.nextOrLast()))
    panel.selectOption2(PanelIndex::Option2SecondTrayNo - *value);
  if (const auto value = optionOf(in.nextOrLast()))
    panel.selectOption2(PanelIndex::Option2DuplexMachineNo - *value);
  if (const auto value = optionOf(in.nextOrLast()))
    panel.selectOption2(PanelIndex::Option2DuplexSheetNo - *value);

  // 6: the field shows the whole text; the data file takes three letters.
  const QString extension = in.next().value_or(QStringLiteral("txt"));
  panel.setText(TextBox::Text1, extension);
  s.DataFileExtension = trimBlanks(extension.left(3));

  // 7
  s.FormWaitSeconds = waitSecondsText(in.nextOrLast());
  panel.setText(TextBox::Text2, s.FormWaitSeconds);

  // 8: any non-zero value ticks the box and is kept as the setting.
  if (const auto value = int16Of(in.nextOrLast())) {
    s.UseDarknessLimit = *value;
    panel.setCheck(CheckBox::Check1, *value != 0 ? 1 : 0);
  }

  // 9
  const QString upperLimit = in.nextOrLast();
  panel.setText(TextBox::Text3, upperLimit);
  if (const auto value = int16Of(upperLimit)) s.DarknessUpperLimit = *value;

  // 10: without the line the run stops on errors, as the ticked box says.
  applyBoxSetting(in.next(), 1, s.StopOnError, panel, CheckBox::Check2, [](int v) { return v >= 1; });

  // 11
  if (const auto line = in.next()) {
    const double value = numberOf(*line);
    s.SpareNumber = value < 0 || value > kSpareNumberMax
                        ? kSpareNumberDefault
                        : numeric::toInt16(value).value_or(kSpareNumberDefault);
  } else {
    s.SpareNumber = kSpareNumberDefault;
  }

  // 12
  if (const auto line = in.next())
    panel.setCheck(CheckBox::Check3, numeric::roundHalfEven(numberOf(*line)) > 0 ? 1 : 0);
  else
    panel.setCheck(CheckBox::Check3, 0);

  // 13
  applyBoxSetting(in.next(), 0, s.ImprintEnabled, panel, CheckBox::Check4, [](int v) { return v >= 1; });

  // 14
  const QString position = in.nextOrLast();
  panel.setText(TextBox::Text5, position);
  if (const auto value = int16Of(position)) s.ImprintPosition = *value;

  // 15 to 17
  for (int index = PanelIndex::Check5SequenceNo; index <= PanelIndex::Check5DateTime; ++index)
    panel.setCheck5(index, checkOf(in.nextOrLast()));

  // 18: the reader's make shows its frames and hides the other's.
  if (const auto value = optionOf(in.nextOrLast()))
    panel.selectOption2(PanelIndex::Option2ReaderSekonic - *value);

  // 19
  panel.setCheck(CheckBox::Check7, checkOf(in.nextOrLast()));

  // 20
  panel.setCombo3(in.next().value_or(QStringLiteral("02")));
  s.StarSetting = panel.Combo3();

  // 21
  applyBoxSetting(in.next(), 0, s.UseOtherTempFile, panel, CheckBox::Check8, [](int v) { return v >= 1; });

  // 22
  if (const auto line = in.next()) {
    if (const auto value = optionOf(*line)) {
      s.ReadingSpeed = static_cast<std::int16_t>(*value);
      panel.selectOption3(*value);
    }
  } else {
    s.ReadingSpeed = 1;
    panel.selectOption3(PanelIndex::Option3Normal);
  }

  // 23
  panel.setText(TextBox::Text9, in.next().value_or(QStringLiteral("28")));

  // 24, 25
  panel.setCheck(CheckBox::Check9, checkOf(in.nextOrLast()));
  panel.setText(TextBox::Text10, in.nextOrLast());

  // 26
  const QString port = in.next().value_or(QStringLiteral("1"));
  panel.setText(TextBox::Text11, port);
  if (const auto value = integerOf(port))
    if (const auto number = numeric::toInt32(*value)) s.PortNumberText = *number;

  // 27: a value other than 0 or 1 leaves the language (and the captions).
  if (const auto line = in.next()) {
    if (const auto value = optionOf(*line)) {
      s.LanguageIndex = static_cast<std::int16_t>(*value);
      panel.selectOption4(*value);
    }
  } else {
    s.LanguageIndex = 0;
    panel.selectOption4(PanelIndex::Option4Turkish);
  }

  // 28, 29
  for (int index = PanelIndex::Check5UnreadMark; index <= PanelIndex::Check5FileName; ++index) {
    const auto line = in.next();
    panel.setCheck5(index, line ? checkOf(*line) : 0);
  }

  // 30
  s.ImprintText = in.next().value_or(QString());
  panel.setText(TextBox::Text12, s.ImprintText);

  // 31
  const QString stopAfter = in.next().value_or(QStringLiteral("0"));
  panel.setText(TextBox::Text13, stopAfter);
  if (const auto value = int16Of(stopAfter)) s.StopAfterSheets = *value;

  // 32
  s.LastLayoutName = in.next().value_or(QString());

  // 33
  applyBoxSetting(in.next(), 0, s.WriteUtf8, panel, CheckBox::Check11, [](int v) { return v != 0; });

  // 34 to 41: the appearance defaults set above stay for missing lines.
  for (double* colour : {&s.BackRed, &s.BackGreen, &s.BackBlue, &s.TextColor, &s.HighlightRed,
                         &s.HighlightGreen, &s.HighlightBlue, &s.HighlightTextColor}) {
    if (const auto line = in.next()) *colour = numberOf(*line);
  }

  // 42
  if (const auto line = in.next()) {
    if (const auto truth = truthOf(*line)) s.UseBackgroundPicture = *truth;
  } else {
    s.UseBackgroundPicture = false;
  }

  // The separator's own lines came after the extension and may have undone
  // what a csv extension forces (line 24 re-enables the separator field,
  // line 25 replaces the ";"). The extension's reaction runs once more, as
  // it does when the panel opens, so the loaded panel is the one the
  // operator sees and the run writes a csv file with ";".
  panel.Text1_Change();

  mirrorControls(s, panel);
}

QByteArray SaveSettingsToBytes(AppSettings& settings, SettingsPanel& panel, const QString& combo1Text) {
  QByteArray content;
  for (const QString& line : settingsLines(settings, panel, combo1Text)) content += encodedLine(line);
  return content;
}

SettingsSaveResult SaveSettings(const QString& programFolder, AppSettings& settings, SettingsPanel& panel,
                                MainControls& main, SaveButtons buttons,
                                const SettingsFileFactory& openFile) {
  if (buttons == SaveButtons::Restore) {
    main.Command1Enabled = true;
    main.Command2Enabled = true;
    main.Command3Enabled = true;
    main.Command5Enabled = true;
    main.Combo1Enabled = true;
    main.Command12Enabled = false;
    panel.hide();
  }
  const QStringList lines = settingsLines(settings, panel, main.Combo1Text);

  const QString path = settingsFilePath(programFolder);
  std::unique_ptr<QSaveFile> file = openFile ? openFile(path) : std::make_unique<QSaveFile>(path);
  if (!file) return saveFailure(path, QStringLiteral("the file could not be created"));
  if (!file->open(QIODevice::WriteOnly)) return saveFailure(path, file->errorString());
  for (const QString& line : lines) {
    const QByteArray bytes = encodedLine(line);
    if (file->write(bytes) != bytes.size()) {
      const QString reason = file->errorString();
      file->cancelWriting();
      return saveFailure(path, reason);
    }
  }
  if (!file->commit()) return saveFailure(path, file->errorString());
  return {true, {}};
}
