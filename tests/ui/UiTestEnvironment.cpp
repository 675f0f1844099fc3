// One QApplication on the offscreen platform for every test of the executable.
#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "i18n/BuiltinMessages.h"

namespace {

// The offscreen platform says for every dialog that it cannot pass on size hints; that is noise
// here.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints")) ||
      message.contains(QStringLiteral("does not support setParent"))) {
    return;
  }
  qt_message_output(type, context, message);
}

class LTUiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime folder of the tests' own, as a desktop session would have one.
    runtime_ = std::filesystem::temp_directory_path() / ("qrn-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(runtime_);
    std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.string()));
    qInstallMessageHandler(QuietMessages);
    static int argc = 1;
    static char name[] = "ui_tests";
    static char* argv[] = {name, nullptr};
    application_ = new QApplication(argc, argv);
    RegisterBuiltinMessages();
  }
  void TearDown() override {
    delete application_;
    application_ = nullptr;
    std::error_code error;
    std::filesystem::remove_all(runtime_, error);
  }

 private:
  QApplication* application_ = nullptr;
  std::filesystem::path runtime_;
};

[[maybe_unused]] ::testing::Environment* const g_uiEnvironment =
    ::testing::AddGlobalTestEnvironment(new LTUiEnvironment);

}  // namespace
