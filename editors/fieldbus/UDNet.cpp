#include "editors/fieldbus/UDNet.h"

#include "app/UGlobals.h"

TFDNet* FDNet = nullptr;

namespace dnet
{

namespace
{

using framerules::In;

constexpr TColor Cyan = 0xFEFAE0, Pink = 0xF4D6FC;

constexpr TEditorColumn Col(int Header, int Width, TColor Color, const char* Attribute, int Hint)
{
    TEditorColumn c;
    c.Header = Header;
    c.Width = Width;
    c.Color = Color;
    c.Attribute = Attribute;
    c.Hint = Hint;
    return c;
}

// Every attribute is required (Missing stays nullptr).
const TEditorColumn kColumns[] = {
    Col(2914, 40, clWindow, nullptr, -1),      Col(2915, 120, Cyan, "ID", 2919),
    Col(2916, 130, Pink, "NB_IN", 2920),       Col(2917, 130, Pink, "NB_OUT", 2921),
    Col(2918, 300, clWhite, "Mnemonic", 2922),
};

constexpr TEditorTable Make_Table()
{
    TEditorTable t{"ESG",   nullptr, -1,   nullptr, Slave_Rows,
                   Col_ID,  false,   2923, 2927,    TDeleteQuestion::Append_Number,
                   kColumns};
    t.Key_Rule = TKeyRule::Raw;
    return t;
}

const TEditorTable kTable[] = {Make_Table()};

} // namespace

const TEditorSpec Spec = {
    "FDNet",
    745,
    337,
    2900,
    2901,
    {{2902, 2908, true},
     {2903, 2909, true},
     {2904, 2910, true},
     {2905, 2911, true},
     {2906, 2912, true},
     {2907, 2913, true}},
    {&File_DNETM_Net, "DNET_Net", "SW_VERSION = 1.000"},
    kTable,
};

TFrameCheck Check_Slaves(const TFrameRows& Rows)
{
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const int r = int(i) + 1;
        if (!In(row.value(Col_ID), 0, 63))
            return TFrameFault{r, 2924};
        if (!In(row.value(Col_NB_IN), 0, 65535))
            return TFrameFault{r, 2925};
        if (!In(row.value(Col_NB_OUT), 0, 65535))
            return TFrameFault{r, 2926};
    }
    return std::nullopt;
}

} // namespace dnet

TFDNet::TFDNet(TComponent* AOwner) : TTableEditor(AOwner, dnet::Spec)
{
    ESG = Table(0).Grid;
    FormCreate();
}

TFDNet::~TFDNet()
{
    if (FDNet == this)
        FDNet = nullptr;
}

bool TFDNet::Controllo_dati()
{
    const TFrameCheck fault = dnet::Check_Slaves(Used_Row_Texts(*this, 0));
    if (fault)
        Show_Frame_Fault(*this, 0, *fault);
    return !fault;
}
