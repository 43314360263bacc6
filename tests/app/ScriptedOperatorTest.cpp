#include "app/ScriptedOperator.h"
#include "app/TranscribingOperator.h"

#include <gtest/gtest.h>

namespace {

MessageBoxRequest box(MessageButtons buttons, const QString& text = QStringLiteral("Soru")) {
  MessageBoxRequest request;
  request.buttons = buttons;
  request.text = text;
  return request;
}

TEST(ScriptedOperator, AnswersInOrderAndKeepsTheTranscript) {
  ScriptedOperator script({"Evet", "no", "İPTAL", "anything", "42", "<cancel>"});
  TranscribingOperator person(script);
  EXPECT_EQ(person.messageBox(box(MessageButtons::YesNo, "a\rb")), MessageAnswer::Yes);
  EXPECT_EQ(person.messageBox(box(MessageButtons::YesNo)), MessageAnswer::No);
  EXPECT_EQ(person.messageBox(box(MessageButtons::YesNoCancel)), MessageAnswer::Cancel);
  EXPECT_EQ(person.messageBox(box(MessageButtons::Ok)), MessageAnswer::Ok);  // an OK box takes any line
  InputBoxRequest input;
  input.prompt = "Yaş alanını giriniz";
  input.defaultText = " 13";
  EXPECT_EQ(person.inputBox(input), QString("42"));
  EXPECT_EQ(person.inputBox(input), std::nullopt);
  EXPECT_EQ(script.remaining(), 0);

  const QList<TranscriptEntry>& t = person.transcript();
  ASSERT_EQ(t.size(), 6);
  EXPECT_EQ(t[0].kind, "yesno");
  EXPECT_EQ(t[0].title, "Okuma Programı");
  EXPECT_EQ(t[0].text, "a\rb");
  EXPECT_EQ(t[0].answer, QString("Evet"));
  EXPECT_EQ(t[1].answer, QString("Hayır"));
  EXPECT_EQ(t[2].kind, "yesnocancel");
  EXPECT_EQ(t[2].answer, QString("İptal"));
  EXPECT_EQ(t[3].kind, "ok");
  EXPECT_EQ(t[3].answer, QString("Tamam"));
  EXPECT_EQ(t[4].kind, "input");
  EXPECT_EQ(t[4].defaultText, " 13");
  EXPECT_EQ(t[5].answer, std::nullopt);
}

TEST(ScriptedOperator, RunningOutMeansTheOperatorIsGone) {
  ScriptedOperator person({"Evet"});
  person.messageBox(box(MessageButtons::YesNo));
  EXPECT_THROW(person.messageBox(box(MessageButtons::Ok)), OperatorGone);
  EXPECT_THROW(person.inputBox({}), OperatorGone);
}

TEST(ScriptedOperator, AnAnswerThatDoesNotFitTheBoxIsRefused) {
  for (const char* line : {"İptal", "cancel", "Tamam", "maybe", ""}) {
    ScriptedOperator person({line});
    EXPECT_THROW(person.messageBox(box(MessageButtons::YesNo)), BadAnswer) << line;
  }
  ScriptedOperator hayir({"HAYIR", "hayır"});
  EXPECT_EQ(hayir.messageBox(box(MessageButtons::YesNo)), MessageAnswer::No);
  EXPECT_EQ(hayir.messageBox(box(MessageButtons::YesNo)), MessageAnswer::No);
}

}  // namespace
