#include "desktop/BoardPicture.h"

#include "ui/BoardDrawing.h"
#include "ui/Resources.h"

bool SaveBoardPicture(const std::string& path, int side) {
  if (!CreateImage(kPictureImage, kBoardPictureSide, kBoardPictureSide)) return false;
  if (!StartDrawingOnImage(kPictureImage)) return false;
  DrawImageAt(kBoardImage, 0, 0);
  DrawBoardCells(0, 0);
  StopDrawing();
  const bool saved = SaveImagePng(kPictureImage, path, side, side);
  FreeImage(kPictureImage);
  return saved;
}
