#pragma once

class CTGlossary;

// Switches the glossary's compressed form on (the "Q3T" magic followed by the LZSS stream) and
// loads the program's embedded "Glossary" resource into glossary, replacing what it held. False
// when the program has no glossary or it cannot be read.
bool LoadProgramGlossary(CTGlossary& glossary);
