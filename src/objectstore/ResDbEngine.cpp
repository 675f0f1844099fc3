#include "objectstore/ResDbEngine.h"

#include "platform/MemoryStream.h"
#include "platform/Resources.h"

CTResDbEngine::CTResDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                             bool readOnly, int databaseIndex)
    : CTMemDbEngine(factory, std::move(databaseName), std::move(fileName), readOnly,
                    databaseIndex) {
  SetCapabilities(kCapabilities);
}

void CTResDbEngine::RegisterClass() {
  CTBaseFactory::RegisterEngineClass(
      "CTResDbEngine",
      [](CTBaseFactory& factory, const std::string& database, std::unique_ptr<CTDbEngine>& engine,
         bool, bool, int databaseIndex, bool readOnly, std::string& fileName) {
        if (!CTResources::Find(database)) return false;
        engine =
            std::make_unique<CTResDbEngine>(factory, database, fileName, readOnly, databaseIndex);
        return true;
      });
}

LTDbIoResult CTResDbEngine::Connect(const std::string&, const std::string&, bool) {
  const auto bytes = CTResources::Find(DatabaseName());
  if (!bytes) {
    return LTDbIoResult::Failure(LTDbIoResult::kIoError, "no program resource " + DatabaseName());
  }
  CTMemoryStream stream(*bytes);
  return Load(stream);
}
