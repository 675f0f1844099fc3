#pragma once

#include <string>

// Translates catalogue terms into the user's language (the translation glossary implements it).
class CTTranslator {
 public:
  virtual ~CTTranslator() = default;
  // The translation of text with its character set; false when the glossary has none.
  virtual bool Translate(const std::string& text, std::string& translation, int& charset) const = 0;
};
