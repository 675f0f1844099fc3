#pragma once

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

#include "i18n/MessageUi.h"

// What a headless front end was asked to show.
enum class TShownKind { Error, Warning, Info, Question, Input, Choice, OpenFile, SaveFile, Folder };

// One dialog as it was shown. For a question `buttons` holds the offered set; for an input the
// prompt is in `text`; for a choice the items are in `items`; for file dialogs the filter is in
// `text`. `defaultText` holds an input's default text or a file dialog's default path.
struct LTShownDialog {
  TShownKind kind = TShownKind::Info;
  std::string title;
  std::string text;
  int charset = 0;
  TMsgButtons buttons = 0;
  std::string defaultText;
  std::vector<std::string> items;
};

// A front end without windows, for the tests and the command line. Each kind of dialog takes its
// answers from its own queue of scripted answers; when a queue is empty the dialog answers as if
// the window had been closed (Cancel, no choice, no path). Every dialog shown is recorded, and can
// be echoed to a stream as one UTF-8 line "title: text".
//
// Not thread-safe: like any front end it serves the user-interface thread only.
class CTHeadlessMessageUi : public CTMessageUi {
 public:
  explicit CTHeadlessMessageUi(std::ostream* echo = nullptr, bool record = true);

  // -- Script ------------------------------------------------------------------------------------

  // The button the next question is answered with; a button the question does not offer, or
  // 0, answers as closing the window.
  void ScriptButton(unsigned button);
  // The next input dialog gets this text typed and OK pressed. While OK is disabled for the text,
  // or the dialog's validation refuses it, the dialog stays open and takes the next answer.
  void ScriptInputOk(std::string text);
  // The next input dialog is cancelled.
  void ScriptInputCancel();
  // The item index the next list choice answers with (-1 for Cancel).
  void ScriptChoice(int index);
  // The path the next file or folder dialog answers with (empty for Cancel).
  void ScriptFile(std::string path);
  void ScriptFolder(std::string path);

  // Whether every scripted answer has been used.
  bool ScriptUsed() const;

  // -- Record ------------------------------------------------------------------------------------

  const std::vector<LTShownDialog>& Shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }

  // -- CTMessageUi -------------------------------------------------------------------------------

  void ShowMessage(TMsgKind kind, const std::string& title, const std::string& text,
                   int charset) override;
  unsigned AskButtons(const std::string& title, const std::string& text, int charset,
                      TMsgButtons buttons) override;
  LTInputReply InputText(const LTInputRequest& request) override;
  int ChooseFromList(const std::string& caption, const std::string& prompt,
                     const std::vector<std::string>& items, int charset) override;
  std::string ChooseFile(TFileDialogKind kind, const std::string& title, const std::string& filter,
                         const std::string& defaultPath) override;
  std::string ChooseFolder(const std::string& title, const std::string& defaultPath) override;

 private:
  struct LTInputStep {
    bool ok = false;
    std::string text;
  };

  void Show(LTShownDialog dialog);

  std::ostream* echo_;
  bool record_;
  std::deque<unsigned> buttons_;
  std::deque<LTInputStep> inputs_;
  std::deque<int> choices_;
  std::deque<std::string> files_;
  std::deque<std::string> folders_;
  std::vector<LTShownDialog> shown_;
};
