// Build tool: draws the device pictures of the catalogue.
//   qrn-pictures OUTDIR
// Writes a small (list icon) and a large (dialog) Windows bitmap for each indoor family, for the
// outdoor units and for the BS boxes into OUTDIR, and OUTDIR/pictures.tsv, the catalogue table
// source of Tbl_Visualization that refers to them. The output depends on nothing but this
// program. Every file is replaced only once it is complete. Errors are one line on standard
// error, exit status 1; a wrong command line exits with 2.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "BitmapFile.h"
#include "DevicePictures.h"
#include "platform/SafeFileWriter.h"

namespace {

bool WriteOutput(const std::string& path, const std::string& bytes, std::string& error) {
  CTSafeFileWriter file(path);
  if (!file.IsOpen()) {
    error = path + ": cannot create: " + file.ErrorText();
    return false;
  }
  try {
    file.Stream()->WriteAll(bytes);
  } catch (const CTStreamError& e) {
    error = path + ": cannot write: " + e.what();
    return false;
  }
  if (!file.Commit()) {
    error = path + ": cannot write: " + file.ErrorText();
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: qrn-pictures OUTDIR\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::error_code code;
  std::filesystem::create_directories(folder, code);
  if (code) {
    std::cerr << folder << ": cannot create the folder: " << code.message() << '\n';
    return 1;
  }

  std::string table =
      "# Device pictures, written by qrn-pictures; do not edit.\n"
      "@table Tbl_Visualization\n"
      "@columns\tFld_DeviceClassID\tFld_DeviceFamily\tFld_DeviceSeries\tFld_SmallImage\t"
      "Fld_LargeImage\n";
  std::string error;
  for (const LTDevicePicture& picture : DevicePictures()) {
    const std::string small = std::string(picture.name) + "-small.bmp";
    const std::string large = std::string(picture.name) + "-large.bmp";
    const CTPictureCanvas smallCanvas =
        RenderPicture(picture.draw, kSmallPictureSize, kSmallPictureSize, 1, true);
    const CTPictureCanvas largeCanvas =
        RenderPicture(picture.draw, kLargePictureWidth, kLargePictureHeight, 6, false);
    if (!WriteOutput(folder + "/" + small, EncodeBitmapFile(smallCanvas), error) ||
        !WriteOutput(folder + "/" + large, EncodeBitmapFile(largeCanvas), error)) {
      std::cerr << error << '\n';
      return 1;
    }
    table += std::to_string(picture.classId) + "\t" + std::to_string(picture.family) + "\t\t" +
             "file:" + small + "\tfile:" + large + "\n";
  }
  if (!WriteOutput(folder + "/pictures.tsv", table, error)) {
    std::cerr << error << '\n';
    return 1;
  }
  return 0;
}
