// TPrintSettings: what shapes a printed or previewed page of a string grid (the grid's
// PrintSettings, owned by the grid): the four print fonts, the header and footer items with their
// positions and texts, margins and spacings in 0.1 mm, the border style of the printed table, the
// page orientation, fitting to the page, repeated fixed rows and columns, and whether printed widths
// and heights are measured or taken from the screen. The print engine only reads it.
#pragma once

#include "platform/core/Classes.h"
#include "platform/core/StringList.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Printers.h"

#include <memory>

class TExtStringGrid;

// Ordinals 1 to 3 are top positions, 4 to 6 bottom positions.
enum TPrintPosition {
    ppNone,
    ppTopLeft,
    ppTopRight,
    ppTopCenter,
    ppBottomLeft,
    ppBottomRight,
    ppBottomCenter
};
enum TPrintBorders {
    pbNoborder,
    pbSingle,
    pbDouble,
    pbVertical,
    pbHorizontal,
    pbAround,
    pbAroundVertical,
    pbAroundHorizontal,
    pbCustom
};
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };

inline bool IsTopPosition(TPrintPosition P)
{
    return P >= ppTopLeft && P <= ppTopCenter;
}
inline bool IsBottomPosition(TPrintPosition P)
{
    return P >= ppBottomLeft && P <= ppBottomCenter;
}

inline const char* const PrintDefaultDateFormat = "dd/mm/yyyy";
inline const char* const PrintDefaultPageNumSep = "/";

class TPrintSettings : public TPersistent
{
  public:
    explicit TPrintSettings(TExtStringGrid* AOwner);
    ~TPrintSettings() override;

    // From another TPrintSettings only (anything else: EInvalidCast "Invalid class typecast"); every
    // published setting, fonts and title lines by their own Assign; FixedCellsAlways stays.
    void Assign(const TPersistent* Source) override;

    int FooterSize = 0;
    int HeaderSize = 0;
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    QString DateFormat = PrintDefaultDateFormat;
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    QString TitleText;
    TPrintBorders Borders = pbSingle;
    TPenStyle BorderStyle = psSolid;
    TColor BorderColor = clBlack;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    TPrinterOrientation Orientation = poPortrait;
    QString PagePrefix;
    QString PageSuffix;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    int FixedWidth = 0;
    int FixedHeight = 0;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    TFitToPage FitToPage = fpNever;
    QString JobName;
    QString PageNumSep = PrintDefaultPageNumSep;
    bool NoAutoSize = false;
    bool NoAutoSizeRow = false;
    bool PrintGraphics = false;
    bool UseDisplayFont = true;
    bool UseDefaultOrientation = false;
    // Not published: with "selected only" jobs the fixed rows and columns print as well.
    bool FixedCellsAlways = false;

    // Owned; the setters copy.
    TFont* Font() const { return FFont.get(); }
    void SetFont(const TFont* Value) { FFont->Assign(Value); }
    TFont* HeaderFont() const { return FHeaderFont.get(); }
    void SetHeaderFont(const TFont* Value) { FHeaderFont->Assign(Value); }
    TFont* FooterFont() const { return FFooterFont.get(); }
    void SetFooterFont(const TFont* Value) { FFooterFont->Assign(Value); }
    TFont* FixedFont() const { return FFixedFont.get(); }
    void SetFixedFont(const TFont* Value) { FFixedFont->Assign(Value); }
    TStringList* TitleLines() const { return FTitleLines.get(); }
    void SetTitleLines(const TStrings* Value);

    TExtStringGrid* Grid() const { return FGrid; }

  private:
    TExtStringGrid* FGrid;
    // Made in this order: Font, HeaderFont, FooterFont, FixedFont.
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TFont> FHeaderFont;
    std::unique_ptr<TFont> FFooterFont;
    std::unique_ptr<TFont> FFixedFont;
    std::unique_ptr<TStringList> FTitleLines;
};
