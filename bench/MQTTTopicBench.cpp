// The MQTT topic editor at its largest: shown on a file of 1024 publish and 1024 subscribe topics with
// every attribute set (both tables back to 1024 rows, hidden columns hidden again, every row cleared,
// the file loaded). The baseline, in the same run, loads the same file with the XML layer and fills
// two shown QTableWidgets of 1025 x 18 and 1025 x 15 cells with the same cell texts.
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/network/UMQTT_Set_Topic.h"
#include "grid/core/ExtCGrid.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QTableWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <span>

namespace
{

constexpr int Topics = 1024;

// Attribute of each real column 1 .. last; nullptr for a column the file does not hold.
const char* const kPub_Columns[] = {"Topic",    "Retained",  "QoS",           "DataType", "Dimension",
                                    "Position", "IPAddress", "InputTemplate", "Template", "OnChange",
                                    nullptr,    "OnTimer",   "Time",          nullptr,    nullptr,
                                    nullptr,    "Mnemonic"};
const char* const kSub_Columns[] = {"Topic",    "Retained",  "QoS",   "DataType", "Dimension",
                                    "Position", "IPAddress", "Port",  "EthType",  "InputTemplate",
                                    "Template", nullptr,     nullptr, "Mnemonic"};

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
        file = File_MQTT_Set_Topic;
        TXmlDocument doc;
        TXmlElement root = doc.CreateRoot("MQTT_Set_Topic");
        doc.AddComment("SW_VERSION = 1.001");
        TXmlElement pub = root.AddChild("MQTT_Publish");
        for (int i = 0; i < Topics; ++i) {
            TXmlElement row = pub.AddChild("row");
            row.SetAttribute("Topic", QString("plant/line%1/value").arg(i));
            row.SetAttribute("Retained", "N");
            row.SetAttribute("QoS", "1");
            row.SetAttribute("DataType", "Int");
            row.SetAttribute("Dimension", "2");
            row.SetAttribute("Position", QString::number(i));
            row.SetAttribute("IPAddress", "192.168.1.10");
            row.SetAttribute("InputTemplate", "$IN$");
            row.SetAttribute("Template", "{\"v\":$VALUE$}");
            row.SetAttribute("OnChange", "Y");
            row.SetAttribute("OnTimer", "Y");
            row.SetAttribute("Time", "1000");
            row.SetAttribute("Mnemonic", QString("publish %1").arg(i));
        }
        TXmlElement sub = root.AddChild("MQTT_Subscribe");
        for (int i = 0; i < Topics; ++i) {
            TXmlElement row = sub.AddChild("row");
            row.SetAttribute("Topic", QString("plant/line%1/set").arg(i));
            row.SetAttribute("Retained", "N");
            row.SetAttribute("QoS", "0");
            row.SetAttribute("DataType", "Float");
            row.SetAttribute("Dimension", "4");
            row.SetAttribute("Position", QString::number(i));
            row.SetAttribute("IPAddress", "192.168.1.20");
            row.SetAttribute("Port", "502");
            row.SetAttribute("EthType", "TCP");
            row.SetAttribute("InputTemplate", "$IN$");
            row.SetAttribute("Template", "$VALUE$");
            row.SetAttribute("Mnemonic", QString("subscribe %1").arg(i));
        }
        doc.SaveToFile(file);
    }
};

TProject& Project()
{
    static TProject p;
    return p;
}

void MQTTTopicShow(benchmark::State& state)
{
    Project();
    TFMQTT_Set_Topic form(nullptr);
    for (auto _ : state) {
        form.Show();
        QApplication::processEvents();
        form.Hide();
    }
    if (form.ACG_Sub->Cells(mqtttopic::Sub_Mnemonic, Topics) != QString("subscribe %1").arg(Topics - 1))
        state.SkipWithError("the file was not loaded");
}

// The same file into two shown tables of the editor's sizes, cell by cell.
void TableWidgetLoad(benchmark::State& state)
{
    const QString file = Project().file;
    QTableWidget pub(Topics + 1, int(std::size(kPub_Columns)) + 1),
        sub(Topics + 1, int(std::size(kSub_Columns)) + 1);
    pub.resize(1100, 228);
    sub.resize(1100, 228);
    pub.show();
    sub.show();
    QApplication::processEvents();
    const std::pair<QTableWidget*, std::pair<const char*, std::span<const char* const>>> tables[] = {
        {&pub, {"MQTT_Publish", kPub_Columns}}, {&sub, {"MQTT_Subscribe", kSub_Columns}}};
    for (auto _ : state) {
        TXmlDocument in;
        in.LoadFromFile(file);
        for (const auto& [table, layout] : tables) {
            const std::vector<TXmlElement> rows = in.Root().Child(layout.first).Children("row");
            for (int r = 0; r < int(rows.size()); ++r)
                for (int c = 0; c < int(layout.second.size()); ++c)
                    if (const char* name = layout.second[size_t(c)])
                        table->setItem(r + 1, c + 1, new QTableWidgetItem(rows[size_t(r)].Attribute(name)));
        }
        QApplication::processEvents();
    }
}

BENCHMARK(MQTTTopicShow)->Unit(benchmark::kMillisecond);
BENCHMARK(TableWidgetLoad)->Unit(benchmark::kMillisecond);

} // namespace
