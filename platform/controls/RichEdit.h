// TRichEdit: the toolkit's rich edit on a QTextEdit. It loads and saves RTF (RichEditStream) or,
// with PlainText, plain text; Lines is a view of its paragraphs and Text joins them with CR LF.
// SelAttributes reads and sets the selection's character attributes, the vertical offset in twips
// included.
//
// After every change the control asks for the size its content needs (the window system's
// EN_REQUESTRESIZE, reflected to the control's own CN_NOTIFY handling): RequestResize. The
// formatting rectangle (EM_SETRECT, SetRect) becomes the document's margins.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/controls/LayeredWindows.h"
#include "platform/core/Classes.h"
#include "platform/core/StringList.h"
#include "platform/graphics/Canvas.h"

#include <QTextEdit>

class TRichEdit;

// The character attributes of a rich edit's selection (or, without one, of the insertion point).
// Reading answers for the selection's first character; setting changes the whole selection.
class TTextAttributes
{
  public:
    explicit TTextAttributes(TRichEdit* Owner) : FOwner(Owner) {}

    QString Name() const;
    void SetName(const QString& Value);
    // Points.
    int Size() const;
    void SetSize(int Value);
    TFontStyles Style() const;
    void SetStyle(TFontStyles Value);
    TColor Color() const;
    void SetColor(TColor Value);
    // Vertical offset in twips, positive up.
    int Offset() const;
    void SetOffset(int Value);

  private:
    QTextCharFormat Format() const;
    void Merge(const QTextCharFormat& Format);
    TRichEdit* FOwner;
};

class TRichEdit : public TWinControl
{
  public:
    explicit TRichEdit(TComponent* AOwner);
    ~TRichEdit() override;

    TStrings* const Lines;
    TTextAttributes* const SelAttributes;

    QString Text() const override;
    void SetText(const QString& Value) override;
    // Load and save as plain text instead of RTF.
    bool PlainText = false;
    // From the stream's position to its end; RTF unless PlainText (plain text as Windows-1252).
    void LoadFromStream(TStream* Stream);
    void SaveToStream(TStream* Stream);
    // The RTF of the contents.
    QByteArray RTF() const;
    void Clear();

    // Selection, counted from 0.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    void SelectAll();

    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool ReadOnly() const;
    void SetReadOnly(bool Value);
    // EM_SETRECT, in client coordinates.
    void SetRect(const TRect& R);
    // The size the content needs at the control's own width (or unwrapped).
    TSize RequestedSize() const;
    // The size the content needs laid out WrapWidth wide (-1: unwrapped), the control left as it is.
    TSize ContentSize(int WrapWidth) const;
    // Draws the content laid out in R into the canvas, clipped to R, without a background (the
    // window system's EM_FORMATRANGE onto a device context). DefaultColor colours text without a
    // colour of its own.
    void PaintTo(TCanvas* Canvas, const TRect& R, TColor DefaultColor = clWindowText) const;

    bool WantsKey(WORD Key, TShiftState Shift) const override;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

    QTextEdit* Editor() const { return FEditor; }
    QTextDocument* Document() const { return FEditor->document(); }

  protected:
    virtual void Change();
    virtual void SelectionChange();
    // The resize request: Rect is the size the content needs, at (0, 0).
    virtual void RequestResize(const TRect& Rect);
    void ApplyColor() override;
    void Resize() override;

  private:
    friend class TTextAttributes;
    void ApplyRect();
    void SendRequestResize();
    QTextEdit* FEditor;
    bool FWordWrap = true;
    TBorderStyle FBorderStyle = bsSingle;
    bool FHideSelection = true;
    bool FHasRect = false;
    TRect FRect;
};
