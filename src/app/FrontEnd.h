#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "design/TabReadiness.h"

// A file dialog's set-up: its title, the filters (caption, pattern) and the extension added to
// a name typed without one.
struct LTFileDialog {
  std::string title;
  std::vector<std::pair<std::string, std::string>> filters;
  std::string defaultExtension;
};

// The controls of the indoor tab the application core points the user at.
enum class TQsControl { kProjectName, kProjectReference, kClientName, kClientAddress };

// What the application core asks of the program's front end besides the messages (which go
// through the message interface): choosing files, showing the state of the design and pointing
// the user at a control. The desktop program implements it with its windows; the command line
// and the tests with scripted answers. Everything has a default that does nothing.
class CTFrontEnd {
 public:
  virtual ~CTFrontEnd() = default;
  // The file the user chose to open (an existing file) or to save to (the overwrite question
  // answered); empty when cancelled.
  virtual std::string ChooseOpenFile(const LTFileDialog& /*dialog*/) { return {}; }
  virtual std::string ChooseSaveFile(const LTFileDialog& /*dialog*/,
                                     const std::string& /*suggested*/) {
    return {};
  }
  // The main window's caption.
  virtual void SetCaption(const std::string& /*caption*/) {}
  // The images of the six tabs (available or not).
  virtual void SetTabImages(const std::array<int, kTabCount>& /*images*/) {}
  // Makes a tab the active one, and refills the project's views after it changed.
  virtual void ActivateTab(TQsTab /*tab*/) {}
  virtual void RefillTab(TQsTab /*tab*/) {}
  // Gives a control the focus.
  virtual void FocusControl(TQsControl /*control*/) {}
  // Shows the project's award text, or hides the award panel when text is empty.
  virtual void ShowAward(const std::string& /*text*/) {}
  // Empties the views of the project that is being closed (indoor list, project tree, the
  // systems offered on the piping and wiring tabs).
  virtual void ClearProjectViews() {}
  // A lengthy computation starts or ends (the busy cursor).
  virtual void SetBusy(bool /*busy*/) {}
};
