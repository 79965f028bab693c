// Modules loaded at run time: shared libraries (picture-decoder plug-ins) and the
// layer's own built-in modules, which answer by name as a system library would.
#pragma once

#include "platform/base/types.h"

using FARPROC = void (*)();

// Loads a module by file name (Shift-JIS, resolved like every file name). A name that
// a built-in module answers to (for example "dinput.dll") gives that module; any other
// name is loaded as a shared library from that path. Null on failure, with the last
// error set. Each successful load is matched by one FreeLibrary.
HMODULE LoadLibraryA(LPCSTR fileName);

// The address of an exported function of a C name, or null when the module has none.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);

// Drops one load of the module; the library is unloaded with its last load. TRUE on
// success.
BOOL FreeLibrary(HMODULE module);

namespace vorn::platform {

// A built-in module: a name (compared without regard to case) and its exports. The
// table is a plain list in platform/kernel/builtin_modules.cpp, one entry per module.
struct BuiltinExport {
    const char* name;
    FARPROC proc;
};
struct BuiltinModule {
    const char* name;
    const BuiltinExport* exports;
    int exportCount;
};
extern const BuiltinModule kBuiltinModules[];
extern const int kBuiltinModuleCount;

}  // namespace vorn::platform
