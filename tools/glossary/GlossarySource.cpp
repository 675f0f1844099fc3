#include "GlossarySource.h"

#include <map>

#include "i18n/Glossary.h"
#include "platform/CodePage.h"

namespace {

// The CP1251 bytes of a UTF-8 text, or false when the text is not valid UTF-8 or holds a
// character that CP1251 has no byte for.
bool ToCp1251(std::string_view utf8, std::string& bytes) {
  bytes = Cp1251FromUtf8(utf8);
  return Utf8FromCp1251(bytes) == utf8;
}

}  // namespace

bool ReadGlossarySource(std::string_view text, const std::string& fileName, CTGlossary& glossary,
                        std::string& error) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  std::map<std::string, int> firstLine;  // source bytes -> line of their term
  int lineNumber = 0;
  auto fail = [&](const std::string& message) {
    error = fileName + ":" + std::to_string(lineNumber) + ": " + message;
    return false;
  };
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return fail("expected source<TAB>translation");
    if (line.find('\t', tab + 1) != std::string_view::npos) return fail("more than one tab");
    const std::string_view sourceText = line.substr(0, tab);
    const std::string_view translationText = line.substr(tab + 1);
    if (sourceText.empty()) return fail("empty source text");
    if (translationText.empty()) return fail("empty translation");
    std::string source;
    std::string translation;
    if (!ToCp1251(sourceText, source)) return fail("source text is not CP1251 text in UTF-8");
    if (!ToCp1251(translationText, translation)) {
      return fail("translation is not CP1251 text in UTF-8");
    }
    const auto [it, added] = firstLine.emplace(source, lineNumber);
    if (!added) {
      return fail("source \"" + std::string(sourceText) + "\" given again (first on line " +
                  std::to_string(it->second) + ")");
    }
    glossary.AddTerm(source, 0, translation, kCyrillicCharset, false);
  }
  return true;
}
