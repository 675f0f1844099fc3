#pragma once

#include <string>

// What the program does to be installed on the user's machine and removed again: the file type
// of projects, the start-menu entries, the uninstall entry and the removal of the program file.
// The desktop program provides the platform's way; the default does nothing, as a program that
// is not installed (the command line, the tests) needs.
class CTInstallation {
 public:
  virtual ~CTInstallation() = default;
  // Registers the project file type, creates the shortcuts and writes the uninstall entry;
  // silently skips what the user may not do.
  virtual void Install(const std::string& /*programPath*/) {}
  // Whether the user may remove what is installed for every user: administrative rights, an
  // uninstall entry of the user's own, or none for every user.
  virtual bool MayRemoveInstallation() { return true; }
  // Removes the file type, the shortcuts and the uninstall entry, and schedules the removal of
  // the program file.
  virtual void RemoveInstallation(const std::string& /*programPath*/) {}
  // The temporary copy started for the removal deletes the installed program file.
  virtual void DeleteInstalledProgram(const std::string& /*commandLine*/) {}
};
