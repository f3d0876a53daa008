// A stand-in for the simulator's main window, for hosts that run real Windows
// modules: they find the window by class and open their sound device on it.
#include <windows.h>

#include "bench/bench_platform.h"

namespace panelbench {

bool open_simulator_window(const char* class_name) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (FindWindowA(class_name, nullptr)) return true;
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = instance;
  window_class.lpszClassName = class_name;
  if (!RegisterClassA(&window_class) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  return CreateWindowExA(0, class_name, "", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr, nullptr,
                         instance, nullptr) != nullptr;
}

}  // namespace panelbench
