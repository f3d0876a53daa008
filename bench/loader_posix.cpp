// Native loader: modules are ELF shared libraries with an embedded resource
// table.
#include <dlfcn.h>
#include <sys/stat.h>

#include "bench/bench.h"
#include "platform/bench/bench_exports.h"

namespace panelbench {

void* open_library(const std::string& path, std::string& error) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) {
    error = "no such file";
    return nullptr;
  }
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = dlerror();
    error = why ? why : "not a loadable library";
  }
  return library;
}

void* library_symbol(void* library, const char* name) { return dlsym(library, name); }
void close_library(void* library) { dlclose(library); }
void* library_resource_handle(void* library) { return library; }

bool library_resource(const Module& module, uint32_t id, uint32_t type, const void** data,
                      uint32_t* size) {
  for (auto* r = static_cast<const BenchResource*>(module.embedded_resources()); r && r->id; ++r)
    if (r->id == id && r->type == type) {
      *data = r->data;
      *size = static_cast<uint32_t>(r->size);
      return true;
    }
  return false;
}

}  // namespace panelbench
