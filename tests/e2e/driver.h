// The driver the end-to-end tests share, in one include: it drives a running tavrin.exe
// from another process, only through its windows. Each part has a header of its own.
#pragma once

#include "e2e/app.h"         // the running app: start, type, run commands, read, close
#include "e2e/boxes.h"       // its message boxes and common dialogs
#include "e2e/files.h"       // temp folders and the files the app reads and writes
#include "e2e/lookup.h"      // processes, top-level windows and controls, looked up
#include "e2e/registry.h"    // registry values set for a test and put back after it
#include "e2e/waiting.h"     // bounded waits and Timeout
#include "e2e/window_text.h" // a window's text and class

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>
