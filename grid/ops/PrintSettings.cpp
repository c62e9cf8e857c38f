// The print settings' construction and Assign.
#include "grid/ops/PrintSettings.h"

TPrintSettings::TPrintSettings(TExtStringGrid* AOwner)
    : FGrid(AOwner), FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()), FFixedFont(std::make_unique<TFont>()),
      FTitleLines(std::make_unique<TStringList>())
{
}

TPrintSettings::~TPrintSettings() = default;

void TPrintSettings::SetTitleLines(const TStrings* Value)
{
    FTitleLines->Assign(Value);
}

void TPrintSettings::Assign(const TPersistent* Source)
{
    const auto* s = dynamic_cast<const TPrintSettings*>(Source);
    if (!s)
        throw EInvalidCast(QStringLiteral("Invalid class typecast"));
    FooterSize = s->FooterSize;
    HeaderSize = s->HeaderSize;
    Time = s->Time;
    Date = s->Date;
    DateFormat = s->DateFormat;
    PageNr = s->PageNr;
    Title = s->Title;
    TitleText = s->TitleText;
    FTitleLines->Assign(s->FTitleLines.get());
    FFont->Assign(*s->FFont);
    FFixedFont->Assign(*s->FFixedFont);
    FHeaderFont->Assign(*s->FHeaderFont);
    FFooterFont->Assign(*s->FFooterFont);
    Borders = s->Borders;
    BorderStyle = s->BorderStyle;
    BorderColor = s->BorderColor;
    Centered = s->Centered;
    RepeatFixedRows = s->RepeatFixedRows;
    RepeatFixedCols = s->RepeatFixedCols;
    LeftSize = s->LeftSize;
    RightSize = s->RightSize;
    ColumnSpacing = s->ColumnSpacing;
    RowSpacing = s->RowSpacing;
    TitleSpacing = s->TitleSpacing;
    Orientation = s->Orientation;
    PagePrefix = s->PagePrefix;
    PageSuffix = s->PageSuffix;
    PageNumberOffset = s->PageNumberOffset;
    MaxPagesOffset = s->MaxPagesOffset;
    FixedWidth = s->FixedWidth;
    FixedHeight = s->FixedHeight;
    UseFixedHeight = s->UseFixedHeight;
    UseFixedWidth = s->UseFixedWidth;
    FitToPage = s->FitToPage;
    JobName = s->JobName;
    PageNumSep = s->PageNumSep;
    NoAutoSize = s->NoAutoSize;
    NoAutoSizeRow = s->NoAutoSizeRow;
    PrintGraphics = s->PrintGraphics;
    UseDisplayFont = s->UseDisplayFont;
    UseDefaultOrientation = s->UseDefaultOrientation;
}
