#include "i18n/MessageUi.h"

#include <atomic>

#include "i18n/HeadlessMessageUi.h"

namespace {

std::atomic<CTMessageUi*> gCurrentUi{nullptr};

CTMessageUi& DefaultUi() {
  static CTHeadlessMessageUi ui(nullptr, /*record=*/false);
  return ui;
}

}  // namespace

CTMessageUi& CurrentMessageUi() {
  CTMessageUi* ui = gCurrentUi.load();
  return ui ? *ui : DefaultUi();
}

CTMessageUi* SetCurrentMessageUi(CTMessageUi* ui) {
  return gCurrentUi.exchange(ui);
}
