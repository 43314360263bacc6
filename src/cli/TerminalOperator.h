#pragma once

#include "app/Operator.h"

/// Asks the questions on the terminal: the box is printed on standard error
/// and the answer read from standard input, with the words an answers file
/// takes (Evet, Hayır, İptal, Tamam or yes, no, cancel, ok). The end of the
/// input means the operator is gone.
class TerminalOperator : public Operator {
 public:
  MessageAnswer messageBox(const MessageBoxRequest& request) override;
  std::optional<QString> inputBox(const InputBoxRequest& request) override;
};
