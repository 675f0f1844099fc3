#include "cli/CliCatalogue.h"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "app/ProgramGlossary.h"
#include "catalogue/OutdoorUnits.h"
#include "cli/CliErrors.h"
#include "i18n/BuiltinMessages.h"
#include "platform/CodePage.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

CTCliCatalogue::CTCliCatalogue(std::ostream& err) : err_(err), ui_(err), scoped_(ui_) {
  RegisterBuiltinMessages();
  RegisterProgramEngines();
}

CTCliCatalogue::~CTCliCatalogue() {
  if (connected_) factory_.DisconnectAll();
}

bool CTCliCatalogue::Open(const std::string& file) {
  if (!file.empty()) {
    auto in = OpenCliInput(file, err_);
    if (!in) return false;
    std::string bytes;
    try {
      ReadRest(*in, bytes);
    } catch (const CTStreamError& e) {
      CliFail(err_, kMsgCannotOpen, file, e.what());
      return false;
    }
    factory_.SetCatalogueBytes(std::move(bytes));
  }
  factory_.SetScratchProject(true);
  factory_.SetReadOnly(CTFactory::kCatalogue, true);
  if (LoadProgramGlossary(glossary_)) factory_.SetGlossary(CTFactory::kCatalogue, &glossary_);
  connected_ = factory_.ConnectAll();
  if (!connected_) {
    CliFail(err_, kMsgInvalidStructure, file.empty() ? "DEVICE_DATABASE" : file, "");
    factory_.DisconnectAll();
  }
  return connected_;
}

Cls_OutdoorUnit* CTCliCatalogue::FindOutdoorUnit(const std::string& name) {
  const std::string wanted = Cp1251FromUtf8(name);
  int exact = 0;
  int folded = 0;
  for (const auto& object : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &factory_)) {
    const std::string own = object->Name();
    if (own == wanted && !exact) exact = object->RecordId();
    if (Lower(own) == Lower(wanted) && !folded) folded = object->RecordId();
  }
  const int id = exact ? exact : folded;
  if (!id) return nullptr;
  return dynamic_cast<Cls_OutdoorUnit*>(
      CTDbObject::CachedObject(Cls_OutdoorUnit::kTableId, id, &factory_));
}
