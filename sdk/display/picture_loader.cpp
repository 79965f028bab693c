// Pictures other than bitmaps: the system picture decoder first, then the picture
// plug-in named after the file's suffix.
#include "display/picture_loader.h"

#include "display/dib_info.h"
#include "files/file_reader.h"
#include "files/path.h"
#include "platform/kernel/kernel.h"
#include "platform/kernel/module.h"

namespace {

// Plug-ins decide from the content's first bytes; shorter content is not offered.
constexpr DWORD kPluginHeaderBytes = 2048;

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(GetProcAddress(module, name));
}

}  // namespace

int CPictureLoader::Load(CFileReader& reader) {
    IStream* stream = nullptr;
    if (SUCCEEDED(CreateStreamOnHGlobal(reader.GetMemory(), FALSE, &stream))) {
        const HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(reader.GetSize()), TRUE,
                                              IID_IPicture, reinterpret_cast<void**>(&m_lpPicture));
        stream->Release();
        if (SUCCEEDED(loaded) && m_lpPicture != nullptr) return 0;
    }
    Release();

    const std::string path = MakeFullPath("spi/if" + reader.GetSuffix() + ".spi");
    m_hPlugin = LoadLibraryA(path.c_str());
    if (m_hPlugin == nullptr) return 1;
    m_lpIsSupported = Lookup<PluginIsSupported>(m_hPlugin, "IsSupported");
    m_lpGetPictureInfo = Lookup<PluginGetPictureInfo>(m_hPlugin, "GetPictureInfo");
    m_lpGetPicture = Lookup<PluginGetPicture>(m_hPlugin, "GetPicture");
    if (m_lpIsSupported == nullptr || m_lpGetPictureInfo == nullptr || m_lpGetPicture == nullptr) {
        Release();
        return 1;
    }
    m_lpReader = &reader;
    if (reader.GetSize() < kPluginHeaderBytes) return 1;  // the plug-in stays loaded until Release
    if (m_lpIsSupported(nullptr, reader.GetMemory()) != 0) return 0;
    Release();
    return 1;
}

int CPictureLoader::GetSize(int& width, int& height) {
    if (m_lpPicture != nullptr) {
        OLE_XSIZE_HIMETRIC himetricWidth = 0;
        OLE_YSIZE_HIMETRIC himetricHeight = 0;
        m_lpPicture->get_Width(&himetricWidth);
        m_lpPicture->get_Height(&himetricHeight);
        width = static_cast<int>(static_cast<float>(himetricWidth) * kPixelsPerHimetric);
        height = static_cast<int>(static_cast<float>(himetricHeight) * kPixelsPerHimetric);
        return 0;
    }
    if (m_hPlugin != nullptr && m_lpReader != nullptr) {
        PluginPictureInfo info = {};
        m_lpGetPictureInfo(reinterpret_cast<LPCSTR>(m_lpReader->GetMemory()),
                           static_cast<LONG>(m_lpReader->GetSize()), kPluginInMemory, &info);
        width = info.width;
        height = info.height;
        return 0;
    }
    return 1;
}

int CPictureLoader::Render(HDC dc) {
    int width = 0;
    int height = 0;
    if (GetSize(width, height) != 0) return 1;
    if (m_lpPicture != nullptr) {
        OLE_XSIZE_HIMETRIC himetricWidth = 0;
        OLE_YSIZE_HIMETRIC himetricHeight = 0;
        m_lpPicture->get_Width(&himetricWidth);
        m_lpPicture->get_Height(&himetricHeight);
        // HIMETRIC rows run upwards: starting at the top edge with a negative height
        // draws the picture upright.
        const HRESULT drawn = m_lpPicture->Render(dc, 0, 0, width, height, 0, himetricHeight,
                                                  himetricWidth, -himetricHeight, nullptr);
        return SUCCEEDED(drawn) ? 0 : 1;
    }

    FreeDecodedBits();
    if (m_lpGetPicture(reinterpret_cast<LPCSTR>(m_lpReader->GetMemory()),
                       static_cast<LONG>(m_lpReader->GetSize()), kPluginInMemory, &m_hInfo,
                       &m_hBits, nullptr, 0) != 0) {
        Release();
        return 1;
    }
    // The plug-in's blocks are taken only as far as they really reach.
    const auto* info = static_cast<const BYTE*>(LocalLock(m_hInfo));
    const void* bits = LocalLock(m_hBits);
    DibInfo dib;
    int lines = 0;
    if (bits != nullptr && ReadDibInfo(info, LocalSize(m_hInfo), &dib)) {
        lines = SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0,
                                  WholeRows(dib.header, LocalSize(m_hBits)), bits, dib.Get(),
                                  DIB_RGB_COLORS);
    }
    LocalUnlock(m_hInfo);
    LocalUnlock(m_hBits);
    FreeDecodedBits();
    if (lines == 0) {
        Release();
        return 1;
    }
    return 0;
}

int CPictureLoader::Release() {
    if (m_lpPicture != nullptr) {
        const ULONG left = m_lpPicture->Release();
        m_lpPicture = nullptr;
        return left != 0 ? 1 : 0;
    }
    if (m_hPlugin != nullptr) {
        FreeLibrary(m_hPlugin);
        m_hPlugin = nullptr;
        m_lpIsSupported = nullptr;
        m_lpGetPictureInfo = nullptr;
        m_lpGetPicture = nullptr;
    }
    FreeDecodedBits();
    return 0;
}

void CPictureLoader::FreeDecodedBits() {
    if (m_hBits != nullptr) LocalFree(m_hBits);
    if (m_hInfo != nullptr) LocalFree(m_hInfo);
    m_hBits = nullptr;
    m_hInfo = nullptr;
}
