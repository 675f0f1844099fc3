#pragma once

#include "app/ProgramFactory.h"
#include "i18n/Glossary.h"
#include "i18n/HeadlessMessageUi.h"

// The program's factory, connected once per test executable to the embedded catalogue (with the
// program's glossary) and an empty project, with settings in a temporary folder, the built-in
// messages and a headless message front end. Every test of the executable shares it: the
// catalogue is read-only, and a test that changes the project starts from an empty one
// (ResetProject).
namespace programtest {

// False when the factory did not connect; the factory and the rest exist all the same.
bool Connected();
CTFactory& Factory();
CTHeadlessMessageUi& Ui();
CTGlossary& Glossary();
bool GlossaryLoaded();
// Replaces the project database with an empty one.
void ResetProject();

}  // namespace programtest
