#pragma once

#include <string>

#include "design/QsIndPlacement.h"

// The other devices on the indoor side of a system. Each is an indoor unit placement with all its
// fields; they differ in where the model comes from and in their remote-controller rules.

// A device of another range connected through an interface adapter: it records the adapter
// option (a catalogue indoor option) instead of a model.
class Cls_QsHXB415Placement : public Cls_QsIndPlacement {
 public:
  static constexpr int kTableId = 226;

  enum Fields : int {
    kAdapter = 22,  // + 23
    kFieldCount = 24
  };

  explicit Cls_QsHXB415Placement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  // The adapter option the device is connected through (0, 0 for none).
  LTRecordRef GetAdapterRef() { return ReadReference(*this, kAdapter); }
  void SetAdapter(const CTDbObject* option) { SetReference(kAdapter, option); }
};

// A heat-reclaim ventilation unit without refrigerant connection; its model is a catalogue
// ventilation unit chosen by hand.
class Cls_QsAEXPlacement : public Cls_QsIndPlacement {
 public:
  static constexpr int kTableId = 227;

  explicit Cls_QsAEXPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }
};

// A ventilation unit with a direct-expansion coil; it counts as an indoor unit everywhere.
class Cls_QsAXDPlacement : public Cls_QsIndPlacement {
 public:
  static constexpr int kTableId = 228;

  explicit Cls_QsAXDPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }
};
