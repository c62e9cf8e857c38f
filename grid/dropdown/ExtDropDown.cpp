// TExtCustomDropDown: construction, properties, value, look of the edit and Assign.
#include "grid/dropdown/ExtDropDown.h"

#include "grid/dropdown/DropDownForm.h"
#include "platform/core/SysUtils.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ClassicDraw.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QToolTip>

// ---- Construction ----------------------------------------------------------------------------------

TExtCustomDropDown::TExtCustomDropDown(TComponent* AOwner)
    : TMaskEdit(AOwner), FDropDownHeader(std::make_unique<THeaderAppearance>(this)),
      FDropDownFooter(std::make_unique<TFooterAppearance>(this)),
      FButtonAppearance(std::make_unique<TExtButtonAppearance>()), FEdgeCanvas(std::make_unique<TCanvas>()),
      FLabelFont(std::make_unique<TFont>())
{
    FLabelFont->OnChange = [this](TGraphicsObject*) { LabelFontChanged(); };
    // The line edit draws no frame: the edit paints its sunken edge around the client area.
    LineEdit()->setFrame(false);
}

TExtCustomDropDown::~TExtCustomDropDown()
{
    // An open window goes without a word: no events, no focus moves.
    Destroying();
    if (FDropDownForm) {
        TDropDownForm* form = FDropDownForm;
        FDropDownForm = nullptr;
        form->OnHide = nullptr;
        form->OnDestroy = nullptr;
        form->SetExtDropDown(nullptr);
        delete form;
    }
}

void TExtCustomDropDown::AfterConstruction()
{
    if (FInitDone)
        return;
    FInitDone = true;
    InitDropDown();
}

void TExtCustomDropDown::InitDropDown()
{
    FBorderColor = clNone;
    FFocusBorderColor = clNone;
    FDisabledBorder = true;
    FDropDownBorderColor = clBlack;
    FDropDownGradient = gdHorizontal;
    FDropDownColor = clWhite;
    FDropDownColorTo = clNone;
    FDropDownHeight = 0;
    FDropDownWidth = 0;
    FDropDownBorderWidth = 1;
    FDropDownSizeable = true;
    FDropDownShadow = true;
    FEditorEnabled = true;
    EditType = etString;
    SetBounds(Left(), Top(), dropdown::DefaultWidth, dropdown::DefaultHeight);
    FDropDownButtonWidth = dropdown::DefaultButtonWidth;
    if (!Designing())
        CreateDropDownForm();
    CreateDropDownButton();
    ControlStyle &= ~csSetCaption;
    SetReadOnly(false);
    FDropPosition = dpAuto;
    SetText(QString());
    FOldText.clear();
    FUserDropDownWidth = -1;
    FUserDropDownHeight = -1;
    FDropDownEnabled = false;
    const auto refresh = [this](TObject*) { RefreshDropDownPanels(); };
    FDropDownHeader->OnChange = refresh;
    FDropDownHeader->OnButtonsChanged = refresh;
    FDropDownFooter->OnChange = refresh;
    FDropDownFooter->OnButtonsChanged = refresh;
    DefaultHandling = true;
    FIsWinXP = IsWindowsXPOrLater();
    FIsThemed = IsComCtlVersion6();
    CanUndo = true;
    AutoThousandSeparator = true;
    SetSelectionColorStyle(scOffice2007);
    FFocusDraw = true;
    SetComponentStyle(tsOffice2007Luna);
    ResizeControl();
}

QString TExtCustomDropDown::Version() const
{
    const uint32_t v = const_cast<TExtCustomDropDown*>(this)->GetVersionNr();
    return QString("%1.%2.%3.%4").arg(v >> 24).arg((v >> 16) & 0xFF).arg((v >> 8) & 0xFF).arg(v & 0xFF);
}

uint32_t TExtCustomDropDown::GetVersionNr()
{
    return dropdown::VersionNr;
}

void TExtCustomDropDown::DoLabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TExtCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

// ---- The drop button -------------------------------------------------------------------------------

void TExtCustomDropDown::CreateDropDownButton()
{
    if (FButton)
        return;
    FButton = new TDropDownEditButton(this);
    if (Designing())
        FButton->SetColor(clBtnFace);
    FButton->SetParent(this);
    FButton->OnClick = [this](TObject*) { DropButtonClick(); };
    UpdateDropDownButton();
}

void TExtCustomDropDown::UpdateDropDownButton()
{
    if (!FButton)
        return;
    // The button's own size rule keeps it at its button width (16 on a new edit).
    FButton->SetBounds(FButton->Left(), FButton->Top(), FDropDownButtonWidth, dropdown::ButtonHeight);
    FButton->SetVisible(true);
    FButton->SetFocusControl(this);
}

void TExtCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (!FButton || FDropDownButtonWidth == Value)
        return;
    FDropDownButtonWidth = Value;
    FButton->SetButtonWidth(Value);
    ResizeControl();
}

void TExtCustomDropDown::SetDropDownButtonHint(const QString& Value)
{
    if (FDropDownButtonHint == Value)
        return;
    FDropDownButtonHint = Value;
    if (FButton) {
        FButton->SetHint(Value);
        FButton->SetShowHint(!Value.isEmpty());
    }
}

void TExtCustomDropDown::SetDropDownButtonGlyph(const TBitmap* Value)
{
    if (FButton) {
        FButton->SetGlyph(Value);
        FButton->Button()->Invalidate();
    }
}

// ---- Properties ------------------------------------------------------------------------------------

void TExtCustomDropDown::SetBorderColor(TColor Value)
{
    if (FBorderColor == Value)
        return;
    FBorderColor = Value;
    Invalidate();
    if (FButton)
        FButton->Button()->Invalidate();
}

void TExtCustomDropDown::SetDisabledBorder(bool Value)
{
    if (FDisabledBorder == Value)
        return;
    FDisabledBorder = Value;
    Invalidate();
}

void TExtCustomDropDown::SetDropDownWidth(int Value)
{
    if (FDropDownWidth == Value)
        return;
    FDropDownWidth = Value;
    FUserDropDownWidth = -1;
}

void TExtCustomDropDown::SetDropDownHeight(int Value)
{
    if (FDropDownHeight == Value)
        return;
    FDropDownHeight = Value;
    FUserDropDownHeight = -1;
}

void TExtCustomDropDown::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    if (Value)
        ControlStyle |= csDoubleClicks;
    else
        ControlStyle &= ~csDoubleClicks;
}

void TExtCustomDropDown::SetImages(TImageList* Value)
{
    ChangeReference(FImages, Value);
}

void TExtCustomDropDown::SetControl(TWinControl* Value)
{
    if (!ChangeReference(FControl, Value))
        return;
    if (!Designing())
        PlaceDropDownControl();
}

void TExtCustomDropDown::SetFocusControl(TWinControl* Value)
{
    ChangeReference(FFocusControl, Value);
}

void TExtCustomDropDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TMaskEdit::Notification(AComponent, Operation);
    if (Operation != opRemove || IsDestroying())
        return;
    if (AComponent == FImages) {
        FImages = nullptr;
        Invalidate();
    }
    if (AComponent == FControl)
        FControl = nullptr;
    if (AComponent == FFocusControl)
        FFocusControl = nullptr;
    if (AComponent == FDropDownForm) {
        FDropDownForm = nullptr;
        FDroppedDown = false;
    }
    if (AComponent == FButton)
        FButton = nullptr;
}

void TExtCustomDropDown::Loaded()
{
    TMaskEdit::Loaded();
    FParentFnt = ParentFont();
    SetEditRect();
    ResizeControl();
    if (FButton)
        FButton->SetEnabled(Enabled());
    if (FLabel) {
        if (!FLabelAlwaysEnabled)
            FLabel->SetEnabled(Enabled());
        UpdateLabel();
        if (ParentFont())
            FLabel->Font->Assign(Font);
    }
}

// ---- Styles ----------------------------------------------------------------------------------------

void TExtCustomDropDown::SetSelectionColorStyle(TSelectionColorStyle Style)
{
    FSelectionColorStyle = Style;
    switch (Style) {
    case scOffice2007:
        FSelectionColor = 0xD7FFFD;
        FSelectionColorTo = 0x58D4FC;
        break;
    case scWindowsVista:
        FSelectionColor = 0xFDF8F1;
        FSelectionColorTo = 0xFCEFD5;
        break;
    case scWindows7:
        FSelectionColor = 0xFCEBDC;
        FSelectionColorTo = 0xFCDBC1;
        break;
    case scCustom:
        break;
    }
}

void TExtCustomDropDown::DrawSelectionBackground(TCanvas* Canvas, const TRect& Rect, int Part, int Extra)
{
    (void)Extra;
    struct Preset {
        TColor Colors[6];
    };
    switch (FSelectionColorStyle) {
    case scCustom:
        Canvas->Brush->Style = bsSolid;
        Canvas->Brush->Color = FSelectionColor;
        Canvas->Pen->Color = FSelectionColor;
        Canvas->FillRect(Rect);
        return;
    case scOffice2007:
    case scWindowsVista:
    case scWindows7: {
        static const Preset presets[] = {
            {{0xC3D9DF, 0x8DD7D3, 0xCAF8FF, 0xF4FEFF, 0xB3F1FC, 0x58D4FC}},
            {{0xFCEDCB, 0xFDDE99, 0xFDF5E7, 0xFDFBF6, clNone, clNone}},
            {{0xE0C5AE, 0xCEA27D, 0xFDEADB, 0xFDF4EB, clNone, clNone}},
        };
        const Preset& p = presets[FSelectionColorStyle - scOffice2007];
        DrawStyledSelection(Canvas, FSelectionColor, FSelectionColorTo, p.Colors[0], p.Colors[1], p.Colors[2],
                            p.Colors[3], p.Colors[4], p.Colors[5], clNone, Rect, Part);
        return;
    }
    }
}

void TExtCustomDropDown::DrawGradient(TCanvas* Canvas, TColor Color, TColor ColorTo,
                                      TGradientDirection Direction, const TRect& Rect, int Steps)
{
    DrawGradientBands(Canvas, Color, ColorTo, Direction == gdHorizontal, Rect, Steps);
}

// ---- Value -----------------------------------------------------------------------------------------

QString TExtCustomDropDown::Text() const
{
    QString value = RawText();
    if (!Prefix.isEmpty() && value.startsWith(Prefix))
        value.remove(0, Prefix.size());
    if (!Suffix.isEmpty())
        value.chop(std::min<qsizetype>(Suffix.size(), value.size()));
    return value;
}

void TExtCustomDropDown::WriteText(const QString& Value)
{
    SetRawText(Prefix + Value + Suffix);
    FOldText = Value;
    SetModifiedState(false);
}

void TExtCustomDropDown::SetRawText(const QString& Value)
{
    QLineEdit* edit = LineEdit();
    const bool changed = edit->text() != Value;
    {
        const QSignalBlocker block(edit);
        edit->setText(Value);
        edit->setCursorPosition(0);
    }
    if (changed)
        Change();
}

void TExtCustomDropDown::SetModifiedState(bool Value)
{
    if ((ComponentState() & csLoading) || !FEditorEnabled || ReadOnly())
        return;
    SetModified(Value);
    FIsModified = Value;
}

void TExtCustomDropDown::SelectAll()
{
    // The value only: the caret never stands inside the prefix or the suffix.
    LineEdit()->setSelection(Prefix.size(), Text().size());
}

void TExtCustomDropDown::SelectBeforeDecimal()
{
    const int pos = Text().indexOf(FormatSettings().DecimalSeparator);
    LineEdit()->setCursorPosition(Prefix.size() + (pos < 0 ? 0 : pos));
}

void TExtCustomDropDown::SelectAfterDecimal()
{
    const int pos = Text().indexOf(FormatSettings().DecimalSeparator);
    LineEdit()->setCursorPosition(Prefix.size() + (pos < 0 ? 0 : pos + 1));
}

void TExtCustomDropDown::Change()
{
    HandleChange();
}

void TExtCustomDropDown::HandleChange()
{
    if (FBlockChange) {
        FBlockChange = false;
        return;
    }
    TMaskEdit::Change();
}

// ---- Look of the edit ------------------------------------------------------------------------------

int TExtCustomDropDown::EdgeWidth() const
{
    // bsSingle with the 3D look: a 2-pixel sunken edge.
    return BorderStyle() == bsNone ? 0 : 2;
}

TRect TExtCustomDropDown::ClientRect() const
{
    const int e = EdgeWidth();
    return TRect(0, 0, std::max(0, Width() - 2 * e), std::max(0, Height() - 2 * e));
}

void TExtCustomDropDown::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TMaskEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FLabel && FLabel->Parent())
        UpdateLabel();
}

void TExtCustomDropDown::Resize()
{
    TMaskEdit::Resize();
    if (FInitDone)
        ResizeControl();
}

void TExtCustomDropDown::ResizeControl()
{
    const int a = Flat ? 3 : (BorderStyle() == bsSingle ? 4 : 2);
    const int pad = 0; // the 3D look is always on
    const int fontHeight = QFontMetrics(Font->ToQFont()).height();
    const int systemHeight = QFontMetrics(QApplication::font()).height();
    const int minHeight = fontHeight + std::min(fontHeight, systemHeight) / 4;
    if (Height() < minHeight) {
        SetHeight(minHeight); // its resize places the button
        return;
    }
    if (FButton) {
        // Client coordinates, shifted by the edge the edit paints outside its client area.
        const int e = EdgeWidth();
        const int bw = FButton->ButtonWidth();
        if (BorderStyle() == bsSingle)
            FButton->SetBounds(e + Width() - bw - a - pad, e + (Flat ? 2 : 0), bw, Height() - a);
        else
            FButton->SetBounds(e + Width() - bw - pad, e + 1, bw, Height() - 2);
    }
    SetEditRect();
    Invalidate();
}

void TExtCustomDropDown::SetEditRect()
{
    const TRect client = ClientRect();
    const int bw = FButton ? FButton->ButtonWidth() : 0;
    const bool border = BorderStyle() != bsNone;
    FEditRect = TRect(border ? 1 : 2, border ? 1 : 3, client.Width() - bw - 3, client.Height() + 1);
    // The formatting rectangle becomes the line edit's text margins around the client area.
    const int e = EdgeWidth();
    LineEdit()->setTextMargins(e + FEditRect.Left, e + FEditRect.Top,
                               std::max(0, Width() - e - FEditRect.Right),
                               std::max(0, Height() - e - FEditRect.Bottom));
}

void TExtCustomDropDown::HandleFontChanged()
{
    TMaskEdit::HandleFontChanged();
    if (FInitDone)
        SetEditRect();
}

void TExtCustomDropDown::SetReadOnly(bool Value)
{
    TMaskEdit::SetReadOnly(Value);
    if (FButton)
        FButton->Button()->Invalidate();
}

void TExtCustomDropDown::HandleEnabledChanged()
{
    TMaskEdit::HandleEnabledChanged();
    if (FButton)
        FButton->SetEnabled(Enabled());
}

// ---- Assign ----------------------------------------------------------------------------------------

void TExtCustomDropDown::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TExtCustomDropDown*>(Source);
    if (!s)
        return;
    FFocusDraw = s->FFocusDraw;
    FForceShadow = s->FForceShadow;
    FDropDownEnabled = s->FDropDownEnabled;
    FDropDownColor = s->FDropDownColor;
    FDropDownColorTo = s->FDropDownColorTo;
    FDropDownGradient = s->FDropDownGradient;
    FDropDownBorderColor = s->FDropDownBorderColor;
    FDropDownBorderWidth = s->FDropDownBorderWidth;
    FDropDownShadow = s->FDropDownShadow;
    FDropDownWidth = s->FDropDownWidth;
    FDropDownHeight = s->FDropDownHeight;
    FDropDownSizeable = s->FDropDownSizeable;
    EditType = s->EditType;
    ReturnIsTab = s->ReturnIsTab;
    LengthLimit = s->LengthLimit;
    Precision = s->Precision;
    Prefix = s->Prefix;
    Suffix = s->Suffix;
    DefaultHandling = s->DefaultHandling;
    CanUndo = s->CanUndo;
    ExcelStyleDecimalSeparator = s->ExcelStyleDecimalSeparator;
    ValidChars = s->ValidChars;
    Signed = s->Signed;
    AutoThousandSeparator = s->AutoThousandSeparator;
    FButtonAppearance->Assign(s->FButtonAppearance.get());
    FDropDownHeader->Assign(s->FDropDownHeader.get());
    FDropDownFooter->Assign(s->FDropDownFooter.get());
    FDropPosition = s->FDropPosition;
    Flat = s->Flat;
    SetDropDownButtonWidth(s->FDropDownButtonWidth);
    SetDropDownButtonHint(s->FDropDownButtonHint);
    FEditorEnabled = s->FEditorEnabled;
    if (FButton && s->FButton) {
        FButton->SetGlyph(s->FButton->Glyph());
        FButton->SetButtonCaption(s->FButton->ButtonCaption());
    }
    Etched = s->Etched;
    SetImages(s->FImages);
    FSelectionColorStyle = s->FSelectionColorStyle;
    FSelectionColor = s->FSelectionColor;
    FSelectionColorTo = s->FSelectionColorTo;
}
