// CPictureLoader: decodes picture files other than bitmaps for planes, first with the
// system picture decoder, then with a picture plug-in chosen by the file's suffix
// (spi/if<suffix>.spi under the base folder; see picture_plugin.h). It decodes the
// content that a CFileReader holds, in place.
#pragma once

#include "display/picture_plugin.h"
#include "platform/ole/picture.h"

class CFileReader;

class CPictureLoader {
public:
    CPictureLoader() = default;
    ~CPictureLoader() { Release(); }
    CPictureLoader(const CPictureLoader&) = delete;
    CPictureLoader& operator=(const CPictureLoader&) = delete;

    // 0 when a decoder accepted the reader's content, else 1. With a plug-in the reader
    // must keep its content until the loader is done with it.
    int Load(CFileReader& reader);
    // The picture's size in pixels. 0 written, 1 no picture loaded.
    int GetSize(int& width, int& height);
    // Draws the whole picture at (0, 0) of the context at its pixel size. 0 drawn,
    // 1 failed (a failed plug-in drawing releases the loader).
    int Render(HDC dc);
    // Drops the decoder and all it holds. 1 when the system picture still had other
    // references, else 0.
    int Release();

private:
    void FreeDecodedBits();

    IPicture* m_lpPicture = nullptr;
    HMODULE m_hPlugin = nullptr;
    PluginIsSupported m_lpIsSupported = nullptr;
    PluginGetPictureInfo m_lpGetPictureInfo = nullptr;
    PluginGetPicture m_lpGetPicture = nullptr;
    CFileReader* m_lpReader = nullptr;
    HLOCAL m_hBits = nullptr;
    HLOCAL m_hInfo = nullptr;
};
