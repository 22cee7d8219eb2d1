#include "framework/drawing/Font.h"

#include "framework/drawing/Store.h"

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

void Font::SetName(const std::string& name)
{
    if (Store(name_, name)) {
        Changed();
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

void Font::SetStyle(FontStyles style)
{
    if (Store(style_, style)) {
        Changed();
    }
}

void Font::SetColor(Color color)
{
    if (Store(color_, color)) {
        Changed();
    }
}

void Font::SetEscapement(int tenths)
{
    if (Store(escapement_, tenths)) {
        Changed();
    }
}

bool Font::SameShape(const Font& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           escapement_ == other.escapement_;
}

} // namespace klarvo
