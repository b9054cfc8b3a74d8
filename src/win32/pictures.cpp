#include "win32/pictures.h"

#include "resource.h"

namespace tavrin::win32 {

HIMAGELIST loadPictures(bool grey) {
  return ImageList_LoadImageA(GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(grey ? IDB_PICTURES_GREY : IDB_PICTURES), 16, 0,
                              RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

MenuPictures::MenuPictures(HIMAGELIST pictures)
    : pictures_(pictures), dc_(CreateCompatibleDC(screen_.get())) {}

Bitmap MenuPictures::make(int index) {
  if (!pictures_ || !dc_) return {};
  Bitmap bitmap(CreateCompatibleBitmap(screen_.get(), 16, 16));
  if (!bitmap) return {};
  Selected selected(dc_.get(), bitmap.get());
  RECT all{0, 0, 16, 16};
  FillRect(dc_.get(), &all, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(pictures_, index, dc_.get(), 0, 0, ILD_TRANSPARENT);
  return bitmap;
}

} // namespace tavrin::win32
