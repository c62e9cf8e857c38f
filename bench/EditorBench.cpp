// The CAN transmit frame editor at its largest: shown on a file of 512 frames (18 columns; the eight
// byte lists of 2501 items rebuilt, the table cleared and loaded), then OK (every frame checked, the
// file written). The baseline, in the same run, loads the same file into a shown QTableWidget of the
// same size, cell by cell, and writes the same XML back from its cells.
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/fieldbus/UTransmitCAN.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace
{

const char* const kAttributes[] = {"Enable",  "COBID", "CAN_Type", "Dim",   "OnChange", "OnCMD",
                                   "OnTimer", "Time",  "Byte1",    "Byte2", "Byte3",    "Byte4",
                                   "Byte5",   "Byte6", "Byte7",    "Byte8", "Mnemonic"};

// A project folder whose transmit file has 512 valid frames of 8 bytes each.
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
        file = File_CAN_Send_Frames;
        QString xml = "<Transmit_Frames>";
        for (int i = 0; i < 512; ++i) {
            xml +=
                QString("<row Enable=\"Y\" COBID=\"%1\" CAN_Type=\"2.0A (11 bits)\" Dim=\"8\" OnChange=\"Y\" "
                        "OnCMD=\"N\" OnTimer=\"Y\" Time=\"100\"")
                    .arg(i);
            for (int k = 1; k <= 8; ++k)
                xml += QString(" Byte%1=\"%2\"").arg(k).arg((i * 8 + k) % 2500);
            xml += QString(" Mnemonic=\"frame %1\"/>").arg(i);
        }
        xml += "</Transmit_Frames><!--SW_VERSION = 1.001-->";
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

void TransmitCANShowAndOK(benchmark::State& state)
{
    Project();
    TFTransmitCAN form(nullptr);
    for (auto _ : state) {
        form.Show();
        QApplication::processEvents();
        form.Btn_OKClick(nullptr);
        if (form.ModalResult() != mrOk)
            state.SkipWithError("the check refused the frames");
        form.SetModalResult(mrNone);
        form.Hide();
    }
}

// The same file into a shown table of 513 x 18 cells, and back.
void TableWidgetLoadAndSave(benchmark::State& state)
{
    const QString file = Project().file;
    QTableWidget table(513, 18);
    table.resize(1100, 228);
    table.show();
    QApplication::processEvents();
    for (auto _ : state) {
        TXmlDocument in;
        in.LoadFromFile(file);
        const std::vector<TXmlElement> rows = in.Root().Children();
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < int(std::size(kAttributes)); ++c)
                table.setItem(r + 1, c + 1, new QTableWidgetItem(rows[size_t(r)].Attribute(kAttributes[c])));
        QApplication::processEvents();
        TXmlDocument out;
        TXmlElement root = out.CreateRoot("Transmit_Frames");
        out.AddComment("SW_VERSION = 1.001");
        for (int r = 1; r < 513 && table.item(r, 2); ++r) {
            TXmlElement row = root.AddChild("row");
            for (int c = 0; c < int(std::size(kAttributes)); ++c)
                row.SetAttribute(kAttributes[c], table.item(r, c + 1)->text());
        }
        out.SaveToFile(file);
    }
}

BENCHMARK(TransmitCANShowAndOK)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetLoadAndSave)->Unit(benchmark::kMillisecond);

} // namespace
