#include "win32/pictures.h"

#include "resource.h"

namespace tavrin::win32 {

HIMAGELIST loadPictures(bool grey) {
  return ImageList_LoadImageA(GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(grey ? IDB_PICTURES_GREY : IDB_PICTURES), 16, 0,
                              RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

MenuPictures::MenuPictures(HIMAGELIST pictures)
    : pictures_(pictures), screen_(GetDC(nullptr)), dc_(CreateCompatibleDC(screen_)) {}

MenuPictures::~MenuPictures() {
  DeleteDC(dc_);
  ReleaseDC(nullptr, screen_);
}

HBITMAP MenuPictures::make(int index) {
  if (!pictures_ || !dc_) return nullptr;
  HBITMAP bitmap = CreateCompatibleBitmap(screen_, 16, 16);
  HGDIOBJ old = SelectObject(dc_, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc_, &all, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(pictures_, index, dc_, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc_, old);
  return bitmap;
}

} // namespace tavrin::win32
