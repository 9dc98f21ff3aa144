// TBackgroundDib: loading, checking and recolouring packed device-independent bitmaps.
#include "foundation/WindowBackgroundDib.h"

#include <cstring>

namespace {

// The bytes of one row of bits, rows being padded to whole 32-bit words.
size_t RowBytes(int width, int bitCount)
{
    return (static_cast<size_t>(width) * static_cast<size_t>(bitCount) + 31) / 32 * 4;
}

bool SupportedBitCount(int bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Entries of the colour table that follows the header; -1 when the header cannot be right.
int TableEntries(const BITMAPINFOHEADER& header)
{
    const int maximum = header.biBitCount <= 8 ? 1 << header.biBitCount : 0;
    if (header.biClrUsed == 0) return maximum;
    if (header.biBitCount <= 8 && header.biClrUsed > static_cast<DWORD>(maximum)) return -1;
    return header.biClrUsed > 256 ? -1 : static_cast<int>(header.biClrUsed);
}

} // namespace

TBackgroundDib::~TBackgroundDib() { Clear(); }

void TBackgroundDib::Clear()
{
    bitmap.Reset();
    packed.clear();
    width = height = colorCount = 0;
}

bool TBackgroundDib::LoadFile(const char* path)
{
    Clear();
    if (!path || !*path) return false;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    std::vector<unsigned char> bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bool read = false;
    if (size != INVALID_FILE_SIZE && size > sizeof(BITMAPFILEHEADER) && size < 64u * 1024 * 1024) {
        bytes.resize(size);
        DWORD got = 0;
        read = ReadFile(file, bytes.data(), size, &got, nullptr) && got == size;
    }
    CloseHandle(file);
    if (!read || bytes[0] != 'B' || bytes[1] != 'M') return false;
    return LoadPacked(bytes.data() + sizeof(BITMAPFILEHEADER), bytes.size() - sizeof(BITMAPFILEHEADER));
}

bool TBackgroundDib::LoadResource(HMODULE module, const char* name)
{
    Clear();
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (!found) return false;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return false;
    return LoadPacked(data, SizeofResource(module, found));
}

bool TBackgroundDib::LoadPacked(const void* data, size_t size)
{
    Clear();
    if (!data || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof header);
    // Only plain uncompressed bitmaps with the Windows 3 header (or a later, longer one).
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biPlanes != 1 ||
        header.biCompression != BI_RGB || !SupportedBitCount(header.biBitCount) || header.biWidth <= 0 ||
        header.biHeight == 0 || header.biWidth > 16384 || header.biHeight > 16384 || header.biHeight < -16384) {
        return false;
    }
    const int entries = TableEntries(header);
    if (entries < 0) return false;
    const int rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const size_t bitsSize = RowBytes(header.biWidth, header.biBitCount) * static_cast<size_t>(rows);
    const size_t needed = header.biSize + static_cast<size_t>(entries) * sizeof(RGBQUAD) + bitsSize;
    if (needed > size) return false;
    packed.assign(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + needed);
    width = header.biWidth;
    height = rows;
    colorCount = entries;
    if (!Rebuild()) {
        Clear();
        return false;
    }
    return true;
}

RGBQUAD* TBackgroundDib::Table()
{
    return reinterpret_cast<RGBQUAD*>(packed.data() + reinterpret_cast<BITMAPINFOHEADER*>(packed.data())->biSize);
}

const RGBQUAD* TBackgroundDib::Table() const
{
    return reinterpret_cast<const RGBQUAD*>(packed.data() +
                                            reinterpret_cast<const BITMAPINFOHEADER*>(packed.data())->biSize);
}

COLORREF TBackgroundDib::Color(int index) const
{
    if (index < 0 || index >= colorCount) return 0;
    const RGBQUAD entry = Table()[index];
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

void TBackgroundDib::SetColor(int index, COLORREF color)
{
    if (index < 0 || index >= colorCount) return;
    RGBQUAD& entry = Table()[index];
    entry.rgbRed = GetRValue(color);
    entry.rgbGreen = GetGValue(color);
    entry.rgbBlue = GetBValue(color);
    entry.rgbReserved = 0;
}

bool TBackgroundDib::Rebuild()
{
    if (packed.empty()) return false;
    bitmap.Reset();
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(packed.data());
    // A header longer than the Windows 3 one is handed over in that form, followed by the table.
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(colorCount) * sizeof(RGBQUAD));
    std::memcpy(info.data(), header, sizeof(BITMAPINFOHEADER));
    reinterpret_cast<BITMAPINFOHEADER*>(info.data())->biSize = sizeof(BITMAPINFOHEADER);
    if (colorCount > 0) {
        std::memcpy(info.data() + sizeof(BITMAPINFOHEADER), Table(), static_cast<size_t>(colorCount) * sizeof(RGBQUAD));
    }
    void* bits = nullptr;
    bitmap.Reset(CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                  nullptr, 0));
    if (!bitmap || !bits) {
        bitmap.Reset();
        return false;
    }
    const size_t offset = header->biSize + static_cast<size_t>(colorCount) * sizeof(RGBQUAD);
    std::memcpy(bits, packed.data() + offset, packed.size() - offset);
    GdiFlush();
    return true;
}

void TBackgroundDib::AppendPaletteEntries(std::vector<PALETTEENTRY>& entries) const
{
    for (int i = 0; i < colorCount; ++i) {
        const RGBQUAD entry = Table()[i];
        entries.push_back(PALETTEENTRY{entry.rgbRed, entry.rgbGreen, entry.rgbBlue, 0});
    }
}
