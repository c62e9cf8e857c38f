#include "editors/fieldbus/UDMXDefVal.h"

#include "app/UGlobals.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>

TFDMXDefVal* FDMXDefVal = nullptr;

namespace dmx
{

namespace
{

constexpr TColor Pink = 0xF4D6FC;

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, const char* Missing,
                            int Hint)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.New_Text = Missing ? Missing : "";
    c.Hint = Hint;
    return c;
}

const TEditorColumn kColumns[] = {
    Col(3106, 60, clWindow, nullptr, nullptr, -1),
    Col(3107, 110, Pink, "Default_Value", "0", 3109),
    Col(3108, 260, clWhite, "Mnemonic", "", 3110),
};

constexpr TEditorTable Make_Table()
{
    // No row buttons, so no delete question: the delete text is never shown.
    TEditorTable t{"ACG_DMX_Def_Val", nullptr, -1,   nullptr, Max_Channels,
                   Col_Default_Value, false,   3111, -1,      TDeleteQuestion::Append_Number,
                   kColumns};
    t.Key_Rule = TKeyRule::None;
    t.Any_Row_Name = true;
    t.Row_Element = "Row";
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

} // namespace

// Only OK and Cancel are shown; the four row buttons stay hidden and untexted.
const TEditorSpec Spec = {
    "FDMXDefVal",
    475,
    337,
    3100,
    3101,
    {{3102, 3104, true},
     {3103, 3105, true},
     {-1, -1, false, ""},
     {-1, -1, false, ""},
     {-1, -1, false, ""},
     {-1, -1, false, ""}},
    {&File_DMX_Default_Values, "DMX_Default_Values", "SW_VERSION = 1.000"},
    kTable,
};

int Read_Channels(const QString& path)
{
    if (!FileExists(path))
        return Max_Channels;
    TXmlDocument doc;
    try {
        doc.LoadFromFile(path);
    } catch (const EXmlError&) {
        // The parameters editor reports its own file; here it only sizes the table.
        return Max_Channels;
    }
    const TXmlElement e = doc.Root().IsNull() ? TXmlElement() : doc.Root().Child("DMX_Num_Channels");
    if (e.IsNull())
        return Max_Channels;
    return std::clamp(StrToIntDef(e.Text(), Max_Channels), 1, Max_Channels);
}

TFrameCheck Check_Values(const TFrameRows& Rows)
{
    for (size_t i = 0; i < Rows.size(); ++i)
        if (!framerules::In(Rows[i].value(Col_Default_Value), 0, 255))
            return TFrameFault{int(i) + 1, 3112};
    return std::nullopt;
}

} // namespace dmx

TFDMXDefVal::TFDMXDefVal(TComponent* AOwner) : TTableEditor(AOwner, dmx::Spec)
{
    ACG_DMX_Def_Val = Table(0).Grid;
    for (TFadeButton* b : {Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow})
        b->SetVisible(false);
    FormCreate();
}

TFDMXDefVal::~TFDMXDefVal()
{
    if (FDMXDefVal == this)
        FDMXDefVal = nullptr;
}

void TFDMXDefVal::FormShow(TObject* Sender)
{
    Channels = dmx::Read_Channels(File_ParGen);
    ACG_DMX_Def_Val->SetRowCount(Channels + 1);
    // The frame clears every row to "0" and "", then loads the file into rows 1 .. Channels.
    TTableEditor::FormShow(Sender);
    // File rows past the channels went to cells below the table: drop them.
    ACG_DMX_Def_Val->BeginUpdate();
    for (int r = Channels + 1; r <= dmx::Max_Channels; ++r)
        for (int c = 0; c <= dmx::Col_Mnemonic; ++c)
            ACG_DMX_Def_Val->SetCells(c, r, QString());
    ACG_DMX_Def_Val->EndUpdate();
}

bool TFDMXDefVal::Controllo_dati()
{
    const TFrameCheck fault = dmx::Check_Values(Used_Row_Texts(*this, 0));
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
