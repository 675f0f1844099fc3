#include "i18n/HeadlessMessageUi.h"

#include <ostream>
#include <utility>

#include "platform/CodePage.h"

namespace {

template <class T>
bool PopFront(std::deque<T>& queue, T& value) {
  if (queue.empty()) return false;
  value = std::move(queue.front());
  queue.pop_front();
  return true;
}

TShownKind ShownKindOf(TMsgKind kind) {
  switch (kind) {
    case TMsgKind::Error:
      return TShownKind::Error;
    case TMsgKind::Warning:
      return TShownKind::Warning;
    case TMsgKind::Info:
      return TShownKind::Info;
    case TMsgKind::Confirmation:
      break;
  }
  return TShownKind::Question;
}

LTShownDialog Dialog(TShownKind kind, const std::string& title, const std::string& text,
                     int charset, TMsgButtons buttons) {
  LTShownDialog dialog;
  dialog.kind = kind;
  dialog.title = title;
  dialog.text = text;
  dialog.charset = charset;
  dialog.buttons = buttons;
  return dialog;
}

}  // namespace

CTHeadlessMessageUi::CTHeadlessMessageUi(std::ostream* echo, bool record)
    : echo_(echo), record_(record) {}

void CTHeadlessMessageUi::ScriptButton(unsigned button) {
  buttons_.push_back(button);
}

void CTHeadlessMessageUi::ScriptInputOk(std::string text) {
  inputs_.push_back({true, std::move(text)});
}

void CTHeadlessMessageUi::ScriptInputCancel() {
  inputs_.push_back({false, {}});
}

void CTHeadlessMessageUi::ScriptChoice(int index) {
  choices_.push_back(index);
}

void CTHeadlessMessageUi::ScriptFile(std::string path) {
  files_.push_back(std::move(path));
}

void CTHeadlessMessageUi::ScriptFolder(std::string path) {
  folders_.push_back(std::move(path));
}

bool CTHeadlessMessageUi::ScriptUsed() const {
  return buttons_.empty() && inputs_.empty() && choices_.empty() && files_.empty() &&
         folders_.empty();
}

void CTHeadlessMessageUi::Show(LTShownDialog dialog) {
  if (echo_) {
    const int codePage = CodePageOfCharset(dialog.charset);
    *echo_ << Utf8FromCodePage(codePage, dialog.title) << ": "
           << Utf8FromCodePage(codePage, dialog.text) << '\n';
  }
  if (record_) shown_.push_back(std::move(dialog));
}

void CTHeadlessMessageUi::ShowMessage(TMsgKind kind, const std::string& title,
                                      const std::string& text, int charset) {
  Show(Dialog(ShownKindOf(kind), title, text, charset, kBtnOK));
}

unsigned CTHeadlessMessageUi::AskButtons(const std::string& title, const std::string& text,
                                         int charset, TMsgButtons buttons) {
  Show(Dialog(TShownKind::Question, title, text, charset, buttons));
  unsigned pressed = 0;
  PopFront(buttons_, pressed);
  // A button that is not there cannot be pressed; only one button is pressed at a time.
  const bool offered = (pressed & buttons) == pressed && (pressed & (pressed - 1)) == 0;
  return offered ? pressed : 0;
}

LTInputReply CTHeadlessMessageUi::InputText(const LTInputRequest& request) {
  LTShownDialog dialog = Dialog(TShownKind::Input, request.title, request.prompt, request.charset,
                                kBtnOK | kBtnCancel);
  dialog.defaultText = request.defaultText;
  Show(std::move(dialog));
  LTInputStep step;
  while (PopFront(inputs_, step)) {
    if (!step.ok) break;
    // The scripted text stands for the field's content when OK is pressed, so the typing filter
    // is not applied to it.
    if (!InputOkEnabled(request.options, step.text)) continue;
    if (request.validate && !request.validate(step.text)) continue;
    return {true, std::move(step.text)};
  }
  return {false, {}};
}

int CTHeadlessMessageUi::ChooseFromList(const std::string& caption, const std::string& prompt,
                                        const std::vector<std::string>& items, int charset) {
  LTShownDialog dialog = Dialog(TShownKind::Choice, caption, prompt, charset, kBtnOK | kBtnCancel);
  dialog.items = items;
  Show(std::move(dialog));
  int index = -1;
  PopFront(choices_, index);
  return index;
}

std::string CTHeadlessMessageUi::ChooseFile(TFileDialogKind kind, const std::string& title,
                                            const std::string& filter,
                                            const std::string& defaultPath) {
  const TShownKind shown =
      kind == TFileDialogKind::Open ? TShownKind::OpenFile : TShownKind::SaveFile;
  LTShownDialog dialog = Dialog(shown, title, filter, 0, kBtnOK | kBtnCancel);
  dialog.defaultText = defaultPath;
  Show(std::move(dialog));
  std::string path;
  PopFront(files_, path);
  return path;
}

std::string CTHeadlessMessageUi::ChooseFolder(const std::string& title,
                                              const std::string& defaultPath) {
  LTShownDialog dialog = Dialog(TShownKind::Folder, title, {}, 0, kBtnOK | kBtnCancel);
  dialog.defaultText = defaultPath;
  Show(std::move(dialog));
  std::string path;
  PopFront(folders_, path);
  return path;
}
