#pragma once

#include <iosfwd>
#include <string>

#include "app/ProgramFactory.h"
#include "cli/CliErrors.h"
#include "i18n/Glossary.h"
#include "i18n/MessageUi.h"

class Cls_OutdoorUnit;

// The program's factory connected for a command that reads the catalogue: the embedded
// catalogue, or a catalogue file (text object form, plain or compressed) in its place for this
// factory alone (the embedded resource stays as it is), with an empty scratch project, so that
// connecting writes no settings; translated catalogue texts read through the embedded glossary.
// Messages of the store go to the error stream. It is the default factory while it lives and
// disconnects when destroyed.
class CTCliCatalogue {
 public:
  explicit CTCliCatalogue(std::ostream& err);
  ~CTCliCatalogue();
  CTCliCatalogue(const CTCliCatalogue&) = delete;
  CTCliCatalogue& operator=(const CTCliCatalogue&) = delete;

  // Connects; file empty for the embedded catalogue. False (the reason reported) on failure.
  bool Open(const std::string& file);
  CTFactory& Factory() { return factory_; }

  // The outdoor model of that name (UTF-8): an exact match first, else one that differs only
  // in case; null when there is none.
  Cls_OutdoorUnit* FindOutdoorUnit(const std::string& name);

 private:
  std::ostream& err_;
  CTCliMessageUi ui_;
  CTScopedMessageUi scoped_;
  CTFactory factory_;
  CTScopedDefaultFactory defaultFactory_{factory_};
  // The catalogue's translated texts read through the embedded glossary.
  CTGlossary glossary_;
  bool connected_ = false;
};
