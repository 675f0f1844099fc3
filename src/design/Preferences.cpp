#include "design/Preferences.h"

#include "platform/SettingsStore.h"

namespace {

CTPreferences* g_current = nullptr;

}  // namespace

CTPreferences& CTPreferences::Current() {
  if (g_current) return *g_current;
  static CTPreferences preferences;
  return preferences;
}

CTScopedPreferences::CTScopedPreferences(CTPreferences& preferences) : previous_(g_current) {
  g_current = &preferences;
}

CTScopedPreferences::~CTScopedPreferences() {
  g_current = previous_;
}

// Loading and saving are still to come: the defaults stand.
void CTPreferences::Load(CTSettingsStore&, int) {}

bool CTPreferences::Save(CTSettingsStore&) const {
  return true;
}

bool CTPreferences::Save() const {
  return Save(CTSettingsStore::Process());
}

LTPen CTPreferences::PenOfLineStyle(int) {
  return LTPen{};
}

int CTPreferences::LineStyleOfPen(const LTPen&) {
  return 0;
}
