#pragma once

#include <map>
#include <string>
#include <vector>

#include "i18n/Translator.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/MemDbEngine.h"

// A factory with every catalogue table as database 0, defined through the catalogue's class
// list, and connected to an empty memory engine that a test fills from text.
class CTCatalogueTestStore {
 public:
  // One catalogue table as the program's table list registers it.
  struct LTTableEntry {
    int id;
    const char* tableName;
    int parentId;
    int flags;
  };
  static const std::vector<LTTableEntry>& TableList();

  CTCatalogueTestStore();
  ~CTCatalogueTestStore();

  // Loads catalogue records in the text object format; false when the text is refused.
  bool Load(const std::string& text);
  // Registers a reference (with the program's id and flags) as the factory does: on the
  // referenced table, linked to its field, and on every table below the referenced one.
  void Link(int id, int referencedId, int referringId, int field, int flags);

  CTBaseFactory factory;
  // The table ids in the order the class list gave them.
  std::vector<int> visited;
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
