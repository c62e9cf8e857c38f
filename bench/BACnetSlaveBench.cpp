// The BACnet server editor at its largest: shown on a file of 1000 read and 1000 write objects (limit
// off: the tables cleared over 2000 rows each, the lists rebuilt, the file loaded), then OK (every
// object checked, the file written). The baseline, in the same run, loads the same file into two
// shown QTableWidgets of 2001 x 8 cells, cell by cell, and writes the same XML back from their cells.
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/bacnet/UBACnetSlaveSetAccess.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

const char* const kAttributes[] = {"Data_Type", "Eng_Unit", "Position", "Bit", "Length", "Swap", "Mnemonic"};
const char* const kSections[] = {"BACnet_in_Read", "BACnet_in_Write"};
constexpr int Objects = 1000, Rows = 2001, Cols = 8;

// A project folder whose server file has 1000 valid objects per table.
struct TProject {
    QTemporaryDir dir;
    QString file;

    TProject()
    {
        Set_English_Texts();
        Set_Identity_Texts();
        Active_Project_Name = "Bench";
        Active_Project_Dir = dir.path();
        Set_Files();
        file = File_BACnet_Slave;
        QString xml = "<BACnet_to_Modbus>";
        for (const char* section : kSections) {
            xml += QString("<%1>").arg(section);
            const bool read = section == kSections[0];
            for (int i = 0; i < Objects; ++i)
                xml += QString("<row Data_Type=\"%1\" Eng_Unit=\"%2\" Position=\"%3\" Bit=\"\" Length=\"1\" "
                               "Swap=\"N\" Mnemonic=\"object %4\"/>")
                           .arg(read ? "Analog Input" : "Analog Out")
                           .arg(i % 237)
                           .arg(i)
                           .arg(i);
            xml += QString("</%1>").arg(section);
        }
        xml += "</BACnet_to_Modbus><!--SW_VERSION = 1.000-->";
        TXmlDocument doc;
        doc.LoadFromString(xml);
        doc.SaveToFile(file);
    }
};

TProject& Project()
{
    static TProject p;
    return p;
}

void BACnetSlaveShowAndOK(benchmark::State& state)
{
    Project();
    TFBACnetSlaveSetAccess form(nullptr);
    for (auto _ : state) {
        form.Show();
        QApplication::processEvents();
        form.bitbtn1Click(nullptr);
        if (form.ModalResult() != mrOk)
            state.SkipWithError("the check refused the objects");
        form.SetModalResult(mrNone);
        form.Hide();
    }
}

// The same file into two shown tables of 2001 x 8 cells, and back.
void TableWidgetLoadAndSave(benchmark::State& state)
{
    const QString file = Project().file;
    QTableWidget read(Rows, Cols), write(Rows, Cols);
    read.resize(764, 228);
    write.resize(764, 228);
    read.show();
    write.show();
    QApplication::processEvents();
    QTableWidget* tables[] = {&read, &write};
    for (auto _ : state) {
        TXmlDocument in;
        in.LoadFromFile(file);
        for (int s = 0; s < 2; ++s) {
            const std::vector<TXmlElement> rows = in.Root().Child(kSections[s]).Children("row");
            for (int r = 0; r < int(rows.size()); ++r)
                for (int c = 0; c < int(std::size(kAttributes)); ++c)
                    tables[s]->setItem(r + 1, c + 1,
                                       new QTableWidgetItem(rows[size_t(r)].Attribute(kAttributes[c])));
        }
        QApplication::processEvents();
        TXmlDocument out;
        TXmlElement root = out.CreateRoot("BACnet_to_Modbus");
        out.AddComment("SW_VERSION = 1.000");
        for (int s = 0; s < 2; ++s) {
            TXmlElement section = root.AddChild(kSections[s]);
            for (int r = 1; r < Rows && tables[s]->item(r, 1); ++r) {
                TXmlElement row = section.AddChild("row");
                for (int c = 0; c < int(std::size(kAttributes)); ++c)
                    row.SetAttribute(kAttributes[c], tables[s]->item(r, c + 1)->text());
            }
        }
        out.SaveToFile(file);
    }
}

BENCHMARK(BACnetSlaveShowAndOK)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetLoadAndSave)->Unit(benchmark::kMillisecond);

} // namespace
