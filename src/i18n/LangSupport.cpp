#include "i18n/LangSupport.h"

#include <algorithm>

#include "platform/CodePage.h"

namespace {

constexpr int kDefaultSubLanguage = 1;

struct LTLanguageSource {
  int id;
  const char* name;  // UTF-8
};

// The languages of the systems the program runs on, named in Russian.
constexpr LTLanguageSource kLanguages[] = {
    {0x0401, "Арабский (Саудовская Аравия)"},
    {0x0402, "Болгарский (Болгария)"},
    {0x0404, "Китайский (Тайвань)"},
    {0x0405, "Чешский (Чехия)"},
    {0x0406, "Датский (Дания)"},
    {0x0407, "Немецкий (Германия)"},
    {0x0408, "Греческий (Греция)"},
    {0x0409, "Английский (США)"},
    {0x040B, "Финский (Финляндия)"},
    {0x040C, "Французский (Франция)"},
    {0x040D, "Иврит (Израиль)"},
    {0x040E, "Венгерский (Венгрия)"},
    {0x0410, "Итальянский (Италия)"},
    {0x0411, "Японский (Япония)"},
    {0x0412, "Корейский (Корея)"},
    {0x0413, "Нидерландский (Нидерланды)"},
    {0x0414, "Норвежский, букмол (Норвегия)"},
    {0x0415, "Польский (Польша)"},
    {0x0416, "Португальский (Бразилия)"},
    {0x0418, "Румынский (Румыния)"},
    {0x0419, "Русский (Россия)"},
    {0x041A, "Хорватский (Хорватия)"},
    {0x041B, "Словацкий (Словакия)"},
    {0x041D, "Шведский (Швеция)"},
    {0x041F, "Турецкий (Турция)"},
    {0x0422, "Украинский (Украина)"},
    {0x0423, "Белорусский (Беларусь)"},
    {0x0424, "Словенский (Словения)"},
    {0x0425, "Эстонский (Эстония)"},
    {0x0426, "Латышский (Латвия)"},
    {0x0427, "Литовский (Литва)"},
    {0x043F, "Казахский (Казахстан)"},
    {0x0443, "Узбекский, латиница (Узбекистан)"},
    {0x0804, "Китайский (КНР)"},
    {0x0807, "Немецкий (Швейцария)"},
    {0x0809, "Английский (Великобритания)"},
    {0x080C, "Французский (Бельгия)"},
    {0x0810, "Итальянский (Швейцария)"},
    {0x0813, "Нидерландский (Бельгия)"},
    {0x0816, "Португальский (Португалия)"},
    {0x0819, "Русский (Молдова)"},
    {0x0C07, "Немецкий (Австрия)"},
    {0x0C09, "Английский (Австралия)"},
    {0x0C0A, "Испанский (Испания)"},
    {0x0C0C, "Французский (Канада)"},
    {0x1009, "Английский (Канада)"},
    {0x100C, "Французский (Швейцария)"},
};

}  // namespace

const std::vector<CTLangMap>& CTLangSupport::Languages() {
  static const std::vector<CTLangMap> languages = [] {
    std::vector<CTLangMap> list;
    for (const LTLanguageSource& language : kLanguages) {
      list.push_back({language.id, Cp1251FromUtf8(language.name)});
    }
    std::sort(list.begin(), list.end(),
              [](const CTLangMap& a, const CTLangMap& b) { return a.languageId < b.languageId; });
    return list;
  }();
  return languages;
}

std::string CTLangSupport::LanguageName(int languageId, bool keepCountry, bool keepAlways) {
  const std::vector<CTLangMap>& languages = Languages();
  const auto it =
      std::lower_bound(languages.begin(), languages.end(), languageId,
                       [](const CTLangMap& entry, int id) { return entry.languageId < id; });
  if (it == languages.end() || it->languageId != languageId) return {};
  const int subLanguage = languageId >> 10;
  if (keepCountry && (keepAlways || subLanguage != kDefaultSubLanguage)) return it->name;
  return it->name.substr(0, it->name.find(" ("));
}
