// Loading and saving of the process-data editor: the group lists from "EtherCAT_Slave_Group.xml",
// the rows of "EtherCAT_Slave.xml", and the rewrite of that file on OK.
#include "gateway/UEtherCATSlave.h"

#include "app/UGlobals.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <algorithm>

namespace
{

constexpr int Enable_Col = 1, Type_Col = 2, Length_Col = 3, Name_Col = 4;

const char* const kGroupSections[2] = {"Slave_to_Master", "Master_to_Slave"};
const char* const kVariables = "EtherCAT_Slave_Variables";
const char* const kVariableSections[2] = {"EtherCAT_Slave_To_Master", "EtherCAT_Master_To_Slave"};

TXmlElement Section(const TXmlElement& parent, const char* name, const QString& path)
{
    const TXmlElement e = parent.Child(QLatin1String(name));
    if (e.IsNull())
        throw EXmlError(QString("%1: element %2 missing").arg(path, QLatin1String(name)));
    return e;
}

QString Required(const TXmlElement& row, const char* name, const QString& path, const char* section,
                 size_t index)
{
    const QString attribute = QLatin1String(name);
    if (!row.HasAttribute(attribute))
        throw EXmlError(QString("%1: %2, row %3: attribute %4 missing")
                            .arg(path, QLatin1String(section))
                            .arg(index + 1)
                            .arg(attribute));
    return row.Attribute(attribute);
}

} // namespace

// One row as the file gives it; a missing attribute reads as "" (Enable: checked).
struct TFEtherCATSlave::TFileRow {
    bool Enable = true;
    QString Type, Length, Name, Init_Value, Position, Bit_Start, Mnemonic;
};

void TFEtherCATSlave::Read_Groups(std::vector<TGroup>& StoM, std::vector<TGroup>& MtoS)
{
    const QString path = File_EtherCAT_Slave_Group;
    if (!FileExists(path))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement root = doc.Root();
    std::vector<TGroup>* lists[2] = {&StoM, &MtoS};
    for (int dir = 0; dir < 2; ++dir) {
        const std::vector<TXmlElement> rows = Section(root, kGroupSections[dir], path).Children("row");
        for (size_t i = 0; i < rows.size(); ++i) {
            TGroup g;
            g.Name = Required(rows[i], "Group_Name", path, kGroupSections[dir], i);
            int32_t n = 0;
            g.Num_Var =
                TryStrToInt(Required(rows[i], "Num_Variables", path, kGroupSections[dir], i), n) ? n : 0;
            lists[dir]->push_back(g);
        }
    }
}

void TFEtherCATSlave::Read_Variables(std::vector<TFileRow> (&Tables)[2])
{
    const QString path = File_EtherCAT_Slave;
    if (!FileExists(path))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement variables = Section(doc.Root(), kVariables, path);
    for (int dir = 0; dir < 2; ++dir) {
        const std::vector<TXmlElement> rows =
            Section(variables, kVariableSections[dir], path).Children("row");
        // Rows beyond the table are not read at all: they could never be shown or saved again.
        const size_t n = std::min(rows.size(), size_t(EtherCATSlave::Data_Rows));
        for (size_t i = 0; i < n; ++i) {
            const TXmlElement& e = rows[i];
            TFileRow row;
            row.Enable = e.AttributeDef("Enable", QString()) != QLatin1String("N");
            row.Type = e.AttributeDef("Type", QString());
            row.Length = e.AttributeDef("Length", QString());
            row.Name = e.AttributeDef("Name", QString());
            if (dir == 0)
                row.Init_Value = e.AttributeDef("InitValue", QString());
            row.Position = e.AttributeDef("Position", QString());
            row.Bit_Start = e.AttributeDef("BitStart", QString());
            row.Mnemonic = e.AttributeDef("Mnemonic", QString());
            Tables[dir].push_back(row);
        }
    }
}

void TFEtherCATSlave::Clear_Table(TExtStringGrid* Grid, bool Slave_To_Master)
{
    const TLayout& l = Layout(Slave_To_Master);
    const int total = Grid->ColCount() + Grid->NumHiddenColumns();
    for (int r = 1; r <= EtherCATSlave::Data_Rows; ++r) {
        Grid->SetCells(0, r, QString::number(r));
        Grid->SetCheckBoxState(Enable_Col, r, true);
        for (int c = Type_Col; c < total; ++c)
            Grid->SetCells(c, r, QString());
        // Nothing of an earlier show stays: the row commands and types moved the flags about.
        for (int c = Enable_Col; c < total; ++c)
            Grid->SetReadOnly(c, r, c == l.Position || c == l.Bit_Start || c == l.Group);
    }
}

void TFEtherCATSlave::Fill_Row(TExtStringGrid* Grid, bool Slave_To_Master, int ARow, const TFileRow& Row)
{
    const TLayout& l = Layout(Slave_To_Master);
    Grid->SetCheckBoxState(Enable_Col, ARow, Row.Enable);
    Grid->SetCells(Type_Col, ARow, Row.Type);
    // The rule first: a saved Array or String keeps its Length, and the flag follows the type.
    VarSetLength(Grid, Row.Type, ARow);
    Grid->SetCells(Length_Col, ARow, Row.Length);
    Grid->SetCells(Name_Col, ARow, Row.Name);
    if (l.Init_Value >= 0)
        Grid->SetCells(l.Init_Value, ARow, Row.Init_Value);
    Grid->SetCells(l.Position, ARow, Row.Position);
    Grid->SetCells(l.Bit_Start, ARow, Row.Bit_Start);
    Grid->SetCells(l.Last, ARow, Row.Mnemonic);
}

void TFEtherCATSlave::FormShow(TObject*)
{
    // Both files are read before a cell changes: a faulty one leaves the form as it was, the error
    // names it, and OK can never replace "EtherCAT_Slave.xml" with half its rows.
    std::vector<TGroup> stom, mtos;
    Read_Groups(stom, mtos);
    std::vector<TFileRow> loaded[2];
    Read_Variables(loaded);

    Group_StoM = std::move(stom);
    Group_MtoS = std::move(mtos);
    for (int dir = 0; dir < 2; ++dir) {
        const bool s = dir == 0;
        TExtStringGrid* g = Grid_Of(s);
        g->BeginUpdate();
        Clear_Table(g, s);
        for (size_t i = 0; i < loaded[dir].size(); ++i)
            Fill_Row(g, s, int(i) + 1, loaded[dir][i]);
        Recalc(g, s);
        g->EndUpdate();
        Table(dir).Do_Copy = false;
    }
    if (PageControl1)
        PageControl1->SetActivePageIndex(0);
}

void TFEtherCATSlave::Save_Variables()
{
    TXmlElement root = XML1.CreateRoot(QLatin1String(Spec().File.Root));
    XML1.AddComment(QLatin1String(Spec().File.Version_Comment));
    TXmlElement variables = root.AddChild(QLatin1String(kVariables));
    for (int dir = 0; dir < 2; ++dir) {
        const bool s = dir == 0;
        TExtStringGrid* g = Grid_Of(s);
        const TLayout& l = Layout(s);
        TXmlElement section = variables.AddChild(QLatin1String(kVariableSections[dir]));
        const int used = Used_Rows(Table(dir));
        for (int r = 1; r <= used; ++r) {
            TXmlElement row = section.AddChild("row");
            row.SetAttribute("Enable", Is_Enabled(g, r) ? "Y" : "N");
            row.SetAttribute("Type", g->Cells(Type_Col, r));
            row.SetAttribute("Length", g->Cells(Length_Col, r));
            row.SetAttribute("Name", g->Cells(Name_Col, r));
            if (l.Init_Value >= 0)
                row.SetAttribute("InitValue", g->Cells(l.Init_Value, r));
            row.SetAttribute("Position", g->Cells(l.Position, r));
            row.SetAttribute("BitStart", g->Cells(l.Bit_Start, r));
            row.SetAttribute("Group", g->Cells(l.Group, r));
            row.SetAttribute("Mnemonic", g->Cells(l.Last, r));
        }
    }
    // Atomic: a failed write leaves the old file whole, and the error names the file.
    XML1.SaveToFile(*Spec().File.Path);
}
