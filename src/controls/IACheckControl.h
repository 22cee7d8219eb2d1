#pragma once

// TIACheckControl: the check box and radio button of the shell. One class
// serves both roles (ControlType); it paints its check field and a text of
// one or more lines that may be rotated, cuts its window to the two, and
// paints its parent's background beneath itself.

#include "controls/IACheckControlField.h"
#include "controls/IACheckControlLayout.h"
#include "framework/window/ImageList.h"
#include "framework/window/WinControl.h"

#include <functional>
#include <string>
#include <vector>

namespace klarvo {

class FormClasses;

// The control's lines of text, with a change notification.
class CheckTextLines {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    const std::string& operator[](int i) const { return lines_.at(static_cast<std::size_t>(i)); }
    const std::vector<std::string>& Lines() const { return lines_; }
    void Add(const std::string& line);
    void Set(int i, const std::string& line);
    void Delete(int i);
    void Clear();
    // Every line followed by CR LF.
    std::string Text() const { return JoinTextLines(lines_); }
    // Splits at CR LF, a lone CR or a lone LF.
    void SetText(const std::string& text);

    std::function<void()> OnChange;

private:
    void Changed();
    std::vector<std::string> lines_;
};

class TIACheckControl;
using TIACheckControlChangeStateProcedure = std::function<void(Component* sender, bool newStateSelected)>;

class TIACheckControl : public CustomControl {
public:
    explicit TIACheckControl(Component* owner);
    ~TIACheckControl() override;

    TIACheckControlType ControlType() const { return controlType_; }
    void SetControlType(TIACheckControlType v);
    int TextAngle() const { return textAngle_; }
    void SetTextAngle(int v);
    CheckTextLines& TextLines() { return lines_; }
    const CheckTextLines& TextLines() const { return lines_; }
    // Copies the given lines (none: clears them) and makes them the window text.
    void SetTextLines(const CheckTextLines* lines);
    std::uint32_t GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(std::uint32_t v) { StoreAndLayOut(groupIndex_, v); }
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    TIACheckControlStyle Style() const { return style_; }
    void SetStyle(TIACheckControlStyle v) { StoreAndLayOut(style_, v, iaccsStyle1, iaccsStyle3); }
    klarvo::ImageList* GetImageList() const;
    void SetImageList(klarvo::ImageList* list);
    TIACheckControlTextHAlign TextAlign() const { return textAlign_; }
    void SetTextAlign(TIACheckControlTextHAlign v) { StoreAndLayOut(textAlign_, v, iaccthaLeft, iaccthaCenter); }
    TIACheckControlTextVAlign TextFieldVerticalAlign() const { return fieldVAlign_; }
    void SetTextFieldVerticalAlign(TIACheckControlTextVAlign v)
    {
        StoreAndLayOut(fieldVAlign_, v, iacctvaTop, iacctvaCenter);
    }
    TIACheckControlTextHAlign TextFieldHorizontalAlign() const { return fieldHAlign_; }
    void SetTextFieldHorizontalAlign(TIACheckControlTextHAlign v)
    {
        StoreAndLayOut(fieldHAlign_, v, iaccthaLeft, iaccthaCenter);
    }
    Color CheckFieldColor1() const { return color1_; }
    void SetCheckFieldColor1(Color v) { StoreAndRepaint(color1_, v); }
    Color CheckFieldColor2() const { return color2_; }
    void SetCheckFieldColor2(Color v) { StoreAndRepaint(color2_, v); }
    std::uint8_t GapTextToImage() const { return gap_; }
    void SetGapTextToImage(std::uint8_t v) { StoreAndLayOut(gap_, v); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { StoreAndLayOut(transparent_, v); }
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool v) { StoreAndRepaint(showFocus_, v); }
    TIACheckControlText3DStyle Text3DStyle() const { return text3D_; }
    void SetText3DStyle(TIACheckControlText3DStyle v) { StoreAndRepaint(text3D_, v, iscct3dsSimple, iscct3dsDown); }
    TIACheckControlChangeStateProcedure OnChangeState;
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

    // The framework's properties with this control's own follow-up.
    void SetText(const std::string& text) override;
    void SetFont(const Font& font) override;
    void SetEnabled(bool enabled) override;
    void SetVisible(bool visible) override;
    void SetWidth(int v);
    void SetHeight(int v);

    // Copies another check control's look and state (not its angle or events);
    // any other source raises Error.
    void Assign(const Component* source);

    // The layout for the current properties, text measured in the control's font.
    CheckLayout Layout() const;
    // Recomputes the window's shape; nothing before the window exists.
    void UpdateWindowRegion();

    // Anti-aliased rotated text (Windows 98, Me, NT 4 and later).
    static bool SmoothFonts();

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(WindowParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override;
    void KeyUp(unsigned short& key, ShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Resize() override;

private:
    void LayoutChanged();
    // The setter of a property that moves the text or the field; an
    // enumerated one also names its first and last value.
    template <typename T, typename... Range> void StoreAndLayOut(T& field, const T& value, Range... range)
    {
        if (Store(field, value, range...)) {
            LayoutChanged();
        }
    }
    void Activate();
    void ApplyGroupRule();
    void PaintParentBackground(HDC dc);
    void DrawLines(Canvas& canvas, const CheckLayout& layout);
    void DrawFocusFrame(Canvas& canvas, const CheckLayout& layout);
    std::vector<Size> MeasureLines() const;
    Size FieldSize() const;

    TIACheckControlType controlType_ = iacctCheck;
    int textAngle_ = 0;
    CheckTextLines lines_;
    std::uint32_t groupIndex_ = 0;
    bool checked_ = false;
    TIACheckControlStyle style_ = iaccsStyle1Small;
    klarvo::ImageList* imageList_ = nullptr;
    Component* imageListOwner_ = nullptr;
    TIACheckControlTextHAlign textAlign_ = iaccthaLeft;
    TIACheckControlTextVAlign fieldVAlign_ = iacctvaTop;
    TIACheckControlTextHAlign fieldHAlign_ = iaccthaLeft;
    Color color1_ = Rgb(128, 128, 128);
    Color color2_ = Rgb(192, 192, 192);
    std::uint8_t gap_ = 4;
    bool transparent_ = true;
    bool showFocus_ = true;
    TIACheckControlText3DStyle text3D_ = iscct3dsSimple;
    bool autoSize_ = true;
};

// Makes TIACheckControl known to stored forms, its properties in declaration
// order.
void RegisterIACheckControl(FormClasses& classes);

} // namespace klarvo
