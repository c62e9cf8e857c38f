// TExtStringGrid: the HTML export (one table with deduplicated style classes, optional XHTML page,
// header and footer files, cell pictures as JPEG files beside the page).
#include "grid/core/ExtGrid.h"

#include "grid/base/CellText.h"
#include "grid/base/DrawHelpers.h"
#include "grid/base/HtmlText.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/graphics/ImgList.h"
#include "platform/graphics/Jpeg.h"
#include "platform/graphics/JpegImage.h"
#include "platform/graphics/PictureData.h"

#include <QHash>
#include <QStringList>

namespace
{

const QString CRLF = QStringLiteral("\r\n");
// The look's "no colour asked for" value: a cell that sets none keeps it.
constexpr TColor UnsetColor = 0x7FFFFFFF;

bool IsSetColor(TColor C)
{
    return C != UnsetColor && C != clNone;
}

// "<a href=" text ">" shown "</a>" for web addresses and mail addresses; texts that already hold a
// closing tag stay.
QString URLToHTMLLink(const QString& Text, bool Full)
{
    if (Text.contains(QStringLiteral("</")))
        return Text;
    const qsizetype mail = Text.indexOf(QStringLiteral("mailto:"));
    if (mail >= 0)
        return "<a href=" + Text + ">" + Text.mid(mail + 7) + "</a>";
    const qsizetype web = Text.indexOf(QStringLiteral("://"));
    if (web >= 0)
        return "<a href=" + Text + ">" + (Full ? Text : Text.mid(web + 3)) + "</a>";
    return Text;
}

QByteArray Utf16LE(const QString& S)
{
    QByteArray out;
    out.reserve(S.size() * 2);
    for (QChar c : S) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

QByteArray Ascii7(const QString& S)
{
    QByteArray out;
    out.reserve(S.size());
    for (QChar c : S)
        out.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    return out;
}

} // namespace

QString TExtStringGrid::CellStyleText(const TFont* AFont, const TBrush* ABrush, TAlignment HA,
                                      TVAlignment VA) const
{
    QStringList d;
    const THTMLSettings& s = *FHTMLSettings;
    // System colours are resolved first: the raw value of clWindow would read as a dark red.
    if (IsSetColor(ABrush->Color.get()) && s.SaveColor)
        d << "background-color: #" + ColorToHexRGB(ColorToRGB(ABrush->Color.get()));
    if (IsSetColor(AFont->Color.get()) && s.SaveColor)
        d << "color: #" + ColorToHexRGB(ColorToRGB(AFont->Color.get()));
    d << "font-size:" + QString::number(AFont->Size.get()) + "pt";
    if (AFont->Style.get() & fsItalic)
        d << QStringLiteral("font-style: italic");
    if (AFont->Style.get() & fsBold)
        d << QStringLiteral("font-weight: bold");
    d << "font-family: " + AFont->Name.get();
    if (HA == taRightJustify)
        d << QStringLiteral("text-align: right");
    else if (HA == taCenter)
        d << QStringLiteral("text-align: center");
    switch (VA) {
    case vtaTop:
        d << QStringLiteral("vertical-align: top");
        break;
    case vtaCenter:
        d << QStringLiteral("vertical-align: middle");
        break;
    case vtaBottom:
        d << QStringLiteral("vertical-align: bottom");
        break;
    }
    return d.join(';');
}

QString TExtStringGrid::ExportCellImage(const TGraphic* Graphic, const TPicture* Picture, const QString& dir)
{
    const QString folder = dir + "images";
    if (!DirectoryExists(folder) && !ForceDirectories(folder))
        throw Exception("Cannot create " + folder);
    const QString file = folder + "/img" + QString::number(FHTMLImageNo++) + ".jpg";
    QByteArray bytes;
    if (Picture && IsJpegData(PictureSourceData(Picture))) {
        bytes = PictureSourceData(Picture);
    } else if (const auto* bmp = dynamic_cast<const TBitmap*>(Graphic)) {
        bytes = EncodeJpegImage(bmp->ToDrawableImage());
    } else {
        TBitmap canvas(Graphic->Width(), Graphic->Height(), pf24bit);
        Graphic->Draw(canvas.Canvas, TRect(0, 0, Graphic->Width(), Graphic->Height()));
        bytes = EncodeJpegImage(canvas.Image());
    }
    WriteFileAtomic(file, bytes);
    return "<img src= \"file://" + file + "\">";
}

// The content of one TD: the converted text and, with ExportImages, the cell's pictures.
QString TExtStringGrid::HTMLCellText(int ACol, int ARow, bool Header, const QString& dir)
{
    const THTMLSettings& s = *FHTMLSettings;
    const int rc = RealColIndex(ACol);
    QString text = GetExportCellText(rc, ARow);
    if (!Header) {
        if (s.ConvertSpecialChars)
            text = HTMLEncodeEntities(text, true);
        if (s.NonBreakingText)
            text = SpacesToNbsp(text);
    }
    text = CRToHTMLBreaks(text);
    if (URLShow())
        text = URLToHTMLLink(text, URLFull());
    if (Header ? text.isEmpty() : Trim(text).isEmpty())
        text = QStringLiteral("&nbsp;");

    TCellGraphic* g = s.ExportImages ? GetCellGraphic(rc, ARow) : nullptr;
    if (!g)
        return text;
    TImageList* images = GetGridImageList();
    auto listImage = [&](int Index) -> QString {
        if (!images || Index < 0 || Index >= images->Count())
            return QString();
        TBitmap bmp;
        bmp.Assign(images->Image(Index));
        return ExportCellImage(&bmp, nullptr, dir);
    };
    switch (g->CellType()) {
    case ctBitmap:
        if (g->CellBitmap() && !g->CellBitmap()->Empty())
            return text + ExportCellImage(g->CellBitmap(), nullptr, dir);
        return text;
    case ctImageList:
        return listImage(g->CellIndex()) + text;
    case ctDataImage: {
        bool ok = false;
        const int index = GetExportCellText(rc, ARow).trimmed().toInt(&ok);
        const QString img = ok ? listImage(index) : QString();
        return img.isEmpty() ? text : img;
    }
    case ctNode:
        return "+" + text;
    case ctImages: {
        QString imgs;
        if (const TIntList* list = g->CellImages())
            for (int i = 0; i < list->Count(); ++i)
                imgs += listImage(list->Items(i));
        return imgs + text;
    }
    case ctPicture:
    case ctInterface:
        if (const TPicture* pic = g->CellPicture(); pic && !pic->Empty())
            return text + ExportCellImage(pic->Graphic(), pic, dir);
        return text;
    default:
        return text;
    }
}

QString TExtStringGrid::SaveToHTMLString(const QString& dir)
{
    const THTMLSettings& s = *FHTMLSettings;
    const int startCol = SaveFixedCells || SaveFixedCols ? 0 : FixedCols();
    int startRow = SaveFixedCells || SaveFixedRows ? 0 : FixedRows();

    QString prologue;
    if (s.XHTML)
        prologue += "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + CRLF +
                    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"" + CRLF +
                    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">" + CRLF +
                    "<HTML xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">" + CRLF;
    prologue += s.PrefixTag;

    QStringList lines;
    QString table = "<TABLE BORDER=\"" + QString::number(s.BorderSize) + "\" CELLSPACING=\"" +
                    QString::number(s.CellSpacing) + "\" CELLPADDING=\"" + QString::number(s.CellPadding) +
                    "\" ";
    if (!s.Summary.isEmpty())
        table += "SUMMARY=\"" + s.Summary + "\" ";
    if (!s.TableStyle.isEmpty())
        table += " " + s.TableStyle + " ";
    table += " WIDTH=\"" + QString::number(s.Width) + "%\">";
    lines << table;

    // Classes in order of first use; the hash finds a list without scanning.
    QStringList styles;
    QHash<QString, int> styleIndex;
    auto fnt = std::make_unique<TFont>();
    auto brush = std::make_unique<TBrush>();
    const bool header = FixedRows() > 0 && (SaveFixedCells || SaveFixedRows);

    auto writeRow = [&](int r, bool isHeader) {
        lines << QStringLiteral("<TR>");
        for (int c = startCol; c < ColCount(); ++c) {
            if (IsMergedNonBaseCell(c, r))
                continue;
            QString attrs;
            const TPoint span = CellSpan(c, r);
            if (span.X > 0)
                attrs += " COLSPAN=\"" + QString::number(span.X + 1) + "\"";
            if (span.Y > 0)
                attrs += " ROWSPAN=\"" + QString::number(span.Y + 1) + "\"";
            const QString content = HTMLCellText(c, r, isHeader, dir);

            TGridDrawState state = IsFixed(c, r) ? gdFixed : 0;
            fnt->Assign(*Font);
            fnt->Color = UnsetColor;
            brush->Color = UnsetColor;
            TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            bool ww = WordWrap();
            TCellGradientDirection gd = GradientVertical;
            GetVisualProperties(c, r, state, true, false, true, brush.get(), colorTo, mirror, mirrorTo,
                                fnt.get(), ha, va, ww, gd);
            if (isHeader || IsFixed(c, r))
                brush->Color = FixedColor();
            if (!ww)
                attrs += QStringLiteral(" nowrap");
            const QString style = CellStyleText(fnt.get(), brush.get(), ha, va);
            int index = styleIndex.value(style, -1);
            if (index < 0) {
                index = int(styles.size());
                styles << style;
                styleIndex.insert(style, index);
            }
            TIntList* widths = s.ColWidths();
            if (isHeader && c < widths->Count())
                attrs += " WIDTH=" + QString::number(widths->Items(c));
            else if (!isHeader && !header && c - startCol < widths->Count())
                attrs += " width=" + QString::number(widths->Items(c - startCol));
            lines << "<TD class=\"c" + QString::number(index) + "\"" + attrs + ">" + content + "</td>";
        }
        lines << QStringLiteral("</TR>");
    };

    // One counter per export: the data rows go on after the header's pictures, so no file is
    // written twice.
    FHTMLImageNo = 0;
    if (header) {
        writeRow(0, true);
        startRow = 1;
    }
    FHTMLImageNo = std::max(1, FHTMLImageNo);
    ExportNotification(esExportStart, startRow);
    for (int r = startRow; r < RowCount(); ++r) {
        ExportNotification(esExportNextRow, r);
        writeRow(r, false);
    }
    ExportNotification(esExportDone, -1);
    lines << QStringLiteral("</TABLE>");
    if (!s.SuffixTag.isEmpty())
        lines << s.SuffixTag;
    if (s.XHTML)
        lines << QStringLiteral("</HTML>");

    QString result = prologue + "<style>" + CRLF;
    for (int i = 0; i < styles.size(); ++i)
        result += ".c" + QString::number(i) + " {" + styles[i] + "}" + CRLF;
    result += "</style>" + CRLF;
    for (const QString& line : lines)
        result += line + CRLF;
    return result;
}

void TExtStringGrid::OutputToHTML(const QString& FileName, bool Append, bool Unicode, bool Show)
{
    const THTMLSettings& s = *FHTMLSettings;
    TStringList list;
    if (Append && FileExists(FileName)) {
        try {
            list.LoadFromFile(FileName);
        } catch (const EInOutError&) {
            // An unreadable old page is started anew, as a missing one.
        }
    }
    // Both files are read before anything is written: a missing one stops the export.
    TStringList head, foot;
    if (!s.HeaderFile.isEmpty())
        head.LoadFromFile(s.HeaderFile);
    if (!s.FooterFile.isEmpty())
        foot.LoadFromFile(s.FooterFile);
    list.AddStrings(&head);
    QString dir = ExtractFilePath(FileName);
    dir.replace('\\', '/');
    list.Add(SaveToHTMLString(dir));
    list.AddStrings(&foot);
    list.LineBreak = CRLF;
    const QString text = list.Text();
    WriteFileAtomic(FileName, Unicode ? QByteArray("\xFF\xFE") + Utf16LE(text) : Ascii7(text));
    if (Show || s.AutoPreview)
        Interaction().OpenURL(FileName);
}

void TExtStringGrid::SaveToHTML(const QString& FileName, bool Show, bool Unicode)
{
    OutputToHTML(FileName, false, Unicode, Show);
}

void TExtStringGrid::AppendToHTML(const QString& FileName, bool Show, bool Unicode)
{
    OutputToHTML(FileName, true, Unicode, Show);
}
