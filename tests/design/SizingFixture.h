#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PipingTestSystem.h"
#include "design/PipingErrorList.h"

class Cls_OutdoorUnit;

// Systems on the sizing catalogue fixture, their models set by hand: the test store, a project
// in it and the placements of the piping fixture. Display units and the decimal separator are
// back at their defaults afterwards.
class SizingTest : public ::testing::Test {
 protected:
  // The catalogue is loaded before the members of a derived fixture are made.
  SizingTest();
  void SetUp() override;
  void TearDown() override;

  // The catalogue's cached record of the table named so; fails the test when there is none.
  CTDbObject* CatalogueRecord(int tableId, const std::string& name);
  template <class T>
  T* Catalogue(const std::string& name) {
    return dynamic_cast<T*>(CatalogueRecord(T::kTableId, name));
  }

  // A system of the family with the outdoor model named (none when empty).
  Cls_QsOutPlacement& System(const std::string& name, const std::string& model, int family = 1);
  // An indoor unit with the capacity index and indoor model given (none when empty), connected
  // under parent (the system when null).
  TestIndoor& Unit(Cls_QsOutPlacement& system, const std::string& name, double index,
                   const std::string& model = "", Cls_QsDevicePlacement* parent = nullptr);
  // The project's refrigerant (none when empty).
  void SetRefrigerant(const std::string& name);

  // The sized node of a placement, and the size text of its pipe.
  Cls_QsPipingNode* Node(Cls_QsOutPlacement& system, const Cls_QsDevicePlacement& placement);
  std::string Text(Cls_QsOutPlacement& system, const Cls_QsDevicePlacement& placement);
  std::string Text(Cls_QsPipingNode* node);
  // The name of the joint or header model a fitting node holds ("-" for none).
  std::string ModelName(Cls_QsPipingNode* node);

  ProjectTestStore store;
  PipingFixture fixture{store.factory};
  bool loaded = false;
};

// The error list of the piping tab as the check fills it.
class CTRecordingErrorList : public CTPipingErrorList {
 public:
  void BeginUpdate() override { ++begins; }
  void EndUpdate() override { ++ends; }
  void Clear() override {
    lines.clear();
    images.clear();
    ++clears;
  }
  void AddLine(const std::string& caption, int imageIndex) override {
    lines.push_back(caption);
    images.push_back(imageIndex);
  }

  std::vector<std::string> lines;
  std::vector<int> images;
  int begins = 0;
  int ends = 0;
  int clears = 0;
};
