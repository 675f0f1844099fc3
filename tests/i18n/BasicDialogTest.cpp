#include <gtest/gtest.h>

#include <string>

#include "I18nTestFixture.h"
#include "i18n/BasicDialog.h"
#include "support/TestSupport.h"

using testsupport::Ansi;

namespace {

// A dialog whose OK check answers as told and counts how often it is asked.
class CTProbeDialog : public CTBasicDialog {
 public:
  using CTBasicDialog::CTBasicDialog;
  bool accept = true;
  int validations = 0;

 protected:
  bool Validate() override {
    ++validations;
    return accept;
  }
};

TEST(BasicDialogTest, OkClosesOnlyWhenValidationAccepts) {
  CTProbeDialog dialog;
  EXPECT_EQ(dialog.ModalResult(), CTBasicDialog::kResultCancel);
  dialog.accept = false;
  EXPECT_FALSE(dialog.CloseWith(CTBasicDialog::kResultOK));
  EXPECT_FALSE(dialog.Closed());
  EXPECT_EQ(dialog.ModalResult(), CTBasicDialog::kResultCancel);
  dialog.accept = true;
  EXPECT_TRUE(dialog.CloseWith(CTBasicDialog::kResultOK));
  EXPECT_TRUE(dialog.Closed());
  EXPECT_EQ(dialog.ModalResult(), CTBasicDialog::kResultOK);
  EXPECT_EQ(dialog.validations, 2);
}

TEST(BasicDialogTest, OtherResultsCloseWithoutValidation) {
  for (int result : {CTBasicDialog::kResultCancel, 3, 7}) {
    CTProbeDialog dialog;
    dialog.accept = false;
    EXPECT_TRUE(dialog.CloseWith(result));
    EXPECT_EQ(dialog.ModalResult(), result);
    EXPECT_EQ(dialog.validations, 0);
  }
}

TEST_F(I18nTest, ReadOnlyCaptionNamesTheMode) {
  EXPECT_EQ(CTBasicDialog(true).Caption("Proj"), "Proj (" + Ansi("Только для чтения") + ")");
  EXPECT_EQ(CTBasicDialog(false).Caption("Proj"), "Proj");
}

TEST(BasicDialogTest, WhichButtonsShow) {
  const struct {
    bool readOnly;
    const char* helpFile;
    bool help, cancel, centredOk, cancelInHelpPlace;
  } cases[] = {
      {false, "", false, true, false, true},
      {false, "/usr/share/help/qrn.html", true, true, false, false},
      {true, "", false, false, true, false},
      {true, "/usr/share/help/qrn.html", true, false, true, false},
  };
  for (const auto& c : cases) {
    CTBasicDialog::SetHelpFile(c.helpFile);
    const CTBasicDialog dialog(c.readOnly);
    EXPECT_EQ(dialog.ShowsHelpButton(), c.help);
    EXPECT_EQ(dialog.ShowsCancelButton(), c.cancel);
    EXPECT_EQ(dialog.CentresOkButton(), c.centredOk);
    EXPECT_EQ(dialog.CancelTakesHelpPlace(), c.cancelInHelpPlace);
  }
  CTBasicDialog::SetHelpFile("");
}

TEST(BasicDialogTest, KeepsItsSubject) {
  int subject = 5;
  const CTBasicDialogOf<int> dialog(&subject, true);
  EXPECT_EQ(dialog.Subject(), &subject);
  EXPECT_TRUE(dialog.ReadOnly());
}

TEST(ShortenFilePathTest, KeepsTwoFoldersAndTheName) {
  const struct {
    const char* path;
    const char* shortened;
  } cases[] = {
      {"/home/anna/projects/2024/Project.qrn", "/home/anna/.../Project.qrn"},
      {"home/anna/projects/2024/Project.qrn", "home/anna/.../Project.qrn"},
      {"/a/b/c/a-rather-long-file-name.qrn", "/a/b/.../a-rather-long-file-name.qrn"},
      {"/home/anna/projectsXY/Proj.qrn", "/home/anna/projectsXY/Proj.qrn"},  // 30: short enough
      {"/home/anna/projectsXYZ/Proj.qrn", "/home/anna/.../Proj.qrn"},        // 31
      {"/home/annas-long-folder/Project-name.qrn", "/home/annas-long-folder/Project-name.qrn"},
      {"a-file-name-longer-than-thirty-characters.qrn",
       "a-file-name-longer-than-thirty-characters.qrn"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ShortenFilePath(c.path), c.shortened) << c.path;
}

}  // namespace
