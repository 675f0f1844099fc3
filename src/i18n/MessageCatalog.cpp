#include "i18n/MessageCatalog.h"

#include <algorithm>
#include <mutex>
#include <optional>

#include "i18n/BuiltinMessages.h"
#include "i18n/Placeholders.h"

namespace {

// The process-wide list of registered ranges, newest first.
class CTMsgRegistry {
 public:
  static CTMsgRegistry& Instance() {
    static CTMsgRegistry registry;
    return registry;
  }

  bool Register(CTStringObtain range) {
    if (range.First() > range.Last()) return false;
    std::lock_guard lock(mutex_);
    const bool overlaps = std::any_of(ranges_.begin(), ranges_.end(), [&](const auto& known) {
      return known.Contains(range.First()) || known.Contains(range.Last());
    });
    if (overlaps) return false;
    ranges_.insert(ranges_.begin(), std::move(range));
    return true;
  }

  // A copy of the range that serves the number, so that its source runs without the lock held
  // (a source may itself look up messages).
  std::optional<CTStringObtain> Find(int number) const {
    std::lock_guard lock(mutex_);
    for (const CTStringObtain& range : ranges_) {
      if (range.Contains(number)) return range;
    }
    return std::nullopt;
  }

  std::vector<CTStringObtain> Ranges() const {
    std::lock_guard lock(mutex_);
    return ranges_;
  }

  void Restore(std::vector<CTStringObtain> ranges) {
    std::lock_guard lock(mutex_);
    ranges_ = std::move(ranges);
  }

  void Reset() {
    {
      std::lock_guard lock(mutex_);
      ranges_.clear();
    }
    RegisterInitialRanges();
  }

 private:
  CTMsgRegistry() { RegisterInitialRanges(); }

  // The message unit's own texts are there from the start.
  void RegisterInitialRanges() {
    Register(CTStringObtain(BaseMsgText, kBaseMsgFirst, kBaseMsgLast));
  }

  mutable std::mutex mutex_;
  std::vector<CTStringObtain> ranges_;
};

}  // namespace

bool TBaseMsg::RegisterRange(TMsgTextSource source, int first, int last) {
  return CTMsgRegistry::Instance().Register(CTStringObtain(std::move(source), first, last));
}

void TBaseMsg::GetText(int number, int& charset, std::string& text) {
  charset = 0;
  text.clear();
  if (const auto range = CTMsgRegistry::Instance().Find(number))
    range->Obtain(number, charset, text);
}

std::string TBaseMsg::GetText(int number, const CTMsgList& list) {
  int charset = 0;
  return GetText(number, list, charset);
}

std::string TBaseMsg::GetText(int number, const CTMsgList& list, int& charset) {
  if (number == kFreeText) {
    // The joined strings are the caller's finished text, which may itself hold "$1" (a file
    // name, a user's entry), so no placeholder is filled in it.
    std::string text;
    for (int i = 0; i < list.Count(); ++i) text += list.String(i);
    charset = list.Empty() ? 0 : list.Object(0);
    return text;
  }
  std::string text;
  GetText(number, charset, text);
  return FillPlaceholders(std::move(text), list);
}

std::vector<CTStringObtain> TBaseMsg::Ranges() {
  return CTMsgRegistry::Instance().Ranges();
}

void TBaseMsg::RestoreRanges(std::vector<CTStringObtain> ranges) {
  CTMsgRegistry::Instance().Restore(std::move(ranges));
}

void TBaseMsg::ResetRanges() {
  CTMsgRegistry::Instance().Reset();
}
