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

  // The name, followed by " [" + the adapter's name + "]" when an adapter is set.
  void GetDisplayText(int& charset, std::string& text) const override;
  void GetTypeName(int& charset, std::string& text) const override;
  // The adapter remembered in the preferences when it is an interface adapter; the device is
  // always chosen by hand.
  void InitDefaults() override;
  void StoreAsDefaults() override;
  bool NeedsModel() const override { return false; }
  // The adapter's name, or empty without adapter.
  void GetModelName(int& charset, std::string& text) const override;
  bool TakesPartInModelChoice() const override { return false; }
  bool HasInterfaceAdapter() override { return true; }
  bool MayHeadRemoteGroup() const override { return false; }
  bool HasPipingNode() const override { return false; }

  // The adapter option the device is connected through (0, 0 for none).
  LTRecordRef GetAdapterRef() { return ReadReference(*this, kAdapter); }
  // The catalogue's option the adapter reference names; null when it names none.
  Cls_DeviceOption* GetAdapter() const;
  // Writes the adapter reference (stored at once); null clears it.
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

  void GetTypeName(int& charset, std::string& text) const override;
  // Always chosen by hand; nothing else comes from the preferences.
  void InitDefaults() override;
  // Remembers the model chosen by hand as the last ventilation model.
  void StoreAsDefaults() override;
  bool TakesPartInModelChoice() const override { return false; }
  // Its remote controllers are ventilation-unit options; it has no remote sensor.
  bool IsWiredRemote(Cls_DeviceOption& option) const override;
  bool IsWirelessRemote(Cls_DeviceOption& option) const override;
  bool IsRemoteSensor(Cls_DeviceOption&) const override { return false; }
  bool MayHeadRemoteGroup() const override { return false; }
  bool HasPipingNode() const override { return false; }
};

// A ventilation unit with a direct-expansion coil; it counts as an indoor unit everywhere, but
// must use the remote controller of an ordinary indoor unit.
class Cls_QsAXDPlacement : public Cls_QsIndPlacement {
 public:
  static constexpr int kTableId = 228;

  explicit Cls_QsAXDPlacement(int recordId, CTBaseFactory* factory = nullptr);

  static void DefineFields(CTTableInfo& table, const std::string& idFieldName = "");
  int TableId() const override { return kTableId; }

  bool MayHeadRemoteGroup() const override { return false; }
};
