// The interface of picture plug-ins: shared libraries that decode one picture format
// for planes. A plug-in for files ending in ".xyz" is the library spi/ifxyz.spi under
// the base folder (the suffix written as in the file name). It exports, with C
// linkage, the three functions below, and hands its results back in local memory
// (LocalAlloc) that the caller frees with LocalFree; the program provides LocalAlloc.
//
// Every call receives the file's content in memory (flag kPluginInMemory); the data
// is only valid during the call.
#pragma once

#include <cstddef>

#include "platform/base/types.h"
#include "platform/gdi/gdi.h"

// The content is passed as an address and a size (the only way this system calls).
inline constexpr UINT kPluginInMemory = 1;

// Results of GetPictureInfo and GetPicture.
inline constexpr int kPluginSuccess = 0;
inline constexpr int kPluginNotImplemented = -1;  // e.g. a flag the plug-in does not take
inline constexpr int kPluginUnknownFormat = 2;
inline constexpr int kPluginBrokenData = 3;
inline constexpr int kPluginOutOfMemory = 4;

#pragma pack(push, 1)
// What GetPictureInfo fills in: the size sits at bytes 8 and 12.
struct PluginPictureInfo {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
    WORD xDensity;
    WORD yDensity;
    SHORT colorDepth;  // bits per pixel
    HLOCAL text;       // optional comments, or null
};
#pragma pack(pop)
static_assert(offsetof(PluginPictureInfo, width) == 8 && offsetof(PluginPictureInfo, height) == 12);

extern "C" {

// Nonzero when the plug-in decodes this content. `fileName` is null; `header` holds
// the content's first 2048 bytes at least.
using PluginIsSupported = int (*)(LPCSTR fileName, void* header);

// Fills in the picture's size and depth. 0 on success.
using PluginGetPictureInfo = int (*)(LPCSTR data, LONG size, UINT flag, PluginPictureInfo* info);

// Decodes the picture: *info receives a local block holding a BITMAPINFO (header and
// colour table), *bits a local block holding the rows of that bitmap. 0 on success,
// with both blocks handed to the caller; on failure neither is. `progress` is null
// and `userData` 0 from this system.
using PluginGetPicture = int (*)(LPCSTR data, LONG size, UINT flag, HLOCAL* info, HLOCAL* bits,
                                 void* progress, LONG_PTR userData);
}
