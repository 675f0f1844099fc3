#pragma once

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
};

// Registers the resource engine and then the memory engine (the resource engine is asked first;
// classes already registered stay as they are) and makes sure the project's data-source entry
// exists. Done at start-up before the factory connects.
void RegisterProgramEngines();
