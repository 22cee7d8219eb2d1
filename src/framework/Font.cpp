#include "framework/Font.h"

namespace klarvo {

Font::Font() : name_("MS Sans Serif"), height_(11), color_(clWindowText) {}

Font::Font(const Font& other)
    : name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_),
      escapement_(other.escapement_)
{
}

Font& Font::operator=(const Font& other)
{
    if (this != &other) {
        name_ = other.name_;
        height_ = other.height_;
        style_ = other.style_;
        color_ = other.color_;
        escapement_ = other.escapement_;
        Changed();
    }
    return *this;
}

void Font::Changed()
{
    if (OnChange) {
        OnChange();
    }
}

void Font::SetHeight(int pixels)
{
    if (Store(height_, pixels < 0 ? -pixels : pixels)) {
        Changed();
    }
}

int Font::Size() const
{
    return (height_ * 72 + 48) / 96;
}

void Font::SetSize(int points)
{
    SetHeight((points * 96 + 36) / 72);
}

bool Font::SameShape(const Font& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           escapement_ == other.escapement_;
}

} // namespace klarvo
