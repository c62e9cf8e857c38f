#include "platform/controls/RichEdit.h"

#include "platform/controls/RichEditStream.h"
#include "platform/graphics/CanvasScope.h"
#include "platform/graphics/Colors.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

#include <cmath>

namespace
{

// The paragraphs of a rich edit. Writing a line rewrites the text, as a plain line list does.
class TRichEditLines : public TStrings
{
  public:
    explicit TRichEditLines(TRichEdit* owner) : owner_(owner) {}
    int Count() const override { return int(lines().size()); }
    void Delete(int Index) override
    {
        CheckIndex(Index, Count());
        QStringList l = lines();
        l.removeAt(Index);
        store(l);
    }
    void Clear() override { owner_->Clear(); }

  protected:
    QString Get(int Index) const override
    {
        CheckIndex(Index, Count());
        return lines()[Index];
    }
    void Put(int Index, const QString& S) override
    {
        CheckIndex(Index, Count());
        QStringList l = lines();
        l[Index] = S;
        store(l);
    }
    TObject* GetObject(int Index) const override
    {
        CheckIndex(Index, Count());
        return nullptr;
    }
    void PutObject(int Index, TObject*) override { CheckIndex(Index, Count()); }
    void InsertItem(int Index, const QString& S, TObject*) override
    {
        QStringList l = lines();
        l.insert(Index, S);
        store(l);
    }

  private:
    QStringList lines() const
    {
        QStringList l;
        const QTextDocument* doc = owner_->Document();
        if (doc->isEmpty())
            return l;
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
            l.append(b.text().replace(QChar(QChar::LineSeparator), QChar('\v')));
        return l;
    }
    void store(const QStringList& l)
    {
        owner_->Editor()->setPlainText(l.join('\n'));
        Changed();
    }
    TRichEdit* owner_;
};

QTextCursor SelectionCursor(const TRichEdit* edit)
{
    return edit->Editor()->textCursor();
}

} // namespace

// ---- TTextAttributes ------------------------------------------------------------------------------

QTextCharFormat TTextAttributes::Format() const
{
    QTextCursor c = SelectionCursor(FOwner);
    if (c.hasSelection()) {
        // The first selected character, not the one before the selection.
        QTextCursor first(FOwner->Document());
        first.setPosition(c.selectionStart() + 1);
        return first.charFormat();
    }
    return c.charFormat();
}

void TTextAttributes::Merge(const QTextCharFormat& Format)
{
    QTextCursor c = SelectionCursor(FOwner);
    c.mergeCharFormat(Format);
    FOwner->Editor()->mergeCurrentCharFormat(Format);
}

QString TTextAttributes::Name() const
{
    return Format().font().resolve(FOwner->Document()->defaultFont()).family();
}

void TTextAttributes::SetName(const QString& Value)
{
    QTextCharFormat f;
    f.setFontFamilies(QStringList{Value});
    Merge(f);
}

int TTextAttributes::Size() const
{
    return int(std::lround(Format().font().resolve(FOwner->Document()->defaultFont()).pointSizeF()));
}

void TTextAttributes::SetSize(int Value)
{
    QTextCharFormat f;
    f.setFontPointSize(Value);
    Merge(f);
}

TFontStyles TTextAttributes::Style() const
{
    const QFont font = Format().font().resolve(FOwner->Document()->defaultFont());
    TFontStyles s = 0;
    if (font.bold())
        s |= fsBold;
    if (font.italic())
        s |= fsItalic;
    if (font.underline())
        s |= fsUnderline;
    if (font.strikeOut())
        s |= fsStrikeOut;
    return s;
}

void TTextAttributes::SetStyle(TFontStyles Value)
{
    QTextCharFormat f;
    f.setFontWeight((Value & fsBold) ? QFont::Bold : QFont::Normal);
    f.setFontItalic((Value & fsItalic) != 0);
    f.setFontUnderline((Value & fsUnderline) != 0);
    f.setFontStrikeOut((Value & fsStrikeOut) != 0);
    Merge(f);
}

TColor TTextAttributes::Color() const
{
    const QTextCharFormat f = Format();
    if (!f.hasProperty(QTextFormat::ForegroundBrush))
        return QColorToColor(FOwner->Editor()->palette().color(QPalette::Text));
    return QColorToColor(f.foreground().color());
}

void TTextAttributes::SetColor(TColor Value)
{
    QTextCharFormat f;
    f.setForeground(ColorToQColor(Value));
    Merge(f);
}

int TTextAttributes::Offset() const
{
    return Format().intProperty(RichOffsetProperty);
}

void TTextAttributes::SetOffset(int Value)
{
    QTextCharFormat f;
    f.setProperty(RichOffsetProperty, Value);
    f.setVerticalAlignment(Value > 0   ? QTextCharFormat::AlignSuperScript
                           : Value < 0 ? QTextCharFormat::AlignSubScript
                                       : QTextCharFormat::AlignNormal);
    Merge(f);
}

// ---- TRichEdit ------------------------------------------------------------------------------------

TRichEdit::TRichEdit(TComponent* AOwner)
    : TWinControl(AOwner, new TWidgetBridge<QTextEdit>()), Lines(new TRichEditLines(this)),
      SelAttributes(new TTextAttributes(this))
{
    FEditor = static_cast<QTextEdit*>(Widget());
    NativeInput = true;
    ControlStyle = csClickEvents | csSetCaption | csDoubleClicks;
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    FEditor->setTabChangesFocus(true);
    FEditor->setAcceptRichText(false);
    FEditor->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FEditor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Document()->setDocumentMargin(1);
    ConnectSignal(FEditor, &QTextEdit::textChanged, [this] {
        Change();
        SendRequestResize();
    });
    ConnectSignal(FEditor, &QTextEdit::selectionChanged, [this] { SelectionChange(); });
    SetBounds(0, 0, 185, 89);
}

TRichEdit::~TRichEdit()
{
    delete SelAttributes;
    delete Lines;
}

QString TRichEdit::Text() const
{
    QString s = FEditor->toPlainText();
    s.replace(QChar('\n'), QLatin1String("\r\n"));
    return s;
}

void TRichEdit::SetText(const QString& Value)
{
    QString text = Value;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
    FEditor->setPlainText(text);
    ApplyRect();
}

void TRichEdit::LoadFromStream(TStream* Stream)
{
    const int64_t size = Stream->Size() - Stream->Position();
    QByteArray bytes;
    if (size > 0) {
        bytes.resize(qsizetype(size));
        bytes.resize(qsizetype(Stream->Read(bytes.data(), size)));
    }
    if (PlainText) {
        QString text;
        text.reserve(bytes.size());
        for (const char b : bytes)
            text += Cp1252ToChar(uint8_t(b));
        SetText(text);
        return;
    }
    {
        const QSignalBlocker block(FEditor);
        ReadRTF(bytes, Document());
        ApplyRect();
    }
    // One change for the whole load.
    Change();
    SendRequestResize();
}

void TRichEdit::SaveToStream(TStream* Stream)
{
    QByteArray bytes;
    if (PlainText) {
        const QString text = Text();
        bytes.reserve(text.size());
        for (const QChar ch : text) {
            const int b = CharToCp1252(ch);
            bytes += char(b < 0 ? '?' : b);
        }
    } else {
        bytes = RTF();
    }
    Stream->WriteBuffer(bytes.constData(), bytes.size());
}

QByteArray TRichEdit::RTF() const
{
    return WriteRTF(Document());
}

void TRichEdit::Clear()
{
    FEditor->clear();
    FEditor->setCurrentCharFormat(QTextCharFormat());
    ApplyRect();
}

int TRichEdit::SelStart() const
{
    return FEditor->textCursor().selectionStart();
}

void TRichEdit::SetSelStart(int Value)
{
    QTextCursor c = FEditor->textCursor();
    c.setPosition(std::clamp(Value, 0, std::max(0, Document()->characterCount() - 1)));
    FEditor->setTextCursor(c);
}

int TRichEdit::SelLength() const
{
    const QTextCursor c = FEditor->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TRichEdit::SetSelLength(int Value)
{
    QTextCursor c = FEditor->textCursor();
    const int start = c.selectionStart();
    const int last = std::max(0, Document()->characterCount() - 1);
    c.setPosition(start);
    c.setPosition(std::clamp(start + std::max(0, Value), 0, last), QTextCursor::KeepAnchor);
    FEditor->setTextCursor(c);
}

void TRichEdit::SelectAll()
{
    FEditor->selectAll();
}

void TRichEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    FEditor->setLineWrapMode(Value ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRichEdit::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    FEditor->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

void TRichEdit::SetHideSelection(bool Value)
{
    FHideSelection = Value;
    // Qt shows the selection of an unfocused edit in the inactive highlight colour.
    QPalette pal = FEditor->palette();
    const QColor active = pal.color(QPalette::Active, QPalette::Highlight);
    pal.setColor(QPalette::Inactive, QPalette::Highlight, Value ? QColor(Qt::transparent) : active);
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 Value ? pal.color(QPalette::Inactive, QPalette::Text)
                       : pal.color(QPalette::Active, QPalette::HighlightedText));
    FEditor->setPalette(pal);
}

bool TRichEdit::ReadOnly() const
{
    return FEditor->isReadOnly();
}

void TRichEdit::SetReadOnly(bool Value)
{
    FEditor->setReadOnly(Value);
}

void TRichEdit::SetRect(const TRect& R)
{
    FHasRect = true;
    FRect = R;
    ApplyRect();
}

void TRichEdit::ApplyRect()
{
    if (!FHasRect)
        return;
    QTextFrame* root = Document()->rootFrame();
    QTextFrameFormat f = root->frameFormat();
    f.setLeftMargin(std::max(0, FRect.Left));
    f.setTopMargin(std::max(0, FRect.Top));
    f.setRightMargin(std::max(0, Width() - FRect.Right));
    f.setBottomMargin(std::max(0, Height() - FRect.Bottom));
    root->setFrameFormat(f);
}

TSize TRichEdit::RequestedSize() const
{
    // A text edit lays its document out lazily; an explicit width lays it out in full.
    const int viewport = FEditor->viewport()->width();
    return ContentSize(FWordWrap ? std::max(1, viewport > 0 ? viewport : Width()) : -1);
}

TSize TRichEdit::ContentSize(int WrapWidth) const
{
    QTextDocument* doc = Document();
    const qreal keep = doc->textWidth();
    doc->setTextWidth(WrapWidth);
    const QSizeF s = doc->size();
    doc->setTextWidth(keep);
    TSize size;
    size.cx = int(std::ceil(s.width()));
    size.cy = int(std::ceil(s.height()));
    // Below a formatting rectangle is the control's empty rest, not content: counted, it would
    // grow with every growth of the control that asked for the size.
    if (FHasRect)
        size.cy = std::max(0, size.cy - std::max(0, Height() - FRect.Bottom));
    return size;
}

void TRichEdit::PaintTo(TCanvas* Canvas, const TRect& R, TColor DefaultColor) const
{
    if (R.Width() <= 0 || R.Height() <= 0)
        return;
    QTextDocument* doc = Document();
    const qreal keep = doc->textWidth();
    doc->setTextWidth(R.Width());
    {
        TCanvasPaintScope p(*Canvas);
        if (p) {
            p.ClipTo(QRect(R.Left, R.Top, R.Width(), R.Height()));
            p->save();
            p->translate(R.Left, R.Top);
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, 0, R.Width(), R.Height());
            ctx.palette.setColor(QPalette::Text, ColorToQColor(DefaultColor));
            doc->documentLayout()->draw(&*p, ctx);
            p->restore();
        }
    }
    doc->setTextWidth(keep);
}

void TRichEdit::SendRequestResize()
{
    const TSize s = RequestedSize();
    RequestResize(TRect(0, 0, s.cx, s.cy));
}

void TRichEdit::RequestResize(const TRect&) {}

bool TRichEdit::WantsKey(WORD Key, TShiftState) const
{
    return IsArrowKey(Key) || Key == VK_RETURN;
}

void TRichEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TRichEdit::SelectionChange()
{
    if (OnSelectionChange)
        OnSelectionChange(this);
}

void TRichEdit::ApplyColor()
{
    TWinControl::ApplyColor();
    QPalette pal = FEditor->palette();
    pal.setColor(QPalette::Base, ColorToQColor(Color()));
    FEditor->setPalette(pal);
}

void TRichEdit::Resize()
{
    TWinControl::Resize();
    ApplyRect();
}
