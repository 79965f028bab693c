// Filling planes: bitmap files decoded into a new surface in the screen's format
// (with a palette of the display's layout on 8-bit screens), other pictures through
// the picture loader, empty planes, and the rebuild after a mode change.
#include <cstring>

#include "display/dib_info.h"
#include "display/display_state.h"
#include "display/picture_loader.h"
#include "display/plane.h"
#include "files/file_reader.h"
#include "frame/error_log.h"

namespace {

// Entries 0-9 and 246-255 of an 8-bit palette belong to the system's static colours;
// a bitmap's colours go from entry 10 on.
constexpr int kFirstGameEntry = 10;
constexpr int kFirstStaticHighEntry = 246;
constexpr int kGameEntries = kFirstStaticHighEntry - kFirstGameEntry;

// Bitmap file layout (little-endian): the pixel data offset, then the information
// header's width, height and bit count, and the colour table after a 40-byte header.
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kColorTableOffset = 54;

DWORD ReadLittleEndian(const BYTE* data, std::size_t offset, int bytes) {
    DWORD value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | data[offset + i];
    return value;
}

// How many file colours an 8-bit palette takes for a bit count; 0: no palette.
int PaletteColors(int bitCount) {
    switch (bitCount) {
        case 1:
            return 2;
        case 2:
            return 4;
        case 4:
            return 16;
        case 8:
            return kGameEntries;
        default:
            return 0;
    }
}

// The palette table of the display's layout with the file's first colours in the
// game's entries; colours the file does not hold stay zero.
void BuildPaletteTable(const BYTE* content, std::size_t size, int colors, PALETTEENTRY* table) {
    std::memset(table, 0, 256 * sizeof(PALETTEENTRY));
    for (int i = 0; i < kFirstGameEntry; ++i) {
        table[i] = {static_cast<BYTE>(i), 0, 0, PC_EXPLICIT};
        table[kFirstStaticHighEntry + i] = {static_cast<BYTE>(kFirstStaticHighEntry + i), 0, 0,
                                            PC_EXPLICIT};
    }
    for (int i = 0; i < colors; ++i) {
        const std::size_t at = kColorTableOffset + 4 * static_cast<std::size_t>(i);
        if (at + 4 > size) break;
        table[kFirstGameEntry + i] = {content[at + 2], content[at + 1], content[at],
                                      PC_RESERVED | PC_NOCOLLAPSE};
    }
}

}  // namespace

int CPlane::LoadBitmapFile(const std::string& fileName, bool paletteWanted) {
    ResetColorKey();
    m_bTwoFiles = false;
    m_strFileName = fileName;
    return LoadPlane(fileName, paletteWanted);
}

int CPlane::Restore() {
    Release();
    const bool highColor = m_bTwoFiles && GetDisplayBits() != 8;
    return LoadPlane(highColor ? m_strFileNameHighColor : m_strFileName, m_bPaletteWanted);
}

int CPlane::LoadPlane(const std::string& fileName, bool paletteWanted) {
    if (m_lpDirectDraw == nullptr) {
        CErrorLog::Report("CPlane::LoadBitmapでCDirectDraw::m_lpDirectDraw==NULL");
        return 1;
    }
    if (fileName.empty()) return 0;
    Release();
    CFileReader reader;
    if (reader.Read(fileName) != 0) {
        CErrorLog::Report("CPlane::LoadBitmapFileで読み込むファイルが無い >" + fileName);
        return 2;
    }
    const BYTE* content = reader.GetMemory();
    const DWORD size = reader.GetSize();
    if (size >= kColorTableOffset && content[0] == 'B' && content[1] == 'M') {
        return LoadBitmapImage(content, size, paletteWanted);
    }
    return LoadPicture(reader, paletteWanted);
}

int CPlane::LoadBitmapImage(const BYTE* content, DWORD size, bool paletteWanted) {
    const int width = static_cast<int>(ReadLittleEndian(content, 18, 4));
    const int height = static_cast<int>(ReadLittleEndian(content, 22, 4));
    const int bitCount = static_cast<int>(ReadLittleEndian(content, 28, 2));
    m_nWidth = width;
    m_nHeight = height;
    if (!CreateOffscreenSurface(width, height)) {
        CErrorLog::Report("CPlane::LoadBitmapFileのCreateSurfaceに失敗");
        return 3;
    }
    m_bPaletteWanted = paletteWanted;

    // Every bitmap of 8 bits or fewer gets a full 8-bit palette, so that the surface's
    // pixel values index it and the display can take its colours from it.
    const int paletteColors = PaletteColors(bitCount);
    bool paletteAttached = false;
    if (paletteWanted && paletteColors != 0 && GetDisplayBits() == 8) {
        PALETTEENTRY table[256];
        BuildPaletteTable(content, size, paletteColors, table);
        if (m_lpDirectDraw->CreatePalette(DDPCAPS_8BIT, table, &m_lpPalette, nullptr) != DD_OK) {
            CErrorLog::Report("CPlane::LoadBitmapFileで、CreatePaletteに失敗");
            m_lpPalette = nullptr;
            return 4;
        }
        m_lpSurface->SetPalette(m_lpPalette);
        paletteAttached = true;
    }
    auto detachPalette = [&] {
        if (paletteAttached) m_lpSurface->SetPalette(nullptr);
    };

    HDC dc = nullptr;
    if (m_lpSurface->GetDC(&dc) != DD_OK) {
        CErrorLog::Report("CPlane::LoadBitmapFileのGetDCに失敗");
        detachPalette();
        return 7;
    }
    // Only the rows that the file really holds are drawn: a bitmap cut short keeps
    // what arrived (its bottom rows, for the usual bottom-up order).
    DibInfo info;
    ReadDibInfo(content + kFileHeaderBytes, size - kFileHeaderBytes, &info);
    const DWORD offset = ReadLittleEndian(content, 10, 4);
    const UINT rows = offset < size ? WholeRows(info.header, size - offset) : 0;
    const BYTE* pixels = rows != 0 ? content + offset : content;
    if (SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, rows, pixels, info.Get(),
                          DIB_RGB_COLORS) == 0) {
        CErrorLog::Report("CPlane::LoadBitmapFileのSetDIBitsToDeviceに失敗");
        m_lpSurface->ReleaseDC(dc);
        detachPalette();
        return 8;
    }
    if (m_lpSurface->ReleaseDC(dc) != DD_OK) {
        CErrorLog::Report("CPlane::LoadBitmapFileのReleaseDCに失敗");
        detachPalette();
        return 9;
    }
    detachPalette();
    ApplyColorKey();
    return 0;
}

int CPlane::LoadPicture(CFileReader& reader, bool paletteWanted) {
    CPictureLoader loader;
    if (loader.Load(reader) != 0) {
        CErrorLog::Report("CPlane::LoadPlaneでBitmap以外のファイルを読んだ");
        return 2;
    }
    int width = 0;
    int height = 0;
    loader.GetSize(width, height);
    if (CreateSurface(width, height) != 0) return 2;
    m_bPaletteWanted = paletteWanted;
    HDC dc = nullptr;
    if (BeginPaint(dc) != 0) return 2;
    const int result = loader.Render(dc);
    EndPaint();
    if (result == 0) ApplyColorKey();
    return result;
}

int CPlane::CreatePlane(int width, int height) {
    if (m_lpDirectDraw == nullptr) {
        CErrorLog::Report("CPlane::CreatePlaneでCDirectDraw::m_lpDirectDraw==NULL");
        return 1;
    }
    m_strFileName.clear();
    m_strFileNameHighColor.clear();
    if (CreateSurface(width, height) != 0) return 2;
    DDBLTFX fill = {};
    fill.dwSize = sizeof fill;
    fill.dwFillColor = 0;
    m_lpSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fill);
    SetColorKey(RGB(0, 0, 0));
    return 0;
}

int CPlane::CreateSurface(int width, int height) {
    ReleaseSurface();
    m_nWidth = width;
    m_nHeight = height;
    if (!CreateOffscreenSurface(width, height)) {
        CErrorLog::Report("CPlane::CreateSurfaceのCreateSurfaceに失敗");
        return 1;
    }
    return 0;
}

bool CPlane::CreateOffscreenSurface(int width, int height) {
    // A negative size (a top-down bitmap's height) is no size a surface can have.
    if (m_lpDirectDraw == nullptr || width <= 0 || height <= 0) return false;
    DDSURFACEDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | (m_bSystemMemory ? DDSCAPS_SYSTEMMEMORY : 0);
    if (m_lpDirectDraw->CreateSurface(&desc, &m_lpSurface, nullptr) == DD_OK) return true;
    m_lpSurface = nullptr;
    return false;
}
