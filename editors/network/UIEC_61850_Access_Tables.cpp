// The client editor's tables: Add Var and Remove Var from the tree, the byte sizes of fixed-size
// types, the member table of the clicked data set, the data check and the project file.
#include "app/UGlobals.h"
#include "app/UHelpers.h"
#include "editors/network/UIEC_61850_Access.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>

using namespace iec61850client;

namespace iec61850client
{

namespace
{

struct TByteSize {
    const char* Type; // upper case
    const char* Num;
};

// TIMESTAMP takes one byte: what the gateway built for these files expects.
const TByteSize kByte_Sizes[] = {
    {"FLOAT32", "4"}, {"INT32U", "4"}, {"INT32", "4"},     {"QUALITY", "4"}, {"FLOAT64", "8"},
    {"INT64", "8"},   {"INT8U", "1"},  {"INT8", "1"},      {"BOOLEAN", "1"}, {"ENUM", "1"},
    {"INT16U", "2"},  {"INT16", "2"},  {"TIMESTAMP", "1"},
};

// The attributes of a "DA_Item" for columns 1 .. 18, in the order they are written.
const char* const kDA_Attributes[] = {
    "Index", "bType",   "fc",   "Reference", "StartByte", "NumByte",   "IPAddress",  "Port",     "OnChange",
    "OnCMD", "OnTimer", "Time", "Position",  "StartBit",  "ReadWrite", "Convertion", "MoltFact", "Mnemonic"};
const char* const kDataSet_Attributes[] = {"Index",     "Reference", "GooseName", "EnGoose",
                                           "IPAddress", "Port",      "Time",      "Mnemonic"};
const char* const kMember_Attributes[] = {"bType",      "Reference", "Position", "StartBit",
                                          "Convertion", "MoltFact",  "Mnemonic"};

} // namespace

bool Fixed_Bytes(const QString& bType, QString& Start, QString& Num)
{
    const QString upper = UpperCase(bType);
    for (const TByteSize& s : kByte_Sizes)
        if (upper == QLatin1String(s.Type)) {
            Start = "0";
            Num = QString::fromLatin1(s.Num);
            return true;
        }
    return false;
}

} // namespace iec61850client

// What the project file holds, read whole before anything on the form changes.
struct TFIEC_61850_Access::TLoaded {
    struct TFile {
        QString Name, FileName;
    };
    struct TMember {
        QString Texts[7]; // kMember_Attributes
    };
    struct TDataSetRow {
        QStringList Texts; // columns 1 .. 8
        std::vector<TMember> Members;
    };
    bool Exists = false;
    std::vector<TFile> Files;
    std::vector<QStringList> DA_Rows; // columns 1 .. 18
    std::vector<TDataSetRow> DataSet_Rows;
};

// ---- Rows ---------------------------------------------------------------------------------------------

int TFIEC_61850_Access::Add_Row(TExtColumnGrid* Grid)
{
    if (!(Grid->RowCount() == 2 && Grid->Cells(1, 1).isEmpty()))
        Grid->SetRowCount(Grid->RowCount() + 1);
    const int r = Grid->RowCount() - 1;
    Grid->SetCells(0, r, QString::number(r));
    return r;
}

void TFIEC_61850_Access::Remove_Row(TExtColumnGrid* Grid, int ARow)
{
    if (ARow < 1 || ARow >= Grid->RowCount())
        return;
    const int cols = Grid->ColCount() + Grid->NumHiddenColumns();
    if (Grid->RowCount() == 2) {
        for (int c = 1; c < cols; ++c)
            Grid->SetCells(c, 1, QString());
        return;
    }
    for (int r = ARow; r < Grid->RowCount() - 1; ++r)
        for (int c = 1; c < cols; ++c)
            Grid->SetCells(c, r, Grid->Cells(c, r + 1));
    Grid->SetRowCount(Grid->RowCount() - 1);
    for (int r = 1; r < Grid->RowCount(); ++r)
        Grid->SetCells(0, r, QString::number(r));
}

void TFIEC_61850_Access::Reset_Tables()
{
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) {
        g->SetRowCount(2);
        for (int c = 0; c < g->ColCount() + g->NumHiddenColumns(); ++c)
            g->SetCells(c, 1, QString());
    }
}

void TFIEC_61850_Access::Btn_AddVarClick(TObject*)
{
    if (Selected_IEC_DA) {
        PC_DA_DataSet->SetActivePage(TS_DA);
        const int r = Add_Row(ACG_DA);
        const TIEC_DA& da = *Selected_IEC_DA;
        const QString texts[] = {QString::number(Tree_Device_Index), da.bType(), da.FC(), da.Reference()};
        for (int c = Col_Index; c <= Col_Mnemonic; ++c)
            ACG_DA->SetCells(c, r, QString());
        for (int c = Col_Index; c <= Col_Reference; ++c)
            ACG_DA->SetCells(c, r, texts[c - Col_Index]);
        for (int c : {Col_OnChange, Col_OnCMD, Col_OnTimer})
            ACG_DA->SetCells(c, r, "N");
        Set_Start_Num_Byte();
        return;
    }
    if (!Selected_IEC_DS)
        return;
    PC_DA_DataSet->SetActivePage(TS_DataSet);
    const int r = Add_Row(ACG_DataSet);
    const TIEC_DataSet& ds = *Selected_IEC_DS;
    const QString texts[] = {QString::number(Tree_Device_Index), ds.Reference(), ds.GooseName(),
                             ds.GooseName().isEmpty() ? "N" : "Y"};
    for (int c = DS_Index; c <= DS_Mnemonic; ++c)
        ACG_DataSet->SetCells(c, r, c <= DS_EnGoose ? texts[c - DS_Index] : QString());
    auto entry = std::make_unique<TDataSet>();
    entry->Select_DataSet = Selected_IEC_DS;
    for (TIEC_DA* member : ds.List_DA) {
        auto m = std::make_unique<TDataSet_DA>();
        m->Select_DA = std::shared_ptr<TIEC_DA>(Selected_IEC_DS, member);
        entry->List_DAs.push_back(std::move(m));
    }
    // Entry r - 1 belongs to row r, whatever was typed into the table's empty row before.
    List_DataSet.resize(size_t(r - 1));
    List_DataSet.push_back(std::move(entry));
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::Btn_RemoveVarClick(TObject*)
{
    if (PC_DA_DataSet->ActivePage() == TS_DataSet) {
        End_Cell_Edit(ACG_DataSet);
        const int r = ACG_DataSet->Row();
        if (r < 1 || r >= ACG_DataSet->RowCount())
            return;
        if (size_t(r - 1) < List_DataSet.size())
            List_DataSet.erase(List_DataSet.begin() + (r - 1));
        Remove_Row(ACG_DataSet, r);
        Show_DataSet_DAs();
        return;
    }
    End_Cell_Edit(ACG_DA);
    Remove_Row(ACG_DA, ACG_DA->Row());
    Set_Start_Num_Byte();
}

void TFIEC_61850_Access::Set_Start_Num_Byte()
{
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        QString start, num;
        const bool fixed = Fixed_Bytes(ACG_DA->Cells(Col_bType, r), start, num);
        if (fixed) {
            ACG_DA->SetCells(Col_StartByte, r, start);
            ACG_DA->SetCells(Col_NumByte, r, num);
        }
        // The cell's own flag, set or cleared on every run: a row moved up takes its new type's.
        ACG_DA->GetCellProperties(Col_StartByte, r)->SetReadOnly(fixed);
        ACG_DA->GetCellProperties(Col_NumByte, r)->SetReadOnly(fixed);
    }
}

// ---- Member table -------------------------------------------------------------------------------------

void TFIEC_61850_Access::Show_DataSet_DAs()
{
    const int r = ACG_DataSet->Row();
    const TDataSet* entry =
        r >= 1 && size_t(r) <= List_DataSet.size() ? List_DataSet[size_t(r - 1)].get() : nullptr;
    ACG_DS_Vars->BeginUpdate();
    if (!entry || entry->List_DAs.empty()) {
        ACG_DS_Vars->SetRowCount(2);
        for (int c = 0; c <= M_Mnemonic; ++c)
            ACG_DS_Vars->SetCells(c, 1, QString());
    } else {
        ACG_DS_Vars->SetRowCount(int(entry->List_DAs.size()) + 1);
        for (size_t k = 0; k < entry->List_DAs.size(); ++k) {
            const TDataSet_DA& m = *entry->List_DAs[k];
            const QString texts[] = {QString::number(k + 1), m.bType(),    m.Reference(), m.Position,
                                     m.bitAddress,           m.conversion, m.multFactor,  m.Mnemonic};
            for (int c = 0; c <= M_Mnemonic; ++c)
                ACG_DS_Vars->SetCells(c, int(k) + 1, texts[c]);
        }
    }
    ACG_DS_Vars->EndUpdate();
}

void TFIEC_61850_Access::ACG_DataSetClickCell(TObject*, int ARow, int ACol)
{
    if (ACol == 0)
        ACG_DataSet->SelectRows(ARow, 1);
    Show_DataSet_DAs();
}

void TFIEC_61850_Access::ACG_DS_VarsSelectCell(TObject*, int, int, bool&)
{
    DataSet_Row_Select = ACG_DataSet->Row();
}

void TFIEC_61850_Access::ACG_DS_VarsEditCellDone(TObject*, int ACol, int ARow)
{
    if (DataSet_Row_Select < 1 || size_t(DataSet_Row_Select) > List_DataSet.size())
        return;
    TDataSet& entry = *List_DataSet[size_t(DataSet_Row_Select - 1)];
    if (ARow < 1 || size_t(ARow) > entry.List_DAs.size())
        return;
    TDataSet_DA& m = *entry.List_DAs[size_t(ARow - 1)];
    const QString text = ACG_DS_Vars->Cells(ACol, ARow);
    switch (ACol) {
    case M_Position:
        m.Position = text;
        break;
    case M_StartBit:
        m.bitAddress = text;
        break;
    case M_Convertion:
        m.conversion = text;
        break;
    case M_MultFact:
        m.multFactor = text;
        break;
    case M_Mnemonic:
        m.Mnemonic = text;
        break;
    default:
        break;
    }
}

// ---- Data check ---------------------------------------------------------------------------------------

bool TFIEC_61850_Access::Controllo_dati()
{
    const TTableView& t = Table(0);
    const QChar sep = Get_Decimal_Separator();
    auto num = [&](int c, int r) { return Cell_Int(ACG_DA, c, r); };
    for (int r = 1; r < ACG_DA->RowCount(); ++r) {
        const QString type = UpperCase(ACG_DA->Cells(Col_bType, r));
        if (type.isEmpty())
            continue;
        // A string attribute's bytes must lie inside it.
        struct TStringRule {
            const char* Type;
            int Size, Start_Text;
        };
        for (const TStringRule& s :
             {TStringRule{"VISSTRING255", 255, 3262}, TStringRule{"OCTET64", 64, 3265}}) {
            if (type != QLatin1String(s.Type))
                continue;
            const int start = num(Col_StartByte, r), count = num(Col_NumByte, r);
            int fault = 0;
            if (start < 0 || start > s.Size - 1)
                fault = s.Start_Text;
            else if (count < 1 || count > s.Size)
                fault = s.Start_Text + 1;
            else if (start + count > s.Size)
                fault = s.Start_Text + 2;
            if (fault) {
                Row_Error(t, r, fault);
                return false;
            }
        }
        QString p1, p2, p3, p4;
        int fault = 0;
        QString suffix;
        const int time = num(Col_Time, r), position = num(Col_Position, r);
        const QString factor = ACG_DA->Cells(Col_MoltFact, r);
        float value = 0;
        if (!Split_IP_Address(ACG_DA->Cells(Col_IPAddress, r), p1, p2, p3, p4))
            fault = 3253;
        else if (num(Col_Port, r) < 0 || num(Col_Port, r) > 65535)
            fault = 3254;
        else if (Trim(ACG_DA->Cells(Col_OnTimer, r)) == "Y" && (time < 1 || time > 100000000))
            fault = 3255;
        else if (position < 0 || position > Max_Position) {
            fault = 3256;
            suffix = QString::number(Max_Position);
        } else if (UpperCase(Trim(factor)) != "NONE" && !Str_To_Float_Sep(factor, sep, value))
            fault = 3257;
        if (fault) {
            Row_Error(t, r, fault, suffix);
            return false;
        }
    }
    return true;
}

// ---- OK and the project file --------------------------------------------------------------------------

void TFIEC_61850_Access::Btn_OKClick(TObject*)
{
    // A member cell still open is stored now: its edit-done report would come after the file.
    const bool member_edit = ACG_DS_Vars->EditorMode();
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        End_Cell_Edit(g);
    if (member_edit)
        ACG_DS_VarsEditCellDone(ACG_DS_Vars, ACG_DS_Vars->Col(), ACG_DS_Vars->Row());
    if (!Controllo_dati())
        return;
    Save_Project_File();
    SetModalResult(mrOk);
}

void TFIEC_61850_Access::Save_Project_File()
{
    TXmlElement root = XML1.CreateRoot("IEC_68850_Client");
    XML1.AddComment("SW_VERSION = 1.000");
    TXmlElement files = root.AddChild("List_ICD_Files");
    for (const auto& device : List_IEC_Dev) {
        TXmlElement f = files.AddChild("ICD_File");
        f.SetAttribute("Name", device->Name());
        f.SetAttribute("FileName", device->FileName());
    }
    // A table holding only its empty row writes an empty section.
    auto has_rows = [](TExtColumnGrid* g) { return g->RowCount() > 2 || !g->Cells(1, 1).isEmpty(); };
    TXmlElement das = root.AddChild("List_DA_Selected");
    if (has_rows(ACG_DA))
        for (int r = 1; r < ACG_DA->RowCount(); ++r) {
            TXmlElement item = das.AddChild("DA_Item");
            for (int c = Col_Index; c <= Col_Mnemonic; ++c)
                item.SetAttribute(QLatin1String(kDA_Attributes[c - 1]), ACG_DA->Cells(c, r));
        }
    TXmlElement sets = root.AddChild("List_DataSet_Selected");
    if (has_rows(ACG_DataSet))
        for (int r = 1; r < ACG_DataSet->RowCount(); ++r) {
            TXmlElement item = sets.AddChild("DataSet_Item");
            for (int c = DS_Index; c <= DS_Mnemonic; ++c)
                item.SetAttribute(QLatin1String(kDataSet_Attributes[c - 1]), ACG_DataSet->Cells(c, r));
            TXmlElement members = item.AddChild("DataSet_List_DAs");
            if (size_t(r) > List_DataSet.size())
                continue;
            for (const auto& m : List_DataSet[size_t(r - 1)]->List_DAs) {
                TXmlElement e = members.AddChild("DataSet_DA_Item");
                const QString texts[] = {m->bType(),    m->Reference(), m->Position, m->bitAddress,
                                         m->conversion, m->multFactor,  m->Mnemonic};
                for (int i = 0; i < 7; ++i)
                    e.SetAttribute(QLatin1String(kMember_Attributes[i]), texts[i]);
            }
        }
    XML1.SaveToFile(File_IEC_61850_Client);
}

TFIEC_61850_Access::TLoaded TFIEC_61850_Access::Read_File() const
{
    TLoaded loaded;
    const QString path = File_IEC_61850_Client;
    if (!FileExists(path))
        return loaded;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement root = doc.Root();
    if (root.IsNull() || root.NodeName() != "IEC_68850_Client")
        throw EXmlError(QString("%1: element IEC_68850_Client missing").arg(path));
    auto section = [&](const char* name) {
        const TXmlElement e = root.Child(QLatin1String(name));
        if (e.IsNull())
            throw EXmlError(QString("%1: element %2 missing").arg(path, QLatin1String(name)));
        return e;
    };
    auto required = [&](const TXmlElement& e, const char* section_name, size_t row, const char* name) {
        if (!e.HasAttribute(QLatin1String(name)))
            throw EXmlError(QString("%1: %2, item %3: attribute %4 missing")
                                .arg(path, QLatin1String(section_name))
                                .arg(row + 1)
                                .arg(QLatin1String(name)));
        return e.Attribute(QLatin1String(name));
    };
    loaded.Exists = true;
    for (const TXmlElement& f : section("List_ICD_Files").Children())
        loaded.Files.push_back({f.AttributeDef("Name", QString()), f.AttributeDef("FileName", QString())});
    const std::vector<TXmlElement> das = section("List_DA_Selected").Children();
    for (size_t i = 0; i < das.size(); ++i) {
        QStringList texts;
        for (int c = Col_Index; c <= Col_Mnemonic; ++c) {
            const char* name = kDA_Attributes[c - 1];
            texts << (c == Col_StartByte || c == Col_NumByte
                          ? das[i].AttributeDef(QLatin1String(name), QString())
                          : required(das[i], "List_DA_Selected", i, name));
        }
        loaded.DA_Rows.push_back(texts);
    }
    const std::vector<TXmlElement> sets = root.Child("List_DataSet_Selected").Children();
    for (size_t i = 0; i < sets.size(); ++i) {
        TLoaded::TDataSetRow row;
        for (const char* name : kDataSet_Attributes)
            row.Texts << required(sets[i], "List_DataSet_Selected", i, name);
        for (const TXmlElement& m : sets[i].Child("DataSet_List_DAs").Children()) {
            TLoaded::TMember member;
            for (int k = 0; k < 7; ++k)
                member.Texts[k] = m.AttributeDef(QLatin1String(kMember_Attributes[k]), QString());
            row.Members.push_back(member);
        }
        loaded.DataSet_Rows.push_back(std::move(row));
    }
    return loaded;
}

void TFIEC_61850_Access::Apply_Loaded(TLoaded& Loaded)
{
    // Catalogue: a file that is gone or no longer readable keeps its index as an empty device.
    const QString folder = Catalog_Dir();
    for (const TLoaded::TFile& f : Loaded.Files) {
        const QString path = folder + f.FileName;
        std::shared_ptr<TIEC_Device> device;
        if (!f.FileName.isEmpty() && FileExists(path)) {
            try {
                device = TIEC_Device::Create(path);
            } catch (const EXmlError& e) {
                MessageDlg(e.Message, mtError, mbOK);
            }
        }
        List_IEC_Dev.push_back(device ? device : TIEC_Device::Placeholder(f.Name, f.FileName));
    }

    if (!Loaded.DA_Rows.empty()) {
        ACG_DA->SetRowCount(int(Loaded.DA_Rows.size()) + 1);
        for (size_t i = 0; i < Loaded.DA_Rows.size(); ++i) {
            const int r = int(i) + 1;
            ACG_DA->SetCells(0, r, QString::number(r));
            for (int c = Col_Index; c <= Col_Mnemonic; ++c)
                ACG_DA->SetCells(c, r, Loaded.DA_Rows[i][c - 1]);
        }
    }

    if (Loaded.DataSet_Rows.empty())
        return;
    ACG_DataSet->SetRowCount(int(Loaded.DataSet_Rows.size()) + 1);
    for (size_t i = 0; i < Loaded.DataSet_Rows.size(); ++i) {
        const TLoaded::TDataSetRow& row = Loaded.DataSet_Rows[i];
        const int r = int(i) + 1;
        ACG_DataSet->SetCells(0, r, QString::number(r));
        for (int c = DS_Index; c <= DS_Mnemonic; ++c)
            ACG_DataSet->SetCells(c, r, row.Texts[c - 1]);
        auto entry = std::make_unique<TDataSet>();
        entry->Select_DataSet = Get_DataSet(StrToIntDef(row.Texts[0], -1), row.Texts[1]);
        auto settings = [](TDataSet_DA& m, const TLoaded::TMember& saved) {
            m.Position = saved.Texts[2];
            m.bitAddress = saved.Texts[3];
            m.conversion = saved.Texts[4];
            m.multFactor = saved.Texts[5];
            m.Mnemonic = saved.Texts[6];
        };
        if (entry->Select_DataSet) {
            // One entry per current member; saved settings only where the member still lines up.
            const auto& members = entry->Select_DataSet->List_DA;
            for (size_t k = 0; k < members.size(); ++k) {
                auto m = std::make_unique<TDataSet_DA>();
                m->Select_DA = std::shared_ptr<TIEC_DA>(entry->Select_DataSet, members[k]);
                if (k < row.Members.size() && row.Members[k].Texts[0] == members[k]->bType() &&
                    row.Members[k].Texts[1] == members[k]->Reference())
                    settings(*m, row.Members[k]);
                entry->List_DAs.push_back(std::move(m));
            }
        } else {
            // Not found again: the saved members stay as they were written.
            for (const TLoaded::TMember& saved : row.Members) {
                auto m = std::make_unique<TDataSet_DA>();
                m->Saved_bType = saved.Texts[0];
                m->Saved_Reference = saved.Texts[1];
                settings(*m, saved);
                entry->List_DAs.push_back(std::move(m));
            }
        }
        List_DataSet.push_back(std::move(entry));
    }
}

std::shared_ptr<TIEC_DataSet> TFIEC_61850_Access::Get_DataSet(int index, const QString& reference) const
{
    if (index < 0 || size_t(index) >= List_IEC_Dev.size())
        return nullptr;
    const std::shared_ptr<TIEC_Device>& device = List_IEC_Dev[size_t(index)];
    for (const auto& ld : device->List_LDevice)
        for (const auto& ln : ld->List_LN)
            for (const auto& ds : ln->List_DataSet)
                if (ds->Reference() == reference)
                    return std::shared_ptr<TIEC_DataSet>(device, ds.get());
    return nullptr;
}

void TFIEC_61850_Access::FormShow(TObject*)
{
    // The whole file is read before anything changes: a faulty file leaves the form as it was and
    // the editor does not open.
    TLoaded loaded = Read_File();
    DataSet_Row_Select = 0;
    Selected_IEC_DA.reset();
    Selected_IEC_DS.reset();
    List_IEC_Dev.clear();
    LB_IEC_Devices->Clear();
    Clear_Tree();
    List_DataSet.clear();
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        g->BeginUpdate();
    Reset_Tables();
    if (loaded.Exists)
        Apply_Loaded(loaded);
    Set_Start_Num_Byte();
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars})
        g->EndUpdate();
    Show_IEC_Devices();
    Show_DataSet_DAs();
    for (int i = 0; i < Table_Count(); ++i)
        Table(i).Do_Copy = false;
    PC_DA_DataSet->SetActivePage(TS_DA);
}
