#pragma once
// Every command of the main window in one table: its ID, its place in the menu, on the
// main toolbar or on a page of the snippet palette, its picture and shortcut, and what
// it runs, a handler of the window or a fragment that it appends to the source. The
// menu, the toolbar, the palette and the shortcut keys are all made from it.
#include "snippets/snippet_table.h"

#include <windows.h>

#include <optional>
#include <span>

namespace tavrin {

class TForm1;

// What stands before an item in its menu or on the toolbar.
enum class Before { Nothing, Gap, Divider };

struct Shortcut {
  BYTE flags; // FVIRTKEY and the modifiers, as in an accelerator table
  WORD key;
  const char* name; // as the menu shows it after a tab
};

struct MenuPlace {
  const char* menu; // the title of the menu it is in
  const char* text;
  Before before = Before::Nothing; // Divider: a separator line
};

struct ToolbarPlace {
  const char* tip;
  Before before = Before::Nothing;
};

struct PalettePlace {
  int page; // index into kPalettePages
  const char* caption;
  int width;
};

struct Command {
  int id;
  int picture;
  std::optional<MenuPlace> menu;
  std::optional<ToolbarPlace> toolbar;
  std::optional<PalettePlace> palette;
  std::optional<Shortcut> shortcut;
  bool startsEnabled = true;
  void (TForm1::*handler)() = nullptr;
  std::optional<SnippetId> fragment; // for palette buttons, instead of a handler
};

struct PalettePage {
  const char* title;
  int id; // the page's button row
};

// In the order they appear: menus and items, toolbar buttons, palette buttons.
std::span<const Command> commands();
std::span<const PalettePage> palettePages();
// The command with this ID; null when there is none.
const Command* findCommand(int id);

} // namespace tavrin
