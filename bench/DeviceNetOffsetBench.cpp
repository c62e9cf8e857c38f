// The DeviceNet offset editor at its largest: two slaves of 65,535 input and 65,535 output bytes, the
// form shown, and one slave selection per iteration as a click makes it - the shown slave's two byte
// tables stored into its lists, then both tables filled with the other slave's bytes (2 x 65,535 rows
// of 3 cells). The baseline, in the same run, fills two shown QTableWidgets of the same size with the
// same 2 x 65,535 x 3 texts.
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/fieldbus/UDefOffset.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

constexpr int Bytes = 65535;

// A project whose slave list has two slaves of Bytes input and Bytes output bytes, each byte mapped.
struct TProject {
    QTemporaryDir dir;

    TProject()
    {
        Set_English_Texts();
        Active_Project_Name = "Bench";
        Active_Project_Dir = dir.path();
        Set_Files();
        TXmlDocument list;
        TXmlElement root = list.CreateRoot("DNET_Net");
        for (int id : {3, 5}) {
            TXmlElement row = root.AddChild("row");
            row.SetAttribute("ID", QString::number(id));
            row.SetAttribute("NB_IN", QString::number(Bytes));
            row.SetAttribute("NB_OUT", QString::number(Bytes));
            row.SetAttribute("Mnemonic", "Slave");
        }
        list.SaveToFile(File_DNETM_Net);
        TXmlDocument offsets;
        TXmlElement top = offsets.CreateRoot("Define_Offset");
        for (int k = 0; k < 2; ++k) {
            TXmlElement nodo = top.AddChild("Nodo_DNET");
            for (const char* side : {"ByteIN", "ByteOUT"}) {
                TXmlElement s = nodo.AddChild(side);
                for (int i = 0; i < Bytes; ++i) {
                    TXmlElement row = s.AddChild("row");
                    row.SetAttribute("Offset", i % 3 ? QString::number(i % 1440) : QString("None"));
                    row.SetAttribute("Mnemonic", QString("b%1").arg(i));
                }
            }
        }
        offsets.SaveToFile(File_DNETM_DefOff);
    }
};

TProject& Project()
{
    static TProject p;
    return p;
}

void DefOffsetSelectSlave(benchmark::State& state)
{
    Project();
    TFDefOffset form(nullptr);
    form.Show();
    QApplication::processEvents();
    int row = 1;
    for (auto _ : state) {
        row = 3 - row;
        form.ACG_DN_Slaves->FocusCell(0, row);
        form.ACG_DN_SlavesClick(form.ACG_DN_Slaves);
        QApplication::processEvents();
    }
    if (form.ACG_ByteOUT->RowCount() != Bytes + 1 || form.ACG_ByteIN->Cells(2, Bytes) != "b65534")
        state.SkipWithError("the byte tables were not filled");
    form.Hide();
}

void TableWidgetFillTwoTables(benchmark::State& state)
{
    QStringList offsets, mnemonics;
    for (int i = 0; i < Bytes; ++i) {
        offsets << (i % 3 ? QString::number(i % 1440) : QString("None"));
        mnemonics << QString("b%1").arg(i);
    }
    QTableWidget in(Bytes + 1, 3), out(Bytes + 1, 3);
    for (QTableWidget* t : {&in, &out}) {
        t->resize(450, 300);
        t->show();
    }
    QApplication::processEvents();
    for (auto _ : state) {
        for (QTableWidget* t : {&in, &out}) {
            for (int i = 0; i < Bytes; ++i) {
                t->setItem(i + 1, 0, new QTableWidgetItem(QString::number(i)));
                t->setItem(i + 1, 1, new QTableWidgetItem(offsets[i]));
                t->setItem(i + 1, 2, new QTableWidgetItem(mnemonics[i]));
            }
        }
        QApplication::processEvents();
    }
}

BENCHMARK(DefOffsetSelectSlave)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetFillTwoTables)->Unit(benchmark::kMillisecond);

} // namespace
