#include "gateway/USetAccess_Requests.h"

#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/core/StringList.h"
#include "platform/core/SysUtils.h"

namespace setaccess
{

namespace
{

// The Modbus protocol's limits for one request.
constexpr int Max_Slave_ID = 247;
constexpr int Max_Address = 65535;
constexpr int Max_Port = 65535;
constexpr int Max_Read_Bits = 2000, Max_Read_Registers = 125;
constexpr int Max_Write_Coils = 1968, Max_Write_Registers = 123;
constexpr int Max_Time = 100000000; // poll time and max error
constexpr int Max_Octet = 255;

bool In(int value, int low, int high)
{
    return value >= low && value <= high;
}

} // namespace

TRequestColumns Request_Columns(bool Write, int Offset)
{
    TRequestColumns c;
    if (Offset > 0) {
        c.IP_Address = 2;
        c.Port = 3;
    }
    c.Slave_ID = 2 + Offset;
    c.Type = 3 + Offset;
    c.Address = 4 + Offset;
    c.NPoint = 5 + Offset;
    c.Poll_Time = 6 + Offset;
    if (Write) {
        c.On_Change = 7 + Offset;
        c.On_CMD = 8 + Offset;
        c.Max_Error = 9 + Offset;
        c.Position = 10 + Offset;
        c.Start_Bit = 11 + Offset;
        c.Swap = 12 + Offset;
        c.SwapWord = 13 + Offset;
        c.Mnemonic = 14 + Offset;
    } else {
        c.Max_Error = 7 + Offset;
        c.Position = 8 + Offset;
        c.Start_Bit = 9 + Offset;
        c.Swap = 10 + Offset;
        c.SwapWord = 11 + Offset;
        c.Topic = 12 + Offset;
        c.Mnemonic = 13 + Offset;
    }
    return c;
}

bool Is_Status_Type(const QString& Type, bool Write)
{
    const QString t = UpperCase(Trim(Type));
    return t == QLatin1String("COIL STATUS") || (!Write && t == QLatin1String("INPUT STATUS"));
}

bool Check_IP_Address(const QString& Text)
{
    if (Text.isEmpty())
        return true;
    // Parts 1 to 3 end at the next "."; where none is left the part is empty and the rest stays.
    QString rest = Text;
    QString parts[4];
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = rest.indexOf('.');
        if (dot < 0)
            continue;
        parts[i] = rest.left(dot);
        rest = rest.mid(dot + 1);
    }
    parts[3] = rest;
    for (const QString& part : parts) {
        int32_t v;
        if (!TryStrToInt(part, v) || !In(v, 0, Max_Octet))
            return true;
    }
    return false;
}

std::optional<TRequestFault> Check_Requests(const TRequestCheck& Check, const std::vector<QStringList>& Rows)
{
    const TRequestColumns c = Request_Columns(Check.Write, Check.Offset);
    const TRequestTexts& t = Check.Texts;
    for (size_t i = 0; i < Rows.size(); ++i) {
        const QStringList& row = Rows[i];
        const auto cell = [&](int col) { return col >= 0 && col < row.size() ? row[col] : QString(); };
        // Numbers as the image compiler reads them; anything else fails every range.
        const auto number = [&](int col) { return StrToIntDef(cell(col), -1); };
        if (Trim(cell(c.Key())).isEmpty())
            break;
        if (Trim(cell(c.Enable)) != QLatin1String("Y"))
            continue;
        const int r = int(i) + 1;
        const auto fault = [r](int text, const QString& limit = QString()) {
            return TRequestFault{r, text, limit};
        };

        if (c.IP_Address >= 0) {
            if (Check_IP_Address(cell(c.IP_Address)))
                return fault(t.IP_Address);
            if (!In(number(c.Port), 0, Max_Port))
                return fault(t.Port);
        }
        if (!In(number(c.Slave_ID), 1, Max_Slave_ID))
            return fault(t.Slave_ID);
        // A type that is not a list item passes and addresses registers.
        if (cell(c.Type).isEmpty())
            return fault(t.Type);
        if (!In(number(c.Address), 0, Max_Address))
            return fault(t.Address);
        const bool status = Is_Status_Type(cell(c.Type), Check.Write);
        const int limit = Check.Write ? (status ? Max_Write_Coils : Max_Write_Registers)
                                      : (status ? Max_Read_Bits : Max_Read_Registers);
        const int npoint = number(c.NPoint);
        if (!In(npoint, 1, limit))
            return fault(t.NPoint, QString::number(limit));
        if (!In(number(c.Poll_Time), Check.Write ? 0 : 1, Max_Time))
            return fault(t.Poll_Time);
        if (!In(number(c.Max_Error), 0, Max_Time))
            return fault(t.Max_Error);
        const int position = number(c.Position);
        if (Check.Position_Shown && !In(position, 0, Check.NByte - 1))
            return fault(t.Position, QString::number(Check.NByte - 1));
        int start_bit = 0;
        if (status) {
            if (cell(c.Start_Bit).isEmpty())
                return fault(t.Start_Bit);
            start_bit = StrToIntDef(cell(c.Start_Bit), 0);
        }
        if (Check.Position_Shown) {
            // 64-bit: a huge start bit must fail here, not wrap round and pass.
            const int64_t last = status ? position + (int64_t(npoint) + start_bit - 1) / 8
                                        : position + 2 * int64_t(npoint) - 1;
            if (last >= Check.NByte)
                return fault(t.Last_Byte);
        }
        if (!Check.Write && Check.Topic_Shown && c.Topic >= 0 && Trim(cell(c.Topic)).isEmpty())
            return fault(t.Topic);
    }
    return std::nullopt;
}

} // namespace setaccess

using namespace setaccess;

TRequestEditor::TRequestEditor(TComponent* AOwner, const TEditorSpec& Spec, int Offset,
                               const TRequestTexts& Read_Texts, const TRequestTexts& Write_Texts)
    : TTableEditor(AOwner, Spec), List_Publish_Topic(std::make_unique<TStringList>()), FOffset(Offset),
      FRead(Request_Columns(false, Offset)), FWrite(Request_Columns(true, Offset)), FRead_Texts(Read_Texts),
      FWrite_Texts(Write_Texts)
{
    TS_Modbus_Read = Table(0).Tab;
    TS_Modbus_Write = Table(1).Tab;
    ACG_Modbus_Read = Table(0).Grid;
    ACG_Modbus_Write = Table(1).Grid;
}

TRequestEditor::~TRequestEditor() = default;

QString TRequestEditor::Get_Topic_From_Index(int Index) const
{
    return Index >= 0 && Index < List_Publish_Topic->Count() ? List_Publish_Topic->Strings(Index) : QString();
}

int TRequestEditor::Get_Index_From_Topic(const QString& Topic) const
{
    for (int i = 0; i < List_Publish_Topic->Count(); ++i)
        if (List_Publish_Topic->Strings(i) == Topic)
            return i;
    return -1;
}

void TRequestEditor::Fill_Lists()
{
    TS_Modbus_Write->SetTabVisible(true);
    ACG_Modbus_Read->HideColumn(FRead.Topic);
    ACG_Modbus_Read->UnHideColumn(FRead.Position);
    ACG_Modbus_Read->UnHideColumn(FRead.Start_Bit);

    NByte_IN = Data_Bytes;
    NByte_OUT = Data_Bytes;
    // One list per table and show, never per row.
    const auto fill_positions = [](TStringList* items, int count) {
        items->BeginUpdate();
        items->Clear();
        for (int i = 0; i < count; ++i)
            items->Add(QString::number(i));
        items->EndUpdate();
    };
    fill_positions(ACG_Modbus_Read->Columns()->Items(FRead.Position)->ComboItems(), NByte_IN);
    fill_positions(ACG_Modbus_Write->Columns()->Items(FWrite.Position)->ComboItems(), NByte_OUT);
    ACG_Modbus_Read->Columns()->Items(FRead.Topic)->SetComboItems(List_Publish_Topic.get());
}

void TRequestEditor::Load_Row(TTableView& T, int ARow, QStringList& Texts)
{
    if (&T != &Table(0))
        return;
    const int index = StrToIntDef(Texts[FRead.Topic], -1);
    Topic_Loaded(ARow, index);
    Texts[FRead.Topic] = Get_Topic_From_Index(index);
}

bool TRequestEditor::Controllo_dati()
{
    // Both tables follow the read table's columns, as the form always did.
    const bool position_shown = !ACG_Modbus_Read->IsHiddenColumn(FRead.Position);
    const bool topic_shown = !ACG_Modbus_Read->IsHiddenColumn(FRead.Topic);
    for (int i = 0; i < 2; ++i) {
        TTableView& t = Table(i);
        TRequestCheck check;
        check.Write = i == 1;
        check.Offset = FOffset;
        check.Texts = i == 0 ? FRead_Texts : FWrite_Texts;
        check.NByte = i == 0 ? NByte_IN : NByte_OUT;
        check.Position_Shown = position_shown;
        check.Topic_Shown = i == 0 && topic_shown;
        const int used = Used_Rows(t);
        const int columns = t.Grid->ColCount() + t.Grid->NumHiddenColumns();
        std::vector<QStringList> rows(static_cast<size_t>(used));
        for (int r = 1; r <= used; ++r)
            for (int c = 0; c < columns; ++c)
                rows[size_t(r - 1)] << t.Grid->Cells(c, r);
        if (const std::optional<TRequestFault> f = Check_Requests(check, rows)) {
            Row_Error(t, f->Row, f->Text, f->Suffix);
            return false;
        }
    }
    return true;
}
