#include "app/ProgramGlossary.h"

#include <memory>

#include "i18n/Glossary.h"
#include "objectstore/CompressedWrapper.h"
#include "objectstore/LzssStreams.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"

bool LoadProgramGlossary(CTGlossary& glossary) {
  CTGlossary::SetCompression(true, kCompressedMagic,
                             [](CTStream& source) -> std::unique_ptr<CTStream> {
                               return std::make_unique<CTLZSSExpanderStream>(source);
                             });
  const auto bytes = CTResources::Find("Glossary");
  if (!bytes) return false;
  CTMemoryStream stream(*bytes);
  return glossary.Load(stream, true, "Glossary", false);
}
