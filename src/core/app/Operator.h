#pragma once

#include <QString>

#include <optional>
#include <stdexcept>
#include <string>

/// The person at the desk: every question the program asks goes through
/// this interface, so the same code runs with real dialogs in the window,
/// an answers file or the terminal in the CLI, and a script in tests.
///
/// Boxes are modal: a call returns only once the operator has answered.

/// The title of every box that has none of its own.
inline constexpr char16_t kProgramTitle[] = u"Okuma Programı";

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Error, Question, Warning, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageBoxRequest {
  MessageButtons buttons = MessageButtons::Ok;
  QString text;  ///< lines separated by a carriage return alone
  QString title = QString::fromUtf16(kProgramTitle);
  MessageIcon icon = MessageIcon::None;
};

struct InputBoxRequest {
  QString prompt;
  QString title = QString::fromUtf16(kProgramTitle);
  QString defaultText;
};

/// Thrown by an Operator that can give no more answers (an answers file ran
/// out, the terminal closed). The run unwinds: files are closed by their
/// owners, every record already written stays.
class OperatorGone : public std::runtime_error {
 public:
  OperatorGone() : std::runtime_error("the operator gave no answer") {}
};

/// Thrown where the program itself ends (the operator refused to go on with
/// no reader, cancelled the data-file question, a data file could not be
/// written). The front end ends the program once the stack has unwound.
class ProgramEnd : public std::runtime_error {
 public:
  ProgramEnd() : std::runtime_error("the program ends") {}

 protected:
  explicit ProgramEnd(const std::string& what) : std::runtime_error(what) {}
};

/// The program ends because the run's data file or error file could not be
/// created, opened or emptied (the operator has been told). what() names
/// the file and the system's reason, in UTF-8.
class DataFileUnwritable : public ProgramEnd {
 public:
  explicit DataFileUnwritable(const std::string& fileAndReason) : ProgramEnd(fileAndReason) {}
};

class Operator {
 public:
  virtual ~Operator() = default;

  /// Shows a message box and returns the button pressed; for an OK box
  /// the answer is MessageAnswer::Ok. May throw OperatorGone.
  virtual MessageAnswer messageBox(const MessageBoxRequest& request) = 0;

  /// Shows a single-line input box; nothing when the operator cancelled.
  /// May throw OperatorGone.
  virtual std::optional<QString> inputBox(const InputBoxRequest& request) = 0;
};
