#pragma once

#include <string>
#include <string_view>

// The behaviour every dialog window of the program shares, without the window: the modal result,
// the OK check, the caption in read-only mode and which of the standard buttons show. A dialog's
// widget binds its buttons to CloseWith and asks the rest before it is first shown.
class CTBasicDialog {
 public:
  static constexpr int kResultOK = 1;
  static constexpr int kResultCancel = 2;

  explicit CTBasicDialog(bool readOnly = false) : readOnly_(readOnly) {}
  virtual ~CTBasicDialog() = default;

  bool ReadOnly() const { return readOnly_; }

  // Cancel until the dialog is closed with another result.
  int ModalResult() const { return modalResult_; }
  bool Closed() const { return closed_; }

  // Closes the dialog with a result. OK first asks Validate and leaves the dialog open (and the
  // result unchanged) when it refuses; any other result closes at once. Returns whether the
  // dialog is now closed.
  bool CloseWith(int result);

  // The window caption: the base caption, in read-only mode followed by " (" + message -4 + ")".
  std::string Caption(const std::string& baseCaption) const;

  // The help button shows only when the program has a help file.
  bool ShowsHelpButton() const { return !HelpFile().empty(); }
  // A read-only dialog has no Cancel; its OK moves halfway towards Cancel's place.
  bool ShowsCancelButton() const { return !readOnly_; }
  bool CentresOkButton() const { return readOnly_; }
  // Without Help, Cancel takes Help's place (and anchoring) in the button row.
  bool CancelTakesHelpPlace() const { return ShowsCancelButton() && !ShowsHelpButton(); }

  // The program's help file, process-wide; empty when there is none.
  static std::string HelpFile();
  static void SetHelpFile(std::string path);

 protected:
  // The check of the dialog's entries when OK is pressed; a refusing dialog shows its own message.
  virtual bool Validate() { return true; }

 private:
  bool readOnly_;
  bool closed_ = false;
  int modalResult_ = kResultCancel;
};

// A dialog about one subject object, owned elsewhere.
template <class TSubject>
class CTBasicDialogOf : public CTBasicDialog {
 public:
  explicit CTBasicDialogOf(TSubject* subject, bool readOnly = false)
      : CTBasicDialog(readOnly), subject_(subject) {}

  TSubject* Subject() const { return subject_; }

 private:
  TSubject* subject_;
};

// A file path of more than 30 characters shortened for a label: its first two folders, "/.../"
// and the file name ("/home/anna/.../Project.qrn"). Paths here use "/", the separator of this
// platform; a path without folders to leave out is returned unchanged.
std::string ShortenFilePath(std::string_view path);
