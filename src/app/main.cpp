// Tavrin's entry: start-up in its fixed order, then the event loop.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/startup.h"
#include "build/Unit3.h"
#include "build/script_folder.h"
#include "win32/app_window.h"
#include "win32/error_box.h"
#include "win32/message_loop.h"
#include "win32/process_watcher.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

namespace {
constexpr const char* kTitle = "Tavrin by Molvane";
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  using namespace tavrin;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  std::unique_ptr<win32::AppWindow> app;
  try {
    app = std::make_unique<win32::AppWindow>(kTitle);
  } catch (...) {
    win32::ErrorBox(nullptr, kTitle).showCurrentException();
    return 1;
  }
  const win32::ErrorBox errors(app->hwnd(), kTitle);
  win32::ProcessWatcher processes;
  win32::MessageLoop loop(processes, errors);
  ScriptFolder setting;

  TForm1 main({errors, loop, processes, app->windowHandle(), setting, helpFileBesideProgram()});
  errors.guard([&] { main.create(app->hwnd()); });
  if (!main.hwnd()) return 1;
  app->setMainWindow(main.hwnd());
  loop.setMainWindow(main.hwnd(), main.accelerators());
  // The dialogs live from here to the end; they are shown only when asked.
  TForm2 about(errors, loop);
  errors.guard([&] { about.create(app->hwnd()); });
  TForm3 configuration(errors, loop, app->windowHandle(), setting);
  errors.guard([&] { configuration.create(app->hwnd()); });
  main.setDialogs(about.hwnd() ? &about : nullptr, configuration.hwnd() ? &configuration : nullptr);
  main.show(showCommand);
  return loop.run();
}
