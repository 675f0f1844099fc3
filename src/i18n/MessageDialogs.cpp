// The message boxes of TBaseMsg: each looks its texts up in the catalogue and shows them through
// the current front end.

#include "i18n/MessageCatalog.h"

#include "i18n/DialogCaptions.h"
#include "i18n/MessageUi.h"
#include "i18n/NumberText.h"
#include "i18n/TextTrim.h"

namespace {

void Show(TMsgKind kind, int number, const CTMsgList& list) {
  int charset = 0;
  const std::string text = TBaseMsg::GetText(number, list, charset);
  CurrentMessageUi().ShowMessage(kind, MsgTitle(kind), text, charset);
}

// The check run when OK is pressed in the input dialog: a refused text is named in its message.
bool AcceptInput(TInputOptions options, const std::string& text) {
  const int refusal = InputRefusalMessage(options, text);
  if (refusal == 0) return true;
  TBaseMsg::ShowError(refusal, {TrimText(text)});
  return false;
}

}  // namespace

void TBaseMsg::ShowError(int number, const CTMsgList& list) {
  Show(TMsgKind::Error, number, list);
}

void TBaseMsg::ShowWarning(int number, const CTMsgList& list) {
  Show(TMsgKind::Warning, number, list);
}

void TBaseMsg::ShowInfo(int number, const CTMsgList& list) {
  Show(TMsgKind::Info, number, list);
}

int TBaseMsg::Ask(int number, TMsgButtons buttons, const CTMsgList& list) {
  int charset = 0;
  const std::string text = GetText(number, list, charset);
  const unsigned pressed =
      CurrentMessageUi().AskButtons(MsgTitle(TMsgKind::Confirmation), text, charset, buttons);
  return AnswerOfButton(pressed);
}

LTInputAnswer TBaseMsg::InputText(int number, int promptNumber, const std::string& defaultText,
                                  TInputOptions options, const CTMsgList& list) {
  LTInputRequest request;
  request.title = GetText(number, list);
  request.prompt = GetText(promptNumber, list, request.charset);
  request.defaultText = defaultText;
  request.options = options;
  request.validate = [options](const std::string& text) { return AcceptInput(options, text); };
  if (options & kInputNumericTyping) {
    request.filter = [](const std::string& text) { return FilterTyping(text); };
  }
  const LTInputReply reply = CurrentMessageUi().InputText(request);
  if (!reply.ok) return {};
  return {true, TrimText(reply.text)};
}

int TBaseMsg::ChooseIndex(int captionNumber, const CTMsgList& captionList,
                          const std::vector<std::string>& items, const CTMsgList& promptList,
                          int promptNumber) {
  const std::string caption = GetText(captionNumber, captionList);
  int charset = 0;
  const std::string prompt = GetText(promptNumber, promptList, charset);
  return CurrentMessageUi().ChooseFromList(caption, prompt, items, charset);
}
