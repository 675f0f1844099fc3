#pragma once

#include <string>
#include <vector>

// One language the program can name: its language id (primary language in bits 0..9, the
// sub-language from bit 10 on) and its name in the program's language, country in brackets.
struct CTLangMap {
  int languageId = 0;
  std::string name;
};

// Names of languages, for the About box's line about the build's language.
class CTLangSupport {
 public:
  // The known languages (built on first use), in ascending order of their ids.
  static const std::vector<CTLangMap>& Languages();
  // The name of a language (CP1251; empty when unknown). The country part, from " (" on, is
  // dropped unless keepCountry is set and either keepAlways is set or the id's sub-language is
  // not the default one (1), so "English (United Kingdom)" keeps its country but the default
  // "Russian (Russia)" shows as plain "Russian".
  static std::string LanguageName(int languageId, bool keepCountry = false,
                                  bool keepAlways = false);
};
