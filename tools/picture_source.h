// Reads the text form of Tavrin's small pictures and icon (resources/pictures.txt), a
// plain text file:
//
//   # a comment (only between blocks)
//   colour k 000000        one character, then RRGGBB or "none" (clear)
//   picture new            a 16 x 16 picture; the next 16 lines are its rows
//   icon 32                the program icon at 32 x 32; the next 32 lines are its rows
//
// Every row holds one palette character per pixel. The pictures come in the order of the
// PIC_* indices of resource.h, under the names in kPictureNames; the icon comes at 16 and 32.
// Magenta (FF00FF) is the clear colour of the bitmaps, so no palette entry may use it.
#pragma once

#include "../resources/resource.h"
#include "picture_error.h"
#include "picture_image.h"

#include <array>
#include <map>
#include <string_view>
#include <vector>

namespace tavrin::pictures {

constexpr int kPictureSize = 16;
constexpr std::array<int, 2> kIconSizes = {16, 32};

// Names of the pictures in the source, at their PIC_* index.
constexpr std::array<std::string_view, PIC_COUNT> kPictureNames = [] {
  std::array<std::string_view, PIC_COUNT> names{};
  names[PIC_NEW] = "new";
  names[PIC_OPEN] = "open";
  names[PIC_SAVE] = "save";
  names[PIC_COMPILE] = "compile";
  names[PIC_START] = "start";
  names[PIC_CLEARSCREEN] = "clear-screen";
  names[PIC_INDICATOROFF] = "indicator-off";
  names[PIC_CLOSE] = "close";
  names[PIC_BIGTEXT] = "big-text";
  names[PIC_SMALLTEXT] = "small-text";
  names[PIC_TEXTSTRING] = "text-string";
  names[PIC_SETINVERSE] = "set-inverse";
  names[PIC_RESINVERSE] = "res-inverse";
  names[PIC_SAVEAS] = "save-as";
  names[PIC_EXIT] = "exit";
  names[PIC_CONFIGURATION] = "configuration";
  names[PIC_FIND] = "find";
  names[PIC_INDEX] = "index";
  names[PIC_ABOUT] = "about";
  names[PIC_DIALOG_CLOSE] = "dialog-close";
  names[PIC_DIALOG_SAVE] = "dialog-save";
  return names;
}();

struct PictureSet {
  std::vector<Image> pictures; // at their PIC_* index
  std::map<int, Image> icons;  // by size
};

// Reads the whole source. Throws FormatError on the first fault.
PictureSet parsePictureSource(std::string_view text);

} // namespace tavrin::pictures
