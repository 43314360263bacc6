#pragma once

#include "app/Operator.h"

#include <QList>
#include <QStringList>

#include <optional>
#include <stdexcept>

/// One box as it was shown and answered.
struct TranscriptEntry {
  QString kind;  ///< "ok", "yesno", "yesnocancel" or "input"
  QString title;
  QString text;
  QString defaultText;            ///< input boxes only
  std::optional<QString> answer;  ///< the button's Turkish caption or the text typed; nothing when cancelled
};

/// An answer that does not fit the box it was given to ("Evet" for an OK
/// box is fine, "İptal" for a Yes/No box is not).
class BadAnswer : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// An operator that answers from a list, one answer per box in the order
/// the boxes are shown, and keeps a transcript.
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

  const QList<TranscriptEntry>& transcript() const { return m_transcript; }
  /// Answers not used yet.
  qsizetype remaining() const { return m_answers.size() - m_next; }

 private:
  QString takeAnswer();

  QStringList m_answers;
  qsizetype m_next = 0;
  QList<TranscriptEntry> m_transcript;
};
