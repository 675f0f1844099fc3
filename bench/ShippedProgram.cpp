#include "ShippedProgram.h"

#include "i18n/BuiltinMessages.h"

LTShippedProgram::LTShippedProgram()
    : settings_(dir_.File("user.txt"), dir_.File("machine.txt")),
      scopedSettings_(settings_),
      scopedUi_(ui_) {
  RegisterBuiltinMessages();
  RegisterProgramEngines();
  EnsureProjectDataSource();
  factory_ = std::make_unique<CTFactory>();
  defaultFactory_ = std::make_unique<CTScopedDefaultFactory>(*factory_);
  factory_->SetReadOnly(CTFactory::kCatalogue, true);
  factory_->SetScratchProject(true);
}

LTShippedProgram::~LTShippedProgram() {
  factory_->DisconnectAll();
  defaultFactory_.reset();
  factory_.reset();
}
