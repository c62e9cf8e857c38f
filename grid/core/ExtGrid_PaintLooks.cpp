// TExtStringGrid: grid styles, component style, colour tones, colour schemes, the Office theme, the Look
// presets and the coloured border. The presets are tables; the code only applies them.
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"
#include "grid/edit/GridCombo.h"

#include <QPainter>
#include <optional>

namespace
{

// "Not written by the style": the value the earlier steps left stays.
constexpr TColor Keep = 0x2FFFFFFF;

enum TFixedForward { fwNone, fwForward, fwForwardThenNone, fwClear };

struct TStyleRow {
    std::optional<TGridLook> Look;
    TColor GradFrom, GradTo, MirrorFrom, MirrorTo;
    TColor ActiveFrom, ActiveTo;
    TColor SelColor, SelColorTo, SelText;
    TColor GridLine, GridFixedLine;
    std::optional<TGridSelectionStyle> SelStyle;
    TFixedForward Forward;
    bool ForwardMirror;
};

// Table 1: one row per style, in the order of TExtGridStyle.
const TStyleRow StyleTable[] = {
    // gsOffice2003Blue
    {glXP, 0x00FCE1CB, 0x00E0A57D, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x0094E6FB, 0x001595EE, 0x00000000,
     0x00C0C0C0, 0x00808080, std::nullopt, fwForward, false},
    // gsOffice2003Silver
    {glXP, 0x00ECE2E1, 0x00B39698, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x0094E6FB, 0x001595EE, 0x00000000,
     0x00C0C0C0, 0x00808080, std::nullopt, fwForward, false},
    // gsOffice2003Olive
    {glXP, 0x00CFF0EA, 0x008CC0B1, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x0094E6FB, 0x001595EE, 0x00000000,
     0x00C0C0C0, 0x00808080, std::nullopt, fwForward, false},
    // gsOffice2003Classic
    {glXP, 0x00FFFFFF, 0x00CCD4D8, clNone, clNone, 0x00D8D5D4, 0x00D8D5D4, Keep, Keep, Keep, 0x00C0C0C0,
     0x00808080, std::nullopt, fwClear, false},
    // gsOffice2007Luna
    {glOffice2007, 0x00FBF9F6, 0x00E8DBD2, clNone, clNone, 0x009DD8F9, 0x005EC1F1, 0x005EC1F1, Keep, 0x00000000,
     0x00F1EDEB, 0x00D1BBA4, ssOffice2007, fwForward, false},
    // gsOffice2007Obsidian
    {glOffice2007, 0x00F7F7F7, 0x00DEDEDE, clNone, clNone, 0x009DD8F9, 0x005EC1F1, 0x005EC1F1, Keep, 0x00000000,
     0x00E5D7D0, 0x00808080, std::nullopt, fwForward, false},
    // gsWindowsXP
    {glXP, clBtnFace, clBtnFace, clNone, clNone, clBtnFace, clBtnFace, Keep, Keep, Keep, 0x00C0C0C0, 0x00808080,
     std::nullopt, fwClear, false},
    // gsWhidbey
    {std::nullopt, 0x00FFFFFF, clBtnFace, clNone, clNone, 0x0094E6FB, 0x001595EE, Keep, Keep, Keep, 0x00C0C0C0,
     0x00808080, std::nullopt, fwClear, false},
    // gsCustom
    {std::nullopt, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, std::nullopt, fwNone, false},
    // gsOffice2007Silver
    {glOffice2007, 0x00F3F3F1, 0x00CAC9C8, Keep, Keep, 0x0099CCFF, 0x00699CFF, 0x0095C7F5, Keep, 0x00000000,
     0x00E5D7D0, 0x00808080, std::nullopt, fwForward, false},
    // gsWindowsVista
    {glVista, 0x00FFFFFF, 0x00FFFFFF, 0x00FAF8F7, 0x00F4F2F1, 0x00FDF8F1, 0x00FCEFD5, 0x00EACAB6, Keep, 0x00000000,
     0x00ECECF0, 0x00D4D2D1, ssVista, fwForwardThenNone, true},
    // gsWindows7
    {glWin7, 0x00FDFCFA, 0x00FAF0E6, 0x00F4E6DC, 0x00F7E9DD, 0x00FCEBDC, 0x00FCDBC1, 0x00EACAB6, Keep, 0x00000000,
     0x00ECECF0, 0x00D4D2D1, ssWin7, fwForwardThenNone, true},
    // gsTerminal
    {glStandard, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, Keep, std::nullopt, fwNone, false},
    // gsOffice2010Blue
    {glOffice2007, 0x00F5E7DA, 0x00F5E7DA, 0x00F5E7DA, 0x00F5E7DA, 0x005BD5FF, 0x0071EFFF, 0x00FFDBB7, Keep,
     0x00000000, 0x00C0C0C0, 0x00C7B0A0, ssDefault, fwForwardThenNone, true},
    // gsOffice2010Silver
    {glOffice2007, 0x00E8E3DF, 0x00E8E3DF, 0x00E8E3DF, 0x00E8E3DF, 0x005BD5FF, 0x0071EFFF, 0x00FFDBB7, Keep,
     0x00000000, 0x00C0C0C0, 0x00BAB5B1, ssDefault, fwForwardThenNone, true},
    // gsOffice2010Black
    {glOffice2007, 0x006A6A6A, 0x006A6A6A, 0x006A6A6A, 0x006A6A6A, 0x005BD5FF, 0x0071EFFF, 0x00FFDBB7, Keep,
     0x00000000, 0x00C0C0C0, 0x00444444, ssDefault, fwForwardThenNone, true},
};
static_assert(std::size(StyleTable) == gsOffice2010Black + 1);

// How the hot colours reach the grid (table 2).
enum THotRoute { hrControlLook, hrGridThenControlLook, hrPresetThenControlLook, hrClearThenControlLook };

struct TFixedFace {
    TColor From, To, MirrorFrom, MirrorTo, Border;
};

struct TStyleFaces {
    TExtGridStyle Style;
    THotRoute Route;
    TFixedFace Hot, Down;
    TColor Header; // the sort header colours (Keep: untouched)
};

const TStyleFaces FaceTable[] = {
    {gsOffice2007Luna, hrControlLook, {0x00E4E2DF, 0x00DBD3CD, 0x00DBD3CD, 0x00D2C5BC, 0x00B79F87},
     {0x00E4C19D, 0x00E4C19D, 0x00E4C19D, 0x00E4C19D, 0x00E4C19D}, Keep},
    {gsWindowsVista, hrGridThenControlLook, {0x00FFF7E3, 0x00FFF7E3, 0x00FFEDBD, 0x00FBE7B7, 0x00E3C993},
     {0x00F9E4BC, 0x00F9E4BC, 0x00F7D68D, 0x00F5D18A, 0x00AE904F}, 0x00FCF9F2},
    {gsWindows7, hrPresetThenControlLook, {0x00FEFBF8, 0x00FAF2ED, 0x00F4E4D7, 0x00E8D2C1, 0x00EEE8E3},
     {0x00F1E8DD, 0x00F1E4D8, 0x00ECDBCF, 0x00EDDCCF, 0x00D5BCAA}, 0x00FCF9F2},
    {gsOffice2010Blue, hrClearThenControlLook, {0x006BDFFF, 0x00AFEFFF, 0x00AFEFFF, 0x00E6FCFF, 0x003ABFE8},
     {0x005BD5FF, 0x0064E0FF, 0x0064E0FF, 0x0071EFFF, 0x00308AC2}, 0x00D6CEC7},
    {gsOffice2010Silver, hrClearThenControlLook, {0x006BDFFF, 0x00AFEFFF, 0x00AFEFFF, 0x00E6FCFF, 0x003ABFE8},
     {0x005BD5FF, 0x0064E0FF, 0x0064E0FF, 0x0071EFFF, 0x00308AC2}, 0x00AAAAAA},
    {gsOffice2010Black, hrClearThenControlLook, {0x006BDFFF, 0x00AFEFFF, 0x00AFEFFF, 0x00E6FCFF, 0x003ABFE8},
     {0x005BD5FF, 0x0064E0FF, 0x0064E0FF, 0x0071EFFF, 0x00308AC2}, 0x00BABABA},
};

struct TSchemeRow {
    TColor GradFrom, GradTo, MirrorFrom, MirrorTo, ActiveFrom, ActiveTo, FooterFrom, FooterTo;
    bool Forward;
};

// SetTheme, in the order of TXPColorScheme.
const TSchemeRow SchemeTable[] = {
    {0x00FFFFFF, clBtnFace, clNone, clNone, 0x00FFFFFF, 0x00FFD9B3, 0x00FFFFFF, 0x00FFD9B3, false}, // xpNone
    {0x00FCE1CB, 0x00E0A57D, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x00FCE1CB, 0x00E0A57D, true}, // xpBlue
    {0x00CFF0EA, 0x008CC0B1, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x00CFF0EA, 0x008CC0B1, true}, // xpGreen
    {0x00ECE2E1, 0x00B39698, clNone, clNone, 0x0094E6FB, 0x001595EE, 0x00ECE2E1, 0x00B39698, true}, // xpGray
    {0x00FFFFFF, 0x00FFFFFF, 0x00FAF8F7, 0x00F4F2F1, 0x0094E6FB, 0x001595EE, 0x00ECE2E1, 0x00B39698,
     true}, // vistaAero
};

struct TOfficeStyle {
    TOfficeTheme Theme;
    TQelStyle Style;
};

const TOfficeStyle OfficeStyles[] = {
    {ot2003Blue, tsOffice2003Blue},       {ot2003Silver, tsOffice2003Silver}, {ot2003Olive, tsOffice2003Olive},
    {ot2003Classic, tsOffice2003Classic}, {ot2007Blue, tsOffice2007Luna},     {ot2007Silver, tsOffice2007Silver},
    {ot2007Black, tsOffice2007Obsidian},  {ot2010Blue, tsOffice2010Blue},     {ot2010Silver, tsOffice2010Silver},
    {ot2010Black, tsOffice2010Black},
};

struct TLookNames {
    const char* Str;
    const char* Display;
};

const TLookNames LookNames[] = {
    {"glStandard", "Standard"},     {"glSoft", "Soft"},   {"glClassic", "Classic"},
    {"glQel", "Qel"},               {"glXP", "Windows XP"}, {"glListView", "ListView"},
    {"glVista", "Windows Vista"},   {"glWin7", "Windows 7"}, {"glOffice2007", "Office2007"},
    {"", ""}, // glCustom
};

} // namespace

// ---- Grid style --------------------------------------------------------------------------------------

void TExtStringGrid::SetStyle(TExtGridStyle AStyle)
{
    // 1.
    SetSelectionColor(clHighlight);
    SetSelectionColorTo(clNone);
    SetSelectionTextColor(clHighlightText);
    SetSelectionStyle(ssDefault);
    FSortHeaderColors = {clNone, clNone, clNone, clNone};
    FControlLook->Init();
    if (AStyle < gsOffice2003Blue || AStyle > gsOffice2010Black) {
        InvalidateGrid();
        return;
    }
    FGridStyle = AStyle;
    const TStyleRow& row = StyleTable[AStyle];

    // 2.
    if (row.Look)
        SetLook(*row.Look);

    // 3. Table 1.
    auto put = [](TColor& field, TColor value) {
        if (value != Keep)
            field = value;
    };
    auto putGrad = [this](void (TExtStringGrid::*set)(TColor), TColor value) {
        if (value != Keep)
            (this->*set)(value);
    };
    putGrad(&TExtStringGrid::SetQelGradientFrom, row.GradFrom);
    putGrad(&TExtStringGrid::SetQelGradientTo, row.GradTo);
    putGrad(&TExtStringGrid::SetQelGradientMirrorFrom, row.MirrorFrom);
    putGrad(&TExtStringGrid::SetQelGradientMirrorTo, row.MirrorTo);
    put(ActiveCellColor, row.ActiveFrom);
    put(ActiveCellColorTo, row.ActiveTo);
    if (row.SelColor != Keep)
        SetSelectionColor(row.SelColor);
    if (row.SelColorTo != Keep)
        SetSelectionColorTo(row.SelColorTo);
    if (row.SelText != Keep)
        SetSelectionTextColor(row.SelText);
    if (row.GridLine != Keep)
        SetGridLineColor(row.GridLine);
    if (row.GridFixedLine != Keep)
        SetGridFixedLineColor(row.GridFixedLine);
    if (row.SelStyle)
        SetSelectionStyle(*row.SelStyle);
    if (row.Forward == fwForward || row.Forward == fwForwardThenNone) {
        FControlLook->SetFixedGradientFrom(FQelGradFrom);
        FControlLook->SetFixedGradientTo(FQelGradTo);
        if (row.ForwardMirror) {
            FControlLook->SetFixedGradientMirrorFrom(FQelGradMirrorFrom);
            FControlLook->SetFixedGradientMirrorTo(FQelGradMirrorTo);
        }
    }
    if (row.Forward == fwClear || row.Forward == fwForwardThenNone) {
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
    }

    // Table 2.
    for (const TStyleFaces& f : FaceTable) {
        if (f.Style != AStyle)
            continue;
        TControlLook* cl = FControlLook.get();
        auto hotThroughLook = [&](bool border) {
            cl->SetFixedGradientHoverFrom(f.Hot.From);
            cl->SetFixedGradientHoverTo(f.Hot.To);
            cl->SetFixedGradientHoverMirrorFrom(f.Hot.MirrorFrom);
            cl->SetFixedGradientHoverMirrorTo(f.Hot.MirrorTo);
            if (border)
                cl->SetFixedGradientHoverBorder(f.Hot.Border);
        };
        auto hotIntoGrid = [&](const TFixedFace& face) {
            QelGradientHoverFrom = face.From;
            QelGradientHoverTo = face.To;
            QelGradientHoverMirrorFrom = face.MirrorFrom;
            QelGradientHoverMirrorTo = face.MirrorTo;
            QelGradientHoverBorder = face.Border;
        };
        switch (f.Route) {
        case hrControlLook:
            hotThroughLook(true);
            break;
        case hrGridThenControlLook:
            hotIntoGrid(f.Hot);
            hotThroughLook(false);
            break;
        case hrPresetThenControlLook:
            hotIntoGrid({0x00FDF8F3, 0x00F9F3EF, clNone, clNone, 0x00EEE8E3});
            hotThroughLook(false);
            break;
        case hrClearThenControlLook:
            hotIntoGrid({clNone, clNone, clNone, clNone, clNone});
            hotThroughLook(true);
            break;
        }
        cl->SetFixedGradientDownFrom(f.Down.From);
        cl->SetFixedGradientDownTo(f.Down.To);
        cl->SetFixedGradientDownMirrorFrom(f.Down.MirrorFrom);
        cl->SetFixedGradientDownMirrorTo(f.Down.MirrorTo);
        cl->SetFixedGradientDownBorder(f.Down.Border);
        if (f.Header != Keep) {
            if (AStyle == gsWindowsVista || AStyle == gsWindows7)
                FSortHeaderColors = {0x00FCF9F2, 0x00FCF9F2, 0x00F9F1E1, 0x00F6ECD8};
            else
                FSortHeaderColors = {f.Header, f.Header, f.Header, f.Header};
        }
    }

    // 4.
    if (AStyle != gsCustom && AStyle != gsTerminal) {
        FSearchFooter->SetColor(FQelGradFrom);
        FSearchFooter->SetColorTo(FQelGradMirrorTo);
    }
    // 5.
    InvalidateGrid();
}

void TExtStringGrid::SetComponentStyle(TQelStyle AStyle)
{
    FStyle = AStyle;
    SetStyle(static_cast<TExtGridStyle>(AStyle));
    // The drop-down editors take the style when they exist; none are made here.
    if (AStyle != tsCustom && ScrollType() == ssMetro)
        SetScrollType(ssNormal);
}

void TExtStringGrid::AdaptToOfficeTheme()
{
    if (IsDesignTime())
        return;
    const TOfficeTheme theme = CurrentOfficeTheme();
    if (theme == FOldOfficeTheme)
        return;
    for (const TOfficeStyle& s : OfficeStyles)
        if (s.Theme == theme)
            SetComponentStyle(s.Style);
    FOldOfficeTheme = theme;
}

void TExtStringGrid::SetColorTones(const TColorTones& ATones)
{
    FTones = ATones;
    SetLook(glClassic);
    SetFlat(true);
    SetScrollType(ssMetro);
    SetFixedColor(ATones.Foreground.BrushColor);
    FFixedFont->Color = ATones.Foreground.TextColor;
    FFixedFont->Name = GetDefaultFontName();
    SetColor(ATones.Background.BrushColor);
    Font->Name = GetDefaultFontName();
    Font->Color = ATones.Background.TextColor;
    SetSelectionColor(ATones.Selected.BrushColor);
    SetSelectionTextColor(ATones.Selected.TextColor);
    SetSelectionColorTo(clNone);
    SetGridLineColor(0x00E6E6E6);
    SetGridFixedLineColor(AdjustColorBrightness(ATones.Foreground.BrushColor, -20));
    SetBorderStyle(bsNone);
    FControlLook->SetControlStyle(csGlyph);
    {
        TBitmap on, off, radioOff, radioOn;
        on.LoadFromResourceName("metrocheckon");
        off.LoadFromResourceName("metrocheckoff");
        radioOff.LoadFromResourceName("metroradiooff");
        radioOn.LoadFromResourceName("metroradioon");
        FControlLook->SetCheckedGlyph(&on);
        FControlLook->SetUnCheckedGlyph(&off);
        FControlLook->SetRadioOffGlyph(&radioOff);
        FControlLook->SetRadioOnGlyph(&radioOn);
    }
    // The editors' buttons and the drop-down editors take the tones when they exist (editing code).
    FControlLook->SetFlatButton(true);
    if (EditCombo && !IsDesignTime()) {
        EditCombo->ButtonColor = ATones.Background.BrushColor;
        EditCombo->ButtonColorHot = ATones.Hover.BrushColor;
        EditCombo->ButtonColorDown = ATones.Selected.BrushColor;
        EditCombo->ButtonBorderColor = ATones.Background.BorderColor;
        EditCombo->SetBorderColor(Color());
        EditCombo->SetFlat(true);
    }
    ApplyEditorTones(ATones);
    FSearchFooter->SetColor(ATones.Foreground.BrushColor);
    FSearchFooter->SetColorTo(ATones.Foreground.BrushColor);
    FCellNode->SetNodeType(cnFlat);
}

void TExtStringGrid::SetTheme(TXPColorScheme Scheme)
{
    if (Scheme < xpNone || Scheme > vistaAero)
        return;
    const TSchemeRow& s = SchemeTable[Scheme];
    SetQelGradientFrom(s.GradFrom);
    SetQelGradientTo(s.GradTo);
    SetQelGradientMirrorFrom(s.MirrorFrom);
    SetQelGradientMirrorTo(s.MirrorTo);
    ActiveCellColor = s.ActiveFrom;
    ActiveCellColorTo = s.ActiveTo;
    FSearchFooter->SetColor(s.FooterFrom);
    FSearchFooter->SetColorTo(s.FooterTo);
    if (s.Forward) {
        FControlLook->SetFixedGradientFrom(FQelGradFrom);
        FControlLook->SetFixedGradientTo(FQelGradTo);
    } else {
        FControlLook->SetFixedGradientFrom(clNone);
        FControlLook->SetFixedGradientTo(clNone);
    }
}

// ---- Look --------------------------------------------------------------------------------------------

QString TExtStringGrid::LookToStr(TGridLook Value)
{
    return Value >= glStandard && Value <= glCustom ? LookNames[Value].Str : "";
}

QString TExtStringGrid::LookToDisplayName(TGridLook Value)
{
    return Value >= glStandard && Value <= glCustom ? LookNames[Value].Display : "";
}

void TExtStringGrid::SetLook(TGridLook Value)
{
    if (Value == Look)
        return;
    Look = Value;
    TControlLook* cl = FControlLook.get();
    const bool loading = ComponentState() & csLoading;

    // 1.
    if (Value != glCustom) {
        cl->SetFixedGradientMirrorFrom(clNone);
        cl->SetFixedGradientMirrorTo(clNone);
        cl->SetFixedGradientFrom(clNone);
        cl->SetFixedGradientTo(clNone);
        FQelGradFrom = FQelGradTo = FQelGradMirrorFrom = FQelGradMirrorTo = clNone;
        FSortHeaderColors[0] = clNone;
    }

    // 2. and 3.
    switch (Value) {
    case glVista:
        SetStyle(gsWindowsVista);
        FGridStyle = gsWindowsVista;
        SetSelectionStyle(ssVista);
        break;
    case glWin7:
        SetStyle(gsWindows7);
        FGridStyle = gsWindows7;
        SetSelectionStyle(ssWin7);
        break;
    case glOffice2007:
        SetStyle(gsOffice2007Luna);
        FGridStyle = gsOffice2007Luna;
        SetSelectionStyle(ssOffice2007);
        break;
    case glCustom:
        break;
    default: {
        SetSelectionStyle(ssDefault);
        if (loading)
            break;
        const bool plain = Value == glStandard || Value == glSoft || Value == glClassic;
        if (plain) {
            SetFixedColor(clBtnFace);
            cl->SetFixedGradientFrom(clBtnFace);
            cl->SetFixedGradientTo(clNone);
        } else {
            cl->SetFixedGradientFrom(0x00FFFFFF);
            cl->SetFixedGradientTo(clBtnFace);
        }
        SetGridFixedLineColor(0x00808080);
        cl->SetFixedGradientMirrorFrom(clNone);
        cl->SetFixedGradientMirrorTo(clNone);
        FQelGradMirrorFrom = FQelGradMirrorTo = clNone;
        SetGridLineColor(0x00C0C0C0);
        if (Value == glQel || Value == glXP) {
            ActiveCellColor = 0x00EACAB6;
            ActiveCellColorTo = clNone;
            SetSelectionColor(0x00EACAB6);
            SetSelectionColorTo(clNone);
            SetSelectionTextColor(0x00000000);
            FSearchFooter->SetColor(FQelGradFrom);
            FSearchFooter->SetColorTo(FQelGradTo);
            cl->SetFixedGradientFrom(0x00FFFFFF);
            cl->SetFixedGradientTo(Value == glXP ? clBtnFace : TColor(0x00C0C0C0));
            cl->SetFixedGradientHoverFrom(0x00CFD0D1);
            cl->SetFixedGradientHoverTo(0x00BEC6C8);
            cl->SetFixedGradientHoverMirrorFrom(0x00BEC6C8);
            cl->SetFixedGradientHoverMirrorTo(0x00ABBCBF);
            cl->SetFixedGradientDownFrom(0x00868788);
            cl->SetFixedGradientDownTo(0x00737C7E);
            cl->SetFixedGradientDownMirrorFrom(0x00737C7E);
            cl->SetFixedGradientDownMirrorTo(0x00627376);
        } else if (plain || Value == glListView) {
            ActiveCellColor = 0x00808080;
            ActiveCellColorTo = clNone;
            SetSelectionColor(clHighlight);
            SetSelectionTextColor(clHighlightText);
            FSearchFooter->SetColor(clBtnFace);
            FSearchFooter->SetColorTo(clBtnFace);
        }
        break;
    }
    }

    // 4. Every look.
    SetScrollType(ssNormal);
    SetBorderStyle(bsSingle);
    BorderColor = ExtGridBorderColor;
    InvalidateGrid();
    RepaintFrame();
}

// ---- Coloured border ---------------------------------------------------------------------------------

void TExtStringGrid::SetBorderColor(TColor Value)
{
    BorderColor = Value;
    RepaintFrame();
}

void TExtStringGrid::WMNCPaint()
{
    TBaseGrid::WMNCPaint();
    if (FUpdateCount > 0)
        return;
    PaintNCBorder(Canvas);
}

void TExtStringGrid::PaintNCBorder(TCanvas* ACanvas)
{
    const bool colouredLook = Look == glSoft || (Look >= glQel && Look <= glOffice2007);
    if (!colouredLook || BorderStyle() == bsNone || BorderColor == clNone || FFlat)
        return;
    const int W = Width(), H = Height();
    ACanvas->Pen->Width = 1;
    ACanvas->Pen->Style = psSolid;
    if (FFitCellsInGrid) {
        ACanvas->Pen->Color = BorderColor;
        ACanvas->Polyline({{1, H}, {1, 1}, {W - 2, 1}, {W - 2, H - 2}, {1, H - 2}});
        if (Parent()) {
            ACanvas->Pen->Color = Parent()->Color();
            ACanvas->Polyline({{0, H}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
        }
    } else if (FIsComCtl6) {
        ACanvas->Pen->Color = BorderColor;
        ACanvas->Polyline({{0, H - 1}, {0, 0}, {W - 1, 0}, {W - 1, H - 1}, {0, H - 1}});
    }
}
