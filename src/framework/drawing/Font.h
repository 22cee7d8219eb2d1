#pragma once

// A font description (face, character height in pixels or size in points,
// style, colour, escapement) with a change notification. Controls own one
// and repaint through its OnChange; an owner may point OnChange elsewhere.

#include "framework/drawing/Color.h"

#include <functional>
#include <string>

namespace klarvo {

enum FontStyle : unsigned {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using FontStyles = unsigned;

class Font {
public:
    Font();
    Font(const Font& other);
    Font& operator=(const Font& other); // copies the description, not OnChange, and notifies

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name);
    // Character height in pixels (the platform's negative lfHeight).
    int Height() const { return height_; }
    void SetHeight(int pixels);
    // Size in points at the screen's 96 pixels per inch.
    int Size() const;
    void SetSize(int points);
    FontStyles Style() const { return style_; }
    void SetStyle(FontStyles style);
    Color GetColor() const { return color_; }
    void SetColor(Color color);
    // Angle of the text line in tenths of a degree, counter-clockwise.
    int Escapement() const { return escapement_; }
    void SetEscapement(int tenths);

    // Same face, height, style and escapement (colour is not part of the GDI font).
    bool SameShape(const Font& other) const;
    bool operator==(const Font& other) const { return SameShape(other) && color_ == other.color_; }

    // Runs after every change of the description.
    std::function<void()> OnChange;

private:
    void Changed();
    std::string name_;
    int height_;
    FontStyles style_ = 0;
    Color color_;
    int escapement_ = 0;
};

} // namespace klarvo
