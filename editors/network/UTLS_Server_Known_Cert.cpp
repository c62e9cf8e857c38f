#include "editors/network/UTLS_Server_Known_Cert.h"

#include "app/UGlobals.h"
#include "grid/core/ExtGrid.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace
{

constexpr int Cert_Row_Height = 60;
constexpr int Header_Row_Height = 22;
constexpr TColor Enable_Color = 0x00B0D8FF, Certificate_Color = 0x00FEFAE0;

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, const char* Missing,
                            int Hint)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Missing = Missing;
    c.Hint = Hint;
    return c;
}

const TEditorColumn kColumns[] = {
    Col(3414, 40, clWindow, nullptr, nullptr, -1),
    Col(3415, 50, Enable_Color, "Enable", "Y", 3418),
    Col(3416, 500, Certificate_Color, "Certificate", "", 3419),
    Col(3417, 160, clWhite, "Mnemonic", "", 3420),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ESG",   nullptr, -1, nullptr, 10, 2, true, -1, 3421, TDeleteQuestion::Append_Number,
                   kColumns};
    t.Enable_Rule = TEnableRule::Check_Box;
    t.Any_Row_Name = true;
    t.Row_Height = Cert_Row_Height;
    t.Check_Boxes = true;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

const TEditorSpec kSpec = {
    "FTLS_Server_Known_Cert",
    800,
    337,
    3400,
    3401,
    {{3402, 3408, true},
     {3403, 3409, true},
     {3404, 3410, true},
     {3405, 3411, true},
     {3406, 3412, true},
     {3407, 3413, true}},
    {&File_TLS_Known_Cert, "TLS_Server_Known_Cert", "SW_VERSION = 1.000"},
    kTable,
};

} // namespace

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner) : TTableEditor(AOwner, kSpec)
{
    ESG = Table(0).String_Grid;
    Init_Table();
    FormCreate();
}

TFTLS_Server_Known_Cert::~TFTLS_Server_Known_Cert()
{
    if (FTLS_Server_Known_Cert == this)
        FTLS_Server_Known_Cert = nullptr;
}

void TFTLS_Server_Known_Cert::Init_Table()
{
    ESG->SetOptions(ESG->Options() | goRowSizing);
    ESG->SetVAlignment(vtaCenter);
    ESG->SetRowHeights(0, Header_Row_Height);
}

void TFTLS_Server_Known_Cert::Fill_Lists()
{
    // A fresh showing starts with every cell editable (a delete leaves the bottom row locked).
    for (int r = 1; r < ESG->RowCount(); ++r)
        for (int c = 1; c < ESG->ColCount(); ++c)
            ESG->SetReadOnly(c, r, false);
}
