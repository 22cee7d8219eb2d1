#include "controls/IACheckControl.h"

#include "framework/drawing/GdiCanvas.h"
#include "win/Error.h"

namespace klarvo {

namespace {

bool ComputeSmoothFonts()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(&info)) {
        return false;
    }
    return SmoothFontsFor(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion);
}

} // namespace

// ---------------------------------------------------------------- lines

void CheckTextLines::Add(const std::string& line)
{
    lines_.push_back(line);
    Changed();
}

void CheckTextLines::Set(int i, const std::string& line)
{
    lines_.at(static_cast<std::size_t>(i)) = line;
    Changed();
}

void CheckTextLines::Delete(int i)
{
    lines_.at(static_cast<std::size_t>(i)); // range check
    lines_.erase(lines_.begin() + i);
    Changed();
}

void CheckTextLines::Clear()
{
    lines_.clear();
    Changed();
}

void CheckTextLines::SetText(const std::string& text)
{
    lines_ = SplitTextLines(text);
    Changed();
}

void CheckTextLines::Changed()
{
    if (OnChange) {
        OnChange();
    }
}

// ---------------------------------------------------------------- control

bool TIACheckControl::SmoothFonts()
{
    static const bool smooth = ComputeSmoothFonts();
    return smooth;
}

TIACheckControl::TIACheckControl(Component* owner) : CustomControl(owner)
{
    SetBounds(Left(), Top(), 80, 20);
    SetParentFont(false);
    font_.SetName("Times New Roman");
    font_.OnChange = [this] { LayoutChanged(); };
    SetText("CheckText");
    lines_.OnChange = [this] { LayoutChanged(); };
    SetTabStop(true);
    autoSize_ = true;
}

TIACheckControl::~TIACheckControl()
{
    lines_.OnChange = nullptr;
    font_.OnChange = nullptr;
}

void TIACheckControl::LayoutChanged()
{
    UpdateWindowRegion();
    Invalidate();
}

void TIACheckControl::SetControlType(TIACheckControlType v)
{
    if (v == controlType_ || !Within(v, iacctCheck, iacctSelect)) {
        return;
    }
    controlType_ = v;
    if (checked_ && v == iacctSelect) {
        ApplyGroupRule();
    }
    LayoutChanged();
}

void TIACheckControl::SetTextAngle(int v)
{
    StoreAndLayOut(textAngle_, NormalizeTextAngle(v));
}

void TIACheckControl::SetTextLines(const CheckTextLines* lines)
{
    if (lines) {
        const std::string text = lines->Text();
        lines_.SetText(text);
        CustomControl::SetText(text);
    } else {
        lines_.Clear();
        CustomControl::SetText("");
    }
    LayoutChanged();
}

void TIACheckControl::SetChecked(bool v)
{
    if (v == checked_) {
        return;
    }
    checked_ = v;
    if (v && controlType_ == iacctSelect) {
        ApplyGroupRule();
    }
    if (OnChangeState) {
        OnChangeState(this, v);
    }
    LayoutChanged();
}

void TIACheckControl::ApplyGroupRule()
{
    WinControl* parent = Parent();
    // While a stored form is loading the parent has no window: radio
    // buttons stored on all stay on.
    if (!parent || !parent->HandleAllocated()) {
        return;
    }
    // By index, re-reading the count: a sibling's handler may change the list.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TIACheckControl*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->controlType_ == iacctSelect && sibling->groupIndex_ == groupIndex_) {
            sibling->SetChecked(false);
        }
    }
}

ImageList* TIACheckControl::GetImageList() const
{
    // The list is held by reference only; one that its owner has already
    // freed is no longer on the owner's list and is never drawn from.
    if (imageList_ && imageListOwner_) {
        for (int i = 0; i < imageListOwner_->ComponentCount(); ++i) {
            if (imageListOwner_->Components(i) == imageList_) {
                return imageList_;
            }
        }
        return nullptr;
    }
    return imageList_;
}

void TIACheckControl::SetImageList(ImageList* list)
{
    imageList_ = list;
    imageListOwner_ = list ? list->Owner() : nullptr;
}

void TIACheckControl::SetAutoSize(bool v)
{
    // Takes effect at the next paint, never at once.
    autoSize_ = v;
    UpdateWindowRegion();
}

void TIACheckControl::SetText(const std::string& text)
{
    CustomControl::SetText(text);
    lines_.SetText(text);
    LayoutChanged();
}

void TIACheckControl::SetFont(const Font& font)
{
    CustomControl::SetFont(font); // its notification lays out again
    UpdateWindowRegion();
}

void TIACheckControl::SetEnabled(bool enabled)
{
    CustomControl::SetEnabled(enabled);
    LayoutChanged();
}

void TIACheckControl::SetVisible(bool visible)
{
    CustomControl::SetVisible(visible);
    Invalidate();
}

void TIACheckControl::SetWidth(int v)
{
    CustomControl::SetWidth(v);
    UpdateWindowRegion();
}

void TIACheckControl::SetHeight(int v)
{
    CustomControl::SetHeight(v);
    UpdateWindowRegion();
}

void TIACheckControl::Assign(const Component* source)
{
    const auto* s = dynamic_cast<const TIACheckControl*>(source);
    if (!s) {
        throw Error("Cannot assign " + std::string(source ? source->Name() : "nil") + " to a TIACheckControl");
    }
    SetBounds(Left(), Top(), s->Width(), s->Height());
    SetColor(s->GetColor());
    SetAutoSize(s->autoSize_);
    SetFont(s->GetFont());
    SetText(s->Text());
    lines_.SetText(s->lines_.Text());
    controlType_ = s->controlType_;
    groupIndex_ = s->groupIndex_;
    SetChecked(s->checked_);
    color1_ = s->color1_;
    color2_ = s->color2_;
    style_ = s->style_;
    textAlign_ = s->textAlign_;
    fieldHAlign_ = s->fieldHAlign_;
    fieldVAlign_ = s->fieldVAlign_;
    imageList_ = s->imageList_;
    imageListOwner_ = s->imageListOwner_;
    gap_ = s->gap_;
    transparent_ = s->transparent_;
    SetTabStop(s->TabStop());
    showFocus_ = s->showFocus_;
    text3D_ = s->text3D_;
    // The values copied bare above move the field and the text: without
    // this the window would keep the shape of the old layout.
    LayoutChanged();
}

Size TIACheckControl::FieldSize() const
{
    const ImageList* images = GetImageList();
    return CheckFieldSizeFor(style_, images != nullptr, images ? images->Width() : 0, images ? images->Height() : 0);
}

std::vector<Size> TIACheckControl::MeasureLines() const
{
    std::vector<Size> sizes;
    if (lines_.Count() == 0) {
        return sizes;
    }
    Font unrotated = font_;
    unrotated.OnChange = nullptr;
    unrotated.SetEscapement(0);
    MemoryDc dc;
    FontHandle font(CreateFontFor(unrotated));
    Selection selected(dc.Get(), font.Get());
    for (const std::string& line : lines_.Lines()) {
        SIZE size{};
        GetTextExtentPoint32A(dc.Get(), line.c_str(), static_cast<int>(line.size()), &size);
        sizes.push_back({static_cast<int>(size.cx), static_cast<int>(size.cy)});
    }
    return sizes;
}

CheckLayout TIACheckControl::Layout() const
{
    CheckLayoutInput in;
    in.textAngle = textAngle_;
    in.textAlign = textAlign_;
    in.fieldVerticalAlign = fieldVAlign_;
    in.fieldHorizontalAlign = fieldHAlign_;
    in.gap = gap_;
    in.field = FieldSize();
    in.lines = MeasureLines();
    return CheckLayout(std::move(in));
}

void TIACheckControl::UpdateWindowRegion()
{
    if (!HandleAllocated()) {
        return;
    }
    if (!transparent_) {
        SetWindowRgn(hwnd_, nullptr, TRUE);
        return;
    }
    const CheckLayout layout = Layout();
    const Point k = layout.CheckFieldPos();
    const Size f = layout.FieldSize();
    RegionHandle region(CreateRectRgn(k.x, k.y, k.x + f.cx, k.y + f.cy));
    POINT corners[4];
    const auto text = layout.TextCorners();
    for (int i = 0; i < 4; ++i) {
        corners[i] = {text[static_cast<std::size_t>(i)].x, text[static_cast<std::size_t>(i)].y};
    }
    RegionHandle polygon(CreatePolygonRgn(corners, 4, ALTERNATE));
    if (region && polygon) {
        CombineRgn(region.Get(), region.Get(), polygon.Get(), RGN_OR);
    }
    polygon.Reset();
    // The window owns the region once it accepts it.
    if (region && SetWindowRgn(hwnd_, region.Get(), TRUE)) {
        region.Release();
    }
}

void TIACheckControl::CreateParams(WindowParams& params)
{
    CustomControl::CreateParams(params);
    params.exStyle |= WS_EX_TRANSPARENT;
}

void TIACheckControl::CreateWnd()
{
    CustomControl::CreateWnd();
    UpdateWindowRegion();
}

LRESULT TIACheckControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // A double click is one more press: the framework's double-click
    // handling never runs, so OnDblClick is not raised by the mouse.
    if (msg == WM_LBUTTONDBLCLK) {
        return WndProc(WM_LBUTTONDOWN, 0, 0);
    }
    return CustomControl::WndProc(msg, wParam, lParam);
}

void TIACheckControl::Activate()
{
    if (!Enabled()) {
        return;
    }
    if (controlType_ == iacctCheck) {
        SetChecked(!checked_);
    } else {
        SetChecked(true);
    }
}

void TIACheckControl::MouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    CustomControl::MouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !Enabled()) {
        return;
    }
    Activate();
    SetFocus();
}

void TIACheckControl::KeyUp(unsigned short& key, ShiftState shift)
{
    CustomControl::KeyUp(key, shift); // OnKeyUp may clear the key
    if (Enabled() && key == VK_SPACE) {
        Activate();
    }
}

void TIACheckControl::DoEnter()
{
    CustomControl::DoEnter();
    Invalidate();
}

void TIACheckControl::DoExit()
{
    CustomControl::DoExit();
    Invalidate();
}

void TIACheckControl::Resize()
{
    CustomControl::Resize();
    UpdateWindowRegion();
}

bool TIACheckControl::EraseBackground(HDC dc)
{
    PaintParentBackground(dc);
    return true;
}

void TIACheckControl::PaintParentBackground(HDC dc)
{
    WinControl* parent = Parent();
    if (!parent) {
        return;
    }
    SavedDc saved(dc);
    POINT origin{0, 0};
    if (hwnd_ && parent->HandleAllocated()) {
        ::ClientToScreen(hwnd_, &origin);
        ::ScreenToClient(parent->Handle(), &origin);
    } else {
        const Point p = OriginIn(parent);
        origin = {p.x, p.y};
    }
    POINT windowOrigin{};
    GetWindowOrgEx(dc, &windowOrigin);
    // What the parent draws at the control's place lands at (0, 0).
    SetWindowOrgEx(dc, windowOrigin.x + origin.x, windowOrigin.y + origin.y, nullptr);
    if (parent->HandleAllocated()) {
        SendMessageA(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    }
    parent->PaintControls(dc);
}

void TIACheckControl::Paint()
{
    Canvas& canvas = GetCanvas();
    if (!Visible() && !Designing()) {
        return;
    }
    const CheckLayout layout = Layout();
    const Size needed = layout.NeededSize();
    if (autoSize_ && (Width() != needed.cx || Height() != needed.cy)) {
        SetBounds(Left(), Top(), needed.cx, needed.cy);
    }
    canvas.brush.color = GetColor();
    canvas.brush.style = BrushStyle::Clear;
    DrawLines(canvas, layout);
    canvas.brush.style = BrushStyle::Solid;
    if (showFocus_ && Focused() && Enabled()) {
        DrawFocusFrame(canvas, layout);
    }

    const ImageList* images = GetImageList();
    CheckFieldState field;
    field.style = style_;
    field.type = controlType_;
    field.checked = checked_;
    field.enabled = Enabled();
    field.color = GetColor();
    field.color1 = color1_;
    field.color2 = color2_;
    field.pos = layout.CheckFieldPos();
    field.size = layout.FieldSize();
    field.images = images;
    DrawCheckField(canvas, field);
}

void TIACheckControl::DrawLines(Canvas& canvas, const CheckLayout& layout)
{
    const std::vector<TextLayer> layers = TextLayersFor(text3D_, Enabled(), font_.GetColor(), GetColor());
    for (int i = 0; i < lines_.Count(); ++i) {
        const std::string& line = lines_[i];
        const Point q = layout.LineOutput(static_cast<std::size_t>(i));
        canvas.font = font_;
        canvas.font.SetEscapement(textAngle_);
        HDC dc = canvas.Handle();
        if (!dc) {
            // A canvas without a device (recording) gets the plain calls.
            for (const TextLayer& layer : layers) {
                canvas.font.SetColor(layer.color);
                canvas.WriteText(q.x + layer.dx, q.y + layer.dy, line);
            }
            continue;
        }
        // The rotated font with the quality this platform draws best.
        FontHandle rotated;
        {
            FontHandle plain(CreateFontFor(canvas.font));
            LOGFONTA description{};
            GetObjectA(plain.Get(), sizeof description, &description);
            description.lfEscapement = textAngle_;
            description.lfOrientation = textAngle_;
            description.lfQuality = SmoothFonts() ? ANTIALIASED_QUALITY : PROOF_QUALITY;
            rotated.Reset(CreateFontIndirectA(&description));
        }
        SavedDc saved(dc);
        Selection selected(dc, rotated.Get());
        SetBkMode(dc, TRANSPARENT);
        ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        for (const TextLayer& layer : layers) {
            SetTextColor(dc, ColorToRGB(layer.color));
            TextOutA(dc, q.x + layer.dx, q.y + layer.dy, line.c_str(), static_cast<int>(line.size()));
        }
    }
}

void TIACheckControl::DrawFocusFrame(Canvas& canvas, const CheckLayout& layout)
{
    if (!HandleAllocated()) {
        return;
    }
    const auto corners = layout.FocusCorners();
    POINT points[4];
    for (int i = 0; i < 4; ++i) {
        points[i] = {corners[static_cast<std::size_t>(i)].x, corners[static_cast<std::size_t>(i)].y};
    }
    RegionHandle region(CreatePolygonRgn(points, 4, ALTERNATE));
    canvas.brush.color = BlendColor(GetColor(), clBlack, 100, 30);
    HDC dc = canvas.Handle();
    if (!dc || !region) {
        return;
    }
    if (auto* gdi = dynamic_cast<GdiCanvas*>(&canvas)) {
        FrameRgn(dc, region.Get(), gdi->BrushHandle(), 1, 1);
    } else {
        BrushHandle brush(CreateSolidBrush(ColorToRGB(canvas.brush.color)));
        FrameRgn(dc, region.Get(), brush.Get(), 1, 1);
    }
}

} // namespace klarvo
