#pragma once

#include "app/Operator.h"

#include <QStringList>

#include <optional>
#include <stdexcept>

/// An answer that does not fit the box it was given to ("Evet" for an OK
/// box is fine, "İptal" for a Yes/No box is not).
class BadAnswer : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// An operator that answers from a list, one answer per box in the order
/// the boxes are shown.
///
/// Message boxes take Evet, Hayır, İptal, Tamam (or yes, no, cancel, ok, in
/// any letter case); an OK box takes any line. Input boxes take the line as
/// typed; the line "<cancel>" cancels. When the answers run out the
/// operator is gone (OperatorGone).
class ScriptedOperator : public Operator {
 public:
  explicit ScriptedOperator(QStringList answers);

  MessageAnswer messageBox(const MessageBoxRequest& request) override;
  std::optional<QString> inputBox(const InputBoxRequest& request) override;

  /// Answers not used yet.
  qsizetype remaining() const { return m_answers.size() - m_next; }

  /// The button a typed answer names, if any ("Evet", "no", ...).
  static std::optional<MessageAnswer> parseAnswer(const QString& line);

 private:
  QString takeAnswer();

  QStringList m_answers;
  qsizetype m_next = 0;
};
