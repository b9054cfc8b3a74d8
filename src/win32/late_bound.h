#pragma once
// Functions of the DLLs that only some commands need (the shell, the common dialogs,
// COM), loaded when a command first calls one. Start-up then neither loads nor sets up
// those DLLs and the many that they pull in.
#include "core/error.h"

#include <windows.h>

#include <string>

namespace tavrin::win32 {

// `Function` is the declared type of the API function, e.g. decltype(ShellExecuteA).
// The DLL stays loaded to the end, as an imported one would.
template <typename Function> Function* lateBound(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  FARPROC found = module ? GetProcAddress(module, name) : nullptr;
  if (!found) throw Error(std::string("Cannot load ") + name + " from " + dll);
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(found));
}

} // namespace tavrin::win32
