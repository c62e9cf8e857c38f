// The three style tables of the drop-down family, the item appearance, and the style and tone
// operations of the drop-down edit.
#include "grid/dropdown/DropDownStyles.h"

#include "grid/dropdown/ExtDropDown.h"

#include <array>

namespace dropdownstyles
{
namespace
{

constexpr TColor K = Keep;

// clang-format off
constexpr TWindowColors WindowStyles[] = {
    // style                 window colour  to        border     | strip colour to     font      border    | footer colour to   border
    {tsOffice2003Blue,       0xFFFFFF, clNone,   K,        0xFCE1CB, 0xE0A57D, 0x000000, 0x000000, K,        K,        0x962D00},
    {tsOffice2003Silver,     0xFFFFFF, clNone,   K,        0xECE2E1, 0xB39698, 0x000000, 0x947C7C, K,        K,        K},
    {tsOffice2003Olive,      0xFFFFFF, clNone,   clNone,   0xCFF0EA, 0x8CC0B1, 0x000000, 0x588060, K,        K,        K},
    {tsOffice2003Classic,    0xF2F2F2, 0xF2F2F2, clNone,   0x808080, 0x808080, 0xFFFFFF, 0x808080, K,        K,        K},
    {tsOffice2007Luna,       0xF3E5DA, 0xF0DED0, clNone,   0xFFEFE3, 0xFFD2AF, 0x723708, 0xFFD2AF, K,        K,        K},
    {tsOffice2007Obsidian,   0xFFFFFF, clNone,   clNone,   0xF2F1F0, 0xC9C2BD, 0x433C37, 0x5C534C, K,        K,        K},
    {tsWindowsXP,            0xFFFFFF, clNone,   K,        0xFFFFFF, clBtnFace,0x000000, 0x808080, K,        K,        K},
    {tsWhidbey,              0xF5F9FA, 0xF5F9FA, clNone,   0xEBEEEF, 0x7E9898, 0xFFFFFF, 0x962D00, K,        K,        K},
    {tsOffice2007Silver,     0xF8F4F1, 0xF0E8E3, clNone,   0xF8F7F6, 0xE8E0DB, 0x8B4215, 0x74706F, K,        K,        K},
    {tsWindowsVista,         0xFFFFFF, 0xFFFFFF, 0x979797, 0xFFFDF9, 0xFFFAF0, 0x000000, 0xFCF2DA, 0xFFFAF0, 0xFFFDF9, K},
    {tsWindows7,             0xFFFFFF, 0xFFFFFF, 0x979797, 0xFDFBFA, 0xFDF3EB, 0x000000, 0xFBD6B8, K,        K,        K},
    {tsTerminal,             0xFFFFFF, 0xFFFFFF, 0x808080, clBtnFace,clBtnFace,0x000000, clNone,   K,        K,        K},
    {tsOffice2010Blue,       0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFDF6EF, 0xF0DAC7, 0x5B391E, 0xC7B29F, K,        K,        K},
    {tsOffice2010Silver,     0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xFFFFFF, 0xEDE5E0, 0x5B391E, 0xD2CDC8, K,        K,        K},
    {tsOffice2010Black,      0xFFFFFF, 0xF1EFED, 0xEDEDEC, 0xBFBFBF, 0x919191, 0xD7D7D6, 0x6D6D6D, K,        K,        K},
};

// A row may give only its first colours; the rest come from the row of RestFrom.
struct TButtonRow {
    TQelStyle Style;
    int Own;
    TQelStyle RestFrom;
    TColor Colors[bcCount];
};

// The checked border of tsWindowsVista is its pressed border (the stored value is no colour).
constexpr TButtonRow ButtonRows[] = {
    //                                     Color     ColorTo   Border    Hot       HotTo     BorderHot Down      DownTo    BorderDn  Disabled  DisabledTo Checked  CheckedTo BorderChecked
    {tsOffice2003Blue,    14, tsCustom,        {0xFCE1CB, 0xE0A57D, clNone,   0xEBFDFF, 0xACECFF, 0x99CEDB, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0xF2F2F2, 0xB6B6B6, 0x76AFF1, 0x4190F3, 0x45667B}},
    {tsOffice2003Silver,   2, tsOffice2003Blue, {0xECE2E1, 0xB39698}},
    {tsOffice2003Olive,    2, tsOffice2003Blue, {0xCFF0EA, 0x8CC0B1}},
    {tsOffice2003Classic, 14, tsCustom,        {0xFFFFFF, 0xC9D1D5, clNone,   0xD2BDB6, 0xD2BDB6, 0x808080, 0xB59285, 0xB59285, 0x808080, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0xD8D5D4, 0x808080}},
    {tsOffice2007Luna,     2, tsOffice2003Blue, {0xFFEFE3, 0xFFDDC4}},
    {tsOffice2007Obsidian, 2, tsOffice2003Blue, {0xF2F1F0, 0xC9C2BD}},
    {tsWindowsXP,         14, tsCustom,        {0xFFFFFF, clBtnFace, clNone,  0xEFD3C6, 0xEFD3C6, clHighlight, clInactiveCaption, clInactiveCaption, clHighlight, 0xB6B6B6, 0xB6B6B6, 0xB9D8DC, 0xB9D8DC, 0x000000}},
    {tsWhidbey,            2, tsOffice2003Blue, {0xFFFFFF, 0xDFEDF0}},
    {tsOffice2007Silver,   2, tsOffice2003Blue, {0xF9F8F8, 0xE4E2DF}},
    {tsWindowsVista,      14, tsCustom,        {0xFFFDF9, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFFFAF0, 0xFCF2DA, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFDF0D7, 0xFEDF9A}},
    {tsWindows7,          14, tsCustom,        {0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFDFBFA, 0xFDF3EB, 0xFBD6B8, 0xFCEBDC, 0xFCDBC1, 0xCEA27D, 0xFFFFFF, 0xFFFFFF, 0xFEF9F0, 0xFCDBC1, 0xCEA27D}},
    {tsTerminal,          14, tsCustom,        {clBtnFace, clBtnFace, clNone, 0xC0C0C0, 0xC0C0C0, 0x808080, clHighlight, clHighlight, 0x808080, clBtnFace, clBtnFace, clBtnFace, clBtnFace, clHighlight}},
    {tsOffice2010Blue,    14, tsCustom,        {0xFDF6EF, 0xF0DAC7, 0xC7B29F, 0x8AE3FD, clNone,   0x58CAF1, 0x6CD0FF, clNone,   0x308AC2, 0xF2F2F2, 0xB6B6B6, 0x45E1FE, clNone,   0x4FA0CE}},
    {tsOffice2010Silver,   3, tsOffice2010Blue, {0xFFFFFF, 0xEDE5E0, 0xD2CDC8}},
    {tsOffice2010Black,    3, tsOffice2010Blue, {0xBFBFBF, 0x919191, 0xD7D7D6}},
};

// Groups of table 3 share one row.
constexpr TItemColors G1 = {tsCustom, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, clNone,   clNone,   clNone,   0};
constexpr TItemColors G2 = {tsCustom, 0xEBFDFF, 0xACECFF, 0x59DAFF, 0xA4E9FF, 0xAAD9FF, 0x6EBBFF, 0x42AEFE, 0x7AE1FE, 0x42AEFE, 0xF4FEFF, 0xCAF8FF, 0xC3D9DF, 0};
constexpr TItemColors G3 = {tsCustom, 0xD9F9FD, 0x8AE3FD, 0x8AE3FD, 0xD9F9FD, 0x7BEEFF, 0x6CD0FF, 0x6CD0FF, 0x7BEEFF, 0x308AC2, clNone,   clNone,   clNone,   0};

constexpr TItemColors ItemStyles[] = {
    {tsOffice2003Classic, 0xD2BDB6, 0xD2BDB6, clNone, clNone, 0xB59285, 0xB59285, clNone, clNone, 0x808080, clNone, clNone, clNone, 0},
    {tsWindowsXP,         0xEFD3C6, 0xEFD3C6, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlight, clNone, clNone, clNone, clHighlightText},
    {tsWindowsVista,      0xFFFDF9, 0xFFFAF0, clNone, clNone, 0xFEF9F0, 0xFDF0D7, clNone, clNone, 0xFEDF9A, 0xFDFBF6, 0xFDF5E7, 0xFCEDCB, 0},
    {tsWindows7,          0xFDFBFA, 0xFDF3EB, clNone, clNone, 0xFCEBDC, 0xFCDBC1, clNone, clNone, 0xCEA27D, 0xFDF4EB, 0xFDEADB, 0xE0C5AE, 0},
    {tsTerminal,          0xC0C0C0, 0xC0C0C0, clNone, clNone, clHighlight, clNone, clNone, clNone, 0x808080, clNone, clNone, clNone, clHighlightText},
};
// clang-format on

const TButtonRow* FindButtonRow(TQelStyle Style)
{
    for (const TButtonRow& row : ButtonRows)
        if (row.Style == Style)
            return &row;
    return nullptr;
}

// Table 2 with every row complete.
std::array<TButtonColors, std::size(ButtonRows)> BuildButtonStyles()
{
    std::array<TButtonColors, std::size(ButtonRows)> styles{};
    for (size_t i = 0; i < std::size(ButtonRows); ++i) {
        const TButtonRow& row = ButtonRows[i];
        const TButtonRow* rest = row.Own < bcCount ? FindButtonRow(row.RestFrom) : nullptr;
        styles[i].Style = row.Style;
        for (int c = 0; c < bcCount; ++c)
            styles[i].Colors[c] = c < row.Own || !rest ? row.Colors[c] : rest->Colors[c];
    }
    return styles;
}

} // namespace

const TWindowColors* WindowStyle(TQelStyle Style)
{
    for (const TWindowColors& row : WindowStyles)
        if (row.Style == Style)
            return &row;
    return nullptr;
}

const TButtonColors* ButtonStyle(TQelStyle Style)
{
    static const auto styles = BuildButtonStyles();
    for (const TButtonColors& row : styles)
        if (row.Style == Style)
            return &row;
    return nullptr;
}

const TItemColors* ItemStyle(TQelStyle Style)
{
    static TItemColors groups[10];
    static bool built = false;
    if (!built) {
        const TQelStyle g1[] = {tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsWhidbey};
        const TQelStyle g2[] = {tsOffice2007Luna, tsOffice2007Obsidian, tsOffice2007Silver};
        const TQelStyle g3[] = {tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black};
        int n = 0;
        for (TQelStyle s : g1)
            (groups[n] = G1, groups[n++].Style = s);
        for (TQelStyle s : g2)
            (groups[n] = G2, groups[n++].Style = s);
        for (TQelStyle s : g3)
            (groups[n] = G3, groups[n++].Style = s);
        built = true;
    }
    for (const TItemColors& row : groups)
        if (row.Style == Style)
            return &row;
    for (const TItemColors& row : ItemStyles)
        if (row.Style == Style)
            return &row;
    return nullptr;
}

} // namespace dropdownstyles

// ---- Item appearance -------------------------------------------------------------------------------

namespace
{

struct TItemColorSet {
    TColor ColorHot, ColorHotTo, ColorMirrorHot, ColorMirrorHotTo, BorderColorTop, BorderColorBottom,
        BorderColor, EdgeColor, ColorSelected, ColorSelectedTo, ColorMirrorSelected, ColorMirrorSelectedTo;
};

// In TSelectionColorStyle order from scOffice2007.
// clang-format off
constexpr TItemColorSet ItemColorSets[] = {
    {0xD7FFFD, 0x58D4FC, 0x58D4FC, 0xB3F1FC, 0xF4FEFF, 0xCAF8FF, 0x8DD7D3, 0xC3D9DF, 0xA6FFFB, 0x04B9F4, 0x15C1FB, 0x68E3F9},
    {0xFDF8F1, 0xFCEFD5, clNone,   clNone,   0xFDFBF6, 0xFDF5E7, 0xFDDE99, 0xFCEDCB, 0xFAEEDE, 0xFAE3B4, clNone,   clNone},
    {0xFCEBDC, 0xFCDBC1, clNone,   clNone,   0xFDF4EB, 0xFDEADB, 0xCEA27D, 0xE0C5AE, 0xF9D8B9, 0xFBCAA2, clNone,   clNone},
};
// clang-format on

} // namespace

TItemAppearance::TItemAppearance(TPersistent* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    FFont->Name = "Tahoma";
    SetColorStyle(scOffice2007);
    ColorSelectedText = clBlack;
    ColorHotText = clBlack;
    BorderColorHot = clNone;
    BorderColorSelected = clNone;
}

TItemAppearance::~TItemAppearance() = default;

void TItemAppearance::SetColorStyle(TSelectionColorStyle Value)
{
    if (FColorStyle == Value)
        return;
    FColorStyle = Value;
    if (Value == scCustom)
        return;
    const TItemColorSet& s = ItemColorSets[Value - scOffice2007];
    ColorHot = s.ColorHot;
    ColorHotTo = s.ColorHotTo;
    ColorMirrorHot = s.ColorMirrorHot;
    ColorMirrorHotTo = s.ColorMirrorHotTo;
    BorderColorTop = s.BorderColorTop;
    BorderColorBottom = s.BorderColorBottom;
    BorderColor = s.BorderColor;
    EdgeColor = s.EdgeColor;
    ColorSelected = s.ColorSelected;
    ColorSelectedTo = s.ColorSelectedTo;
    ColorMirrorSelected = s.ColorMirrorSelected;
    ColorMirrorSelectedTo = s.ColorMirrorSelectedTo;
}

void TItemAppearance::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TItemAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    ColorHot = s->ColorHot;
    ColorHotTo = s->ColorHotTo;
    ColorMirrorHot = s->ColorMirrorHot;
    ColorMirrorHotTo = s->ColorMirrorHotTo;
    BorderColorTop = s->BorderColorTop;
    BorderColorBottom = s->BorderColorBottom;
    BorderColor = s->BorderColor;
    EdgeColor = s->EdgeColor;
    ColorSelected = s->ColorSelected;
    ColorSelectedTo = s->ColorSelectedTo;
    ColorMirrorSelected = s->ColorMirrorSelected;
    ColorMirrorSelectedTo = s->ColorMirrorSelectedTo;
    FFont->Assign(s->FFont.get());
    // A different style loads its own set over the colours just copied.
    SetColorStyle(s->FColorStyle);
    ColorSelectedText = s->ColorSelectedText;
    ColorHotText = s->ColorHotText;
    BorderColorHot = s->BorderColorHot;
    BorderColorSelected = s->BorderColorSelected;
}

// ---- Styles and tones of the drop-down edit --------------------------------------------------------

void TExtCustomDropDown::SetComponentStyle(TQelStyle AStyle)
{
    using namespace dropdownstyles;
    FQelStyle = AStyle;
    if (const TWindowColors* w = WindowStyle(AStyle)) {
        SetDropDownColor(w->DropDownColor);
        // The rest is stored as it is: an open window shows it at its next repaint.
        FDropDownColorTo = w->DropDownColorTo;
        if (w->DropDownBorderColor != Keep)
            FDropDownBorderColor = w->DropDownBorderColor;
        const auto strip = [w](auto* appearance, TColor color, TColor colorTo, TColor border) {
            appearance->SetColor(color != Keep ? color : w->Color);
            appearance->SetColorTo(colorTo != Keep ? colorTo : w->ColorTo);
            appearance->Font()->Color = w->FontColor;
            appearance->SetBorderColor(border != Keep ? border : w->BorderColor);
        };
        strip(FDropDownHeader.get(), Keep, Keep, Keep);
        strip(FDropDownFooter.get(), w->FooterColor, w->FooterColorTo, w->FooterBorderColor);
    }
    if (const TButtonColors* b = ButtonStyle(AStyle)) {
        TExtButtonAppearance* a = FButtonAppearance.get();
        const TColor* c = b->Colors;
        a->SetColor(c[bcColor]);
        a->SetColorTo(c[bcColorTo]);
        a->SetBorderColor(c[bcBorderColor]);
        a->SetColorHot(c[bcColorHot]);
        a->SetColorHotTo(c[bcColorHotTo]);
        a->SetBorderColorHot(c[bcBorderColorHot]);
        a->SetColorDown(c[bcColorDown]);
        a->SetColorDownTo(c[bcColorDownTo]);
        a->SetBorderColorDown(c[bcBorderColorDown]);
        a->SetColorDisabled(c[bcColorDisabled]);
        a->SetColorDisabledTo(c[bcColorDisabledTo]);
        a->SetColorChecked(c[bcColorChecked]);
        a->SetColorCheckedTo(c[bcColorCheckedTo]);
        a->SetBorderColorChecked(c[bcBorderColorChecked]);
    }
}

void TExtCustomDropDown::SetColorTones(const TColorTones& ATones)
{
    FColorTones = ATones;
    if (FButton) {
        FButton->FButtonColor = ATones.Background.BrushColor;
        FButton->FButtonColorHot = ATones.Hover.BrushColor;
        FButton->FButtonColorDown = ATones.Selected.BrushColor;
        FButton->FButtonBorderColor = ATones.Background.BorderColor;
    }
    SetBorderColor(ATones.Background.BorderColor);
}

void TExtCustomDropDown::ApplyItemAppearanceStyle(TItemAppearance* Appearance, TQelStyle AStyle)
{
    const dropdownstyles::TItemColors* s = dropdownstyles::ItemStyle(AStyle);
    if (!Appearance || !s)
        return;
    Appearance->BorderColorHot = clNone;
    Appearance->BorderColorSelected = clNone;
    Appearance->ColorSelectedText = 0;
    Appearance->ColorHotText = 0;
    Appearance->ColorHot = s->ColorHot;
    Appearance->ColorHotTo = s->ColorHotTo;
    Appearance->ColorMirrorHot = s->ColorMirrorHot;
    Appearance->ColorMirrorHotTo = s->ColorMirrorHotTo;
    Appearance->ColorSelected = s->ColorSelected;
    Appearance->ColorSelectedTo = s->ColorSelectedTo;
    Appearance->ColorMirrorSelected = s->ColorMirrorSelected;
    Appearance->ColorMirrorSelectedTo = s->ColorMirrorSelectedTo;
    Appearance->BorderColor = s->BorderColor;
    Appearance->BorderColorTop = s->BorderColorTop;
    Appearance->BorderColorBottom = s->BorderColorBottom;
    Appearance->EdgeColor = s->EdgeColor;
    Appearance->ColorSelectedText = s->ColorSelectedText;
}
