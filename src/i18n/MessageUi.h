#pragma once

#include <functional>
#include <string>
#include <vector>

#include "i18n/InputTextRules.h"
#include "i18n/MessageButtons.h"
#include "i18n/MessageKind.h"

// What the one-line input dialog needs from its caller. Texts are CP1251; charset is the
// character set of the prompt, for the dialog font.
struct LTInputRequest {
  std::string title;
  std::string prompt;
  std::string defaultText;
  int charset = 0;
  TInputOptions options = 0;
  // Called with the field's text when OK is pressed (OK is enabled per InputOkEnabled); false
  // keeps the dialog open. It may itself show a message. Empty when every text is accepted.
  std::function<bool(const std::string& text)> validate;
  // Applied to the field's text after every change by the user; empty when typing is free.
  std::function<std::string(const std::string& text)> filter;
};

// The answer of the input dialog as the front end gives it: whether OK was pressed, and the text
// in the field at that moment.
struct LTInputReply {
  bool ok = false;
  std::string text;
};

enum class TFileDialogKind { Open, Save };

// How the program asks and tells the user things. The desktop front end implements it with real
// dialogs; the command-line front end and the tests with scripted answers. All texts are CP1251.
// Every call is modal and comes from the user-interface thread.
class CTMessageUi {
 public:
  virtual ~CTMessageUi() = default;

  // A message with one OK button, the icon of its kind and a title.
  virtual void ShowMessage(TMsgKind kind, const std::string& title, const std::string& text,
                           int charset) = 0;

  // A question with the given buttons (shown in ButtonRowOrder). Returns the flag of the pressed
  // button, 0 when the window was closed.
  virtual unsigned AskButtons(const std::string& title, const std::string& text, int charset,
                              TMsgButtons buttons) = 0;

  // One line of input with OK and Cancel.
  virtual LTInputReply InputText(const LTInputRequest& request) = 0;

  // A list to choose one item from, the first selected at the start. Returns the chosen index,
  // -1 on Cancel.
  virtual int ChooseFromList(const std::string& caption, const std::string& prompt,
                             const std::vector<std::string>& items, int charset) = 0;

  // A file to open or to save as; filter is the description of the files listed, for example
  // "QRN Solvo (*.qrn)". Returns the path, empty on Cancel.
  virtual std::string ChooseFile(TFileDialogKind kind, const std::string& title,
                                 const std::string& filter, const std::string& defaultPath) = 0;

  // A folder; returns its path, empty on Cancel.
  virtual std::string ChooseFolder(const std::string& title, const std::string& defaultPath) = 0;
};

// The front end the message dialogs use. Until one is set it is a headless one that answers
// every question as if the window had been closed and records nothing.
CTMessageUi& CurrentMessageUi();
// Makes `ui` the current front end (nullptr: back to the headless default); returns the previous
// one, nullptr when that was the default. The caller keeps `ui` alive while it is current.
CTMessageUi* SetCurrentMessageUi(CTMessageUi* ui);

// Makes a front end current for the lifetime of the object, then restores the previous one.
class CTScopedMessageUi {
 public:
  explicit CTScopedMessageUi(CTMessageUi& ui) : previous_(SetCurrentMessageUi(&ui)) {}
  ~CTScopedMessageUi() { SetCurrentMessageUi(previous_); }
  CTScopedMessageUi(const CTScopedMessageUi&) = delete;
  CTScopedMessageUi& operator=(const CTScopedMessageUi&) = delete;

 private:
  CTMessageUi* previous_;
};
