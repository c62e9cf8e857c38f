#include "grid/core/CellGraphic.h"

#include <cmath>

void TCellGraphic::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TCellGraphic*>(Source);
    if (!src)
        return;
    FCellType = src->FCellType;
    FCellHAlign = src->FCellHAlign;
    FCellVAlign = src->FCellVAlign;
    FCellIndex = src->FCellIndex;
    FCellTransparent = src->FCellTransparent;
    FCellValue = src->FCellValue;
    FCellAngle = src->FCellAngle;
    FCellBoolean = src->FCellBoolean;
    FCellErrFrom = src->FCellErrFrom;
    FCellErrLen = src->FCellErrLen;
    FCellText = src->FCellText;
    FCellCreated = src->FCellCreated;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign,
                             bool Owned)
{
    FCellType = ctBitmap;
    FBitmapSlot.Set(ABmp, Owned);
    FCellCreated = Owned;
    FCellTransparent = Transparent;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign HAlign, TCellVAlign VAlign, bool Owned)
{
    FCellType = ctIcon;
    FIconSlot.Set(AIcon, Owned);
    FCellCreated = Owned;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = ctImageList;
    FCellIndex = Index;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetDataImage(int Index, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = ctDataImage;
    FCellIndex = Index;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetMultiImage(int Col, int Row, int Direction, TCellHAlign HAlign, TCellVAlign VAlign,
                                 const TImageChangeEvent& OnChange)
{
    FCellType = ctImages;
    auto* list = new TIntList(Col, Row);
    list->OnChange = OnChange;
    FBitmapSlot.Set(list, true);
    FCellBoolean = Direction == 0;
    FCellCreated = true;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign HAlign, TCellVAlign VAlign, bool Owned)
{
    FCellType = ctPicture;
    FBitmapSlot.Set(APicture, Owned);
    FCellCreated = Owned;
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = Padding;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode,
                                  int Padding, TCellHAlign HAlign, TCellVAlign VAlign, bool Owned)
{
    FCellType = ctFilePicture;
    FBitmapSlot.Set(APicture, Owned);
    FCellCreated = Owned;
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = Padding;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetButton(int Width, int Height, const QString& Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign)
{
    FCellType = ctButton;
    FCellIndex = int((uint32_t(Height) << 16) | (uint32_t(Width) & 0xFFFF));
    FCellBoolean = false;
    FCellText = Caption;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetBitButton(int Width, int Height, const QString& Caption, TBitmap* Glyph,
                                TCellHAlign HAlign, TCellVAlign VAlign, bool Owned)
{
    SetButton(Width, Height, Caption, HAlign, VAlign);
    FCellType = ctBitButton;
    FBitmapSlot.Set(Glyph, Owned);
    FCellCreated = Owned;
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = Data ? ctDataCheckBox : ctCheckBox;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = ctTriStateCheckBox;
    FCellCheckBoxState = State;
    FCellBoolean = false;
    FCellTransparent = Flat;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign)
{
    FCellType = ctRadioButton;
    FCellAngle = 0;
    FCellBoolean = Value;
    FCellTransparent = Flat;
    SetAlign(HAlign, VAlign);
}

void TCellGraphic::SetAngle(int AAngle)
{
    FCellType = ctRotated;
    while (AAngle < 0)
        AAngle += 360;
    while (AAngle > 360)
        AAngle -= 360;
    FCellAngle = AAngle;
}

void TCellGraphic::SetInterfacedCell(TObject* AObject)
{
    FCellType = ctInterface;
    FBitmapSlot.Set(AObject, false);
}

void TCellGraphic::GetPictureSize(int AvailWidth, int AvailHeight, int& W, int& H) const
{
    int w = 0, h = 0;
    if (FCellType == ctPicture) {
        const TPicture* p = CellPicture();
        w = p ? p->Width() : 0;
        h = p ? p->Height() : 0;
    } else if (FCellType == ctFilePicture) {
        const TFilePicture* p = CellFilePicture();
        w = p ? p->Width() : 0;
        h = p ? p->Height() : 0;
    } else {
        return;
    }
    AvailWidth -= FCellIndex;
    AvailHeight -= FCellIndex;
    // Halves to even, as the platform's Round does.
    const auto round = [](double v) { return int(std::nearbyint(v)); };
    const auto aspect = [&](bool capped) {
        double fx = w > 0 ? double(AvailWidth) / w : 1;
        double fy = h > 0 ? double(AvailHeight) / h : 1;
        if (capped) {
            fx = std::min(fx, 1.0);
            fy = std::min(fy, 1.0);
        }
        if (fx >= fy) {
            W = round(w * fy);
            H = AvailHeight;
        } else {
            W = AvailWidth;
            H = round(h * fx);
        }
    };
    const bool fits = AvailWidth >= w && AvailHeight >= h;
    switch (FCellAngle) {
    case Stretch:
        W = AvailWidth;
        H = AvailHeight;
        break;
    case StretchWithAspectRatio:
        aspect(false);
        break;
    case Shrink:
        W = fits ? w : AvailWidth;
        H = fits ? h : AvailHeight;
        break;
    case ShrinkWithAspectRatio:
        if (fits) {
            W = w;
            H = h;
        } else {
            aspect(true);
        }
        break;
    default:
        W = w;
        H = h;
    }
}

bool TCellGraphic::HasAttachedBalloon() const
{
    return (FCellType == ctCheckBox || FCellType == ctDataCheckBox || FCellType == ctRadioButton) &&
           FCellAngle == 1 && CellStrings();
}

void TCellGraphic::AttachBalloon(const QString& ATitle, const QString& AText, TBalloonIcon AIcon)
{
    auto* list = new TStringList;
    list->Add(ATitle);
    list->Add(AText);
    FBitmapSlot.Set(list, true);
    FCellAngle = 1;
    FCellIndex = AIcon;
}

void TCellGraphic::DetachBalloon()
{
    FBitmapSlot.Clear();
    FCellAngle = 0;
}
