#include "CatalogueTestStore.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "catalogue/CatalogueClasses.h"
#include "objectstore/TableInfo.h"
#include "platform/MemoryStream.h"
#include "support/TestSupport.h"

namespace {

std::vector<LTLinkDefinition> LinksWithout(const std::vector<int>& ids) {
  std::vector<LTLinkDefinition> links;
  std::size_t found = 0;
  for (const LTLinkDefinition& link : CatalogueLinks()) {
    if (std::find(ids.begin(), ids.end(), link.id) == ids.end()) {
      links.push_back(link);
    } else {
      ++found;
    }
  }
  if (found != ids.size()) throw std::logic_error("a left-out link is not a catalogue link");
  return links;
}

}  // namespace

CTCatalogueTestFactory::CTCatalogueTestFactory() : CTCatalogueTestFactory(CatalogueLinks()) {}

CTCatalogueTestFactory::CTCatalogueTestFactory(const std::vector<LTLinkDefinition>& links)
    : CTBaseFactory("EDI", 100, 100) {
  RegisterDatabase("Device_Database");
  SetTableListSize(229);
  CTSchemaBuilder schema(*this);
  schema.AddTables(0, CatalogueTables());
  schema.AddLinks(links);
  schema.Register();
}

bool CTCatalogueTestStore::CTMapGlossary::Translate(const std::string& text,
                                                    std::string& translation, int& charset) const {
  const auto it = map_.find(text);
  if (it == map_.end()) return false;
  translation = it->second;
  charset = 204;
  return true;
}

CTCatalogueTestStore::CTCatalogueTestStore(const std::vector<int>& leftOutLinks)
    : factory(LinksWithout(leftOutLinks)) {
  factory.SetGlossary(0, &translator_);

  CTBaseFactory::ClearEngineClasses();
  CTBaseFactory::RegisterEngineClass(
      "CatalogueTestStore",
      [](CTBaseFactory& f, const std::string& database, std::unique_ptr<CTDbEngine>& engine, bool,
         bool, int index, bool readOnly, std::string&) {
        engine = std::make_unique<CTMemDbEngine>(f, database, "", readOnly, index);
        return true;
      });
  if (!factory.ConnectAll()) throw std::runtime_error("catalogue test store did not connect");
}

CTCatalogueTestStore::~CTCatalogueTestStore() {
  factory.DisconnectAll();
  CTBaseFactory::ClearEngineClasses();
}

bool CTCatalogueTestStore::Load(const std::string& text) {
  CTMemoryStream stream(text);
  return static_cast<CTMemDbEngine&>(*factory.Engine(0)).LoadFromStream(stream);
}

bool CTCatalogueTestStore::LoadFixture(const std::string& name) {
  return Load(testsupport::ReadFile(testsupport::CatalogueFixture(name)));
}

std::string TextString(const std::string& text) {
  return std::to_string(text.size()) + " " + text;
}

std::string TextTable(const std::string& name, int id,
                      const std::vector<std::pair<std::string, int>>& fields) {
  std::string text = "5 " + TextString(name) + " " + std::to_string(id) + "\r\n";
  for (const auto& [field, type] : fields) {
    text += "5 " + TextString(field) + " " + std::to_string(type) + "\r\n";
  }
  return text + "0\r\n";
}

std::string TextRecords(int id, const std::vector<std::string>& records) {
  std::string text = "2 " + std::to_string(id) + " 2 " + std::to_string(records.size()) + "\r\n";
  for (const std::string& record : records) text += record + " \r\n";
  return text;
}

std::string TextFile(const std::vector<std::string>& tables,
                     const std::vector<std::string>& records) {
  std::string text = "EDI100\r\n";
  for (const std::string& table : tables) text += table;
  text += "0\r\n";
  for (const std::string& block : records) text += block;
  return text + "0\r\n";
}
