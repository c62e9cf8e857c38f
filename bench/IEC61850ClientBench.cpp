// The IEC 61850 client on a large SCL file (about 5 MB: one IED of 40 logical devices x 30 logical
// nodes, 300 LNodeTypes, 600 DOTypes, 400 DATypes of which some share an id, 20 data sets of 30
// FCDAs, instance values in every node). Measured in one run:
//   SclLoadFromFile / SclDeviceCreate   the XML layer's parse alone, and the model built from it
//   TreeWidgetFill / EditorTreeShow     a shown QTreeWidget filled directly with the model's node
//                                       texts, and the editor's list click showing the device
// Not run by CI.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "editors/network/UIEC61850_Model.h"
#include "editors/network/UIEC_61850_Access.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/core/Xml.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace
{

const char* const kClasses[] = {"GGIO", "MMXU", "XCBR", "CSWI", "PTOC", "MSQI"};
const char* const kBasic[] = {"INT32", "FLOAT32", "Quality", "Timestamp", "BOOLEAN", "Enum", "VisString255"};

QString Generate()
{
    QString x;
    x.reserve(6'000'000);
    x += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SCL xmlns=\"http://www.iec.ch/61850/2003/SCL\">\n";
    x += "<IED name=\"BIG\"><AccessPoint name=\"S1\"><Server>\n";
    for (int ld = 0; ld < 40; ++ld) {
        x += QString("<LDevice inst=\"LD%1\">\n").arg(ld);
        for (int ln = 0; ln < 30; ++ln) {
            const QString type = QString("LNT%1").arg((ld * 30 + ln) % 300);
            const bool zero = ln == 0;
            x += zero ? QString("<LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"%1\">\n").arg(type)
                      : QString("<LN prefix=\"P%1\" lnClass=\"%2\" inst=\"%3\" lnType=\"%4\">\n")
                            .arg(ln % 3)
                            .arg(kClasses[ln % 6])
                            .arg(ln)
                            .arg(type);
            for (int d = 0; d < 26; ++d)
                x += QString("<DOI name=\"D%1\"><DAI name=\"v\" valKind=\"Set\"><Val>value %2 of node %3 in "
                             "device %4</Val></DAI><DAI name=\"d\"><Val>description text</Val></DAI></DOI>\n")
                         .arg(d)
                         .arg(d)
                         .arg(ln)
                         .arg(ld);
            if (zero && ld < 20) {
                x += QString("<DataSet name=\"DS%1\">\n").arg(ld);
                for (int f = 0; f < 30; ++f)
                    x += QString("<FCDA ldInst=\"LD%1\" lnClass=\"%2\" doName=\"D%3\" fc=\"ST\"/>\n")
                             .arg((ld + f) % 40)
                             .arg(kClasses[f % 6])
                             .arg(f % 6);
                x += "</DataSet>\n";
                x += QString("<GSEControl name=\"gcb%1\" datSet=\"DS%1\"/>\n").arg(ld);
            }
            x += zero ? "</LN0>\n" : "</LN>\n";
        }
        x += "</LDevice>\n";
    }
    x += "</Server></AccessPoint></IED>\n<DataTypeTemplates>\n";
    for (int t = 0; t < 300; ++t) {
        x += QString("<LNodeType id=\"LNT%1\" lnClass=\"%2\">\n").arg(t).arg(kClasses[t % 6]);
        for (int d = 0; d < 6; ++d)
            x += QString("<DO name=\"D%1\" type=\"DOT%2\"/>\n").arg(d).arg((t * 7 + d) % 600);
        x += "</LNodeType>\n";
    }
    for (int t = 0; t < 600; ++t) {
        x += QString("<DOType id=\"DOT%1\" cdc=\"X\">\n").arg(t);
        if (t < 100)
            x += QString("<SDO name=\"phs\" type=\"DOT%1\"/>\n").arg(500 + t % 100);
        for (int a = 0; a < 4; ++a) {
            if (a == 0)
                x += QString("<DA name=\"s%1\" bType=\"Struct\" type=\"DAT%2\" fc=\"MX\"/>\n")
                         .arg(a)
                         .arg((t * 3 + a) % 390);
            else
                x += QString("<DA name=\"a%1\" bType=\"%2\" fc=\"ST\"/>\n").arg(a).arg(kBasic[(t + a) % 7]);
        }
        x += "</DOType>\n";
    }
    for (int t = 0; t < 400; ++t) {
        // The last ten repeat ids of the first ten.
        const int id = t < 390 ? t : t - 390;
        x += QString("<DAType id=\"DAT%1\">\n").arg(id);
        if (id % 4 == 0 && id + 1 < 390)
            x += QString("<BDA name=\"n\" bType=\"Struct\" type=\"DAT%1\"/>\n").arg(id + 1);
        for (int b = 0; b < 3; ++b)
            x += QString("<BDA name=\"b%1\" bType=\"%2\"/>\n").arg(b).arg(kBasic[(t + b) % 5]);
        x += "</DAType>\n";
    }
    x += "</DataTypeTemplates>\n</SCL>\n";
    return x;
}

struct TBig {
    QTemporaryDir dir;
    QString file;
    TBig()
    {
        Set_English_Texts();
        Active_Project_Name = "Bench";
        Active_Project_Dir = dir.path();
        Set_Files();
        file = dir.path() + "/big.scd";
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(Generate().toUtf8());
    }
};

TBig& Big()
{
    static TBig b;
    return b;
}

void SclLoadFromFile(benchmark::State& state)
{
    const QString file = Big().file;
    for (auto _ : state) {
        TXmlDocument doc;
        doc.LoadFromFile(file);
        benchmark::DoNotOptimize(doc.Root());
    }
    state.counters["MB"] = double(QFileInfo(file).size()) / 1e6;
}

void SclDeviceCreate(benchmark::State& state)
{
    const QString file = Big().file;
    size_t lns = 0;
    for (auto _ : state) {
        const std::shared_ptr<TIEC_Device> d = TIEC_Device::Create(file);
        lns = 0;
        for (const auto& ld : d->List_LDevice)
            lns += ld->List_LN.size();
    }
    state.counters["LN"] = double(lns);
}

// The node texts of the editor's tree, added straight to a QTreeWidget, expanded the same way.
void Fill(QTreeWidgetItem* parent, const TIEC_DA& a)
{
    auto* item = new QTreeWidgetItem(parent, QStringList(a.Name()));
    for (const auto& m : a.List_DA)
        Fill(item, *m);
}
void Fill(QTreeWidgetItem* parent, const TIEC_DO& o)
{
    auto* item = new QTreeWidgetItem(parent, QStringList(o.Name()));
    for (const auto& s : o.List_DO)
        Fill(item, *s);
    for (const auto& a : o.List_DA)
        Fill(item, *a);
}

void TreeWidgetFill(benchmark::State& state)
{
    const std::shared_ptr<TIEC_Device> d = TIEC_Device::Create(Big().file);
    QTreeWidget tree;
    tree.setHeaderHidden(true);
    tree.resize(300, 450);
    tree.show();
    QApplication::processEvents();
    int nodes = 0;
    for (auto _ : state) {
        tree.clear();
        auto* root = new QTreeWidgetItem(&tree, QStringList(d->Name()));
        for (const auto& ld : d->List_LDevice) {
            auto* l = new QTreeWidgetItem(root, QStringList(ld->Name()));
            for (const auto& ln : ld->List_LN) {
                auto* n = new QTreeWidgetItem(l, QStringList(ln->Prefix() + ln->lnClass() + ln->Inst()));
                for (const auto& o : ln->List_DO)
                    Fill(n, *o);
                for (const auto& ds : ln->List_DataSet)
                    new QTreeWidgetItem(n, QStringList(ds->Name()));
                n->setExpanded(true);
            }
            l->setExpanded(true);
        }
        root->setExpanded(true);
        QApplication::processEvents();
        nodes = 0;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it)
            ++nodes;
    }
    state.counters["nodes"] = nodes;
}

void EditorTreeShow(benchmark::State& state)
{
    Big();
    TFIEC_61850_Access form(nullptr);
    form.Show(); // shown first: showing reloads the (empty) catalogue
    QApplication::processEvents();
    form.List_IEC_Dev.push_back(TIEC_Device::Create(Big().file));
    form.Show_IEC_Devices();
    for (auto _ : state) {
        form.LB_IEC_Devices->SetItemIndex(0);
        form.LB_IEC_DevicesClick(nullptr);
        QApplication::processEvents();
    }
    state.counters["nodes"] = form.TV_IEC_Device->Items->Count();
    form.Hide();
}

BENCHMARK(SclLoadFromFile)->Unit(benchmark::kMillisecond);
BENCHMARK(SclDeviceCreate)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeWidgetFill)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorTreeShow)->Unit(benchmark::kMillisecond);

} // namespace
