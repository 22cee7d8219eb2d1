#pragma once

// A list of equally sized images kept side by side in one bitmap. Drawing
// an image leaves out the pixels of the strip's bottom-left colour (the
// mask colour), as the normal (enabled) look of an image list does.

#include "framework/drawing/Bitmap.h"
#include "framework/drawing/Canvas.h"
#include "framework/window/Component.h"

namespace klarvo {

class ImageList : public Component {
public:
    explicit ImageList(Component* owner, int width = 16, int height = 16);
    void SetSize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    // Adds the images of a strip (its width a multiple of Width()).
    void AddStrip(const Bitmap& strip);
    void Clear();
    void Draw(Canvas& canvas, int x, int y, int index) const;

private:
    int width_;
    int height_;
    Bitmap strip_;
    int count_ = 0;
};

} // namespace klarvo
