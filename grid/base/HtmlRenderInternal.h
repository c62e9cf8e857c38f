// The renderer's per-call state, shared by its tag code (HtmlRender_Tags.cpp) and its layout code
// (HtmlRender_Layout.cpp). Not for callers: they use RenderHTML.
#pragma once

#include "grid/base/HtmlRender.h"
#include "grid/base/HtmlText.h"

#include <vector>

namespace htmlrender
{

// Text drawing flags of every run: DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING.
constexpr uint32_t RunFlags = 0x268;
constexpr int ListIndentStep = 12;
constexpr TColor ControlBorderThemed = 0xB99D7F;
constexpr TColor ControlBorderClassic = 0x808080;

enum TPassKind { pkMeasure, pkHitTest, pkDraw };

// Text being consumed by a pass: the measuring pass eats the call's text, the second pass a copy of
// the line's markup. End can move in to drop the rest.
struct TTextCursor {
    QString Text;
    qsizetype Pos = 0;
    qsizetype End = 0;
    bool AtEnd() const { return Pos >= End; }
    QChar At(qsizetype i) const { return Text[Pos + i]; }
    qsizetype Left() const { return End - Pos; }
    void Clear() { Pos = End; }
};

// One pass over one line.
struct TPass {
    TPassKind Kind = pkMeasure;
    TTextCursor* Text = nullptr;
    TRect R0;  // the line's rectangle
    int E = 0; // bottom of the line's text area
    TRect R;   // the run rectangle (drawing: its left is the current x)
    int W = 0; // width laid out so far
    bool LineHot = false;
    bool ImageHot = false;
    bool LineBreak = false;
    bool Stop = false;
    bool LiSeen = false;
    int TrailingBlank = 0;
    QString LineText; // the line's shown text so far
    QString Markup;   // the line's source markup
    bool Drawing() const { return Kind == pkDraw; }
    int X() const { return R0.Left + W; }
};

class THtmlRenderer
{
  public:
    // -- inputs --
    TCanvas* Canvas = nullptr;
    TRect Rect;
    TImageList* Images = nullptr;
    int HitX = -1;
    int HitY = -1;
    int FocusAnchorIndex = -1;
    int HoverAnchorIndex = 0;
    int ShadowOffset = 0;
    bool HitTestPass = false;
    bool MeasureOnly = false;
    bool Printing = false;
    bool Selected = false;
    bool BlinkOn = false;
    bool HoverOnly = false;
    bool WordWrap = true;
    bool Pressed = false;
    double ScaleFactor = 1.0;
    TColor AnchorColor = clBlue;
    TColor AnchorBackColor = clNone;
    TColor AnchorTextColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* Pictures = nullptr;
    HWND ThemeWindow = 0;
    uint8_t BiDiMode = 0;

    // -- out-values --
    QString* HitAnchor = nullptr;
    QString* PlainText = nullptr;
    QString* FocusHref = nullptr;
    QString* HitTitle = nullptr;
    int* LinesWidth = nullptr;
    int* LinesHeight = nullptr;
    int* AnchorCount = nullptr;
    int* HitAnchorNumber = nullptr;
    TRect* HitAnchorRect = nullptr;
    TRect* HitControlRect = nullptr;
    QString* ControlID = nullptr;
    QString* ControlValue = nullptr;
    QString* ControlType = nullptr;

    bool Run(const QString& Text);

    // -- tags (HtmlRender_Tags.cpp) --
    // Text preparation before layout: the renderer's entities, "<#x>" shown as "#x", CR as "<BR>".
    static QString PrepareText(const QString& Text);
    // The shown text of a run: "&nbsp;", "&lt;", "&gt;" replaced.
    static QString RunText(QStringView Source);
    // Applies the tag Tag ("<...>" as written, or the rest of the text when it has no ">").
    void ApplyTag(TPass& P, const QString& Tag);

  private:
    // -- layout (HtmlRender_Layout.cpp) --
    // DT_CALCRECT width of a run in the current font within `Limit` pixels; the second pass of a line
    // measures the runs the measuring pass measured, so the widths are kept for the call.
    int RunWidth(const QString& Run, int Limit);
    // TextHeight of the current font (the same for every text), kept per font for the call.
    int FontLineHeight();
    // TextWidth(" ") of the current font, kept the same way.
    int FontSpaceWidth();
    void RenderLine(TPass& P);
    void PlaceImage(TPass& P, const QString& Tag, const QString& Upper);
    void PlaceControl(TPass& P, const QString& Tag);
    void DrawControl(const THTMLControlTag& C, int x, int b, int h, int height, bool hot);
    // The picture a source names (container or cache), or nullptr.
    THTMLPicture* FindPicture(const QString& Source);
    void TileBackground(THTMLPicture* Picture);
    void StartAnchor(TPass& P, const QString& Tag, const QString& Upper);
    void EndAnchor(TPass& P);
    bool AnchorLook() const { return !HoverOnly || AnchorCounter == HoverAnchorIndex; }

    uint32_t Flags = RunFlags;
    bool RightToLeft = false;
    bool Themed = false;
    TColor EntryBrush = clNone;

    TFont BaseFont;
    TFont MeasureFont;
    TFont DrawFont;

    // Rendering state carried through the call.
    bool InAnchor = false;
    bool Hidden = false;
    bool Sub = false;
    bool Sup = false;
    bool Shadow = false;
    bool ErrorUnderline = false;
    bool ParaBack = false;
    QString Href;
    QString Title;
    int ListLevel = 0;
    int Align = 0; // 0 left, 1 right, 2 centre
    int Indent = 0;
    int AnchorCounter = 0;
    int PictureCounter = 0;
    int PictureHit = -1;
    bool AnchorHit = false;
    TColor AnchorSavedBack = clNone;
    TColor AnchorSavedText = clNone;
    TColor FontSavedBack = clNone;
    TColor HiSavedText = clNone;
    TColor HiSavedBack = clNone;
    TColor ParaSavedBack = clNone;
    TColor BodyColor = clNone;
    std::vector<int> SavedOrientations;

    // The anchor's start (hover rectangle) and the focus frame segment.
    int LineIndex = 0;
    TPoint AnchorStart;
    int AnchorStartLine = -1;
    bool FocusOpen = false;
    TPoint FocusStart;

    struct TRunWidth {
        QString Run;
        QString FontName;
        int FontHeight;
        TFontStyles FontStyle;
        int Limit; // -1 when the width does not depend on it (no ellipsis)
        int Width;
    };
    std::vector<TRunWidth> RunWidths;
    struct TFontMeasures {
        QString FontName;
        int FontHeight;
        TFontStyles FontStyle;
        int Height;
        int SpaceWidth; // -1 until asked for
    };
    std::vector<TFontMeasures> FontMeasures;
    TFontMeasures& CurrentFontMeasures();

    // Per line.
    int H = 0;
    int SubH = 0;
    int SupH = 0;
    int ImgAli = 0;
};

// Colour of a colour attribute: "#RRGGBB" or a name; false for an empty value.
bool ParseHTMLColor(const QString& Value, TColor& Color);
// The value of attribute Name (searched in the upper-cased tag): the text between the first two double
// quotes after it, taken from Source (the tag as written or upper-cased). False when Name is absent.
bool HTMLTagAttribute(const QString& Upper, const QString& Source, const char* Name, QString& Value);

} // namespace htmlrender
