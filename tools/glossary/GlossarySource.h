#pragma once

#include <string>
#include <string_view>

class CTGlossary;

// Reads the glossary source: UTF-8 text, one term a line as source<TAB>translation; lines that
// begin with "#" and empty lines are skipped, a line may end in CR LF. Both texts are converted to
// CP1251; the source is put in character set 0 and the translation in the Cyrillic set (204).
// Returns false at the first fault with error set to "file:line: message" (a line without a tab
// or with more than one, an empty text, a text that CP1251 cannot hold, a source given twice).
bool ReadGlossarySource(std::string_view text, const std::string& fileName, CTGlossary& glossary,
                        std::string& error);
