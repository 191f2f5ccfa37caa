// ZqScreenshot: a BitBlt of the screen written as a BMP file.
#include "ZqScreenshot.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace zqshot {

namespace {

struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<BYTE> bits;  // bottom-up rows of BGR, each padded to 4 bytes
};

BITMAPINFOHEADER HeaderFor(int width, int height)
{
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

bool CaptureScreen(ScreenPixels& out)
{
    out.width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    out.height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (out.width <= 0 || out.height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, out.width, out.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    bool ok = BitBlt(memory, 0, 0, out.width, out.height, screen, GetSystemMetrics(SM_XVIRTUALSCREEN),
                     GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY | CAPTUREBLT) != FALSE;
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader = HeaderFor(out.width, out.height);
    out.bits.assign(static_cast<size_t>((out.width * 3 + 3) & ~3) * out.height, 0);
    ok = ok && GetDIBits(memory, bitmap, 0, out.height, out.bits.data(), &info, DIB_RGB_COLORS) == out.height;
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

bool WriteBmp(const std::wstring& path, const ScreenPixels& pixels)
{
    BITMAPINFOHEADER header = HeaderFor(pixels.width, pixels.height);
    header.biSizeImage = static_cast<DWORD>(pixels.bits.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr)
        return false;
    bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
              fwrite(pixels.bits.data(), pixels.bits.size(), 1, out) == 1;
    return fclose(out) == 0 && ok;
}

}  // namespace

bool SaveScreenBmp(const std::wstring& path)
{
    ScreenPixels pixels;
    return CaptureScreen(pixels) && WriteBmp(path, pixels);
}

void SaveShotIfAsked(const char* name)
{
    if (const char* folder = std::getenv("ZQ_SHOT_DIR"))
        SaveScreenBmp((std::filesystem::path(folder) / name).wstring());
}

}  // namespace zqshot
