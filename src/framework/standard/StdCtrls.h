#pragma once

// Windowless standard controls, painted by their parent: Label (text),
// ShadowLabel (text over a 1-pixel shadow up and to the left), Bevel
// (frame), PaintBox (OnPaint on its canvas), Image (a picture), and the
// flat SpeedButton that works in groups of which exactly one is down.

#include "framework/drawing/Bitmap.h"
#include "framework/window/Control.h"

namespace klarvo {

enum class Alignment { Left, Right, Center };

class Label : public GraphicControl {
public:
    explicit Label(Component* owner);

    Alignment GetAlignment() const { return alignment_; }
    void SetAlignment(Alignment a) { StoreAndRepaint(alignment_, a); }
    // Fits the size to the caption when set (the default).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v) { StoreAndFit(wordWrap_, v); }
    // Without a background fill: the parent shows through.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { StoreAndRepaint(transparent_, v); }
    // "&" marks an accelerator unless this is off (then "&" is shown).
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v) { StoreAndFit(showAccelChar_, v); }

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    // Draws the caption in r with the given colour (ShadowLabel draws twice).
    virtual void DrawCaption(Canvas& canvas, Rect r, Color color);
    unsigned TextFormat() const;
    void AdjustBounds();

private:
    // The setter of a property that changes how much room the caption takes.
    template <typename T> void StoreAndFit(T& field, const T& value)
    {
        if (Store(field, value)) {
            AdjustBounds();
            Invalidate();
        }
    }

    Alignment alignment_ = Alignment::Left;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

// Text over a shadow one pixel up and to the left, in ShadowColor
// (button highlight by default); ShadowSize 0 draws no shadow.
class ShadowLabel : public Label {
public:
    explicit ShadowLabel(Component* owner);
    Color ShadowColor() const { return shadowColor_; }
    void SetShadowColor(Color c) { StoreAndRepaint(shadowColor_, c); }
    int ShadowSize() const { return shadowSize_; }
    void SetShadowSize(int v);

protected:
    void DrawCaption(Canvas& canvas, Rect r, Color color) override;

private:
    Color shadowColor_ = clBtnHighlight;
    int shadowSize_ = 1;
};

enum class BevelShape { Box, Frame, TopLine, BottomLine, LeftLine, RightLine, Spacer };
enum class BevelStyle { Lowered, Raised };

class Bevel : public GraphicControl {
public:
    explicit Bevel(Component* owner);
    void SetShape(BevelShape s) { StoreAndRepaint(shape_, s); }
    void SetStyle(BevelStyle s) { StoreAndRepaint(style_, s); }

protected:
    void Paint() override;

private:
    BevelShape shape_ = BevelShape::Box;
    BevelStyle style_ = BevelStyle::Lowered;
};

class PaintBox : public GraphicControl {
public:
    explicit PaintBox(Component* owner);
    NotifyEvent OnPaint;

protected:
    void Paint() override;
};

class Image : public GraphicControl {
public:
    explicit Image(Component* owner);
    Picture& GetPicture() { return picture_; }
    // Call after changing the picture's pixels or loading it.
    void PictureChanged();
    bool Center() const { return center_; }
    void SetCenter(bool v) { StoreAndRepaint(center_, v); }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v) { StoreAndRepaint(stretch_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { StoreAndRepaint(transparent_, v); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

protected:
    void Paint() override;

private:
    Picture picture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    bool autoSize_ = false;
};

// A flat button: drawn raised while the pointer is over it, sunken while
// pressed or down. Buttons with the same non-zero GroupIndex and the same
// parent form a group in which pressing one puts it down and the others up.
class SpeedButton : public GraphicControl {
public:
    explicit SpeedButton(Component* owner);
    bool Down() const { return down_; }
    void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool v) { allowAllUp_ = v; }
    bool Flat() const { return flat_; }
    void SetFlat(bool v) { StoreAndRepaint(flat_, v); }
    // Whether the pointer is over the button (the raised flat look).
    bool MouseInControl() const { return mouseIn_; }

    void Click() override;
    // A press from the keyboard: what a click of the mouse does.
    void Press();
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;

private:
    void UpdateExclusive();
    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = true;
    bool mouseIn_ = false;
    bool pressing_ = false;
};

} // namespace klarvo
