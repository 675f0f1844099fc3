#pragma once

#include <map>
#include <string>
#include <vector>

#include "i18n/Translator.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/TableDefinitions.h"

// The catalogue's tables and references exactly as the program registers them, as database 0
// "Device_Database".
class CTCatalogueTestFactory : public CTBaseFactory {
 public:
  CTCatalogueTestFactory();
  // With only the given references (a selection from CatalogueLinks()).
  explicit CTCatalogueTestFactory(const std::vector<LTLinkDefinition>& links);
};

// The catalogue test factory connected to an empty memory engine that a test fills from text.
class CTCatalogueTestStore {
 public:
  // leftOutLinks names catalogue references (by id) the store goes without; only for records
  // that the program's loader would refuse, to show what the queries make of them.
  explicit CTCatalogueTestStore(const std::vector<int>& leftOutLinks = {});
  ~CTCatalogueTestStore();

  // Loads catalogue records in the text object format; false when the text is refused.
  bool Load(const std::string& text);
  // Loads a catalogue fixture compiled by the build (testsupport::CatalogueFixture).
  bool LoadFixture(const std::string& name);

  CTCatalogueTestFactory factory;
  // Translations of the catalogue's glossary (character set 204).
  std::map<std::string, std::string> glossary;

 private:
  class CTMapGlossary : public CTTranslator {
   public:
    explicit CTMapGlossary(const std::map<std::string, std::string>& map) : map_(map) {}
    bool Translate(const std::string& text, std::string& translation, int& charset) const override;

   private:
    const std::map<std::string, std::string>& map_;
  };
  CTMapGlossary translator_{glossary};
};

// Writers of the text object format for test snippets.
// A string value or name: its length and bytes.
std::string TextString(const std::string& text);
// A table: its declaration line and one declaration line per field ("name type").
std::string TextTable(const std::string& name, int id,
                      const std::vector<std::pair<std::string, int>>& fields);
// The records of a table: one line per record of field values.
std::string TextRecords(int id, const std::vector<std::string>& records);
// A whole file: header, the table declarations, then the record blocks.
std::string TextFile(const std::vector<std::string>& tables,
                     const std::vector<std::string>& records);
