// Pictures of the mini-HTML text: loading, GIF frames and animation, cache and container lookup.
#include "grid/base/HtmlPicture.h"
#include "common/TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

namespace
{

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

// 89 bytes: a 4 x 4 logical screen, three 1 x 1 white frames at (0,0), (1,1), (2,2) with delays 10,
// 20 and 30 hundredths; each frame is 23 bytes (graphic control extension, descriptor, pixel data).
// tests/fixtures/frames3.gif, built into the tests as the resource "FRAMES"; copied to a file for the
// file loads.
QString FramesGif()
{
    static TempDir dir;
    const QString path = dir.file("frames3.gif");
    QByteArray bytes;
    if (!QFile::exists(path) && LoadRCDataResource("FRAMES", bytes))
        writeBytes(path, bytes);
    return path;
}

QByteArray ImageBytes(int w, int h, const char* format, QRgb color = qRgb(200, 30, 40))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void LoadBytes(THTMLPicture& picture, const QByteArray& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.constData(), bytes.size());
    picture.LoadFromStream(&stream);
}

TEST(HtmlPictureTest, AnimatedGifFramesAndTimes)
{
    THTMLPicture picture;
    picture.LoadFromFile(FramesGif());
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Data().size(), 89);
    EXPECT_TRUE(picture.IsGIF());
    EXPECT_EQ(picture.FrameCount(), 3);
    EXPECT_EQ(picture.GetFrameTime(1), 10);
    EXPECT_EQ(picture.GetFrameTime(2), 20);
    EXPECT_EQ(picture.GetFrameTime(4), -1);
    EXPECT_EQ(picture.GetMaxWidth(), 4);
    EXPECT_EQ(picture.GetMaxHeight(), 4);
    EXPECT_EQ(picture.Width(), 1);

    int frameChanges = 0;
    picture.OnFrameChange = [&](THTMLPicture*) { ++frameChanges; };
    picture.SetFrame(2);
    EXPECT_EQ(frameChanges, 1);
    EXPECT_EQ(picture.FrameXPos(), 1);
    EXPECT_EQ(picture.FrameYPos(), 1);
    EXPECT_EQ(picture.FrameXSize(), 1);
    EXPECT_EQ(picture.FrameYSize(), 1);
    const QByteArray decoded = picture.DecoderData();
    EXPECT_EQ(decoded.size(), 66);
    // The first frame (bytes 19 .. 41) is what was left out.
    EXPECT_EQ(decoded, picture.Data().left(19) + picture.Data().mid(42));
    ASSERT_EQ(picture.Width(), 1);
    EXPECT_EQ(picture.Image().pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);

    picture.SetFrame(3);
    picture.FrameNext();
    EXPECT_EQ(picture.Frame(), 1);
    picture.FramePrev();
    EXPECT_EQ(picture.Frame(), 3);
    EXPECT_EQ(picture.FrameXPos(), 2);
}

TEST(HtmlPictureTest, StepAdvancesByTheFrameDelays)
{
    THTMLPicture picture;
    picture.LoadFromFile(FramesGif());
    std::string answers;
    for (int i = 0; i < 8; ++i)
        answers += picture.Step() ? 'T' : 'F';
    EXPECT_EQ(answers, "FFTFTFFT");
    EXPECT_EQ(picture.Frame(), 1);
}

TEST(HtmlPictureTest, AFrameBeyondTheCountFailsToDecode)
{
    THTMLPicture picture;
    picture.LoadFromFile(FramesGif());
    try {
        picture.SetFrame(4);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Could not load image");
    }
}

TEST(HtmlPictureTest, ACutOffFrameDescriptorIsNoFrame)
{
    const QByteArray gif = readBytes(FramesGif());
    THTMLPicture picture;
    // The third boundary starts at 65; its descriptor would end at 81.
    TMemoryStream stream;
    const QByteArray cut = gif.left(75);
    stream.WriteBuffer(cut.constData(), cut.size());
    try {
        picture.LoadFromStream(&stream);
    } catch (const EInvalidGraphic&) {
        // The truncated data may or may not decode; the frame scan is what is checked.
    }
    EXPECT_EQ(picture.FrameCount(), 2);
    EXPECT_EQ(picture.GetFrameTime(3), -1);
}

TEST(HtmlPictureTest, BitmapsAndJpegsAreSingleFramePictures)
{
    const struct {
        const char* format;
        int w;
        int h;
    } cases[] = {{"BMP", 3, 2}, {"JPG", 16, 8}, {"PNG", 5, 7}};
    for (const auto& c : cases) {
        THTMLPicture picture;
        LoadBytes(picture, ImageBytes(c.w, c.h, c.format));
        EXPECT_FALSE(picture.IsGIF()) << c.format;
        EXPECT_EQ(picture.FrameCount(), -1) << c.format;
        EXPECT_FALSE(picture.Step()) << c.format;
        EXPECT_EQ(picture.Width(), c.w) << c.format;
        EXPECT_EQ(picture.Height(), c.h) << c.format;
        EXPECT_EQ(picture.GetMaxWidth(), c.w) << c.format;
        const QRgb pixel = picture.Image().pixel(1, 1);
        EXPECT_NEAR(qRed(pixel), 200, 6) << c.format;
        EXPECT_NEAR(qGreen(pixel), 30, 6) << c.format;
        EXPECT_NEAR(qBlue(pixel), 40, 6) << c.format;
    }
}

TEST(HtmlPictureTest, ANewLoadStartsAfresh)
{
    THTMLPicture picture;
    picture.LoadFromFile(FramesGif());
    ASSERT_EQ(picture.FrameCount(), 3);
    picture.SetFrame(3);
    LoadBytes(picture, ImageBytes(3, 2, "BMP"));
    EXPECT_EQ(picture.FrameCount(), -1);
    EXPECT_EQ(picture.Frame(), 1);
    EXPECT_FALSE(picture.Step());
    picture.LoadFromFile(FramesGif());
    EXPECT_EQ(picture.FrameCount(), 3);
    EXPECT_EQ(picture.Width(), 1);
}

TEST(HtmlPictureTest, UnreadableData)
{
    TempDir dir;
    const QString text = dir.file("note.txt");
    writeBytes(text, "this is not a picture\n");

    THTMLPicture picture;
    picture.LoadFromFile(text);
    EXPECT_TRUE(picture.Empty());
    picture.LoadFromFile(dir.file("missing.gif"));
    EXPECT_TRUE(picture.Empty());

    TMemoryStream stream;
    stream.LoadFromFile(text);
    try {
        picture.LoadFromStream(&stream);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Could not load image. Invalid format");
    }
    TMemoryStream empty;
    try {
        picture.LoadFromStream(&empty);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Empty image stream created");
    }
    // Truncated JPEG data after a valid start.
    const QByteArray jpeg = ImageBytes(16, 16, "JPG").left(40);
    try {
        LoadBytes(picture, jpeg);
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message, "Could not load image");
    }
}

TEST(HtmlPictureTest, BytesAreKeptExactlyAsLoaded)
{
    THTMLPicture picture;
    int changes = 0;
    picture.OnChange = [&](THTMLPicture*) { ++changes; };
    picture.LoadFromFile(FramesGif());
    EXPECT_EQ(changes, 1);
    TMemoryStream out;
    picture.SaveToStream(&out);
    EXPECT_EQ(out.Bytes(), readBytes(FramesGif()));

    THTMLPicture copy;
    int copyChanges = 0;
    copy.OnChange = [&](THTMLPicture*) { ++copyChanges; };
    out.SetPosition(0);
    copy.ReadData(&out);
    EXPECT_EQ(copyChanges, 0);
    EXPECT_EQ(copy.FrameCount(), 3);

    THTMLPicture assigned;
    assigned.Assign(&picture);
    EXPECT_EQ(assigned.Data(), picture.Data());
    assigned.Assign(nullptr);
    EXPECT_TRUE(assigned.Empty());
    EXPECT_TRUE(assigned.Data().isEmpty());
}

TEST(HtmlPictureTest, LoadingByUrl)
{
    THTMLPicture local;
    local.LoadFromURL("file://" + FramesGif());
    EXPECT_FALSE(local.Empty());
    EXPECT_EQ(local.ID(), "file://" + FramesGif());

    THTMLPicture resource;
    resource.LoadFromURL("res://FRAMES");
    EXPECT_FALSE(resource.Empty());
    EXPECT_EQ(resource.FrameCount(), 3);
    THTMLPicture missing;
    missing.LoadFromURL("RES://NOPE");
    EXPECT_TRUE(missing.Empty());
    EXPECT_EQ(missing.ID(), "RES://NOPE");
    EXPECT_THROW(missing.LoadFromResourceID(0, 4711), EResNotFound);

    THTMLPicture web;
    web.SetAsynch(false);
    web.LoadFromURL("http://h/x.gif");
    EXPECT_TRUE(web.Empty());
    EXPECT_EQ(web.URL(), "http://h/x.gif");
    EXPECT_EQ(web.ID(), "http://h/x.gif");

    THTMLPicture background;
    background.LoadFromURL("http://h/y.gif");
    EXPECT_TRUE(background.ThreadBusy());
    EXPECT_EQ(background.URL(), "http://h/y.gif");
    EXPECT_EQ(background.ID(), "");
    background.LoadFromURL("http://h/z.gif");
    EXPECT_EQ(background.URL(), "http://h/y.gif");
}

TEST(HtmlPictureTest, CacheFindsByIdExactly)
{
    THTMLPictureCache cache;
    THTMLPicture* a = cache.AddPicture();
    a->LoadFromURL("file://" + FramesGif());
    EXPECT_EQ(cache.FindPicture("file://" + FramesGif()), a);
    EXPECT_EQ(cache.FindPicture("FILE://" + FramesGif()), nullptr);
    EXPECT_EQ(cache.Count(), 1);
    EXPECT_THROW(cache.GetPicture(1), EListError);
    EXPECT_FALSE(cache.Animate());
    EXPECT_FALSE(cache.Animate());
    EXPECT_TRUE(cache.Animate());
    cache.ClearPictures();
    EXPECT_EQ(cache.Count(), 0);
}

TEST(HtmlPictureTest, ContainerFindsByNameIgnoringCase)
{
    TPictureContainer container(nullptr);
    TPictureItem* item = container.Items()->Add();
    item->Name = "LOGO";
    item->Tag = 7;
    LoadBytes(*item->Picture(), ImageBytes(10, 30, "BMP"));
    EXPECT_EQ(container.FindPicture("logo"), item->Picture());
    EXPECT_EQ(container.FindPicture("logos"), nullptr);
    EXPECT_EQ(container.Items()->Owner(), &container);

    TPictureContainer other(nullptr);
    other.SetItems(container.Items());
    ASSERT_EQ(other.Items()->Count(), 1);
    EXPECT_EQ(other.Items()->Items(0)->Tag, 7);
    THTMLPicture* copied = other.FindPicture("Logo");
    ASSERT_NE(copied, nullptr);
    EXPECT_NE(copied, item->Picture());
    EXPECT_EQ(copied->Width(), 10);
    EXPECT_EQ(copied->Height(), 30);
}

TEST(HtmlPictureTest, DrawingAtNaturalSizeAndStretched)
{
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::black);
    TCanvas canvas(&target);
    THTMLPicture picture;
    LoadBytes(picture, ImageBytes(3, 2, "BMP", qRgb(0, 255, 0)));
    picture.Draw(&canvas, TRect(5, 5, 15, 15));
    EXPECT_EQ(canvas.GetPixel(7, 6), 0x00FF00u);
    EXPECT_EQ(canvas.GetPixel(8, 6), 0u);
    picture.SetStretch(true);
    picture.Draw(&canvas, TRect(5, 10, 15, 20));
    EXPECT_EQ(canvas.GetPixel(14, 19), 0x00FF00u);
}

TEST(HtmlPictureTest, MemoryStreamBasics)
{
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Position(), 6);
    s.Seek(-2, soEnd);
    char two[2];
    s.ReadBuffer(two, 2);
    EXPECT_EQ(QByteArray(two, 2), "ef");
    EXPECT_THROW(s.ReadBuffer(two, 1), EReadError);
    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(&s, 0), 6);
    EXPECT_EQ(copy.Bytes(), "abcdef");
    s.SetSize(2);
    EXPECT_EQ(s.Bytes(), "ab");
    s.Clear();
    EXPECT_EQ(s.Size(), 0);
}

} // namespace
