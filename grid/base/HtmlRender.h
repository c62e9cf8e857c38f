// The mini-HTML renderer: lays a markup cell text out in a rectangle of a canvas, line by line, and
// draws it, measures it or hit-tests a point against it. The grid's painter, automatic sizing, mouse
// and hint code, the search highlight and the drop-down pickers call it; nothing is cached between
// calls except the pictures in the caller's picture cache.
//
// The markup: "<" starts a tag that ends at the next ">"; tags switch rendering state on and off (bold
// "<B>", italic "<I>", "<U>", "<S>", "<FONT face color bgcolor size>", anchors "<A href title>",
// pictures "<IMG src width height align alt>", inline controls "<CONTROL type id value width height>",
// lists "<UL>"/"<LI>", paragraphs "<P align indent bgcolor>", "<BR>", "<HR>", "<HI>" highlight, "<Z>"
// hidden text, "<SUB>"/"<SUP>", "<SHAD>" shadow, "<E>" error underline, "<R a=..>" rotation,
// "<BODY background bgcolor>", "<BLINK>", "<IND x=..>"); tags are recognised by their first one or two
// letters, unknown ones vanish, malformed markup degrades without an error.
//
// Each line is laid out in two passes: a measuring pass takes one line off the text and returns its
// markup, then (unless MeasureOnly) a second pass over that markup, placed by the line's alignment,
// draws it or, with HitTestPass, hit-tests it.
#pragma once

#include "grid/base/HtmlPicture.h"
#include "platform/controls/Controls.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImgList.h"

#include <QString>
#include <cstdint>

// Returns true when the second pass of a line finds the hit point on anchor text (HitTestPass), on a
// picture inside an anchor or on a control. Out-values: PlainText, FocusHref, HitTitle, ControlValue
// and ControlType are cleared on entry, ControlID only without HitTestPass (it is then an input too);
// LinesWidth, LinesHeight and AnchorCount start at 0, HitAnchorNumber at -1, HitControlRect empty;
// HitAnchor and HitAnchorRect keep their value until a hit sets them.
bool RenderHTML(TCanvas* Canvas, const QString& Text, const TRect& Rect, TImageList* Images, int HitX,
                int HitY, int FocusAnchorIndex, int HoverAnchorIndex, int ShadowOffset, bool HitTestPass,
                bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn, bool HoverOnly, bool WordWrap,
                bool Pressed, double ScaleFactor, TColor AnchorColor, TColor AnchorBackColor,
                TColor AnchorTextColor, TColor ShadowColor, QString& HitAnchor, QString& PlainText,
                QString& FocusHref, QString& HitTitle, int& LinesWidth, int& LinesHeight, int& AnchorCount,
                int& HitAnchorNumber, TRect& HitAnchorRect, TRect& HitControlRect, QString& ControlID,
                QString& ControlValue, QString& ControlType, THTMLPictureCache* PictureCache,
                TPictureContainer* Pictures, HWND ThemeWindow, uint8_t BiDiMode);

// The colours "<HI>" switches to (initially the system highlight and highlight text colours).
void SetHTMLHighlightColors(TColor BackColor, TColor TextColor);
