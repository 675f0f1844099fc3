#pragma once

#include <vector>

#include "PictureCanvas.h"

class CTSketch;
using TDeviceDrawing = void (*)(CTSketch& sketch);

// One device picture of the catalogue: the table id of the device class, the indoor family record
// (0 for any), the base of its file names and the drawing.
struct LTDevicePicture {
  int classId;
  int family;
  const char* name;
  TDeviceDrawing draw;
};

// The pictures the catalogue ships, in catalogue order: the eight indoor families, then the
// outdoor units and the BS boxes.
const std::vector<LTDevicePicture>& DevicePictures();

// Sizes of the two pictures of a record: an icon for lists and diagram boxes, and the picture of
// the placement dialog.
inline constexpr int kSmallPictureSize = 32;
inline constexpr int kLargePictureWidth = 160;
inline constexpr int kLargePictureHeight = 120;

// Draws a picture centred and as large as fits into width x height pixels with the margin; the
// small form draws fewer details.
CTPictureCanvas RenderPicture(TDeviceDrawing draw, int width, int height, int margin, bool small);
