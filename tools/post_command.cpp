// Posts a command to one of Tavrin's windows, as a click on its menu item or button
// does, so that scripts can open and close its dialogs:
//   post_command.exe <window class> <command id>      e.g. post_command.exe TForm1 1009
#include <windows.h>

#include <cstdlib>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: post_command <window class> <command id>\n");
    return 2;
  }
  HWND window = FindWindowA(argv[1], nullptr);
  if (!window) {
    std::fprintf(stderr, "post_command: no window of class %s\n", argv[1]);
    return 1;
  }
  const int id = std::atoi(argv[2]);
  return PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0) ? 0 : 1;
}
