// The renderer's layout: the line loop with its two passes per line, text runs, word wrap, anchors,
// pictures and inline controls, and the hit tests.
#include "grid/base/HtmlRenderInternal.h"
#include "grid/base/HtmlText.h"
#include "grid/base/Looks.h"
#include "grid/base/ThemeApi.h"
#include "platform/graphics/ClassicDraw.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <cmath>

namespace htmlrender
{

namespace
{

int ScaleToDevice(int pixels, int ppi)
{
    return (pixels * ppi + ScreenPixelsPerInch / 2) / ScreenPixelsPerInch;
}

int Scaled(int pixels, double factor)
{
    return int(std::lround(pixels * factor));
}

// The icon of an existing path, or of a file type by its name; a numeric index into the system image
// list has no counterpart here (the space is reserved, nothing drawn).
QImage SystemIcon(const QString& what, int size)
{
    bool numeric = false;
    what.toInt(&numeric);
    if (numeric || what.isEmpty())
        return QImage();
    QFileIconProvider provider;
    const QIcon icon = provider.icon(QFileInfo(what));
    return icon.isNull() ? QImage() : icon.pixmap(size, size).toImage();
}

// Keeps the canvas brush and pen colours (the brush colour is the text background of the markup).
class TColorKeeper
{
  public:
    explicit TColorKeeper(TCanvas* c) : c_(c), brush_(c->Brush->Color), pen_(c->Pen->Color) {}
    ~TColorKeeper()
    {
        c_->Brush->Color = brush_;
        c_->Pen->Color = pen_;
    }

  private:
    TCanvas* c_;
    TColor brush_;
    TColor pen_;
};

} // namespace

bool THtmlRenderer::Run(const QString& Text)
{
    TCanvas* c = Canvas;
    const TColor penColor = c->Pen->Color;
    const int penWidth = c->Pen->Width;
    const TColor brushColor = c->Brush->Color;
    EntryBrush = brushColor;
    c->Brush->Color = clNone;
    BaseFont.Assign(*c->Font);
    MeasureFont.Assign(*c->Font);
    DrawFont.Assign(*c->Font);
    PlainText->clear();
    FocusHref->clear();
    HitTitle->clear();
    *LinesWidth = 0;
    *LinesHeight = 0;
    *AnchorCount = 0;
    *HitAnchorNumber = -1;
    *HitControlRect = TRect();
    ControlValue->clear();
    ControlType->clear();
    if (!HitTestPass)
        ControlID->clear();
    c->SetBkMode(TRANSPARENT);
    Themed = IsWindowsXPOrLater() && RidERAR().IsThemeActive() != 0;

    Flags = RunFlags | (WordWrap ? 0 : DT_END_ELLIPSIS);
    if (QLocale::system().textDirection() == Qt::RightToLeft) {
        if (BiDiMode == 1) {
            if (Flags & DT_RIGHT)
                Flags &= ~DT_RIGHT;
            else if (!(Flags & DT_CENTER))
                Flags |= DT_RIGHT;
        }
        if (BiDiMode != 0)
            Flags |= DT_RTLREADING;
    }
    RightToLeft = Flags & DT_RTLREADING;

    TTextCursor text;
    text.Text = PrepareText(Text);
    text.End = text.Text.size();
    bool result = false;
    int top = Rect.Top;
    while (!text.AtEnd()) {
        c->Font->Assign(MeasureFont);
        const bool inAnchor = InAnchor;
        const QString href = Href;
        const QString title = Title;
        const int g = c->TextHeight(QStringLiteral("gh"));
        H = g;
        SubH = SupH = ImgAli = 0;
        Sub = Sup = false;
        const int anchors = AnchorCounter;
        const int level = ListLevel;
        const int pictures = PictureCounter;
        const qsizetype posBefore = text.Pos;
        const qsizetype endBefore = text.End;

        TPass measure;
        measure.Kind = pkMeasure;
        measure.Text = &text;
        measure.R0 = TRect(Rect.Left + 1, top, Rect.Right, Rect.Bottom);
        RenderLine(measure);
        InAnchor = inAnchor;
        Href = href;
        Title = title;
        MeasureFont.Assign(*c->Font);

        TRect D = measure.R0;
        if (Align == 1) {
            if (D.Right - measure.W > D.Left)
                D.Left = D.Right - measure.W;
        } else if (Align == 2) {
            const int spare = D.Right - D.Left - measure.W;
            if (spare > 0)
                D.Left += spare / 2;
        }
        D.Left += Indent;
        D.Bottom = D.Top + H + SubH + SupH;

        if (!MeasureOnly) {
            c->Font->Assign(DrawFont);
            AnchorCounter = anchors;
            ListLevel = level;
            PictureCounter = pictures;
            TTextCursor line;
            line.Text = measure.Markup;
            line.End = line.Text.size();
            TPass second;
            second.Kind = HitTestPass ? pkHitTest : pkDraw;
            second.Text = &line;
            second.R0 = D;
            RenderLine(second);
            if ((second.LineHot && HitY > D.Bottom - ImgAli - g && HitY < D.Bottom - ImgAli) ||
                second.ImageHot)
                result = true;
            DrawFont.Assign(*c->Font);
        }

        const int lineHeight = H + SubH + SupH;
        top += lineHeight;
        *LinesHeight += lineHeight;
        ++LineIndex;
        if (!MeasureOnly && top + g > Rect.Bottom)
            break;
        // A line that took nothing would come back for ever.
        if (text.Pos == posBefore && text.End == endBefore)
            break;
    }
    if (*LinesHeight == 0)
        *LinesHeight = c->TextHeight(QStringLiteral("gh"));
    *AnchorCount = AnchorCounter;
    c->Pen->Color = penColor;
    c->Pen->Width = penWidth;
    c->Brush->Color = brushColor;
    c->Font->Assign(BaseFont);
    return result;
}

int THtmlRenderer::RunWidth(const QString& Run, int Limit)
{
    const TFont* f = Canvas->Font;
    const int limit = Flags & DT_END_ELLIPSIS ? Limit : -1;
    for (const TRunWidth& k : RunWidths)
        if (k.Limit == limit && k.FontHeight == f->Height && k.FontStyle == f->Style && k.Run == Run &&
            k.FontName == f->Name.get())
            return k.Width;
    TRect m(0, 0, std::max(Limit, 0), 0);
    DrawTextEx(Canvas, Run, -1, m, Flags | DT_CALCRECT);
    RunWidths.push_back({Run, f->Name, f->Height, f->Style, limit, m.Width()});
    return m.Width();
}

THtmlRenderer::TFontMeasures& THtmlRenderer::CurrentFontMeasures()
{
    const TFont* f = Canvas->Font;
    for (TFontMeasures& k : FontMeasures)
        if (k.FontHeight == f->Height && k.FontStyle == f->Style && k.FontName == f->Name.get())
            return k;
    FontMeasures.push_back({f->Name, f->Height, f->Style, Canvas->TextHeight(QStringLiteral("gh")), -1});
    return FontMeasures.back();
}

int THtmlRenderer::FontLineHeight()
{
    return CurrentFontMeasures().Height;
}

int THtmlRenderer::FontSpaceWidth()
{
    TFontMeasures& k = CurrentFontMeasures();
    if (k.SpaceWidth < 0)
        k.SpaceWidth = Canvas->TextWidth(QStringLiteral(" "));
    return k.SpaceWidth;
}

void THtmlRenderer::RenderLine(TPass& P)
{
    TCanvas* c = Canvas;
    P.E = P.R0.Bottom - SubH;
    P.R = P.R0;
    P.R.Bottom = P.E;
    P.W = 0;
    if (P.Drawing() && ParaBack) {
        c->Pen->Color = c->Brush->Color;
        c->FillRect(TRect(Rect.Left, P.R0.Top, Rect.Right, P.R0.Top + H));
    }
    TTextCursor& t = *P.Text;
    while (!t.AtEnd() && !P.LineBreak && !P.Stop) {
        const QStringView rest = QStringView(t.Text).mid(t.Pos, t.Left());
        const qsizetype lt = rest.indexOf('<');
        const qsizetype blank = WordWrap ? rest.indexOf(' ') : -1;
        qsizetype len = rest.size();
        if (lt >= 0 && (blank < 0 || blank > lt))
            len = lt;
        else if (blank >= 0)
            len = blank + 1;

        if (len > 0) {
            const QStringView source = rest.left(len);
            const QString run = RunText(source);
            const int th = FontLineHeight();
            if (Sub)
                SubH = std::max(SubH, th / 4);
            if (Sup)
                SupH = std::max(SupH, th / 4);
            H = std::max(H, th);
            if (Hidden) {
                if (P.Kind == pkMeasure)
                    *PlainText += run;
                t.Pos += len;
            } else {
                int runW = 0;
                if (!P.Drawing()) {
                    runW = RunWidth(run, P.R0.Width());
                    if (InAnchor) {
                        const int hx = RightToLeft ? P.R0.Right - HitX : HitX - P.R0.Left;
                        if (hx >= P.W && hx <= P.W + runW) {
                            P.LineHot = true;
                            if (HitY > P.R0.Top) {
                                *HitAnchor = Href;
                                *HitTitle = Title;
                                AnchorHit = true;
                            }
                        }
                    }
                    P.W += runW;
                } else {
                    TRect r = P.R;
                    r.Bottom = P.E - (Sup ? SupH : 0) + (Sub ? SubH : 0) - ImgAli;
                    if (Shadow) {
                        const TColor color = c->Font->Color;
                        OffsetRect(r, ShadowOffset, ShadowOffset);
                        c->Font->Color = ShadowColor;
                        DrawTextEx(c, run, -1, r, Flags);
                        OffsetRect(r, -ShadowOffset, -ShadowOffset);
                        c->Font->Color = color;
                    }
                    DrawTextEx(c, run, -1, r, Flags);
                    runW = RunWidth(run, r.Width());
                    P.W += runW;
                    if (InAnchor && AnchorCounter == FocusAnchorIndex + 1)
                        *FocusHref = Href;
                    if (ErrorUnderline) {
                        c->Pen->Color = clRed;
                        c->Pen->Width = 1;
                        int x = r.Left - (((r.Left % 2) + 2) % 2);
                        int p = x % 4 == 0 ? 2 : 0;
                        c->MoveTo(x, P.E + p - 1);
                        while (x < r.Left + runW) {
                            p = 2 - p;
                            c->LineTo(x + 2, P.E + p - 1);
                            x += 2;
                        }
                    }
                    if (RightToLeft) {
                        P.R.Right -= runW;
                    } else {
                        P.R.Left = r.Left + runW;
                        P.R.Right = P.R0.Right;
                    }
                    P.R.Bottom = P.E;
                    P.R.Top = P.R0.Top;
                }

                // A word is not split: a run that does not fit still fits after text without a blank.
                bool fits = P.W < P.R0.Width() || runW >= P.R0.Width() ||
                            (!P.LineText.isEmpty() && !P.LineText.endsWith(' '));
                // The second pass lays out what the measuring pass put on this line; its rectangle
                // is narrower for an aligned or indented line, and nothing may be dropped there.
                if (P.Kind != pkMeasure)
                    fits = true;
                const bool textBefore = !P.LineText.isEmpty();
                P.LineText += run;
                if (fits || !WordWrap) {
                    P.Markup += source;
                    if (P.Kind == pkMeasure) {
                        *PlainText += run;
                        if (!fits && textBefore)
                            t.End = t.Pos + len;
                    }
                    t.Pos += len;
                    P.TrailingBlank = run.size() == source.size() && run.endsWith(' ') ? FontSpaceWidth() : 0;
                } else {
                    P.LineBreak = true;
                    P.W -= runW;
                }
            }
        }

        if (!t.AtEnd() && t.At(0) == '<') {
            if (t.Left() <= 2) {
                t.Clear();
            } else {
                const qsizetype gt = t.Text.indexOf('>', t.Pos);
                const bool closed = gt >= 0 && gt < t.End;
                const qsizetype tagEnd = closed ? gt + 1 : t.End;
                const QString tag = t.Text.mid(t.Pos, tagEnd - t.Pos);
                if (!P.LineBreak)
                    ApplyTag(P, tag);
                if (!P.Stop) {
                    if (closed) {
                        P.Markup += tag;
                        t.Pos = tagEnd;
                    } else {
                        t.Clear();
                    }
                }
            }
        }
    }

    P.W -= P.TrailingBlank;
    *LinesWidth = std::max(*LinesWidth, P.W);
    if (P.Drawing() && FocusOpen) {
        TRect frame(FocusStart.X, FocusStart.Y, P.X(), P.R0.Bottom);
        InflateRect(frame, 1, 1);
        c->DrawFocusRect(frame);
        FocusStart = TPoint(P.R0.Left + 1, P.R0.Bottom);
    }
}

// ---- Anchors ----------------------------------------------------------------------------------------

void THtmlRenderer::StartAnchor(TPass& P, const QString& Tag, const QString& Upper)
{
    TCanvas* c = Canvas;
    if (P.Drawing() && AnchorCounter == FocusAnchorIndex) {
        FocusOpen = true;
        FocusStart = TPoint(P.X(), P.R0.Top);
    }
    AnchorStart = TPoint(P.X(), P.R0.Top);
    AnchorStartLine = LineIndex;
    ++AnchorCounter;
    QString value;
    InAnchor = HTMLTagAttribute(Upper, Tag, "HREF", value);
    if (InAnchor)
        Href = value;
    if (HTMLTagAttribute(Upper, Tag, "TITLE", value))
        Title = value;
    if (!P.Drawing())
        return;
    if (AnchorLook()) {
        c->Font->Style |= fsUnderline;
        if (AnchorBackColor != clNone) {
            AnchorSavedBack = c->Brush->Color;
            c->Brush->Color = AnchorBackColor;
        }
        if (AnchorTextColor != clNone) {
            AnchorSavedText = c->Font->Color;
            c->Font->Color = AnchorTextColor;
        }
    }
    const bool hoveredOwnColor = HoverOnly && AnchorCounter == HoverAnchorIndex && AnchorTextColor != clNone;
    if (!Selected && !hoveredOwnColor)
        c->Font->Color = AnchorColor;
}

void THtmlRenderer::EndAnchor(TPass& P)
{
    TCanvas* c = Canvas;
    if (AnchorHit) {
        const TPoint start = AnchorStartLine == LineIndex ? AnchorStart : TPoint(P.R0.Left, P.R0.Top);
        *HitAnchorRect = TRect(start.X, start.Y, P.X(), P.E);
        *HitAnchorNumber = AnchorCounter;
        AnchorHit = false;
    }
    if (P.Drawing() && FocusOpen && AnchorCounter == FocusAnchorIndex + 1) {
        const int g = c->TextHeight(QStringLiteral("gh"));
        TRect frame(FocusStart.X, P.E - ImgAli - g, P.X(), P.E - ImgAli);
        InflateRect(frame, 1, 1);
        c->DrawFocusRect(frame);
        FocusOpen = false;
    }
    if (P.Drawing()) {
        if (AnchorLook()) {
            c->Font->Style &= TFontStyles(~fsUnderline);
            if (AnchorBackColor != clNone)
                c->Brush->Color = AnchorSavedBack;
            if (AnchorTextColor != clNone)
                c->Font->Color = AnchorSavedText;
        }
        if (!Selected)
            c->Font->Color = BaseFont.Color;
    }
    InAnchor = false;
}

// ---- Pictures -----------------------------------------------------------------------------------------

THTMLPicture* THtmlRenderer::FindPicture(const QString& Source)
{
    const QString upper = UpperCase(Source);
    if (upper.contains(QLatin1String("://"))) {
        if (!PictureCache)
            return nullptr;
        if (THTMLPicture* cached = PictureCache->FindPicture(Source))
            return cached;
        THTMLPicture* added = PictureCache->AddPicture();
        added->SetAsynch(false);
        try {
            added->LoadFromURL(Source);
        } catch (const Exception&) {
            // Unreadable picture data: the picture stays undecoded and is skipped like an empty one.
        }
        return PictureCache->FindPicture(Source);
    }
    if (upper.contains(':') || !Pictures)
        return nullptr;
    return Pictures->FindPicture(Source);
}

void THtmlRenderer::TileBackground(THTMLPicture* Picture)
{
    const int w = Picture->Width();
    const int h = Picture->Height();
    // A picture without size would never advance the tiling.
    if (Picture->Empty() || w <= 0 || h <= 0)
        return;
    const int saved = Canvas->Save();
    Canvas->IntersectClipRect(Rect);
    for (int y = 0; y < Rect.Height(); y += h)
        for (int x = 0; x < Rect.Width(); x += w)
            Picture->Draw(Canvas, Bounds(Rect.Left + x, Rect.Top + y, w, h));
    Canvas->Restore(saved);
}

void THtmlRenderer::PlaceImage(TPass& P, const QString& Tag, const QString& Upper)
{
    TCanvas* c = Canvas;
    ++PictureCounter;
    // Sources keep their case: file and resource names are case-sensitive here.
    QString source;
    HTMLTagAttribute(Upper, Tag, "SRC", source);
    QString alt;
    if (P.Kind != pkMeasure && PictureHit == PictureCounter && HTMLTagAttribute(Upper, Tag, "ALT", alt) &&
        !alt.isEmpty())
        source = alt;
    QString value;
    const int width = HTMLTagAttribute(Upper, Upper, "WIDTH", value) ? HTMLLeadingInt(value) : 0;
    const int height = HTMLTagAttribute(Upper, Upper, "HEIGHT", value) ? HTMLLeadingInt(value) : 0;
    const int ppi = c->PixelsPerInch();
    const QString kind = UpperCase(source);

    int q = 0;
    int r = 0;
    std::function<void(int x, int top)> draw;
    if (kind.startsWith(QLatin1String("IDX:"))) {
        const int index = HTMLLeadingInt(source.mid(4));
        if (!Images || index < 0 || index >= Images->Count())
            return;
        q = ScaleToDevice(Images->Width(), ppi);
        r = ScaleToDevice(Images->Height(), ppi);
        draw = [this, c, index](int x, int top) {
            if (!Printing) {
                Images->Draw(c, x, top, index);
                return;
            }
            const QImage image = Images->Image(index);
            c->DrawImage(TRect(x, top, x + Scaled(Images->Width(), ScaleFactor),
                               top + Scaled(Images->Height(), ScaleFactor)),
                         image, TRect(0, 0, image.width(), image.height()));
        };
    } else if (kind.startsWith(QLatin1String("SSYS:")) || kind.startsWith(QLatin1String("LSYS:"))) {
        const int size = kind[0] == 'S' ? 16 : 32;
        q = r = ScaleToDevice(size, ppi);
        const QString what = source.mid(5);
        draw = [this, c, what, size](int x, int top) {
            const QImage icon = SystemIcon(what, size);
            if (icon.isNull())
                return;
            const int side = Printing ? Scaled(size, ScaleFactor) : size;
            c->DrawImage(Bounds(x, top, side, side), icon, TRect(0, 0, icon.width(), icon.height()));
        };
    } else {
        THTMLPicture* picture = FindPicture(source);
        if (!picture || picture->Empty() || picture->Width() <= 0 || picture->Height() <= 0)
            return;
        const int pw = picture->Width();
        const int ph = picture->Height();
        int dw = pw;
        int dh = ph;
        if (width > 0 && height > 0) {
            dw = width;
            dh = height;
        } else if (width > 0) {
            dw = width;
            dh = int(std::lround(double(width) * ph / pw));
        } else if (height > 0) {
            dh = height;
            dw = int(std::lround(double(height) * pw / ph));
        }
        const bool stretched = width > 0 || height > 0;
        q = stretched ? dw : ScaleToDevice(picture->GetMaxWidth(), ppi);
        r = stretched ? dh : ScaleToDevice(picture->GetMaxHeight(), ppi);
        draw = [this, c, picture, stretched, dw, dh](int x, int top) {
            picture->SetStretch(stretched);
            if (stretched) {
                picture->Draw(c, TRect(x, top, x + dw, top + dh));
                return;
            }
            if (picture->IsGIF() && picture->FrameCount() > 1 && EntryBrush != clNone) {
                TColorKeeper keep(c);
                c->Brush->Color = EntryBrush;
                c->FillRect(Bounds(x, top, picture->GetMaxWidth(), picture->GetMaxHeight()));
            }
            picture->Draw(c, Bounds(x + picture->FrameXPos(), top + picture->FrameYPos(), picture->Width(),
                                    picture->Height()));
        };
    }

    if (q + P.W > P.R0.Width() && q < P.R0.Width()) {
        P.Stop = true;
        return;
    }
    const int hx = HitX - P.R0.Left;
    if (InAnchor && P.W < hx && hx < P.W + q && P.R0.Top < HitY && HitY < P.R0.Top + r) {
        P.ImageHot = true;
        *HitAnchor = Href;
        *HitTitle = Title;
        PictureHit = PictureCounter;
    }
    if (P.Drawing())
        draw(P.X(), P.R0.Top);
    P.W += q;
    P.R.Left += q;
    H = std::max(H, r);
    if (Upper.contains(QLatin1String("ALIGN"))) {
        const int g = c->TextHeight(QStringLiteral("gh"));
        if (Upper.contains(QLatin1String("\"TOP")))
            ImgAli = H - g;
        else if (Upper.contains(QLatin1String("\"MIDDLE")))
            ImgAli = (H - g) / 2;
    }
}

// ---- Controls -----------------------------------------------------------------------------------------

void THtmlRenderer::PlaceControl(TPass& P, const QString& Tag)
{
    TCanvas* c = Canvas;
    const qsizetype inner = Tag.endsWith('>') ? Tag.size() - 2 : Tag.size() - 1;
    const THTMLControlTag control = HTMLParseControlTag(Tag.mid(1, inner));
    if (control.Width.isEmpty())
        return;
    const int width = HTMLLeadingInt(control.Width);
    int32_t height = 25;
    if (!TryStrToInt(control.Height, height))
        height = 25;
    const QString& type = control.Type;
    const bool box = type == QLatin1String("CHECK") || type == QLatin1String("RADIO");
    int lineHeight = box ? 16 : 23;
    if (height > 25)
        lineHeight = height - 2;
    const int own = box ? 16
                    : type == QLatin1String("BUTTON") || type == QLatin1String("COMBO")
                        ? 25
                        : c->TextHeight("gh") + 10;
    const int q = box ? 16 : width;
    const int r = std::max(lineHeight, own);

    if (q + P.W > P.R0.Width() && q < P.R0.Width()) {
        P.Stop = true;
        return;
    }
    const int hx = HitX - P.R0.Left;
    const bool over = P.W < hx && hx < P.W + q && P.R0.Top < HitY && HitY < P.R0.Top + r;
    // A control without an ID is never the one being asked for.
    const bool asked = HitTestPass && !control.ID.isEmpty() && control.ID == *ControlID;
    if (over || asked) {
        P.ImageHot = true;
        *HitAnchor = QStringLiteral("ctrl");
        *HitControlRect = TRect(P.R0.Left + P.W, P.R0.Top, P.R0.Left + P.W + q, P.R0.Top + r);
        *ControlValue = control.Value;
        *ControlID = control.ID;
        *ControlType = control.Type;
    }
    if (P.Drawing())
        DrawControl(control, P.X(), P.E, r, height, over);
    P.W += q;
    P.R.Left += q;
    H = std::max(H, r);
}

void THtmlRenderer::DrawControl(const THTMLControlTag& C, int x, int b, int h, int height, bool hot)
{
    TCanvas* c = Canvas;
    TColorKeeper keep(c);
    const int width = HTMLLeadingInt(C.Width);
    const QString& type = C.Type;
    const TThemeApi& theme = RidERAR();
    auto themed = [&](const char* cls, int part, int state, const TRect& r) {
        const HTHEME t = theme.OpenThemeData(ThemeWindow, QLatin1String(cls));
        if (!t)
            return false;
        theme.DrawThemeBackground(t, c, part, state, r, nullptr);
        theme.CloseThemeData(t);
        return true;
    };

    if (type == QLatin1String("EDIT") || type == QLatin1String("MASK") || type == QLatin1String("PASSWORD") ||
        type == QLatin1String("COMBO")) {
        const bool combo = type == QLatin1String("COMBO");
        c->Brush->Color = clWhite;
        c->Pen->Color = Themed ? ControlBorderThemed : ControlBorderClassic;
        c->Rectangle(x, b - h + 4, x + width, b + 2);
        const QString shown = type == QLatin1String("PASSWORD") ? QString(C.Value.size(), '*') : C.Value;
        TRect text =
            combo ? TRect(x + 4, b - h + 4, x + width - 18, b) : TRect(x + 2, b - h + 4, x + width, b);
        DrawTextEx(c, shown, -1, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (combo) {
            const TRect button(x + width - 18, b - h + 5, x + width - 1, b + 1);
            if (!(Themed && themed("combobox", 1, hot ? 2 : 1, button)))
                DrawFrameControl(c, button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX);
        }
    } else if (type == QLatin1String("CHECK") || type == QLatin1String("RADIO")) {
        const bool check = type == QLatin1String("CHECK");
        const bool checked = UpperCase(C.Value) == QLatin1String("TRUE");
        const TRect r = check ? TRect(x + 2, b - 15, x + 15, b) : TRect(x + 2, b - 14, x + 14, b);
        if (!(Themed && themed("button", check ? 3 : 2, checked ? 5 : 1, r)))
            DrawFrameControl(c, r, DFC_BUTTON,
                             (check ? DFCS_BUTTONCHECK : DFCS_BUTTONRADIO) | DFCS_FLAT |
                                 (checked ? DFCS_CHECKED : 0));
    } else if (type == QLatin1String("BUTTON")) {
        const TRect r(x + 2, b - height, x + width - 2, b);
        const bool pushed = Pressed && hot;
        if (!(Themed && themed("button", 1, pushed ? 3 : hot ? 2 : 1, r)))
            DrawFrameControl(c, r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
        TRect text = r;
        InflateRect(text, -2, -2);
        c->Brush->Color = clNone;
        DrawTextEx(c, C.Value, -1, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

} // namespace htmlrender

bool RenderHTML(TCanvas* Canvas, const QString& Text, const TRect& Rect, TImageList* Images, int HitX,
                int HitY, int FocusAnchorIndex, int HoverAnchorIndex, int ShadowOffset, bool HitTestPass,
                bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn, bool HoverOnly, bool WordWrap,
                bool Pressed, double ScaleFactor, TColor AnchorColor, TColor AnchorBackColor,
                TColor AnchorTextColor, TColor ShadowColor, QString& HitAnchor, QString& PlainText,
                QString& FocusHref, QString& HitTitle, int& LinesWidth, int& LinesHeight, int& AnchorCount,
                int& HitAnchorNumber, TRect& HitAnchorRect, TRect& HitControlRect, QString& ControlID,
                QString& ControlValue, QString& ControlType, THTMLPictureCache* PictureCache,
                TPictureContainer* Pictures, HWND ThemeWindow, uint8_t BiDiMode)
{
    htmlrender::THtmlRenderer r;
    r.Canvas = Canvas;
    r.Rect = Rect;
    r.Images = Images;
    r.HitX = HitX;
    r.HitY = HitY;
    r.FocusAnchorIndex = FocusAnchorIndex;
    r.HoverAnchorIndex = HoverAnchorIndex;
    r.ShadowOffset = ShadowOffset;
    r.HitTestPass = HitTestPass;
    r.MeasureOnly = MeasureOnly;
    r.Printing = Printing;
    r.Selected = Selected;
    r.BlinkOn = BlinkOn;
    r.HoverOnly = HoverOnly;
    r.WordWrap = WordWrap;
    r.Pressed = Pressed;
    r.ScaleFactor = ScaleFactor;
    r.AnchorColor = AnchorColor;
    r.AnchorBackColor = AnchorBackColor;
    r.AnchorTextColor = AnchorTextColor;
    r.ShadowColor = ShadowColor;
    r.PictureCache = PictureCache;
    r.Pictures = Pictures;
    r.ThemeWindow = ThemeWindow;
    r.BiDiMode = BiDiMode;
    r.HitAnchor = &HitAnchor;
    r.PlainText = &PlainText;
    r.FocusHref = &FocusHref;
    r.HitTitle = &HitTitle;
    r.LinesWidth = &LinesWidth;
    r.LinesHeight = &LinesHeight;
    r.AnchorCount = &AnchorCount;
    r.HitAnchorNumber = &HitAnchorNumber;
    r.HitAnchorRect = &HitAnchorRect;
    r.HitControlRect = &HitControlRect;
    r.ControlID = &ControlID;
    r.ControlValue = &ControlValue;
    r.ControlType = &ControlType;
    return r.Run(Text);
}
