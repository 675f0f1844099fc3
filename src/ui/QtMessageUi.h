#pragma once

#include "i18n/MessageUi.h"

class QWidget;

// The message interface of the desktop program: real, modal Qt dialogs over the given parent
// window (null: the active window).
class CTQtMessageUi : public CTMessageUi {
 public:
  explicit CTQtMessageUi(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

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
  QWidget* Parent() const;
  QWidget* parent_;
};
