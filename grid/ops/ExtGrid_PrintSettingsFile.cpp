// TExtStringGrid: the page setup (most of PrintSettings) kept in one section of an ini file.
#include "grid/core/ExtGrid.h"
#include "platform/core/IniFiles.h"

namespace
{

QString YesNo(bool Value)
{
    return Value ? QStringLiteral("Y") : QStringLiteral("N");
}

// Colours go as the signed 32-bit value, so system colours are negative.
int ColorValue(TColor Color)
{
    return int32_t(Color);
}

struct TFontKeys {
    const char* Name;
    const char* Size;
    const char* Style;
    const char* Color;
};
constexpr TFontKeys CellFontKeys{"FontName", "FontSize", "FontStyle", "FontColor"};
constexpr TFontKeys HeaderFontKeys{"HeaderFontName", "HeaderFontSize", "HeaderFontStyle", "HeaderFontColor"};
constexpr TFontKeys FooterFontKeys{"FooterFontName", "FooterFontSize", "FooterFontStyle", "FooterFontColor"};

// Style bits: 1 bold, 2 italic, 4 underline, 8 strike-out (the toolkit's own set bits).
constexpr int FontStyleMask = fsBold | fsItalic | fsUnderline | fsStrikeOut;

void WriteFont(TMemIniFile& Ini, const QString& Section, const TFontKeys& Keys, const TFont* Font)
{
    Ini.WriteString(Section, Keys.Name, Font->Name);
    Ini.WriteInteger(Section, Keys.Size, Font->Size);
    Ini.WriteInteger(Section, Keys.Style, Font->Style & FontStyleMask);
    Ini.WriteInteger(Section, Keys.Color, ColorValue(Font->Color));
}

// Stored styles are added to the font's own; none is taken away.
void ReadFont(const TMemIniFile& Ini, const QString& Section, const TFontKeys& Keys, TFont* Font)
{
    Font->Name = Ini.ReadString(Section, Keys.Name, QStringLiteral("Arial"));
    Font->Size = Ini.ReadInteger(Section, Keys.Size, 10);
    Font->Style = TFontStyles(Font->Style | (Ini.ReadInteger(Section, Keys.Style, 0) & FontStyleMask));
    Font->Color = TColor(Ini.ReadInteger(Section, Keys.Color, 0));
}

TPrintPosition ReadPosition(const TMemIniFile& Ini, const QString& Section, const char* Key)
{
    const int v = Ini.ReadInteger(Section, Key, 0);
    return v >= ppTopLeft && v <= ppBottomCenter ? TPrintPosition(v) : ppNone;
}

// Only an ordinal in Low .. High is taken.
template <class T>
void ReadOrdinal(const TMemIniFile& Ini, const QString& Section, const char* Key, int Low, int High, T& Field)
{
    const int v = Ini.ReadInteger(Section, Key, 0);
    if (v >= Low && v <= High)
        Field = T(v);
}

} // namespace

void TExtStringGrid::SavePrintSettings(const QString& Key, const QString& Section)
{
    const TPrintSettings& s = *FPrintSettings;
    TMemIniFile ini(Key);
    ini.WriteInteger(Section, "ColumnSpacing", s.ColumnSpacing);
    ini.WriteInteger(Section, "RowSpacing", s.RowSpacing);
    ini.WriteInteger(Section, "TitleSpacing", s.TitleSpacing);
    ini.WriteInteger(Section, "FixedHeight", s.FixedHeight);
    ini.WriteInteger(Section, "FixedWidth", s.FixedWidth);
    ini.WriteString(Section, "Centered", YesNo(s.Centered));
    ini.WriteString(Section, "NoAutoSize", YesNo(s.NoAutoSize));
    ini.WriteString(Section, "UseFixedHeight", YesNo(s.UseFixedHeight));
    ini.WriteString(Section, "UseFixedWidth", YesNo(s.UseFixedWidth));
    ini.WriteString(Section, "RepeatFixedRows", YesNo(s.RepeatFixedRows));
    ini.WriteString(Section, "RepeatFixedCols", YesNo(s.RepeatFixedCols));
    ini.WriteString(Section, "UseDisplFont", YesNo(s.UseDisplayFont));
    ini.WriteString(Section, "UseDefOrientation", YesNo(s.UseDefaultOrientation));
    ini.WriteInteger(Section, "Borders", s.Borders);
    ini.WriteInteger(Section, "BorderColor", ColorValue(s.BorderColor));
    ini.WriteInteger(Section, "BorderStyle", s.BorderStyle);
    ini.WriteInteger(Section, "Date", s.Date);
    ini.WriteInteger(Section, "PageNr", s.PageNr);
    ini.WriteInteger(Section, "Title", s.Title);
    ini.WriteInteger(Section, "Time", s.Time);
    ini.WriteString(Section, "DateFormat", s.DateFormat);
    ini.WriteString(Section, "TitleText", s.TitleText);
    ini.WriteInteger(Section, "FooterSize", s.FooterSize);
    ini.WriteInteger(Section, "HeaderSize", s.HeaderSize);
    ini.WriteInteger(Section, "LeftSize", s.LeftSize);
    ini.WriteInteger(Section, "RightSize", s.RightSize);
    ini.WriteInteger(Section, "FitToPage", s.FitToPage);
    WriteFont(ini, Section, CellFontKeys, s.Font());
    WriteFont(ini, Section, HeaderFontKeys, s.HeaderFont());
    WriteFont(ini, Section, FooterFontKeys, s.FooterFont());
    ini.WriteString(Section, "PageNumSep", s.PageNumSep);
    ini.WriteString(Section, "PageSuffix", s.PageSuffix);
    ini.WriteString(Section, "PagePrefix", s.PagePrefix);
    ini.WriteInteger(Section, "Orientation", s.Orientation);
    // One value: every line break as the two characters "\" "n", line feeds dropped.
    QString lines;
    for (int i = 0; i < s.TitleLines()->Count(); ++i)
        lines += s.TitleLines()->Strings(i) + QStringLiteral("\\n");
    ini.WriteString(Section, "TitleLines", lines);
    ini.WriteString(Section, "PrintGraphics", YesNo(s.PrintGraphics));
    ini.UpdateFile();
}

void TExtStringGrid::LoadPrintSettings(const QString& Key, const QString& Section)
{
    TPrintSettings& s = *FPrintSettings;
    TMemIniFile ini(Key);
    auto yes = [&](const char* Name, const char* Default) {
        return ini.ReadString(Section, Name, QString::fromLatin1(Default)) == QLatin1String("Y");
    };
    s.ColumnSpacing = ini.ReadInteger(Section, "ColumnSpacing", 20);
    s.RowSpacing = ini.ReadInteger(Section, "RowSpacing", 20);
    s.TitleSpacing = ini.ReadInteger(Section, "TitleSpacing", 20);
    s.FixedHeight = ini.ReadInteger(Section, "FixedHeight", 0);
    s.FixedWidth = ini.ReadInteger(Section, "FixedWidth", 0);
    s.Centered = yes("Centered", "Y");
    s.NoAutoSize = yes("NoAutoSize", "N");
    s.UseFixedHeight = yes("UseFixedHeight", "N");
    s.UseFixedWidth = yes("UseFixedWidth", "N");
    s.RepeatFixedRows = yes("RepeatFixedRows", "N");
    s.RepeatFixedCols = yes("RepeatFixedCols", "N");
    s.UseDisplayFont = yes("UseDisplFont", "N");
    s.UseDefaultOrientation = yes("UseDefOrientation", "N");
    ReadOrdinal(ini, Section, "Borders", pbNoborder, pbCustom, s.Borders);
    s.BorderColor = TColor(ini.ReadInteger(Section, "BorderColor", 0));
    ReadOrdinal(ini, Section, "BorderStyle", psSolid, psInsideFrame, s.BorderStyle);
    s.Date = ReadPosition(ini, Section, "Date");
    s.PageNr = ReadPosition(ini, Section, "PageNr");
    s.Title = ReadPosition(ini, Section, "Title");
    s.Time = ReadPosition(ini, Section, "Time");
    s.DateFormat = ini.ReadString(Section, "DateFormat", QString());
    s.TitleText = ini.ReadString(Section, "TitleText", QString());
    s.FooterSize = ini.ReadInteger(Section, "FooterSize", 100);
    s.HeaderSize = ini.ReadInteger(Section, "HeaderSize", 100);
    s.LeftSize = ini.ReadInteger(Section, "LeftSize", 100);
    s.RightSize = ini.ReadInteger(Section, "RightSize", 100);
    ReadOrdinal(ini, Section, "FitToPage", fpNever, fpCustom, s.FitToPage);
    ReadFont(ini, Section, CellFontKeys, s.Font());
    ReadFont(ini, Section, HeaderFontKeys, s.HeaderFont());
    ReadFont(ini, Section, FooterFontKeys, s.FooterFont());
    s.PageNumSep = ini.ReadString(Section, "PageNumSep", QString());
    s.PageSuffix = ini.ReadString(Section, "PageSuffix", QString());
    s.PagePrefix = ini.ReadString(Section, "PagePrefix", QString());
    ReadOrdinal(ini, Section, "Orientation", poPortrait, poLandscape, s.Orientation);
    QString lines = ini.ReadString(Section, "TitleLines", QString());
    lines.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
    s.TitleLines()->SetText(lines);
    s.PrintGraphics = yes("PrintGraphics", "N");
    ini.UpdateFile();
}
