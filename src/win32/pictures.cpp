#include "win32/pictures.h"

#include "resource.h"

namespace tavrin::win32 {

HIMAGELIST loadPictures(bool grey) {
  return ImageList_LoadImageA(GetModuleHandleA(nullptr),
                              MAKEINTRESOURCEA(grey ? IDB_PICTURES_GREY : IDB_PICTURES), 16, 0,
                              RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
}

HBITMAP menuPicture(HIMAGELIST pictures, int index) {
  if (!pictures) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  ImageList_Draw(pictures, index, dc, 0, 0, ILD_TRANSPARENT);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

} // namespace tavrin::win32
