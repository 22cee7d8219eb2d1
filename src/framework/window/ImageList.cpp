#include "framework/window/ImageList.h"

#include <windows.h>

namespace klarvo {

ImageList::ImageList(Component* owner, int width, int height) : Component(owner), width_(width), height_(height) {}

void ImageList::SetSize(int width, int height)
{
    width_ = width;
    height_ = height;
    Clear();
}

int ImageList::Count() const
{
    return count_;
}

void ImageList::AddStrip(const Bitmap& strip)
{
    if (width_ <= 0 || height_ <= 0 || strip.Empty()) {
        return;
    }
    int added = strip.Width() / width_;
    if (added <= 0) {
        return;
    }
    Bitmap grown(width_ * (count_ + added), height_);
    if (count_ > 0) {
        BitBlt(grown.Dc(), 0, 0, width_ * count_, height_, strip_.Dc(), 0, 0, SRCCOPY);
    }
    BitBlt(grown.Dc(), width_ * count_, 0, width_ * added, height_, strip.Dc(), 0, 0, SRCCOPY);
    strip_ = std::move(grown);
    count_ += added;
}

void ImageList::Clear()
{
    strip_ = Bitmap();
    count_ = 0;
}

void ImageList::Draw(Canvas& canvas, int x, int y, int index) const
{
    if (index < 0 || index >= count_) {
        return;
    }
    canvas.DrawPart(x, y, strip_, Rect{index * width_, 0, (index + 1) * width_, height_}, true);
}

} // namespace klarvo
