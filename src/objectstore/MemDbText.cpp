// Reading and writing a memory engine's database in the text object format.
#include <cmath>
#include <limits>
#include <unordered_map>

#include "objectstore/DbException.h"
#include "objectstore/FloatText.h"
#include "objectstore/Guid.h"
#include "objectstore/MemDbEngine.h"
#include "objectstore/RecordText.h"
#include "objectstore/StreamIO.h"
#include "objectstore/TableInfo.h"
#include "objectstore/TextWriter.h"
#include "platform/CompressedWrapper.h"

namespace {

// A table as the file declares it: the program table it maps to (null when unknown) and, per
// field entry of the file, the program field index (-1 when unknown).
struct LTFileTable {
  CTTableInfo* table = nullptr;
  std::vector<int> slots;
};

// Whether a program field of type f can be declared with the file's type d.
bool TypesCompatible(TFieldType f, int d) {
  switch (f) {
    case kFtBoolean:
    case kFtGuid:
      return d == f;
    case kFtString:
    case kFtBlob:
      return d == kFtString || d == kFtBlob;
    case kFtInteger:
    case kFtDouble:
    case kFtCurrency:
    case kFtDateTime:
      return IsNumericType(d);
  }
  return false;
}

}  // namespace

// The loader keeps the file's table map while it reads one stream.
class CTMemDbLoader {
 public:
  CTMemDbLoader(CTMemDbEngine& engine, CTStreamIO& io) : engine_(engine), io_(io) {}

  bool Load();
  // What was being read when Load failed.
  std::string Failure() const { return std::string("invalid ") + stage_; }

 private:
  bool ReadSchema();
  bool ReadRecords();
  bool ReadValue(int code, CTFieldInfo* field, int slot, CTValueList& values);
  bool ResolveReferences();
  // Reads a structural token that must really be in the data (a file cut short fails instead
  // of reading as the end marker 0).
  bool Token(std::int32_t& value);

  CTMemDbEngine& engine_;
  CTStreamIO& io_;
  std::unordered_map<std::int32_t, LTFileTable> fileTables_;
  std::int32_t highestFileId_ = -1;
  std::vector<CTElemDbObject*> loaded_;
  const char* stage_ = "header line";
};

bool CTMemDbLoader::Token(std::int32_t& value) {
  // Whitespace before the token is skipped by the reader; a token is present when a byte above
  // the whitespace range follows.
  value = io_.ReadInteger();
  return !(value == 0 && io_.LastTokenEmpty());
}

bool CTMemDbLoader::Load() {
  CTBaseFactory& factory = engine_.Factory();
  if (!io_.ReadHeader(factory.SignatureWord(), factory.MinVersion(), factory.CurrentVersion())) {
    return false;
  }
  stage_ = "table declarations";
  if (!ReadSchema()) return false;
  stage_ = "records";
  if (!ReadRecords()) return false;
  stage_ = "references";
  return ResolveReferences();
}

bool CTMemDbLoader::ReadSchema() {
  CTBaseFactory& factory = engine_.Factory();
  for (;;) {
    std::int32_t a;
    if (!Token(a)) return false;
    if (a == 0) return true;
    if (a != 5) return false;
    std::string name;
    if (!io_.ReadRawString(name)) return false;
    std::int32_t t;
    if (!Token(t) || t < 0) return false;
    CTTableInfo* table = factory.TableByName(name);
    if (table && (table->IsAbstract() || !engine_.HoldsTable(table->Id()))) table = nullptr;
    if (fileTables_.count(t)) return false;
    LTFileTable& fileTable = fileTables_[t];
    fileTable.table = table;
    if (t > highestFileId_) highestFileId_ = t;
    std::vector<bool> taken(table ? static_cast<std::size_t>(table->FieldCount()) : 0, false);
    for (;;) {
      std::int32_t e;
      if (!Token(e)) return false;
      if (e == 0) break;
      if (e != 5) return false;
      std::string fieldName;
      if (!io_.ReadRawString(fieldName)) return false;
      std::int32_t d;
      if (!Token(d)) return false;
      if (!IsValidFieldType(d)) return false;
      if (!table) continue;
      int slot = -1;
      for (int f = 0; f < table->FieldCount(); ++f) {
        if (!taken[static_cast<std::size_t>(f)] &&
            SameNameIgnoringCase(table->Field(f)->Name(), fieldName)) {
          slot = f;
          break;
        }
      }
      if (slot >= 0) {
        if (!TypesCompatible(table->Field(slot)->Type(), d)) return false;
        taken[static_cast<std::size_t>(slot)] = true;
      }
      fileTable.slots.push_back(slot);
    }
  }
}

bool CTMemDbLoader::ReadValue(int code, CTFieldInfo* field, int slot, CTValueList& values) {
  const int type = field ? field->Type() : -1;
  switch (code) {
    case kFtBoolean: {
      const std::int32_t v = io_.ReadInteger();
      if (!field) return true;
      if (type != kFtBoolean) return false;
      values.SetBool(slot, v != 0);
      return true;
    }
    case kFtInteger: {
      const std::int32_t v = io_.ReadInteger();
      if (!field) return true;
      if (type == kFtInteger) {
        values.SetInt(slot, v);
      } else if (type == kFtDouble || type == kFtDateTime) {
        values.SetDouble(slot, v);
      } else if (type == kFtCurrency) {
        values.SetCurrency(slot, static_cast<std::int64_t>(v) * 10000);
      } else {
        return false;
      }
      return true;
    }
    case kFtDouble:
    case kFtCurrency:
    case kFtDateTime: {
      const double v = io_.ReadFloat();
      if (!field) return true;
      if (type == kFtInteger) {
        const double r = std::nearbyint(v);
        if (!(r >= std::numeric_limits<std::int32_t>::min() &&
              r <= std::numeric_limits<std::int32_t>::max())) {
          return false;  // no 32-bit integer holds it
        }
        values.SetInt(slot, static_cast<std::int32_t>(r));
      } else if (type == kFtDouble || type == kFtDateTime) {
        values.SetDouble(slot, v);
      } else if (type == kFtCurrency) {
        const double r = std::nearbyint(v * 10000.0);
        if (!(std::fabs(r) < 9.2e18)) return false;
        values.SetCurrency(slot, static_cast<std::int64_t>(r));
      } else {
        return false;
      }
      return true;
    }
    case kFtString:
    case kFtBlob:
    case kFtGuid: {
      std::string text;
      if (!io_.ReadEscapedString(text)) return false;
      if (!field) return true;
      if (type == kFtString || type == kFtBlob) {
        values.SetBytes(slot, std::move(text));
      } else if (type == kFtGuid) {
        values.SetBytes(slot, GuidBytesFromText(text));
      } else {
        return false;
      }
      return true;
    }
    default:
      return false;
  }
}

bool CTMemDbLoader::ReadRecords() {
  for (;;) {
    std::int32_t tag;
    if (!Token(tag)) return false;
    if (tag == 0) return true;
    if (tag != 2) return false;
    std::int32_t t, two, n;
    if (!Token(t) || t < 0 || t > highestFileId_) return false;
    if (!Token(two) || two != 2) return false;
    if (!Token(n) || n < 0) return false;
    const auto it = fileTables_.find(t);
    if (it == fileTables_.end() || !it->second.table) {
      if (!io_.SkipLines(n)) return false;
      continue;
    }
    CTTableInfo* table = it->second.table;
    const std::vector<int>& slots = it->second.slots;
    CTTransactionLayer& layer = *engine_.top_;
    layer.ClearTable(table->Id());
    for (std::int32_t r = 0; r < n; ++r) {
      CTValueList values(table->Fields());
      for (int slot : slots) {
        std::int32_t code;
        if (!Token(code)) return false;
        CTFieldInfo* field = slot >= 0 ? table->Field(slot) : nullptr;
        if (!ReadValue(code & 0x7F, field, slot, values)) return false;
      }
      const int id = values.Id();
      if (id <= 0 || layer.Map(table->Id())->Find(id)) return false;
      loaded_.push_back(layer.AddLoaded(table->Id(), std::move(values)));
      if (id > layer.HighestId(table->Id())) layer.SetHighestId(table->Id(), id);
    }
  }
}

bool CTMemDbLoader::ResolveReferences() {
  // File table ids normally equal program ids; where a file numbered a table differently, its
  // references are renumbered.
  for (CTElemDbObject* record : loaded_) {
    const CTTableInfo& table = *record->table;
    for (int f = 1; f + 1 < table.FieldCount(); ++f) {
      if (!table.Field(f)->Link()) continue;
      const std::int32_t t = record->values.GetInt(f);
      if (t < 0 || t > highestFileId_) continue;
      const auto it = fileTables_.find(t);
      if (it != fileTables_.end() && it->second.table)
        record->values.SetInt(f, it->second.table->Id());
    }
  }
  // Checked references must resolve and one-to-one references be unique; then every reference
  // is entered in the reverse index.
  engine_.relations_.clear();
  for (CTTableInfo* table : engine_.tables_) {
    std::vector<CTElemDbObject*> live;
    engine_.top_->AllLive(table->Id(), live);
    for (CTElemDbObject* record : live) {
      engine_.ValidateReferences(*table, record->values, record->Id());
      engine_.AddReverseEntries(*table, record->values);
    }
  }
  return true;
}

LTDbIoResult CTMemDbEngine::Load(CTStream& stream) {
  LTDbIoResult result;
  CTCompressedTextReader reader;
  try {
    if (!reader.Open(stream, Factory().CompressionMagic(), Factory().Compression())) {
      result =
          LTDbIoResult::Failure(LTDbIoResult::kIoError, "the data cannot be read from its start");
    } else {
      CTStreamIO io(reader.Text());
      CTMemDbLoader loader(*this, io);
      const bool loaded = loader.Load();
      // A compressed file cut short must not pass for a smaller whole one.
      const bool whole = loaded && reader.FinishedWhole();
      if (!reader.SourceError().empty()) {
        // The expander ends the data where its source failed; that is a read error, whatever
        // the loader made of the rest.
        result = LTDbIoResult::Failure(LTDbIoResult::kIoError, reader.SourceError());
      } else if (!loaded) {
        result = LTDbIoResult::Failure(LTDbIoResult::kInvalid, loader.Failure());
      } else if (!whole) {
        result = LTDbIoResult::Failure(LTDbIoResult::kInvalid, "the compressed data is cut short");
      }
    }
  } catch (const CTStreamError& e) {
    result = LTDbIoResult::Failure(LTDbIoResult::kIoError, e.what());
  } catch (const std::exception& e) {
    result = reader.SourceError().empty()
                 ? LTDbIoResult::Failure(LTDbIoResult::kInvalid, e.what())
                 : LTDbIoResult::Failure(LTDbIoResult::kIoError, reader.SourceError());
  }
  if (!result) RebuildReverseIndex();
  return result;
}

bool CTMemDbEngine::LoadFromStream(CTStream& stream) {
  return Load(stream).IsOk();
}

// -- Writing --------------------------------------------------------------------------------------

void CTMemDbEngine::WriteText(CTTextWriter& w) {
  w.WriteHeader(Factory().SignatureWord(), Factory().CurrentVersion());
  // tables_ is in ascending table id, as the factory lists them.
  for (CTTableInfo* table : tables_) WriteTableDeclaration(w, *table);
  WriteSectionEnd(w);
  for (CTTableInfo* table : tables_) {
    std::vector<CTElemDbObject*> live;
    top_->AllLive(table->Id(), live);
    if (live.empty()) continue;
    WriteRecordBlockHeader(w, table->Id(), static_cast<std::int64_t>(live.size()));
    for (const CTElemDbObject* record : live) WriteRecordValues(w, record->values);
  }
  WriteSectionEnd(w);
}

void CTMemDbEngine::SaveToStream(CTStream& stream) {
  // The undo history goes: the layers are merged and deleted records dropped before writing.
  top_->Flatten();
  top_->Purge(true, [&](CTElemDbObject& r) { relations_.erase(KeyOf(r.table->Id(), r.Id())); });
  redo_.reset();
  CTCompressedTextWriter target(stream, Factory().CompressionMagic(), Factory().Compression());
  {
    CTTextWriter writer(target.Text());
    WriteText(writer);
    writer.Flush();
  }
  target.Finish();
  Notify(0, 0, 0, nullptr, 0);
}

// -- Export ---------------------------------------------------------------------------------------

namespace {

std::string ExportValue(const CTValueList& values, int f) {
  switch (values.Type(f)) {
    case kFtBoolean:
      return values.GetBool(f) ? "1" : "0";
    case kFtInteger:
      return std::to_string(values.GetInt(f));
    case kFtDouble:
    case kFtDateTime:
      return FormatStoreFloat(values.GetDouble(f));
    case kFtCurrency:
      return FormatStoreFloat(static_cast<double>(values.GetCurrency(f)) / 10000.0);
    case kFtString: {
      std::string out;
      for (char ch : values.GetBytes(f)) {
        const auto c = static_cast<std::uint8_t>(ch);
        const bool plain =
            c == ' ' || c == '!' || (c >= '#' && c <= '%') || (c >= '\'' && c <= '~');
        if (plain) {
          out.push_back(ch);
        } else {
          const std::string code = std::to_string(c);
          out += "&#" + std::string(3 - code.size(), '0') + code + ";";
        }
      }
      return out;
    }
    case kFtBlob: {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string out;
      for (char ch : values.GetBytes(f)) {
        const auto c = static_cast<std::uint8_t>(ch);
        out.push_back(kHex[c >> 4]);
        out.push_back(kHex[c & 15]);
      }
      return out;
    }
    case kFtGuid:
      return GuidTextFromBytes(values.GetBytes(f));
  }
  return std::string();
}

}  // namespace

void CTMemDbEngine::ExportTable(CTStream& stream, int tableId) {
  const CTTableInfo* table = Factory().TableById(tableId);
  if (!table || !HoldsTable(tableId)) return;
  std::vector<CTElemDbObject*> live;
  top_->AllLive(tableId, live);
  CTTextWriter w(stream);
  for (const CTElemDbObject* record : live) {
    w.WriteBytes("\t<");
    w.WriteBytes(table->TableName());
    for (int f = 0; f < record->values.Count(); ++f) {
      w.WriteBytes("\r\n\t\t");
      w.WriteBytes(table->Field(f)->Name());
      w.WriteBytes("=\"");
      w.WriteBytes(ExportValue(record->values, f));
      w.WriteChar('"');
    }
    w.WriteBytes("/>\r\n");
  }
  w.Flush();
}
