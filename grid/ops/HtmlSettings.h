// THTMLSettings: how a string grid writes itself as an HTML table (the grid's HTMLSettings, owned by
// the grid): table attributes, which conversions the cell texts get, colours and images, header and
// footer files, prefix and suffix text, and an optional XHTML page around the table. Only the HTML
// export reads it.
#pragma once

#include "grid/base/GridLists.h"
#include "platform/core/Classes.h"

#include <QString>
#include <memory>

class THTMLSettings : public TPersistent
{
  public:
    THTMLSettings() : FColWidths(std::make_unique<TIntList>(0, 0)) {}

    // Every setting except ExportImages and ColWidths, from another THTMLSettings only.
    void Assign(const TPersistent* Source) override
    {
        const auto* s = dynamic_cast<const THTMLSettings*>(Source);
        if (!s) {
            TPersistent::Assign(Source);
            return;
        }
        AutoPreview = s->AutoPreview;
        BorderSize = s->BorderSize;
        CellSpacing = s->CellSpacing;
        CellPadding = s->CellPadding;
        ConvertSpecialChars = s->ConvertSpecialChars;
        FooterFile = s->FooterFile;
        HeaderFile = s->HeaderFile;
        NonBreakingText = s->NonBreakingText;
        PrefixTag = s->PrefixTag;
        SaveColor = s->SaveColor;
        SaveFonts = s->SaveFonts;
        SuffixTag = s->SuffixTag;
        Summary = s->Summary;
        TableStyle = s->TableStyle;
        Width = s->Width;
        XHTML = s->XHTML;
    }

    // Open the written file with the shell after every save.
    bool AutoPreview = false;
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    // Data cells: & " < > and the renderer's special characters become named entities.
    bool ConvertSpecialChars = false;
    bool ExportImages = true;
    // Lines of these files go after and before the table.
    QString FooterFile;
    QString HeaderFile;
    // Data cells: every blank becomes "&nbsp;".
    bool NonBreakingText = false;
    QString PrefixTag;
    // Background and font colours go into the style classes.
    bool SaveColor = true;
    // Kept and copied; the font declarations are written either way.
    bool SaveFonts = true;
    QString SuffixTag;
    QString Summary;
    // Extra text inside the TABLE tag.
    QString TableStyle;
    // Table width in percent.
    int Width = 100;
    bool XHTML = false;
    // Width attributes per column.
    TIntList* ColWidths() const { return FColWidths.get(); }

  private:
    std::unique_ptr<TIntList> FColWidths;
};
