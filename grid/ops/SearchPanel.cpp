// TRetEdit and TSearchPanel: the search footer's edit and strip.
#include "grid/ops/SearchPanel.h"

#include "grid/base/DrawHelpers.h"
#include "grid/base/GridButton.h"
#include "grid/base/GridCheckBox.h"
#include "grid/core/ExtGrid.h"

static void InitSearchGlyphResources()
{
    Q_INIT_RESOURCE(SearchGlyphs);
}

namespace
{

// The pictures live in a static library: register them before the first panel is made.
struct TSearchGlyphResources {
    TSearchGlyphResources() { InitSearchGlyphResources(); }
} searchGlyphResources;

// The panel's layout table.
struct TPlace {
    int Left, Top, Width, Height;
};
constexpr TPlace EditPlace{25, 6, 110, -1};
constexpr TPlace ForwardPlace{140, 5, 90, 23};
constexpr TPlace BackwardPlace{235, 5, 90, 23};
constexpr TPlace ExitPlace{5, 7, 14, 14};
constexpr TPlace HilitePlace{330, 5, 90, 23};
constexpr int MatchCaseLeft = 425;
constexpr int MatchCaseLeftAlone = 330;
constexpr int MatchCaseTop = 8;
constexpr int GradientBands = 32;

void LoadGlyph(TBitmap* Target, const char* Name)
{
    Target->LoadFromResourceName(QString::fromLatin1(Name));
}

void SetGlyphs(TExtGridButton* Button, const char* Normal, const char* Disabled)
{
    TBitmap glyph;
    LoadGlyph(&glyph, Normal);
    Button->SetGlyph(&glyph);
    TBitmap disabled;
    LoadGlyph(&disabled, Disabled);
    Button->SetGlyphDisabled(&disabled);
}

void SetHintOf(TControl* Control, const QString& Hint)
{
    Control->SetHint(Hint);
    Control->SetShowHint(!Hint.isEmpty());
}

} // namespace

// ---- TRetEdit -------------------------------------------------------------------------------------------

bool TRetEdit::WantsKey(WORD Key, TShiftState Shift) const
{
    return Key == VK_RETURN || TEdit::WantsKey(Key, Shift);
}

void TRetEdit::HandleKeyDown(WORD& Key, TShiftState Shift)
{
    if (Key != VK_RETURN) {
        TEdit::HandleKeyDown(Key, Shift);
        return;
    }
    Key = 0;
    if (Shift & ssCtrl) {
        if (OnCtrlReturn)
            OnCtrlReturn(this);
    } else if (OnReturn) {
        OnReturn(this);
    }
}

void TRetEdit::HandleKeyPress(char16_t& Key)
{
    if (Key == 13 || Key == 10) {
        // Seen by OnKeyPress, never typed (no line break, no beep).
        TWinControl::HandleKeyPress(Key);
        Key = 0;
        return;
    }
    TEdit::HandleKeyPress(Key);
}

// ---- TSearchPanel ---------------------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TExtStringGrid* AOwner)
    : TPanel(AOwner), FGrid(AOwner), FEdit(new TRetEdit(this)), FForwardButton(new TExtGridButton(this)),
      FBackwardButton(new TExtGridButton(this)), FExitButton(new TExtGridButton(this)),
      FHiliteButton(new TExtGridButton(this)), FMatchCase(new TExtCheckBox(this))
{
    for (TControl* c : std::initializer_list<TControl*>{FEdit, FForwardButton, FBackwardButton, FExitButton,
                                                         FHiliteButton, FMatchCase})
        c->SetParent(this);
    FEdit->OnChange = [this](TObject*) { EditChanged(); };
    FEdit->OnReturn = [this](TObject*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    FEdit->OnCtrlReturn = [this](TObject*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };
    FForwardButton->OnClick = [this](TObject*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    FBackwardButton->OnClick = [this](TObject*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };
    FExitButton->OnClick = [this](TObject*) {
        if (OnExitClick)
            OnExitClick(this);
    };
    FHiliteButton->OnClick = [this](TObject*) {
        if (OnHighlightClick)
            OnHighlightClick(this);
    };
    FHiliteButton->SetStyle(tasCheck);
    FHiliteButton->SetAllowAllUp(true);
    for (TExtGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton})
        b->SetEnabled(false);
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->Text().isEmpty();
    for (TExtGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton})
        b->SetEnabled(any);
    if (OnEditChange)
        OnEditChange(this);
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    Invalidate();
}

void TSearchPanel::SetFindNextCaption(const QString& Value)
{
    FFindNextCaption = Value;
    FForwardButton->SetCaption(Value);
}

void TSearchPanel::SetFindPrevCaption(const QString& Value)
{
    FFindPrevCaption = Value;
    FBackwardButton->SetCaption(Value);
}

void TSearchPanel::SetMatchCaseCaption(const QString& Value)
{
    FMatchCaseCaption = Value;
    FMatchCase->SetCaption(Value);
}

void TSearchPanel::SetHighLightCaption(const QString& Value)
{
    FHighLightCaption = Value;
    FHiliteButton->SetCaption(Value);
}

void TSearchPanel::SetHints(const QString& FindNext, const QString& FindPrev, const QString& Close,
                            const QString& Highlight)
{
    FHintFindNext = FindNext;
    FHintFindPrev = FindPrev;
    FHintClose = Close;
    FHintHighlight = Highlight;
    SetHintOf(FForwardButton, FHintFindNext);
    SetHintOf(FBackwardButton, FHintFindPrev);
    SetHintOf(FExitButton, FHintClose);
    SetHintOf(FHiliteButton, FHintHighlight);
}

void TSearchPanel::PlaceMatchCase()
{
    FMatchCase->SetLeft(FHiliteButton->Visible() ? MatchCaseLeft : MatchCaseLeftAlone);
}

void TSearchPanel::ApplyTexts()
{
    SetFindNextCaption(FFindNextCaption);
    SetFindPrevCaption(FFindPrevCaption);
    SetMatchCaseCaption(FMatchCaseCaption);
    SetHighLightCaption(FHighLightCaption);
    SetHints(FHintFindNext, FHintFindPrev, FHintClose, FHintHighlight);
}

void TSearchPanel::CreateWnd()
{
    TPanel::CreateWnd();
    auto place = [](TControl* c, const TPlace& p) {
        c->SetBounds(p.Left, p.Top, p.Width, p.Height < 0 ? c->Height() : p.Height);
    };
    place(FEdit, EditPlace);
    place(FForwardButton, ForwardPlace);
    place(FBackwardButton, BackwardPlace);
    place(FExitButton, ExitPlace);
    place(FHiliteButton, HilitePlace);
    // A hidden button keeps no height (the grid's footer settings say which are shown).
    for (TExtGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton})
        if (!b->Visible())
            b->SetHeight(0);
    SetGlyphs(FForwardButton, "ESGARDOWN", "ESGARDOWND");
    SetGlyphs(FBackwardButton, "ESGARUP", "ESGARUPD");
    TBitmap close, hot, down;
    LoadGlyph(&close, "ESGCLOSE");
    LoadGlyph(&hot, "ESGCLOSEH");
    LoadGlyph(&down, "ESGCLOSED");
    FExitButton->SetGlyph(&close);
    FExitButton->SetGlyphHot(&hot);
    FExitButton->SetGlyphDown(&down);
    SetGlyphs(FHiliteButton, "ESGHI", "ESGHID");
    FHiliteButton->Font->Style = TFontStyles();
    ApplyTexts();
    FMatchCase->SetTop(MatchCaseTop);
    PlaceMatchCase();

    if (FGrid->UseRightToLeftAlignment()) {
        // Mirrored, and kept at their distance from the right edge when the panel takes the grid's width.
        for (TControl* c : std::initializer_list<TControl*>{FEdit, FForwardButton, FBackwardButton, FExitButton,
                                                             FHiliteButton}) {
            c->SetLeft(Width() - c->Width() - c->Left());
            c->SetAnchors(akTop | akRight);
        }
    }
    if (FGrid->OnCreatedSearchFooter)
        FGrid->OnCreatedSearchFooter(FGrid);
}

void TSearchPanel::Paint()
{
    TPanel::Paint();
    Canvas->Brush->Color = Color();
    Canvas->Pen->Color = Color();
    const TRect r = ClientRect();
    if (FColorTo == clNone)
        Canvas->FillRect(r);
    else
        DrawGradientBands(Canvas, Color(), FColorTo, false, r, GradientBands);
    Canvas->Pen->Color = FGrid->GridLineColor();
    Canvas->MoveTo(0, 0);
    Canvas->LineTo(Width(), 0);
}
