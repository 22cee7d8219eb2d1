#pragma once

// Bitmaps and pictures. Bitmap is a 24-bit device-independent bitmap with a
// canvas of its own: the off-screen surface on which a control composes its
// face before copying it to the screen in one block (OffscreenBitmap), and
// the store of loaded pictures. Picture loads Windows bitmaps through the
// platform's loader and JPEG files through libjpeg, from files or from the
// executable's resources; a file that cannot be read or decoded raises
// PictureError.

#include "framework/drawing/Canvas.h"
#include "framework/drawing/Types.h"

#include "win/Error.h"

#include <memory>
#include <string>

struct HBITMAP__;
struct HDC__;

namespace klarvo {

class PictureError : public Error {
public:
    using Error::Error;
};

class Bitmap {
public:
    Bitmap();
    Bitmap(int width, int height);
    ~Bitmap();
    Bitmap(const Bitmap& other); // a pixel copy
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    // Resizes; the content becomes undefined (white for a new bitmap).
    void SetSize(int width, int height);

    // Drawing on the bitmap. The canvas holds the bitmap's memory DC.
    Canvas& GetCanvas();
    // The memory DC holding the bitmap (for BitBlt from it), or null if empty.
    HDC__* Dc() const;
    HBITMAP__* Handle() const;

    // 0x00BBGGRR of one pixel (tests and the image-list mask rule).
    Color Pixel(int x, int y) const;

    // Takes over a DIB section made elsewhere (the loaders).
    void Adopt(HBITMAP__* dib, int width, int height);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int width_ = 0;
    int height_ = 0;
};

// The off-screen surface of a custom-painted control: sized to the control
// on each paint, drawn on through Canvas(), then copied in one block.
class OffscreenBitmap {
public:
    // Makes sure the bitmap has this size and returns its canvas.
    Canvas& Begin(int width, int height);
    // Copies the whole surface to the target at (0, 0).
    void CopyTo(Canvas& target) { target.Draw(0, 0, bitmap_); }
    Bitmap& GetBitmap() { return bitmap_; }

private:
    Bitmap bitmap_;
};

class Picture {
public:
    Picture() = default;

    // Picks the format from the extension: ".bmp" or ".jpg"/".jpeg".
    void LoadFromFile(const std::string& path);
    void LoadBmpFile(const std::string& path);
    void LoadJpegFile(const std::string& path);
    void LoadJpegData(const void* data, std::size_t size);
    // Resources of the running executable: a BITMAP resource by name, or an
    // RCDATA resource holding a JPEG file.
    void LoadBmpResource(const std::string& name);
    void LoadJpegResource(const std::string& name);

    void Clear() { bitmap_ = Bitmap(); }
    bool Empty() const { return bitmap_.Empty(); }
    int Width() const { return bitmap_.Width(); }
    int Height() const { return bitmap_.Height(); }
    const Bitmap& GetBitmap() const { return bitmap_; }
    Bitmap& GetBitmap() { return bitmap_; }

private:
    Bitmap bitmap_;
};

} // namespace klarvo
