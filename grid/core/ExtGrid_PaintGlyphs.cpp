// TExtStringGrid: the control glyphs (check boxes, radio buttons), the glyph pictures of the grid's
// resource file, and the design-time quick configuration box.
#include "grid/base/DrawHelpers.h"
#include "grid/core/ExtGrid.h"
#include "platform/graphics/ClassicDraw.h"

#include <map>
#include <memory>

static void InitGridGlyphResources()
{
    Q_INIT_RESOURCE(ExtGridGlyphs);
}

namespace
{

// The resource file lives in a static library: register it before the first glyph is looked up.
struct TGlyphResources {
    TGlyphResources() { InitGridGlyphResources(); }
} glyphResources;

// Glyph bitmaps by check-box state: checked enabled, checked disabled, unchecked enabled, unchecked
// disabled (the pictures are numbered 1, 3, 2, 4 within a style).
constexpr int GlyphNumber[2][2] = {{4, 2}, {3, 1}}; // [checked][enabled]

} // namespace

const TBitmap* TExtStringGrid::Glyph(const QString& Name)
{
    // Loaded once: glyphs are drawn for every visible check box on every paint.
    static std::map<QString, std::unique_ptr<TBitmap>> cache;
    auto it = cache.find(Name);
    if (it == cache.end()) {
        auto bitmap = std::make_unique<TBitmap>();
        bitmap->LoadFromResourceName(Name);
        bitmap->SetTransparent(true);
        it = cache.emplace(Name, std::move(bitmap)).first;
    }
    return it->second.get();
}

void TExtStringGrid::DrawCheck(TCanvas* ACanvas, TRect R, bool Checked, bool Enabled, bool Grayed,
                               TGridControlStyle Style, bool UseState, TCheckBoxState State)
{
    if (FControlLook->NoDisabledCheckRadioLook() || FControlLook->CheckAlwaysActive)
        Enabled = true;
    // No visual themes here: the themed look is the classic one.
    if (Style == csTheme)
        Style = csClassic;
    if (UseState) {
        Checked = State == cbChecked;
        if (State == cbGrayed)
            Grayed = true;
    }
    const int size = FControlLook->CheckSize();
    switch (Style) {
    case csClassic:
    case csFlat: {
        uint32_t flags = DFCS_BUTTONCHECK;
        if (Checked)
            flags |= DFCS_CHECKED;
        if (Grayed)
            flags |= DFCS_BUTTON3STATE | DFCS_CHECKED;
        if (Style == csFlat)
            flags |= DFCS_FLAT;
        if (!Enabled)
            flags |= DFCS_INACTIVE;
        const int l = R.Left + (R.Width() - size) / 2, t = R.Top + (R.Height() - size) / 2;
        DrawFrameControl(ACanvas->Handle(), TRect{l, t, l + size, t + size}, DFC_BUTTON, flags);
        break;
    }
    case csWinXP:
    case csQel: {
        const int n = GlyphNumber[Checked][Enabled] + (Style == csWinXP ? 4 : 0);
        ACanvas->Draw(R.Left, R.Top, Glyph(QString("ESGCHK%1").arg(n, 2, 10, QChar('0'))));
        break;
    }
    case csMorvale: {
        ACanvas->Brush->Color = Enabled ? clBtnFace : clBtnShadow;
        ACanvas->Pen->Color = clBtnFace;
        ACanvas->Rectangle(R);
        ACanvas->Pen->Color = clBtnHighlight;
        ACanvas->MoveTo(R.Left, R.Bottom - 1);
        ACanvas->LineTo(R.Left, R.Top);
        ACanvas->LineTo(R.Right - 1, R.Top);
        ACanvas->Pen->Color = clBtnShadow;
        ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
        ACanvas->LineTo(R.Left, R.Bottom - 1);
        if (Checked) {
            ACanvas->Pen->Color = Enabled ? FControlLook->Color() : TColor(0x00808080);
            ACanvas->Pen->Width = 1;
            --R.Top;
            --R.Bottom;
            const int mid = R.Top + size / 2;
            ACanvas->MoveTo(R.Left + 2, mid);
            ACanvas->LineTo(R.Left + 2, R.Bottom - 1);
            ACanvas->MoveTo(R.Left + 3, mid);
            ACanvas->LineTo(R.Left + 3, R.Bottom - 2);
            ACanvas->MoveTo(R.Left + 2, R.Bottom - 1);
            ACanvas->LineTo(R.Right - 2, R.Top + 3);
            ACanvas->MoveTo(R.Left + 3, R.Bottom - 1);
            ACanvas->LineTo(R.Right - 1, R.Top + 3);
        }
        break;
    }
    case csGlyph: {
        const TBitmap* glyph = Checked ? FControlLook->CheckedGlyph() : FControlLook->UnCheckedGlyph();
        if (!glyph->Empty()) {
            const_cast<TBitmap*>(glyph)->SetTransparent(true);
            ACanvas->Draw(R.Left, R.Top, glyph);
        }
        break;
    }
    default:
        break;
    }
}

// ---- Design-time quick configuration box -------------------------------------------------------------

namespace
{

void DesignFont(TCanvas* ACanvas)
{
    ACanvas->Font->Name = "Tahoma";
    ACanvas->Font->Size = 8;
    ACanvas->Font->Style = 0;
}

} // namespace

TRect TExtStringGrid::DesignHelperRect()
{
    DesignFont(Canvas);
    const int h = Canvas->TextHeight("gh");
    const TRect client = ClientRect();
    return TRect{client.Right - 150, client.Bottom - 4 * h - 18, client.Right, client.Bottom};
}

void TExtStringGrid::PaintDesignHelper()
{
    const TRect box = DesignHelperRect();
    const int h = Canvas->TextHeight("gh");
    const int L = box.Left, T = box.Top;
    Canvas->Brush->Color = clInfoBk;
    Canvas->Pen->Color = 0x00808080;
    Canvas->Font->Color = 0x00800000;
    Canvas->Font->Style = fsUnderline;
    Canvas->Rectangle(box);
    Canvas->TextOut(L + 4, T + 4, QString("Quick config [v%1]").arg(Version()));
    Canvas->Draw(box.Right - 16, T + 2, Glyph("ESGCLOSE"));
    auto line = [&](int n) { Canvas->Font->Style = FLastDesignChoice == n ? fsUnderline : 0; };
    line(1);
    DrawCheck(Canvas, TRect{L + 4, T + h + 4, L + 20, T + h + 20}, Options().Contains(goEditing), true, false,
              csWinXP, false, cbUnchecked);
    Canvas->Brush->Style = bsClear;
    Canvas->TextOut(L + 22, T + h + 6, "Allow edit");
    line(2);
    DrawCheck(Canvas, TRect{L + 4, T + 2 * h + 6, L + 20, T + 2 * h + 22}, FShowColNrs, true, false, csWinXP, false,
              cbUnchecked);
    Canvas->TextOut(L + 22, T + 2 * h + 8, "Column numbers");
    line(3);
    Canvas->TextOut(L + 4, T + 3 * h + 10, "Set look: " + LookToDisplayName(Look));
    Canvas->Brush->Style = bsSolid;
}

int TExtStringGrid::DesignHelperHitTest(int X, int Y)
{
    const TRect box = DesignHelperRect();
    const int g = Canvas->TextHeight("gh") + 2;
    const int L = box.Left, T = box.Top;
    int line = -1;
    if (X > box.Right - 16 && Y > T && Y < T + 16)
        line = 4;
    if (X > L && X < L + 18 + Canvas->TextWidth("Allow edit") && Y > T + g + 4 && Y < T + 2 * g + 4)
        line = 1;
    if (X > L && X < L + 18 + Canvas->TextWidth("Column numbers") && Y > T + 2 * g + 4 && Y < T + 3 * g + 4)
        line = 2;
    if (X > L && X < L + Canvas->TextWidth("Set look: " + LookToDisplayName(Look)) && Y > T + 3 * g + 4 &&
        Y < T + 4 * g + 4)
        line = 3;
    return line;
}

void TExtStringGrid::DesignHelperClick(int X, int Y)
{
    switch (DesignHelperHitTest(X, Y)) {
    case 1:
        SetOptions(Options().Contains(goEditing) ? Options() - goEditing : Options() | goEditing);
        break;
    case 2:
        FShowColNrs = !FShowColNrs;
        InvalidateGrid();
        break;
    case 3: {
        // Menu order and command ids (the look's ordinal + 1).
        static const int ids[] = {1, 2, 3, 4, 6, 9, 5, 7, 8};
        static const QStringList items = {"Standard", "Soft",          "Classic",   "Qel",       "ListView",
                                          "Office 2007", "Windows XP", "Windows Vista", "Windows 7"};
        int checked = -1;
        for (int i = 0; i < 9; ++i)
            if (ids[i] == Look + 1)
                checked = i;
        const int chosen = OnDesignLookMenu ? OnDesignLookMenu(items, checked) : 0;
        if (chosen > 0)
            SetLook(static_cast<TGridLook>(chosen - 1));
        break;
    }
    case 4:
        SetShowDesignHelper(false);
        break;
    default:
        break;
    }
}
