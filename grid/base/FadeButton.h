// TFadeButton: the self-drawn push button of every form, with its face styles, glyph strip,
// hot tracking that can fade back, stock kinds, colour presets, Default/Cancel roles and accelerator.
//
// The face is drawn by DrawFadeButtonFace from plain arguments; the button calls it on an off-screen
// bitmap in every repaint. Its steps, in order: face colour (plain, blended towards the hot colour by
// the fade step, or the down colour), background, border, caption fitting and measuring, layout of
// caption and glyph, caption, glyph cell, popup arrow.
#pragma once

#include "platform/controls/Controls.h"
#include "platform/graphics/Graphics.h"
#include "platform/controls/Interaction.h"

#include <QString>
#include <memory>

class QTimer;

// ---- Kinds, styles, presets ------------------------------------------------------------------------
// Names and order are those of the stored form format.

enum TFadeButtonStyle { bsNormal, bsEncarta, bsModern, bsOld, bsShape, bsQuicken };
enum TFadeButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TFadeButtonKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
enum TFadeColorStyle {
    lcsCustom,
    lcsGold,
    lcsChrome,
    lcsBlue,
    lcsRed,
    lcsUltraFlat1,
    lcsUltraFlat2,
    lcsUltraFlatXP,
    lcsAqua,
    lcsDefault,
    lcsQuicken
};

// The toolkit's "All" result as the button kinds number it (the message boxes here use their own).
constexpr TModalResult mrKindAll = 12;

// Hot-track fade: step 8 is the full hot colour, 0 the plain colour; one step per tick.
constexpr int FadeButtonHotSteps = 8;
constexpr int FadeButtonTickMs = 30;

struct TFadeButtonKindInfo {
    TFadeButtonKind Kind;
    TModalResult ModalResult;
    const char* GlyphResource; // a two-cell strip: normal, disabled
    const char* Caption;       // UTF-8
};
// The row of a kind (bkCustom: no result, no glyph, no caption).
const TFadeButtonKindInfo& FadeButtonKindInfo(TFadeButtonKind kind);

struct TFadeColorStyleColors {
    TFadeColorStyle ColorStyle;
    TColor Color;
    TColor LightColor;
    TColor ShadowColor;
    TColor ColorWhenDown;
    TColor HotTrackColor;
    TColor FontColor;
    bool Flat;
    TFadeButtonStyle Style;
};
// The preset of a colour style; false for lcsCustom, which changes nothing.
bool GetFadeColorStyleColors(TFadeColorStyle style, TFadeColorStyleColors& colors);

// ---- The face --------------------------------------------------------------------------------------

// The colour a face leaves see-through: a shape's background and the corners of rounded styles.
constexpr TColor FadeButtonTransparentKey = clFuchsia;

// Face colour: the colour (system colours resolved), blended towards the hot colour by Step/8 per
// channel when enabled and a hot colour is set; the down colour itself while pressed. A disabled
// face is never pressed.
TColor FadeButtonFaceColor(TColor Color, TColor HotColor, TColor DownColor, bool Enabled, bool Down,
                           int Step);

// Glyph strip cell: 0 normal, 1 disabled, 2 pressed, 3 hot (pressed wins over hot); a cell the strip
// does not have shows cell 0.
int FadeButtonGlyphCell(bool Enabled, bool Hot, bool Down, int NumGlyphs);

// Width the caption may take (TW), never below 0.
int FadeButtonTextLimit(int W, TFadeButtonLayout Layout, TFadeButtonStyle Style, int GW);
// DrawText format of an alignment (always word break).
uint32_t FadeButtonTextFormat(TAlignment Alignment);

// What the layout needs: face size, press offset P, glyph cell size, caption height TH and caption
// width + 4 (CW, 0 for no caption).
struct TFadeButtonFaceGeometry {
    int W = 0;
    int H = 0;
    TAlignment Alignment = taCenter;
    TFadeButtonLayout Layout = blGlyphLeft;
    TFadeButtonStyle Style = bsNormal;
    bool WordWrap = false;
    int P = 0;
    int GW = 0;
    int GH = 0;
    int TH = 0;
    int CW = 0;
};
struct TFadeButtonFaceLayout {
    int TextLimit = 0; // TW
    TRect TextRect;    // where the caption is drawn
    uint32_t TextFormat = 0;
    TPoint GlyphPos; // top-left of the glyph cell
};
TFadeButtonFaceLayout LayoutFadeButtonFace(const TFadeButtonFaceGeometry& Geometry);

// Draws a whole face of W x H at (0, 0) of the canvas. The caption is cut from its end until it fits
// (unless WordWrap); the glyph is a strip of NumGlyphs equal cells keyed on its bottom-left pixel.
// NoFill skips the background of every style but bsShape. Hot: the cursor is on the button or it
// has the focus; Step: the fade step 0..8.
void DrawFadeButtonFace(TCanvas* Canvas, int W, int H, TAlignment Alignment, const QString& Caption,
                        TFadeButtonLayout Layout, const TFont* Font, TColor ShadowColor, TColor LightColor,
                        TColor HotColor, TColor DownColor, TColor Color, TFadeButtonStyle Style,
                        bool HasPopup, bool WordWrap, bool Flat, bool Enabled, bool NoFill, bool Hot,
                        bool Down, const TBitmap* Glyph, int NumGlyphs, int Step);

// ---- The fade pacer -------------------------------------------------------------------------------

// Paces the hot-track fade: while running it calls Notify every FadeButtonTickMs on the GUI thread.
// It is created suspended; the button resumes it when the mouse leaves and suspends it at step 0.
// (A GUI-thread timer: the work is painting, which belongs to the GUI thread anyway.)
class TFadeButtonThread : public TObject
{
  public:
    explicit TFadeButtonThread(TNotifyEvent Notify);
    ~TFadeButtonThread() override;

    bool Suspended() const;
    void Resume(); // the first tick follows after one interval
    void Suspend();
    // One tick: calls the notify event with this pacer as sender.
    void DoEvent();

  private:
    TNotifyEvent FNotify;
    std::unique_ptr<QTimer> FTimer;
};

// ---- The button -----------------------------------------------------------------------------------

// The push button. Clicks come from a left press and its release (wherever the release happens),
// Enter or Space (down presses, up clicks), the caption's accelerator, and Enter/Escape as the
// form's Default/Cancel button. A click (PerformClickAction) fires OnClick, then sets the form's
// ModalResult, then opens the popup menu under the button.
class TFadeButton : public TCustomControl
{
  public:
    explicit TFadeButton(TComponent* AOwner);
    ~TFadeButton() override;

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Always reads lcsCustom; setting another style applies its preset.
    TFadeColorStyle ColorStyle() const { return FDummyStyle; }
    void SetColorStyle(TFadeColorStyle Value);
    TColor ColorWhenDown() const { return FColorWhenDown; }
    void SetColorWhenDown(TColor Value) { FColorWhenDown = Value; }
    bool Default() const { return FDefault; }
    void SetDefault(bool Value) { FDefault = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    // A horizontal strip of NumGlyphs cells: normal, disabled, pressed, hot.
    TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies the bitmap (nullptr empties the glyph), sets NumGlyphs to width div height, Kind to bkCustom.
    void SetGlyph(const TBitmap* Value);
    TColor HotTrackColor() const { return FHotTrackColor; }
    void SetHotTrackColor(TColor Value) { FHotTrackColor = Value; }
    TFont* HotTrackFont() const { return FHTFont.get(); }
    void SetHotTrackFont(const TFont* Value) { FHTFont->Assign(Value); }
    TFadeButtonKind Kind() const { return FKind; }
    // A stock kind brings its modal result, two-cell glyph and caption.
    void SetKind(TFadeButtonKind Value);
    TFadeButtonLayout Layout() const { return FLayout; }
    void SetLayout(TFadeButtonLayout Value);
    TColor LightColor() const { return FLightColor; }
    void SetLightColor(TColor Value);
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value); // also Kind := bkCustom
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int Value);
    TColor ShadowColor() const { return FShadowColor; }
    void SetShadowColor(TColor Value);
    bool SlowDecease() const { return FSlowDecease; }
    void SetSlowDecease(bool Value);
    TFadeButtonStyle Style() const { return FStyle; }
    void SetStyle(TFadeButtonStyle Value);
    bool UseHotTrackFont() const { return FUseHTFont; }
    void SetUseHotTrackFont(bool Value) { FUseHTFont = Value; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    void SetEnabled(bool Value) override;

    // The button's own events; they hide the control's OnClick and OnMouseEnter, which stay unused.
    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseExit;

    // Presses and clicks the button from code, then runs the control's click (the action).
    void Click() override;
    void PerformClickAction();
    // One fade step: the pacer's notify event.
    void HotTrackTick();

    // Run-time state.
    bool IsDown() const { return bDown; }
    bool CursorOnButton() const { return bCursorOnButton; }
    int HotTrackStep() const { return FHotTrackStep; }
    TFadeButtonThread* FadeThread() const { return FThread.get(); }

    void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKeyUp(WORD& Key, TShiftState Shift) override;
    void HandleFocusChanged(TWinControl* Focused) override;
    bool HandleDialogKey(WORD& Key, TShiftState Shift) override;
    bool HandleDialogChar(char16_t Key, TShiftState Shift) override;
    bool WantsChars() const override { return false; }
    void HandleActionChange(TAction* Sender) override;
    // Hidden, or its form hid: it forgets the mouse and any press.
    void HandleHide() override;

  protected:
    void Paint() override;
    // "Repaints at once": paints now when the button is on screen.
    void RepaintNow() { Repaint(); }
    bool Hot() const;
    // Whether the pointer entering or leaving counts: the button and its parent are on screen.
    bool Reachable() const;

    bool bDown = false;
    bool bCursorOnButton = false;
    int FHotTrackStep = 0;

  private:
    std::unique_ptr<TFadeButtonThread> MakeFadePacer();
    void StopFade();

    TAlignment FAlignment = taCenter;
    bool FCancel = false;
    bool FDefault = false;
    TFadeColorStyle FDummyStyle = lcsCustom;
    TColor FColorWhenDown = clNone;
    TColor FHotTrackColor = clNone;
    TColor FLightColor = clWhite;
    TColor FShadowColor = clGray;
    bool FFlat = false;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TFont> FHTFont;
    TFadeButtonKind FKind = bkCustom;
    TFadeButtonLayout FLayout = blGlyphLeft;
    TModalResult FModalResult = mrNone;
    int FNumGlyphs = 0;
    bool FSlowDecease = false;
    TFadeButtonStyle FStyle = bsNormal;
    bool FUseHTFont = false;
    bool FWordWrap = false;
    std::unique_ptr<TFadeButtonThread> FThread;
};
