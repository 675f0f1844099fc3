#include "catalogue/Pictures.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/MemoryStream.h"

void Cls_Visualization::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddIntField(table, kDeviceClassID, "Fld_DeviceClassID");
  AddIntField(table, kDeviceFamily, "Fld_DeviceFamily");
  AddStringField(table, kDeviceSeries, "Fld_DeviceSeries");
  AddBlobField(table, kSmallImage, "Fld_SmallImage");
  AddBlobField(table, kLargeImage, "Fld_LargeImage");
}

void Cls_WiringLabels::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddTranslatedField(table, kControlOut, "Fld_ControlOut");
  AddTranslatedField(table, kRemoteController, "Fld_RemoteController");
  AddTranslatedField(table, kOutdoorModules, "Fld_OutdoorModules");
  AddTranslatedField(table, kControl, "Fld_Control");
  AddTranslatedField(table, kControlIn, "Fld_ControlIn");
}

namespace {

// CP1251 letters folded to lower case: ASCII, the Cyrillic alphabet and Yo.
char FoldCase(char ch) {
  const auto c = static_cast<unsigned char>(ch);
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
  if (c >= 0xC0 && c <= 0xDF) return static_cast<char>(c + 32);
  if (c == 0xA8) return static_cast<char>(0xB8);
  return ch;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

std::unique_ptr<CTBitmap> ReadPicture(CTDbObject& record, int field) {
  CTMemoryStream blob;
  if (!record.GetBlob(field, blob)) return nullptr;
  const std::vector<std::uint8_t>& bytes = blob.Bytes();
  return DecodeBitmap(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace

std::unique_ptr<CTDbObject> FindPictureRecord(int deviceClassId, int familyId,
                                              const std::string& series, CTBaseFactory* factory) {
  std::unique_ptr<CTDbObject> candidate;
  bool candidateIsSpecific = false;  // the candidate names a family or a series
  for (auto& record : CTDbObject::AllObjects(Cls_Visualization::kTableId, false, factory)) {
    if (record->GetInt(Cls_Visualization::kDeviceClassID) != deviceClassId) continue;
    const int family = record->GetInt(Cls_Visualization::kDeviceFamily);
    const std::string& recordSeries = record->GetString(Cls_Visualization::kDeviceSeries);
    if (family != 0 && family != familyId) continue;
    const bool seriesMatches = SameTextIgnoringCase(recordSeries, series);
    if (!recordSeries.empty() && !seriesMatches) continue;
    if (family == familyId && seriesMatches) return std::move(record);
    if (!candidateIsSpecific) {
      candidateIsSpecific = family != 0 || !recordSeries.empty();
      candidate = std::move(record);
    }
  }
  return candidate;
}

std::unique_ptr<CTBitmap> GetPicture(int deviceClassId, int familyId, bool largeWanted,
                                     const std::string& series, bool* largeDelivered,
                                     CTBaseFactory* factory) {
  if (largeDelivered) *largeDelivered = false;
  const std::unique_ptr<CTDbObject> record =
      FindPictureRecord(deviceClassId, familyId, series, factory);
  if (!record) return nullptr;
  if (largeWanted) {
    // A large picture that cannot be decoded counts as missing: the small one stands in.
    if (auto large = ReadPicture(*record, Cls_Visualization::kLargeImage)) {
      if (largeDelivered) *largeDelivered = true;
      return large;
    }
  }
  return ReadPicture(*record, Cls_Visualization::kSmallImage);
}

std::string CTWiringLabels::Label(int field, int* charset) {
  if (charset) *charset = 0;
  if (!record_) record_ = CTDbObject::SingleObject(Cls_WiringLabels::kTableId, false, factory_);
  if (!record_) return {};
  return ReadText(*record_, field, charset);
}

std::string CTWiringLabels::GetControlLabel(int* charset) {
  return Label(Cls_WiringLabels::kControl, charset);
}

std::string CTWiringLabels::GetControlInLabel(int* charset) {
  return Label(Cls_WiringLabels::kControlIn, charset);
}

std::string CTWiringLabels::GetControlOutLabel(int* charset) {
  return Label(Cls_WiringLabels::kControlOut, charset);
}

std::string CTWiringLabels::GetRemoteControllerLabel(int* charset) {
  return Label(Cls_WiringLabels::kRemoteController, charset);
}

std::string CTWiringLabels::GetOutdoorModulesLabel(int* charset) {
  return Label(Cls_WiringLabels::kOutdoorModules, charset);
}
