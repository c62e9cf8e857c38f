#include "grid/base/HtmlPicture.h"

#include "platform/graphics/JpegImage.h"

#include <QBuffer>
#include <QImageReader>

namespace
{

uint16_t Word(const QByteArray& data, int at)
{
    return uint16_t(uint8_t(data[at]) | (uint8_t(data[at + 1]) << 8));
}

} // namespace

// ---- THTMLPicture -----------------------------------------------------------------------------------

THTMLPicture::THTMLPicture() : FDatastream(std::make_unique<TMemoryStream>()) {}

THTMLPicture::~THTMLPicture() = default;

void THTMLPicture::ResetFrames()
{
    FFrame = 1;
    FFrameCount = -1;
    FNextCount = -1;
    FTimerCount = -1;
}

void THTMLPicture::Assign(const THTMLPicture* Source)
{
    FIsEmpty = true;
    FImage = QImage();
    ResetFrames();
    // A picture with no data is copied as an empty one (there is nothing to decode).
    if (!Source || Source->Data().isEmpty()) {
        FDatastream->Clear();
        return;
    }
    LoadData(Source->Data(), true);
}

void THTMLPicture::LoadData(const QByteArray& Data, bool Notify)
{
    ResetFrames();
    FDatastream->Clear();
    FDatastream->WriteBuffer(Data.constData(), Data.size());
    FDatastream->SetPosition(0);
    FIsEmpty = false;
    Decode();
    if (Notify && OnChange)
        OnChange(this);
}

void THTMLPicture::LoadFromStream(TStream* Stream)
{
    if (!Stream)
        return;
    TMemoryStream copy;
    copy.LoadFromStream(Stream);
    LoadData(copy.Bytes(), true);
}

void THTMLPicture::LoadFromFile(const QString& FileName)
{
    try {
        TMemoryStream file;
        file.LoadFromFile(FileName);
        LoadFromStream(&file);
    } catch (const Exception&) {
        // A file that cannot be read or decoded shows nothing.
        FIsEmpty = true;
        FImage = QImage();
    }
}

void THTMLPicture::SaveToStream(TStream* Stream) const
{
    if (Stream)
        FDatastream->SaveToStream(Stream);
}

void THTMLPicture::SaveToFile(const QString& FileName) const
{
    FDatastream->SaveToFile(FileName);
}

void THTMLPicture::ReadData(TStream* Stream)
{
    if (!Stream)
        return;
    TMemoryStream copy;
    copy.LoadFromStream(Stream);
    LoadData(copy.Bytes(), false);
}

void THTMLPicture::WriteData(TStream* Stream) const
{
    SaveToStream(Stream);
}

void THTMLPicture::LoadFromResourceName(HMODULE, const QString& ResName)
{
    QByteArray data;
    if (!LoadRCDataResource(ResName, data))
        return;
    TMemoryStream stream;
    stream.WriteBuffer(data.constData(), data.size());
    LoadFromStream(&stream);
}

void THTMLPicture::LoadFromResourceID(HMODULE, int ResID)
{
    QByteArray data;
    if (!LoadRCDataResource(QString::number(ResID), data))
        throw EResNotFound(QStringLiteral("Resource %1 not found").arg(ResID));
    TMemoryStream stream;
    stream.WriteBuffer(data.constData(), data.size());
    LoadFromStream(&stream);
}

void THTMLPicture::LoadFromURL(const QString& URL)
{
    const QString upper = UpperCase(URL);
    if (upper.startsWith(QLatin1String("RES://"))) {
        FID = URL;
        LoadFromResourceName(0, URL.mid(6));
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        FID = URL;
        LoadFromFile(URL.mid(7));
    } else if (!FAsynch) {
        FURL = URL;
        FID = URL;
    } else if (!FThreadBusy) {
        // The download thread of this design does no work; the busy flag is all that remains of it.
        FURL = URL;
        FThreadBusy = true;
    }
}

void THTMLPicture::Draw(TCanvas* Canvas, const TRect& r, uint8_t opacity) const
{
    if (!Canvas || FIsEmpty || FImage.isNull())
        return;
    const TRect source(0, 0, FImage.width(), FImage.height());
    if (FStretched) {
        Canvas->DrawImage(r, FImage, source, opacity);
        return;
    }
    const int ppi = Canvas->PixelsPerInch();
    const int w = (FImage.width() * ppi + ScreenPixelsPerInch / 2) / ScreenPixelsPerInch;
    const int h = (FImage.height() * ppi + ScreenPixelsPerInch / 2) / ScreenPixelsPerInch;
    Canvas->DrawImage(Bounds(r.Left, r.Top, w, h), FImage, source, opacity);
}

bool THTMLPicture::IsGIF() const
{
    const QByteArray& data = Data();
    return data.size() > 4 && data.startsWith("GIF8");
}

std::vector<int> THTMLPicture::FrameBoundaries() const
{
    std::vector<int> frames;
    const QByteArray& data = Data();
    const int size = int(data.size());
    // The image descriptor's position and size end at j + 16: a boundary whose descriptor is cut off
    // is no frame.
    for (int j = 0; j + 16 < size; ++j)
        if (uint8_t(data[j]) == 0x21 && uint8_t(data[j + 1]) == 0xF9 && data[j + 2] == 4 &&
            uint8_t(data[j + 8]) == 0x2C)
            frames.push_back(j);
    return frames;
}

int THTMLPicture::FrameCount()
{
    if (FFrameCount != -1)
        return FFrameCount;
    if (!IsGIF())
        return -1;
    FFrameCount = int(FrameBoundaries().size());
    return FFrameCount;
}

int THTMLPicture::GetFrameTime(int i) const
{
    if (!IsGIF() || i < 1)
        return -1;
    const std::vector<int> frames = FrameBoundaries();
    if (i > int(frames.size()))
        return -1;
    return Word(Data(), frames[size_t(i - 1)] + 4);
}

QByteArray THTMLPicture::DecoderData() const
{
    const QByteArray& data = Data();
    if (!IsGIF())
        return data;
    const std::vector<int> frames = FrameBoundaries();
    if (frames.empty())
        return data;
    // Header, colour table and the extensions before the first frame stay; the frames before FFrame
    // go; FFrame and everything after it stay.
    QByteArray out;
    out.reserve(data.size());
    int k = 1;
    bool skip = false;
    size_t next = 0;
    for (int j = 0; j < int(data.size()); ++j) {
        if (next < frames.size() && frames[next] == j) {
            ++next;
            ++k;
            skip = FFrame >= k;
        }
        if (!skip)
            out.append(data[j]);
    }
    return out;
}

void THTMLPicture::Decode()
{
    FFrameXPos = FFrameYPos = 0;
    FAnimMaxX = FAnimMaxY = 0;
    FImage = QImage();
    const QByteArray& data = Data();
    if (data.isEmpty())
        throw EInvalidGraphic("Empty image stream created");
    bool frameCut = false;
    if (IsGIF()) {
        const std::vector<int> frames = FrameBoundaries();
        if (!frames.empty()) {
            if (data.size() >= 10) {
                FAnimMaxX = Word(data, 6);
                FAnimMaxY = Word(data, 8);
            }
            if (FFrame >= 1 && FFrame <= int(frames.size())) {
                const int j = frames[size_t(FFrame - 1)];
                FFrameXPos = Word(data, j + 9);
                FFrameYPos = Word(data, j + 11);
                FFrameXSize = Word(data, j + 13);
                FFrameYSize = Word(data, j + 15);
                frameCut = true;
            }
        }
    }
    QByteArray bytes = DecoderData();
    QImage image;
    bool known = false;
    if (IsJpegData(bytes)) {
        known = true;
        image = DecodeJpegImage(bytes);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        known = reader.canRead();
        if (known)
            image = reader.read();
    }
    if (!known)
        throw EInvalidGraphic("Could not load image. Invalid format");
    if (image.isNull())
        throw EInvalidGraphic("Could not load image");
    // The GIF reader composes the frame onto the logical screen; the picture is the frame itself.
    if (frameCut) {
        const QRect frame = QRect(FFrameXPos, FFrameYPos, FFrameXSize, FFrameYSize).intersected(image.rect());
        if (!frame.isEmpty())
            image = image.copy(frame);
    }
    FImage = image;
}

void THTMLPicture::SetFrame(int Value)
{
    FFrame = Value;
    if (Data().isEmpty())
        return;
    Decode();
    if (OnFrameChange)
        OnFrameChange(this);
}

void THTMLPicture::FrameNext()
{
    SetFrame(FFrame >= FrameCount() ? 1 : FFrame + 1);
}

void THTMLPicture::FramePrev()
{
    SetFrame(FFrame <= 1 ? FrameCount() : FFrame - 1);
}

bool THTMLPicture::Step()
{
    if (FIsEmpty || FrameCount() < 2)
        return false;
    if (FNextCount == -1)
        FNextCount = GetFrameTime(FFrame);
    bool changed = false;
    if (FTimerCount * 10 >= FNextCount) {
        FrameNext();
        FNextCount += GetFrameTime(FFrame);
        changed = true;
    }
    ++FTimerCount;
    return changed;
}

// ---- THTMLPictureCache --------------------------------------------------------------------------------

THTMLPicture* THTMLPictureCache::AddPicture()
{
    FPictures.push_back(std::make_unique<THTMLPicture>());
    return FPictures.back().get();
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& ID) const
{
    for (const auto& picture : FPictures)
        if (picture->ID() == ID)
            return picture.get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::GetPicture(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return FPictures[size_t(Index)].get();
}

void THTMLPictureCache::SetPicture(int Index, THTMLPicture* Value)
{
    std::unique_ptr<THTMLPicture> owned(Value);
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    FPictures[size_t(Index)] = std::move(owned);
}

void THTMLPictureCache::ClearPictures()
{
    FPictures.clear();
}

bool THTMLPictureCache::Animate()
{
    bool changed = false;
    for (const auto& picture : FPictures)
        changed = picture->Step() || changed;
    return changed;
}

// ---- Container -----------------------------------------------------------------------------------------

TPictureItem::TPictureItem(TCollection* Collection)
    : TCollectionItem(Collection), FPicture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::Assign(const TPersistent* Source)
{
    const auto* item = dynamic_cast<const TPictureItem*>(Source);
    if (!item) {
        TCollectionItem::Assign(Source);
        return;
    }
    Name = item->Name;
    Tag = item->Tag;
    FPicture->Assign(item->Picture());
}

TPictureCollection::TPictureCollection(TPictureContainer* Owner) : TCollectionOf<TPictureItem>(Owner) {}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i)
        changed = Items(i)->Picture()->Step() || changed;
    return changed;
}

TPictureContainer::TPictureContainer(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TPictureCollection>(this))
{
}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const QString& Name) const
{
    const QString wanted = UpperCase(Name);
    for (int i = 0; i < FItems->Count(); ++i)
        if (UpperCase(FItems->Items(i)->Name) == wanted)
            return FItems->Items(i)->Picture();
    return nullptr;
}
