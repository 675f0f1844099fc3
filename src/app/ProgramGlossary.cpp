#include "app/ProgramGlossary.h"

#include "i18n/Glossary.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"

bool LoadProgramGlossary(CTGlossary& glossary) {
  CTGlossary::SetCompression(true, kCompressedMagic);
  const auto bytes = CTResources::Find("Glossary");
  if (!bytes) return false;
  CTMemoryStream stream(*bytes);
  return glossary.Load(stream, true, "Glossary", false);
}
