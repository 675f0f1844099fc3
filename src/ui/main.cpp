// qrnsolvo: the desktop program. An optional argument names a project file to open.
#include <QApplication>
#include <string>
#include <vector>

#include "app/QRNSolvoMain.h"
#include "i18n/BuiltinMessages.h"
#include "ui/MainWindow.h"
#include "ui/QtMessageUi.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("QRN Solvo"));
  RegisterBuiltinMessages();
  CTQtMessageUi messages;
  CTScopedMessageUi scopedMessages(messages);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);

  // The window is the core's front end and works on the core, so the core comes first.
  CTQRNSolvoMainImpl core;
  TFrmQRNSolvoMain window(core);
  core.SetFrontEnd(&window);
  messages.SetParent(&window);
  if (core.StartUp(arguments, argv[0]) != TStartUpResult::kRunning) return 0;
  window.RefreshState();
  window.show();
  const int result = QApplication::exec();
  core.SetFrontEnd(nullptr);
  return result;
}
