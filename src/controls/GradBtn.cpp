#include "controls/GradBtn.h"

#include "framework/window/Application.h"
#include "framework/loader/FormLoader.h"

#include <initializer_list>
#include <utility>

namespace klarvo {

using namespace gradbtn;

TGradBtn::TGradBtn(Component* owner) : CustomControl(owner)
{
    SetBounds(Left(), Top(), 75, 25);
    SetTabStop(true);
    font_.SetColor(clBlack);
    Canvas& canvas = face_.GetBitmap().GetCanvas();
    canvas.pen.style = PenStyle::Solid;
    canvas.pen.mode = PenMode::Copy;
}

TGradBtn::~TGradBtn() = default;

void TGradBtn::SetBtnFrameSize(std::int32_t size)
{
    if (size == btnFrameSize_ || !FrameSizeFits(size, Width(), Height())) {
        return;
    }
    btnFrameSize_ = size;
    Invalidate();
}

void TGradBtn::SetPresets(std::int32_t preset)
{
    // Unlike the other setters, the same value again applies its whole
    // scheme again: a preset is a recipe, not a state.
    const PresetScheme* scheme = FindPreset(preset);
    if (scheme == nullptr) {
        return;
    }
    disabledColor_ = scheme->disabledColor;
    beginColor_ = scheme->beginColor;
    endColor_ = scheme->endColor;
    // One font change, so the button repaints once for it.
    Font font = font_;
    font.SetName(scheme->fontName);
    font.SetSize(scheme->fontPoints);
    font.SetStyle(scheme->fontBold ? FontStyles{fsBold} : FontStyles{0});
    font.SetColor(scheme->fontColor);
    font_ = font;
    gradientStyle_ = scheme->gradientStyle;
    textShadeType_ = scheme->textShadeType;
    textStyle_ = scheme->textStyle;
    txtHiliteClr_ = scheme->txtHiliteClr;
    txtShadowClr_ = scheme->txtShadowClr;
    btnHiliteClr_ = scheme->btnHiliteClr;
    btnShadowClr_ = scheme->btnShadowClr;
    if (scheme->clearsSwapColors) {
        swapColors_ = false;
    }
    presets_ = static_cast<TPreset>(preset);
    Invalidate();
}

void TGradBtn::SwapGradient()
{
    std::swap(beginColor_, endColor_);
}

void TGradBtn::Release()
{
    if (swapped_) {
        SwapGradient();
    }
    swapped_ = false;
    pressed_ = false;
}

void TGradBtn::Paint()
{
    Canvas& canvas = face_.Begin(Width(), Height());
    PaintFace(canvas);
    face_.CopyTo(GetCanvas());
}

void TGradBtn::PaintFace(Canvas& canvas)
{
    const int w = Width(), h = Height();
    canvas.font = font_;

    GradientBands(gradientStyle_, w, h, beginColor_, endColor_, bands_);
    DropHiddenBands(bands_);
    canvas.brush.style = BrushStyle::Solid;
    for (const Band& band : bands_) {
        canvas.brush.color = band.color;
        switch (band.shape) {
        case BandShape::Fill:
            canvas.FillRect(Rect{band.left, band.top, band.right, band.bottom});
            break;
        case BandShape::Rectangle:
            canvas.pen.style = PenStyle::Clear;
            canvas.Rectangle(band.left, band.top, band.right, band.bottom);
            break;
        case BandShape::Ellipse:
            canvas.pen.style = PenStyle::Clear;
            canvas.Ellipse(band.left, band.top, band.right, band.bottom);
            break;
        }
    }
    canvas.pen.style = PenStyle::Solid;

    const bool sunk = pressed_ || downLock_;
    canvas.brush.style = BrushStyle::Clear;
    if (btnFrameSize_ > 0) {
        Rect frame{0, 0, w, h};
        if (sunk) {
            canvas.Frame3D(frame, btnShadowClr_, btnHiliteClr_, btnFrameSize_);
        } else {
            canvas.Frame3D(frame, btnHiliteClr_, btnShadowClr_, btnFrameSize_);
        }
    }

    measuringCaption_ = MeasuringCaption(Caption());
    DrawCaption(canvas, w, h, sunk);

    if (!Designing() && showFocus_ && Focused()) {
        canvas.DrawFocusRect(Rect{2, 2, w - 2, h - 2});
    }
}

void TGradBtn::DrawCaption(Canvas& canvas, int width, int height, bool sunk)
{
    const std::string caption = Caption();
    const int textHeight = canvas.TextHeight(caption);
    const int textWidth = canvas.TextWidth(measuringCaption_);
    const Point anchor = CaptionAnchor(justification_, width, height, textWidth, textHeight, sunk);
    const CaptionColors colors{font_.GetColor(), txtHiliteClr_, txtShadowClr_, disabledColor_};

    unsigned align = DT_CENTER;
    if (justification_ == jLeft) {
        align = DT_LEFT;
    } else if (justification_ == jRight) {
        align = DT_RIGHT;
    }

    canvas.brush.style = BrushStyle::Clear;
    for (const CaptionLayer& layer : CaptionLayers(textStyle_, textShadeType_, Enabled(), colors)) {
        canvas.font.SetColor(layer.color);
        Rect r{anchor.x + layer.dx, anchor.y + layer.dy, anchor.x + layer.dx, anchor.y + layer.dy};
        // The measuring caption has its ampersands resolved already.
        canvas.TextRect(measuringCaption_, r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        // Not clipped to the measured box: a glyph that overhangs its advance
        // (an italic or a final "f") keeps its last pixels.
        canvas.TextRect(caption, r, align | DT_SINGLELINE | DT_NOCLIP);
    }
    canvas.brush.style = BrushStyle::Solid;
}

LRESULT TGradBtn::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The paint covers every pixel; an erase first would only flicker.
    if (msg == WM_ERASEBKGND) {
        return 0;
    }
    return CustomControl::WndProc(msg, wParam, lParam);
}

void TGradBtn::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    CustomControl::MouseDown(button, shift, x, y);
    if (pressed_) {
        return;
    }
    if (button == MouseButton::Left) {
        pressed_ = true;
        if (swapColors_) {
            SwapGradient();
            swapped_ = true;
        }
    }
    if (CanFocus()) {
        SetFocus();
    }
    Repaint();
}

void TGradBtn::MouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    CustomControl::MouseUp(button, shift, x, y);
    if (releaseMark_) {
        releaseMark_ = false;
        return;
    }
    if (pressed_) {
        Release();
        Repaint();
    }
}

void TGradBtn::Click()
{
    if (pressed_) {
        Release();
        releaseMark_ = true;
    }
    Repaint();
    App().ProcessMessages();
    CustomControl::Click();
}

void TGradBtn::MouseEnter()
{
    // Back in after a drag out: the press resumes.
    if (Clicked()) {
        MouseDown(MouseButton::Left, ssLeft, 0, 0);
    }
    if (OnMouseEnter) {
        OnMouseEnter(this);
    }
    if (!hot_) {
        hot_ = true;
        savedFontColor_ = font_.GetColor();
        font_.SetColor(kHotColor);
    }
}

void TGradBtn::MouseLeave()
{
    // Dragged out while held: the button rises, and a release out there
    // will not click it.
    if (Clicked()) {
        MouseUp(MouseButton::Left, ssLeft, 0, 0);
    }
    if (OnMouseLeave) {
        OnMouseLeave(this);
    }
    if (hot_) {
        hot_ = false;
        font_.SetColor(savedFontColor_);
    }
}

void TGradBtn::KeyPress(char& key)
{
    CustomControl::KeyPress(key);
    if (key == '\r') {
        Click();
    }
}

bool TGradBtn::DialogChar(char ch)
{
    if (IsAccel(ch, Caption()) && Enabled()) {
        Click();
        return true;
    }
    return CustomControl::DialogChar(ch);
}

void TGradBtn::TextChanged()
{
    CustomControl::TextChanged();
    Invalidate();
}

void TGradBtn::EnabledChanged()
{
    CustomControl::EnabledChanged();
    Invalidate();
}

void TGradBtn::SetShowFocus(bool v)
{
    if (v == showFocus_) {
        return;
    }
    showFocus_ = v;
    if (Focused()) {
        Invalidate();
    }
}

void TGradBtn::DoEnter()
{
    CustomControl::DoEnter();
    if (!Designing()) {
        Invalidate();
    }
}

void TGradBtn::DoExit()
{
    CustomControl::DoExit();
    if (!Designing()) {
        Invalidate();
    }
}

// ---- stored forms ----------------------------------------------------------

void RegisterGradBtn(FormClasses& fc)
{
    using B = TGradBtn;
    using V = const FormValue&;
    fc.Register("TGradBtn", "TCustomControl", [](Component* owner) -> Component* { return new TGradBtn(owner); });
    fc.Property<B>("TGradBtn", "DisabledColor", [](B& b, V v) { b.SetDisabledColor(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "BtnHiliteClr", [](B& b, V v) { b.SetBtnHiliteClr(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "BtnShadowClr", [](B& b, V v) { b.SetBtnShadowClr(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "BtnFrameSize", [](B& b, V v) { b.SetBtnFrameSize(v.AsInt()); });
    fc.Property<B>("TGradBtn", "TxtHiliteClr", [](B& b, V v) { b.SetTxtHiliteClr(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "TxtShadowClr", [](B& b, V v) { b.SetTxtShadowClr(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "BeginColor", [](B& b, V v) { b.SetBeginColor(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "EndColor", [](B& b, V v) { b.SetEndColor(ColorValue(v)); });
    fc.Property<B>("TGradBtn", "SwapColors", [](B& b, V v) { b.SetSwapColors(v.AsBool()); });
    fc.Property<B>("TGradBtn", "ShowFocus", [](B& b, V v) { b.SetShowFocus(v.AsBool()); });
    fc.Property<B>("TGradBtn", "GradientStyle", [](B& b, V v) {
        b.SetGradientStyle(EnumValue<TGradientStyle>(
            v, {"gsHorizontal", "gsVertical", "gsElliptic", "gsRectangle", "gsVertCenter", "gsHorizCenter"}));
    });
    fc.Property<B>("TGradBtn", "TextStyle", [](B& b, V v) {
        b.SetTextStyle(EnumValue<TTextStyle>(v, {"tsNormal", "tsRaised", "tsInset"}));
    });
    fc.Property<B>("TGradBtn", "TextShadeType", [](B& b, V v) {
        b.SetTextShadeType(EnumValue<TShadeType>(v, {"stLight", "stHeavy"}));
    });
    fc.Property<B>("TGradBtn", "Presets", [](B& b, V v) {
        b.SetPresets(EnumValue<TPreset>(v, {"None", "GoldCoast", "LimeBox", "Aluminum", "SunRise", "BrassedOff"}));
    });
    fc.Property<B>("TGradBtn", "Justification", [](B& b, V v) {
        b.SetJustification(EnumValue<TJustification>(v, {"jLeft", "jCenter", "jRight"}));
    });
    fc.Property<B>("TGradBtn", "DownLock", [](B& b, V v) { b.SetDownLock(v.AsBool()); });
}

} // namespace klarvo
