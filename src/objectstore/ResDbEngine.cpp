#include "objectstore/ResDbEngine.h"

#include "platform/MemoryStream.h"
#include "platform/Resources.h"

namespace {

constexpr std::uint16_t kResCapabilities = 573;

}  // namespace

CTResDbEngine::CTResDbEngine(CTBaseFactory& factory, std::string databaseName, std::string fileName,
                             bool readOnly, int databaseIndex)
    : CTMemDbEngine(factory, std::move(databaseName), std::move(fileName), readOnly,
                    databaseIndex) {
  SetCapabilities(kResCapabilities);
}

void CTResDbEngine::RegisterClass() {
  CTBaseFactory::RegisterEngineClass([](CTBaseFactory& factory, const std::string& database,
                                        std::unique_ptr<CTDbEngine>& engine, bool, bool,
                                        int databaseIndex, bool readOnly, std::string& fileName) {
    if (!CTResources::Find(database)) return false;
    engine = std::make_unique<CTResDbEngine>(factory, database, fileName, readOnly, databaseIndex);
    return true;
  });
}

bool CTResDbEngine::Connect(const std::string&, const std::string&, bool) {
  const auto bytes = CTResources::Find(DatabaseName());
  if (!bytes) return false;
  CTMemoryStream stream(*bytes);
  return LoadFromStream(stream);
}
