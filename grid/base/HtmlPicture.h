// Pictures of the mini-HTML cell text that do not come from an image list.
//
// THTMLPicture keeps a picture file's bytes exactly as loaded and decodes them (BMP, ICO, GIF, PNG
// through Qt's readers, JPEG through libjpeg; there is no WMF or EMF decoder here, such data fails like
// any unreadable data). For an animated GIF it selects the frame shown: the bytes of the frames before
// it are left out of what the decoder sees, so the decoder shows the selected frame first. The image
// kept is that frame's rectangle; the renderer draws it at the frame's offset inside the GIF's
// logical screen. Sizes are pixels at 96 per inch.
//
// THTMLPictureCache (one per grid) finds pictures by URL; TPictureContainer (a component a form fills)
// finds them by name. The renderer (HtmlRender.h) gets both with every call.
#pragma once

#include "platform/core/Classes.h"
#include "platform/core/StringList.h"
#include "platform/graphics/Bitmaps.h"
#include "platform/system/Modules.h"

#include <QImage>
#include <functional>
#include <memory>
#include <vector>

class THTMLPicture : public TGraphic
{
  public:
    THTMLPicture();
    ~THTMLPicture() override;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Starts afresh (empty, frame 1, counters reset), then copies Source's bytes and decodes them;
    // nullptr leaves the picture empty.
    void Assign(const THTMLPicture* Source);
    // Nothing when empty or undecoded. Stretch: the whole picture into r; otherwise at r's top-left at
    // its natural size for the canvas's device (pixels x device pixels per inch / 96).
    void Draw(TCanvas* Canvas, const TRect& r, uint8_t opacity = 255) const override;
    bool Empty() const override { return FIsEmpty; }
    int Width() const override { return FImage.isNull() ? 0 : FImage.width(); }
    int Height() const override { return FImage.isNull() ? 0 : FImage.height(); }
    // The size comes from the data; writing it has no effect.
    void SetWidth(int) {}
    void SetHeight(int) {}

    // Nothing for nullptr; otherwise the whole stream (from its start) becomes the data and
    // is decoded (raising EInvalidGraphic on failure), then OnChange.
    void LoadFromStream(TStream* Stream);
    // As LoadFromStream from the file; any failure leaves the picture empty and raises nothing.
    void LoadFromFile(const QString& FileName) override;
    // The raw bytes as loaded.
    void SaveToStream(TStream* Stream) const;
    void SaveToFile(const QString& FileName) const override;
    // Form streaming of the raw bytes; ReadData decodes without OnChange.
    void ReadData(TStream* Stream);
    void WriteData(TStream* Stream) const;
    // A program resource of raw data ("RES://NAME"); a name that does not exist loads nothing.
    void LoadFromResourceName(HMODULE Instance, const QString& ResName);
    // By numeric name; raises EResNotFound when there is none.
    void LoadFromResourceID(HMODULE Instance, int ResID);
    // "RES://name" and "FILE://path" (prefix in any case) load; any other URL is only recorded (no
    // download takes place here).
    void LoadFromURL(const QString& URL);
    // No clipboard format carries these pictures.
    void LoadFromClipboardFormat(uint16_t, uintptr_t, uintptr_t) {}
    void SaveToClipboardFormat(uint16_t&, uintptr_t&, uintptr_t&) const {}

    // The GIF's logical screen size when it has one, else the picture's size.
    int GetMaxWidth() const { return FAnimMaxX ? FAnimMaxX : Width(); }
    int GetMaxHeight() const { return FAnimMaxY ? FAnimMaxY : Height(); }
    bool IsGIF() const;
    // Number of GIF frames (counted once per load); -1 for other data.
    int FrameCount();
    // Delay of frame i (1-based) in hundredths of a second; -1 when there is no such frame.
    int GetFrameTime(int i) const;
    int Frame() const { return FFrame; }
    // Selects the frame and decodes it when data is present, then OnFrameChange.
    void SetFrame(int Value);
    void FrameNext(); // after the last back to 1
    void FramePrev(); // before 1 to the last
    // One animation tick (a tenth of a second): true when the frame changed.
    bool Step();

    bool Stretch() const { return FStretched; }
    void SetStretch(bool Value) { FStretched = Value; }
    bool Asynch() const { return FAsynch; }
    void SetAsynch(bool Value) { FAsynch = Value; }
    bool ThreadBusy() const { return FThreadBusy; }
    QString URL() const { return FURL; }
    // What the cache finds the picture by.
    QString ID() const { return FID; }
    int FrameXPos() const { return FFrameXPos; }
    int FrameYPos() const { return FFrameYPos; }
    int FrameXSize() const { return FFrameXSize; }
    int FrameYSize() const { return FFrameYSize; }
    const QByteArray& Data() const { return FDatastream->Bytes(); }
    // The bytes the decoder is given for the current frame.
    QByteArray DecoderData() const;
    const QImage& Image() const { return FImage; }

    std::function<void(THTMLPicture* Sender)> OnChange;
    std::function<void(THTMLPicture* Sender)> OnFrameChange;
    // Declared for forms that bind them; no download takes place, so they never fire.
    std::function<void(THTMLPicture* Sender, uint32_t dwSize, uint32_t dwTotSize)> OnDownLoadProgress;
    std::function<void(THTMLPicture* Sender, bool& Cancel)> OnDownLoadCancel;
    std::function<void(THTMLPicture* Sender)> OnDownLoadComplete;
    std::function<void(THTMLPicture* Sender, uint32_t err)> OnDownLoadError;

  private:
    // A new load starts the picture afresh: frame 1, frame count and animation counters reset.
    void ResetFrames();
    void LoadData(const QByteArray& Data, bool Notify);
    void Decode();
    // Byte positions of the GIF's frame boundaries (a graphic control extension right before an
    // image descriptor that fits in the data).
    std::vector<int> FrameBoundaries() const;

    std::unique_ptr<TMemoryStream> FDatastream;
    bool FIsEmpty = true;
    bool FStretched = false;
    QImage FImage; // the decoded picture (the frame's rectangle for a GIF)
    QString FURL;
    QString FID;
    bool FIsDB = false;
    bool FAsynch = true;
    bool FThreadBusy = false;
    int FFrame = 1;
    int FFrameCount = -1;
    uint16_t FFrameXPos = 0;
    uint16_t FFrameYPos = 0;
    uint16_t FFrameXSize = 0;
    uint16_t FFrameYSize = 0;
    uint16_t FAnimMaxX = 0;
    uint16_t FAnimMaxY = 0;
    int FNextCount = -1;
    int FTimerCount = -1;
};

// The pictures a grid shows by URL; owns them.
class THTMLPictureCache
{
  public:
    THTMLPictureCache() = default;
    ~THTMLPictureCache() { ClearPictures(); }
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    THTMLPicture* AddPicture();
    // The first picture whose ID equals ID exactly, else nullptr.
    THTMLPicture* FindPicture(const QString& ID) const;
    int Count() const { return int(FPictures.size()); }
    THTMLPicture* GetPicture(int Index) const; // raises EListError for a bad index
    // Replaces (and frees) the picture at Index; the cache owns Value from now on.
    void SetPicture(int Index, THTMLPicture* Value);
    void ClearPictures();
    // Step on every picture; true when any changed its frame.
    bool Animate();

  private:
    std::vector<std::unique_ptr<THTMLPicture>> FPictures;
};

class TPictureItem : public TCollectionItem
{
  public:
    explicit TPictureItem(TCollection* Collection);
    ~TPictureItem() override;

    THTMLPicture* Picture() const { return FPicture.get(); }
    // Copies Value's data.
    void SetPicture(const THTMLPicture* Value) { FPicture->Assign(Value); }
    QString Name;
    int Tag = 0;

    // Name, tag and picture.
    void Assign(const TPersistent* Source) override;

  private:
    std::unique_ptr<THTMLPicture> FPicture;
};

class TPictureContainer;

class TPictureCollection : public TCollectionOf<TPictureItem>
{
  public:
    explicit TPictureCollection(TPictureContainer* Owner);
    bool Animate();
};

// Pictures kept by name for the mini-HTML "<IMG src=...>" of the grids a form holds.
class TPictureContainer : public TComponent
{
  public:
    explicit TPictureContainer(TComponent* AOwner);
    ~TPictureContainer() override;

    TPictureCollection* Items() const { return FItems.get(); }
    // Copies Value's items.
    void SetItems(const TPictureCollection* Value) { FItems->Assign(Value); }
    // The picture of the first item named Name, ignoring the case of a..z; nullptr when none.
    virtual THTMLPicture* FindPicture(const QString& Name) const;

  private:
    std::unique_ptr<TPictureCollection> FItems;
};
