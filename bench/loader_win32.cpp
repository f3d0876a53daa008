// Windows loader: modules are DLLs whose resources Windows maps with them.
#include <windows.h>

#include "bench/bench.h"
#include "platform/bench/bench_exports.h"

namespace panelbench {

void* open_library(const std::string& path, std::string& error) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    error = "no such file";
    return nullptr;
  }
  UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE library = LoadLibraryA(path.c_str());
  SetErrorMode(previous);
  if (!library) error = "not a loadable library (error " + std::to_string(GetLastError()) + ")";
  return library;
}

void* library_symbol(void* library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}
void close_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
void* library_resource_handle(void* library) { return library; }

bool library_resource(const Module& module, uint32_t id, uint32_t type, const void** data,
                      uint32_t* size) {
  HMODULE handle = static_cast<HMODULE>(module.resource_handle());
  HRSRC found = FindResourceA(handle, MAKEINTRESOURCEA(id),
                              type == BENCH_RESOURCE_BITMAP ? MAKEINTRESOURCEA(2) : "WAVE");
  if (!found) return false;
  HGLOBAL loaded = LoadResource(handle, found);
  if (!loaded) return false;
  *data = LockResource(loaded);
  *size = SizeofResource(handle, found);
  return *data != nullptr;
}

}  // namespace panelbench
