#include "framework/drawing/Bitmap.h"

#include "win/File.h"
#include "win/Gdi.h"
#include "win/Handles.h"
#include "framework/drawing/GdiCanvas.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <jpeglib.h>
}

namespace klarvo {

struct Bitmap::Impl {
    MemoryDc dc{nullptr};
    BitmapHandle bitmap;
    HGDIOBJ old = nullptr;
    GdiCanvas canvas;
    void* bits = nullptr;

    ~Impl() { Release(); }
    void Release()
    {
        canvas.Detach();
        if (old) {
            SelectObject(dc.Get(), old);
            old = nullptr;
        }
        bitmap.Reset();
        bits = nullptr;
    }
    void Take(HBITMAP b)
    {
        Release();
        bitmap.Reset(b);
        old = SelectObject(dc.Get(), b);
        canvas.Attach(dc.Get());
    }
};

namespace {

// A top-down 24-bit DIB section; bits receives its pixel memory.
HBITMAP MakeDib(int width, int height, void** bits)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

int RowBytes(int width)
{
    return (width * 3 + 3) & ~3;
}

} // namespace

Bitmap::Bitmap() : impl_(std::make_unique<Impl>()) {}

Bitmap::Bitmap(int width, int height) : Bitmap()
{
    SetSize(width, height);
}

Bitmap::~Bitmap() = default;

Bitmap::Bitmap(const Bitmap& other) : Bitmap()
{
    *this = other;
}

Bitmap& Bitmap::operator=(const Bitmap& other)
{
    if (this == &other) {
        return *this;
    }
    SetSize(other.width_, other.height_);
    if (!Empty() && !other.Empty()) {
        BitBlt(impl_->dc.Get(), 0, 0, width_, height_, other.Dc(), 0, 0, SRCCOPY);
    }
    return *this;
}

Bitmap::Bitmap(Bitmap&& other) noexcept
    : impl_(std::move(other.impl_)), width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0))
{
    other.impl_ = std::make_unique<Impl>();
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept
{
    if (this != &other) {
        std::swap(impl_, other.impl_);
        std::swap(width_, other.width_);
        std::swap(height_, other.height_);
        other.impl_->Release();
        other.width_ = other.height_ = 0;
    }
    return *this;
}

void Bitmap::SetSize(int width, int height)
{
    if (width == width_ && height == height_ && (impl_->bitmap || width <= 0 || height <= 0)) {
        return;
    }
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    if (width_ == 0 || height_ == 0) {
        impl_->Release();
        return;
    }
    void* bits = nullptr;
    HBITMAP b = MakeDib(width_, height_, &bits);
    if (!b) {
        width_ = height_ = 0;
        impl_->Release();
        throw PictureError("cannot make a bitmap of that size");
    }
    std::memset(bits, 0xFF, static_cast<std::size_t>(RowBytes(width_)) * static_cast<std::size_t>(height_));
    impl_->Take(b);
    impl_->bits = bits;
}

void Bitmap::Adopt(HBITMAP dib, int width, int height)
{
    impl_->Take(dib);
    width_ = width;
    height_ = height;
}

Canvas& Bitmap::GetCanvas()
{
    return impl_->canvas;
}

HDC Bitmap::Dc() const
{
    return impl_->bitmap ? impl_->dc.Get() : nullptr;
}

HBITMAP Bitmap::Handle() const
{
    return impl_->bitmap.Get();
}

Color Bitmap::Pixel(int x, int y) const
{
    if (Empty() || x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    GdiFlush();
    return GetPixel(impl_->dc.Get(), x, y) & 0x00FFFFFFu;
}

Canvas& OffscreenBitmap::Begin(int width, int height)
{
    bitmap_.SetSize(width, height);
    return bitmap_.GetCanvas();
}

// ---- pictures --------------------------------------------------------------

namespace {

std::string LowerExtension(const std::string& path)
{
    auto dot = path.find_last_of('.');
    auto slash = path.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

// The picture file's bytes; a file that cannot be read is a picture that
// cannot be loaded, like a damaged one.
std::string PictureFileBytes(const std::string& path)
{
    try {
        return ReadWholeFile(path);
    } catch (const FileError& error) {
        throw PictureError(error.what());
    }
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<JpegError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

extern "C" void JpegSilence(j_common_ptr cinfo, int level)
{
    if (level < 0) {
        ++cinfo->err->num_warnings;
    }
}

// Decodes into a fresh DIB section. Only plain data lives across the
// setjmp, so the long jump of an error skips no destructor.
HBITMAP DecodeJpeg(const unsigned char* data, std::size_t size, int* width, int* height, char* message)
{
    jpeg_decompress_struct cinfo;
    JpegError err;
    HBITMAP volatile dib = nullptr;
    unsigned char* volatile row = nullptr;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.emit_message = JpegSilence;
    err.message[0] = 0;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        if (dib) {
            DeleteObject(dib);
        }
        std::free(row);
        std::strcpy(message, err.message);
        return nullptr;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    int w = static_cast<int>(cinfo.output_width);
    int h = static_cast<int>(cinfo.output_height);
    void* bits = nullptr;
    dib = MakeDib(w, h, &bits);
    if (!dib) {
        std::strcpy(err.message, "cannot make a bitmap of the picture's size");
        std::longjmp(err.jump, 1);
    }
    row = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(w) * 3));
    if (!row) {
        std::strcpy(err.message, "out of memory");
        std::longjmp(err.jump, 1);
    }
    auto* out = static_cast<unsigned char*>(bits);
    int stride = RowBytes(w);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[1] = {row};
        int y = static_cast<int>(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, rows, 1);
        unsigned char* dst = out + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            dst[x * 3 + 0] = row[x * 3 + 2];
            dst[x * 3 + 1] = row[x * 3 + 1];
            dst[x * 3 + 2] = row[x * 3 + 0];
        }
    }
    jpeg_finish_decompress(&cinfo);
    if (err.mgr.num_warnings > 0) {
        // Corrupt or missing data is only a warning to libjpeg, which fills
        // the gap with grey; a picture like that is a damaged file here.
        (*err.mgr.format_message)(reinterpret_cast<j_common_ptr>(&cinfo), err.message);
        std::longjmp(err.jump, 1);
    }
    jpeg_destroy_decompress(&cinfo);
    std::free(row);
    *width = w;
    *height = h;
    return dib;
}

void TakeLoadedBitmap(Bitmap& target, HBITMAP loaded, const std::string& what)
{
    if (!loaded) {
        throw PictureError("not a readable Windows bitmap: " + what);
    }
    BitmapHandle owner(loaded);
    BITMAP info{};
    if (!GetObjectA(loaded, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
        throw PictureError("not a readable Windows bitmap: " + what);
    }
    int w = info.bmWidth;
    int h = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    // Copy into our own 24-bit surface so every picture behaves the same.
    Bitmap copy(w, h);
    MemoryDc src(nullptr);
    {
        Selection sel(src.Get(), loaded);
        BitBlt(copy.Dc(), 0, 0, w, h, src.Get(), 0, 0, SRCCOPY);
    }
    target = std::move(copy);
}

} // namespace

void Picture::LoadFromFile(const std::string& path)
{
    std::string ext = LowerExtension(path);
    if (ext == ".bmp") {
        LoadBmpFile(path);
    } else if (ext == ".jpg" || ext == ".jpeg") {
        LoadJpegFile(path);
    } else {
        throw PictureError("unknown picture file extension: " + path);
    }
}

void Picture::LoadBmpFile(const std::string& path)
{
    // Check the header ourselves: the platform loader is lenient with
    // truncated files on some systems.
    const std::string data = PictureFileBytes(path);
    if (data.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) || data[0] != 'B' || data[1] != 'M') {
        throw PictureError("not a Windows bitmap: " + path);
    }
    BITMAPFILEHEADER fh;
    std::memcpy(&fh, data.data(), sizeof fh);
    BITMAPINFOHEADER ih;
    std::memcpy(&ih, data.data() + sizeof fh, sizeof ih);
    long long rows = ih.biHeight < 0 ? -static_cast<long long>(ih.biHeight) : ih.biHeight;
    long long need = static_cast<long long>(fh.bfOffBits) +
                     ((static_cast<long long>(ih.biWidth) * ih.biBitCount + 31) / 32) * 4 * rows;
    if (ih.biWidth <= 0 || rows == 0 || (ih.biCompression == BI_RGB && need > static_cast<long long>(data.size()))) {
        throw PictureError("damaged Windows bitmap: " + path);
    }
    HBITMAP b = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    TakeLoadedBitmap(bitmap_, b, path);
}

void Picture::LoadJpegFile(const std::string& path)
{
    const std::string data = PictureFileBytes(path);
    LoadJpegData(data.data(), data.size());
}

void Picture::LoadJpegData(const void* data, std::size_t size)
{
    if (size < 4) {
        throw PictureError("not a JPEG picture");
    }
    int w = 0, h = 0;
    char message[JMSG_LENGTH_MAX] = {};
    HBITMAP dib = DecodeJpeg(static_cast<const unsigned char*>(data), size, &w, &h, message);
    if (!dib) {
        throw PictureError(std::string("damaged JPEG picture: ") + message);
    }
    Bitmap b;
    b.Adopt(dib, w, h);
    bitmap_ = std::move(b);
}

void Picture::LoadBmpResource(const std::string& name)
{
    HBITMAP b = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    TakeLoadedBitmap(bitmap_, b, name);
}

void Picture::LoadJpegResource(const std::string& name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC res = FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = res ? LoadResource(module, res) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) {
        throw PictureError("no picture resource " + name);
    }
    LoadJpegData(data, SizeofResource(module, res));
}

} // namespace klarvo
