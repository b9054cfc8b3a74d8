// Tavrin's entry: start-up in its fixed order, then the event loop.
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "build/Unit3.h"
#include "app/startup.h"
#include "win32/application.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  using namespace tavrin;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES |
                                                     ICC_BAR_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  auto& app = win32::Application::instance();
  app.initialize("Tavrin by Molvane");
  app.setHelpFile(helpFileBesideProgram());

  TForm1 main;
  win32::guarded([&] { main.create(app.appWindow()); });
  if (!main.hwnd()) return 1;
  app.setMainWindow(main.hwnd(), main.accelerators());
  // The dialogs live from here to the end; they are shown only when asked.
  TForm2 about;
  win32::guarded([&] { about.create(app.appWindow()); });
  TForm3 configuration([&main](const std::string& folder) { main.AsmBatDir = folder; });
  win32::guarded([&] { configuration.create(app.appWindow()); });
  main.setDialogs(about.hwnd() ? &about : nullptr, configuration.hwnd() ? &configuration : nullptr);
  main.show(showCommand);
  return app.run();
}
