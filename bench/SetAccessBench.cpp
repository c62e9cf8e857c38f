// The serial Modbus master request editor at its largest: shown on a file of 512 read and 512 write
// requests (lists rebuilt, tables cleared and loaded), then OK (every request checked, the file
// written). The baseline, in the same run, loads the same file into two shown QTableWidgets of the
// same size, cell by cell, and writes the same XML back from their cells.
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "gateway/USetAccess.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

const char* const kRead_Attributes[] = {"Enable",   "Slave_ID",    "Type",     "Address", "NPoint",
                                        "PollTime", "MaxError",    "Position", "Bit",     "Swap",
                                        "SwapWord", "Index_Topic", "Mnemonic"};
const char* const kWrite_Attributes[] = {"Enable",   "Slave_ID", "Type",     "Address",  "NPoint",
                                         "PollTime", "OnChange", "OnCMD",    "MaxError", "Position",
                                         "Bit",      "Swap",     "SwapWord", "Mnemonic"};

// A project folder whose request file has 512 valid requests per table.
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
        file = File_ModbusM_SetAccess;
        QString xml = "<EtherNetIP_to_Modbus><Modbus_Read>";
        for (int i = 0; i < 512; ++i)
            xml +=
                QString(
                    "<row Enable=\"Y\" Slave_ID=\"%1\" Type=\"Holding Register\" Address=\"%2\" NPoint=\"1\" "
                    "PollTime=\"100\" MaxError=\"0\" Position=\"%3\" Bit=\"\" Swap=\"N\" SwapWord=\"N\" "
                    "Index_Topic=\"\" Mnemonic=\"read %2\"/>")
                    .arg(i % 247 + 1)
                    .arg(i)
                    .arg(i * 2);
        xml += "</Modbus_Read><Modbus_Write>";
        for (int i = 0; i < 512; ++i)
            xml +=
                QString("<row Enable=\"Y\" Slave_ID=\"%1\" Type=\"Coil Status\" Address=\"%2\" NPoint=\"8\" "
                        "PollTime=\"0\" OnChange=\"Y\" OnCMD=\"N\" MaxError=\"0\" Position=\"%3\" Bit=\"0\" "
                        "Swap=\"N\" SwapWord=\"N\" Mnemonic=\"write %2\"/>")
                    .arg(i % 247 + 1)
                    .arg(i)
                    .arg(i);
        xml += "</Modbus_Write></EtherNetIP_to_Modbus><!--SW_VERSION = 1.001-->";
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

void SetAccessShowAndOK(benchmark::State& state)
{
    Project();
    TFSetAccess form(nullptr);
    for (auto _ : state) {
        form.Show();
        QApplication::processEvents();
        form.bitbtn1Click(nullptr);
        if (form.ModalResult() != mrOk)
            state.SkipWithError("the check refused the requests");
        form.SetModalResult(mrNone);
        form.Hide();
    }
}

// The same file into two shown tables of 513 x 14 and 513 x 15 cells, and back.
void TableWidgetLoadAndSave(benchmark::State& state)
{
    const QString file = Project().file;
    QTableWidget read(513, 14), write(513, 15);
    read.resize(1040, 280);
    write.resize(1040, 280);
    read.show();
    write.show();
    QApplication::processEvents();
    struct TSection {
        const char* name;
        QTableWidget* table;
        std::span<const char* const> attributes;
    };
    const TSection sections[] = {{"Modbus_Read", &read, kRead_Attributes},
                                 {"Modbus_Write", &write, kWrite_Attributes}};
    for (auto _ : state) {
        TXmlDocument in;
        in.LoadFromFile(file);
        for (const TSection& s : sections) {
            const std::vector<TXmlElement> rows = in.Root().Child(s.name).Children("row");
            for (int r = 0; r < int(rows.size()); ++r)
                for (int c = 0; c < int(s.attributes.size()); ++c)
                    s.table->setItem(
                        r + 1, c + 1,
                        new QTableWidgetItem(rows[size_t(r)].Attribute(s.attributes[size_t(c)])));
        }
        QApplication::processEvents();
        TXmlDocument out;
        TXmlElement root = out.CreateRoot("EtherNetIP_to_Modbus");
        out.AddComment("SW_VERSION = 1.001");
        for (const TSection& s : sections) {
            TXmlElement section = root.AddChild(s.name);
            for (int r = 1; r < 513 && s.table->item(r, 2); ++r) {
                TXmlElement row = section.AddChild("row");
                for (int c = 0; c < int(s.attributes.size()); ++c)
                    row.SetAttribute(s.attributes[size_t(c)], s.table->item(r, c + 1)->text());
            }
        }
        out.SaveToFile(file);
    }
}

BENCHMARK(SetAccessShowAndOK)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetLoadAndSave)->Unit(benchmark::kMillisecond);

} // namespace
