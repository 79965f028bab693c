// Modules loaded at run time: the layer's built-in modules by name, and shared
// libraries through the host's dynamic loader.
#include "platform/kernel/module.h"

#include <dlfcn.h>
#include <strings.h>

#include <set>
#include <string>

#include "platform/kernel/host_path.h"
#include "platform/kernel/kernel.h"
#include "platform/testing/faults.h"

namespace {

constexpr DWORD kModuleNotFound = 126;  // the system's "module not found"
constexpr DWORD kProcNotFound = 127;

// One successful load: a built-in module or a host library. Its address is the handle.
struct LoadedModule {
    const vorn::platform::BuiltinModule* builtin;
    void* library;
};

std::set<LoadedModule*>& Loaded() {
    static auto* loaded = new std::set<LoadedModule*>;  // outlives static objects that free modules
    return *loaded;
}

LoadedModule* Find(HMODULE module) {
    auto* loaded = reinterpret_cast<LoadedModule*>(module);
    return Loaded().count(loaded) ? loaded : nullptr;
}

const vorn::platform::BuiltinModule* FindBuiltin(const char* name) {
    for (int i = 0; i < vorn::platform::kBuiltinModuleCount; ++i) {
        if (strcasecmp(vorn::platform::kBuiltinModules[i].name, name) == 0) {
            return &vorn::platform::kBuiltinModules[i];
        }
    }
    return nullptr;
}

}  // namespace

HMODULE LoadLibraryA(LPCSTR fileName) {
    if (fileName == nullptr || *fileName == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (vorn::platform::ShouldFail("LoadLibraryA")) {
        SetLastError(kModuleNotFound);
        return nullptr;
    }
    const vorn::platform::BuiltinModule* builtin = FindBuiltin(fileName);
    void* library = nullptr;
    if (builtin == nullptr) {
        std::string path = vorn::platform::HostPath(fileName);
        // A bare name is looked for in the current folder, not the host's library path.
        if (path.find('/') == std::string::npos) path = "./" + path;
        library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) {
            SetLastError(kModuleNotFound);
            return nullptr;
        }
    }
    auto* loaded = new LoadedModule{builtin, library};
    Loaded().insert(loaded);
    return reinterpret_cast<HMODULE>(loaded);
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
    const LoadedModule* loaded = Find(module);
    if (loaded == nullptr || procName == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (vorn::platform::ShouldFail("GetProcAddress", module)) {
        SetLastError(kProcNotFound);
        return nullptr;
    }
    if (loaded->builtin != nullptr) {
        for (int i = 0; i < loaded->builtin->exportCount; ++i) {
            if (std::string(loaded->builtin->exports[i].name) == procName) {
                return loaded->builtin->exports[i].proc;
            }
        }
        SetLastError(kProcNotFound);
        return nullptr;
    }
    void* symbol = dlsym(loaded->library, procName);
    if (symbol == nullptr) SetLastError(kProcNotFound);
    return reinterpret_cast<FARPROC>(symbol);
}

BOOL FreeLibrary(HMODULE module) {
    LoadedModule* loaded = Find(module);
    if (vorn::platform::ShouldFail("FreeLibrary", module) || loaded == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Loaded().erase(loaded);
    if (loaded->library != nullptr) dlclose(loaded->library);
    delete loaded;
    return TRUE;
}
