#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageCatalog.h"
#include "i18n/NumberText.h"

// Each test starts with the registry as the program has it after start-up and a scripted front
// end, and leaves the process-wide state as it found it.
class I18nTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedRanges_ = TBaseMsg::Ranges();
    TBaseMsg::ResetRanges();
    RegisterBuiltinMessages();
  }
  void TearDown() override {
    TBaseMsg::RestoreRanges(savedRanges_);
    SetUserDecimalSeparator('.');
  }

  CTHeadlessMessageUi ui_;

 private:
  CTScopedMessageUi scopedUi_{ui_};
  std::vector<CTStringObtain> savedRanges_;
};
