#pragma once

#include <optional>
#include <string>

#include "objectstore/BaseFactory.h"

// The program's factory: the catalogue ("Device_Database", read from the program resource) and
// the project ("QRN_Solvo_Project") with every table and reference of the program, and the
// objects of every concrete class. Header line "EDI100"; files in the compressed form ("Q3T").
class CTFactory : public CTBaseFactory {
 public:
  static constexpr int kCatalogue = 0;
  static constexpr int kProject = 1;
  static constexpr int kTableListSize = 229;

  CTFactory();

  // Where the databases come from when the factory connects. By default the catalogue is the
  // embedded resource and the project goes through the memory engine (a file, or empty without
  // one, behind the project's data-source entry).
  //
  // The catalogue read from these bytes (the text object form, plain or compressed) instead of
  // the embedded resource, which stays as it is for everybody else. Nothing: the resource.
  void SetCatalogueBytes(std::optional<std::string> bytes) { catalogueBytes_ = std::move(bytes); }
  const std::optional<std::string>& CatalogueBytes() const { return catalogueBytes_; }
  // The project as an empty database held in memory only, connected without its data-source
  // entry and without a file, so that connecting touches no settings: for work that only reads
  // the catalogue.
  void SetScratchProject(bool scratch) { scratchProject_ = scratch; }
  bool ScratchProject() const { return scratchProject_; }

 private:
  std::optional<std::string> catalogueBytes_;
  bool scratchProject_ = false;
};

// Registers the engine classes: first the one that serves the sources set on a CTFactory above,
// then the resource engine, then the memory engine (asked in that order; classes already
// registered stay as they are). Done at start-up before a factory connects; writes nothing.
void RegisterProgramEngines();

// Creates the project database's data-source entry in the user's settings when it is missing (the
// memory engine connects the project only through it). Only work that connects a project needs
// it; it writes the settings file when the entry is missing. False when it cannot be written.
bool EnsureProjectDataSource();
