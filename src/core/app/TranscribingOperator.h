#pragma once

#include "app/Operator.h"

#include <QList>

#include <optional>

/// One box as it was shown and answered.
struct TranscriptEntry {
  QString kind;  ///< "ok", "yesno", "yesnocancel" or "input"
  QString title;
  QString text;
  QString defaultText;            ///< input boxes only
  std::optional<QString> answer;  ///< the button's Turkish caption or the text typed; nothing when cancelled
};

/// Passes every box on to another operator and keeps a transcript of what
/// was shown and answered, in order.
class TranscribingOperator : public Operator {
 public:
  explicit TranscribingOperator(Operator& inner) : m_inner(inner) {}

  MessageAnswer messageBox(const MessageBoxRequest& request) override;
  std::optional<QString> inputBox(const InputBoxRequest& request) override;

  const QList<TranscriptEntry>& transcript() const { return m_transcript; }

  /// The Turkish caption of a button ("Evet", "Hayır", "İptal", "Tamam").
  static QString caption(MessageAnswer answer);

 private:
  Operator& m_inner;
  QList<TranscriptEntry> m_transcript;
};
