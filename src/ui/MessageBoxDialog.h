#pragma once

#include <QDialog>
#include <string>

#include "i18n/MessageButtons.h"
#include "i18n/MessageKind.h"

class QFont;

// The program's message box: the icon of the message's kind (none for input), the title, the
// text wrapped as the message layout says, and a centred row of the given buttons in row order.
// exec() returns the flag of the pressed button, 0 when the window was closed.
class TMsgBoxDialog : public QDialog {
 public:
  TMsgBoxDialog(TMsgKind kind, bool withIcon, const std::string& title, const std::string& text,
                TMsgButtons buttons, QWidget* parent = nullptr);

  int exec() override;

 private:
  unsigned pressed_ = 0;
};

// The font of the program's dialogs.
QFont DialogFont();
