// The push button's construction, properties and hot-track fade.
#include "grid/base/FadeButton.h"

#include "platform/controls/Forms.h"

#include <QTimer>

// ---- Fade pacer -------------------------------------------------------------------------------------

TFadeButtonThread::TFadeButtonThread(TNotifyEvent Notify) : FNotify(std::move(Notify)), FTimer(new QTimer)
{
    FTimer->setInterval(FadeButtonTickMs);
    QObject::connect(FTimer.get(), &QTimer::timeout, [this] { GuardedDispatch([this] { DoEvent(); }); });
}

TFadeButtonThread::~TFadeButtonThread() = default;

bool TFadeButtonThread::Suspended() const
{
    return !FTimer->isActive();
}

void TFadeButtonThread::Resume()
{
    if (Suspended())
        FTimer->start();
}

void TFadeButtonThread::Suspend()
{
    FTimer->stop();
}

void TFadeButtonThread::DoEvent()
{
    if (FNotify)
        FNotify(this);
}

// ---- Construction -----------------------------------------------------------------------------------

namespace
{

constexpr int DefaultWidth = 100;
constexpr int DefaultHeight = 23;

} // namespace

TFadeButton::TFadeButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>())
{
    SetBounds(Left(), Top(), DefaultWidth, DefaultHeight);
    // Captures the mouse while a button is held; makes its clicks itself, and a quick second
    // press is an ordinary press. The face covers the whole control (or keys out what shows beneath).
    ControlStyle = csCaptureMouse | csSetCaption | csOpaque;
    SetTabStop(true);
    SetColor(clBtnFace);
    FThread = MakeFadePacer();
    if (auto* form = dynamic_cast<TCustomForm*>(AOwner))
        FHTFont->Assign(form->Font);
}

std::unique_ptr<TFadeButtonThread> TFadeButton::MakeFadePacer()
{
    return std::make_unique<TFadeButtonThread>([this](TObject*) { HotTrackTick(); });
}

TFadeButton::~TFadeButton()
{
    TComponent::Destroying(); // a tick arriving now does nothing
    FThread.reset();
}

// ---- Properties -------------------------------------------------------------------------------------

void TFadeButton::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    RepaintNow();
}

void TFadeButton::SetColorStyle(TFadeColorStyle Value)
{
    TFadeColorStyleColors preset;
    if (!GetFadeColorStyleColors(Value, preset))
        return;
    SetColor(preset.Color);
    Font->Color = preset.FontColor;
    // Straight into the fields, as the preset is a look, not a change of window kind.
    FLightColor = preset.LightColor;
    FShadowColor = preset.ShadowColor;
    FColorWhenDown = preset.ColorWhenDown;
    FHotTrackColor = preset.HotTrackColor;
    FFlat = preset.Flat;
    FStyle = preset.Style;
    RepaintNow();
}

void TFadeButton::SetFlat(bool Value)
{
    FFlat = Value;
    RepaintNow();
}

void TFadeButton::SetGlyph(const TBitmap* Value)
{
    if (Value && !Value->Empty()) {
        FGlyph->Assign(Value);
        FNumGlyphs = FGlyph->Height() > 0 ? FGlyph->Width() / FGlyph->Height() : 0;
    } else {
        FGlyph->Assign(static_cast<const TBitmap*>(nullptr));
        FNumGlyphs = 0;
    }
    FKind = bkCustom;
    Invalidate();
}

void TFadeButton::SetKind(TFadeButtonKind Value)
{
    if (Value != bkCustom) {
        const TFadeButtonKindInfo& info = FadeButtonKindInfo(Value);
        FNumGlyphs = 2;
        SetModalResult(info.ModalResult);
        FGlyph->LoadFromResourceName(QString::fromLatin1(info.GlyphResource));
        SetCaption(QString::fromUtf8(info.Caption));
    }
    FKind = Value;
    Invalidate();
}

void TFadeButton::SetLayout(TFadeButtonLayout Value)
{
    FLayout = Value;
    RepaintNow();
}

void TFadeButton::SetLightColor(TColor Value)
{
    FLightColor = Value;
    RepaintNow();
}

void TFadeButton::SetModalResult(TModalResult Value)
{
    FModalResult = Value;
    FKind = bkCustom;
}

void TFadeButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value;
    Invalidate();
}

void TFadeButton::SetShadowColor(TColor Value)
{
    FShadowColor = Value;
    RepaintNow();
}

void TFadeButton::SetSlowDecease(bool Value)
{
    FSlowDecease = Value;
    if (Value && !FThread) {
        FThread = MakeFadePacer();
    } else if (!Value && FThread) {
        FHotTrackStep = 0;
        FThread.reset();
    }
    Invalidate();
}

void TFadeButton::SetStyle(TFadeButtonStyle Value)
{
    FStyle = Value;
    Invalidate();
}

void TFadeButton::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    RepaintNow();
}

void TFadeButton::SetEnabled(bool Value)
{
    TCustomControl::SetEnabled(Value);
    bDown = false;
    RepaintNow();
}

// ---- Fade -------------------------------------------------------------------------------------------

void TFadeButton::HotTrackTick()
{
    if (ComponentState() & csDestroying)
        return;
    if (--FHotTrackStep <= 0) {
        StopFade();
        FHotTrackStep = 0;
    }
    RepaintNow();
}

void TFadeButton::StopFade()
{
    if (FThread)
        FThread->Suspend();
}
