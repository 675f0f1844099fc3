#pragma once

#include <memory>

#include "app/ProgramFactory.h"
#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageUi.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

// The program's factory over the embedded catalogue with a project in memory, the built-in
// messages, a headless message front end and settings in a temporary folder (with the project's
// data-source entry, so that a project file can be connected too), for as long as it lives. The
// factory is not connected.
class LTShippedProgram {
 public:
  LTShippedProgram();
  ~LTShippedProgram();
  LTShippedProgram(const LTShippedProgram&) = delete;
  LTShippedProgram& operator=(const LTShippedProgram&) = delete;

  CTFactory& Factory() { return *factory_; }
  const testsupport::TempDir& Dir() const { return dir_; }

 private:
  testsupport::TempDir dir_;
  CTSettingsStore settings_;
  CTScopedProcessSettings scopedSettings_;
  CTHeadlessMessageUi ui_;
  CTScopedMessageUi scopedUi_;
  std::unique_ptr<CTFactory> factory_;
  std::unique_ptr<CTScopedDefaultFactory> defaultFactory_;
};
