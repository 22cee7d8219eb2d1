#pragma once

// The push button of the shell: a gradient face in one of six styles, a 3-D
// frame raised at rest and sunken while pressed or locked down, a caption
// drawn plain, raised or inset, six named colour schemes, and a blue caption
// while the pointer is over it. The face is composed off screen and copied
// in one block, and the background erase is refused, so it never flickers.

#include "controls/GradBtnBands.h"
#include "framework/drawing/Bitmap.h"
#include "framework/window/WinControl.h"

#include <cstdint>
#include <string>
#include <vector>

namespace klarvo {

class FormClasses;

class TGradBtn : public CustomControl {
public:
    explicit TGradBtn(Component* owner);
    ~TGradBtn() override;

    // Published properties, in the order a stored form applies them. Every
    // setter ignores an unchanged value and drops an invalid one, and a
    // changed value repaints the button.
    Color DisabledColor() const { return disabledColor_; }
    void SetDisabledColor(Color c) { StoreAndRepaint(disabledColor_, c); }
    Color BtnHiliteClr() const { return btnHiliteClr_; }
    void SetBtnHiliteClr(Color c) { StoreAndRepaint(btnHiliteClr_, c); }
    Color BtnShadowClr() const { return btnShadowClr_; }
    void SetBtnShadowClr(Color c) { StoreAndRepaint(btnShadowClr_, c); }
    std::int32_t BtnFrameSize() const { return btnFrameSize_; }
    // Taken only while it leaves five pixels of half of each side.
    void SetBtnFrameSize(std::int32_t size);
    Color TxtHiliteClr() const { return txtHiliteClr_; }
    void SetTxtHiliteClr(Color c) { StoreAndRepaint(txtHiliteClr_, c); }
    Color TxtShadowClr() const { return txtShadowClr_; }
    void SetTxtShadowClr(Color c) { StoreAndRepaint(txtShadowClr_, c); }
    Color BeginColor() const { return beginColor_; }
    void SetBeginColor(Color c) { StoreAndRepaint(beginColor_, c); }
    Color EndColor() const { return endColor_; }
    void SetEndColor(Color c) { StoreAndRepaint(endColor_, c); }
    // Stored without a repaint: they show at the next paint.
    bool SwapColors() const { return swapColors_; }
    void SetSwapColors(bool v) { swapColors_ = v; }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool v);
    TGradientStyle GradientStyle() const { return gradientStyle_; }
    void SetGradientStyle(TGradientStyle style) { StoreAndRepaint(gradientStyle_, style, gsHorizontal, gsHorizCenter); }
    TTextStyle TextStyle() const { return textStyle_; }
    void SetTextStyle(TTextStyle style) { StoreAndRepaint(textStyle_, style, tsNormal, tsInset); }
    TShadeType TextShadeType() const { return textShadeType_; }
    void SetTextShadeType(TShadeType shade) { StoreAndRepaint(textShadeType_, shade, stLight, stHeavy); }
    TPreset Presets() const { return presets_; }
    // Overwrites every property of the scheme, whatever was set before; an
    // ordinal outside the schemes changes nothing.
    void SetPresets(std::int32_t preset);
    void SetPresets(TPreset preset) { SetPresets(static_cast<std::int32_t>(preset)); }
    TJustification Justification() const { return justification_; }
    void SetJustification(TJustification j) { StoreAndRepaint(justification_, j, jLeft, jRight); }
    // Sunken whatever the mouse does; only the owner sets and clears it.
    bool DownLock() const { return downLock_; }
    void SetDownLock(bool v) { StoreAndRepaint(downLock_, v); }

    // Held down by the left button (or by a drag back in).
    bool Pressed() const { return pressed_; }

    // Raises a pressed button first, shows it raised, then fires OnClick.
    void Click() override;

    // Composes the face on any canvas of the button's size; Paint draws it
    // off screen with this and copies it in one block.
    void PaintFace(Canvas& canvas);

    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void KeyPress(char& key) override;
    bool DialogChar(char ch) override;
    void TextChanged() override;
    void EnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;

private:
    void SwapGradient();
    // Ends a press: colours back, flag down.
    void Release();
    void DrawCaption(Canvas& canvas, int width, int height, bool sunk);

    Color disabledColor_ = clGrayText;
    Color btnHiliteClr_ = clBtnHighlight;
    Color btnShadowClr_ = clBtnShadow;
    std::int32_t btnFrameSize_ = 1;
    Color txtHiliteClr_ = clBtnHighlight;
    Color txtShadowClr_ = clBtnShadow;
    Color beginColor_ = Rgb(0, 0, 128);
    Color endColor_ = Rgb(0, 255, 255);
    bool swapColors_ = true;
    bool showFocus_ = true;
    TGradientStyle gradientStyle_ = gsVertCenter;
    TTextStyle textStyle_ = tsRaised;
    TShadeType textShadeType_ = stLight;
    TPreset presets_ = TPreset::None;
    TJustification justification_ = jCenter;
    bool downLock_ = false;

    bool pressed_ = false;
    // The press exchanged the gradient colours, and its end puts them back.
    bool swapped_ = false;
    // A click ended the press; the mouse-up of the same release does nothing.
    bool releaseMark_ = false;
    Color savedFontColor_ = clBlack;
    bool hot_ = false;
    std::string measuringCaption_;
    std::vector<gradbtn::Band> bands_;
    OffscreenBitmap face_;
};

// Registers TGradBtn and its published properties with a form loader.
void RegisterGradBtn(FormClasses& classes);

} // namespace klarvo
