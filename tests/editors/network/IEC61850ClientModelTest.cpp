// The SCL object model: the first IED of a file with resolved templates, references, functional
// constraints and data-set members, and what odd or broken files give.
#include "common/TestSupport.h"
#include "editors/network/UIEC61850_Model.h"
#include "platform/core/Xml.h"

#include <gtest/gtest.h>

namespace
{

QString Fixture()
{
    return testsupport::fixture("scl/ied1.icd");
}

// The attribute reached by the path of names below the device, or nullptr.
const TIEC_DA* Attribute(const TIEC_Device& d, const QString& ld, int ln, const QString& obj,
                         const QStringList& path)
{
    const TIEC_LDevice* l = d.Find_LDevice(ld);
    if (!l || ln >= int(l->List_LN.size()))
        return nullptr;
    const TIEC_DO* o = l->List_LN[size_t(ln)]->Find_DO(obj);
    const TIEC_DA* a = nullptr;
    const std::vector<std::unique_ptr<TIEC_DA>>* list = o ? &o->List_DA : nullptr;
    for (const QString& name : path) {
        a = nullptr;
        for (size_t i = 0; list && i < list->size(); ++i)
            if ((*list)[i]->Name() == name)
                a = (*list)[i].get();
        if (!a)
            return nullptr;
        list = &a->List_DA;
    }
    return a;
}

TEST(IEC61850ClientModel, ReadsTheFirstIedWithReferencesConstraintsAndDataSets)
{
    const std::shared_ptr<TIEC_Device> d = TIEC_Device::Create(Fixture());
    EXPECT_EQ(d->Name(), "IED1");
    EXPECT_EQ(d->FileName(), "ied1.icd");
    ASSERT_EQ(d->List_LDevice.size(), 2u); // the second IED is not read
    EXPECT_EQ(d->List_LDevice[0]->Name(), "LD0");
    EXPECT_EQ(d->List_LDevice[1]->Name(), "LD1");
    const TIEC_LDevice& ld1 = *d->List_LDevice[1];
    ASSERT_EQ(ld1.List_LN.size(), 3u);
    EXPECT_EQ(ld1.List_LN[2]->lnClass(), "MMXU");
    EXPECT_EQ(ld1.List_LN[2]->Inst(), "2");

    struct TCase {
        const char* LD;
        int LN;
        const char* DO;
        QStringList Path;
        const char *Reference, *FC, *bType;
        size_t Members;
    };
    const TCase cases[] = {
        {"LD0", 1, "Pos", {"q"}, "IED1LD0/Q0XCBR1.Pos.q", "ST", "Quality", 0},
        {"LD0", 1, "Pos", {"ctlModel"}, "IED1LD0/Q0XCBR1.Pos.ctlModel", "CF", "Enum", 0}, // Enum: no members
        {"LD1", 1, "TotW", {"mag"}, "IED1LD1/MMXU1.TotW.mag", "MX", "Struct", 2},
        {"LD1", 1, "TotW", {"mag", "f"}, "IED1LD1/MMXU1.TotW.mag.f", "MX", "FLOAT32", 0}, // FC inherited
        {"LD1", 2, "TotW", {"mag", "i"}, "IED1LD1/MMXU2.TotW.mag.i", "MX", "INT32", 0},
        {"LD0", 0, "NamPlt", {"vendor"}, "IED1LD0/LLN0.NamPlt.vendor", "DC", "VisString255", 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Reference);
        const TIEC_DA* a = Attribute(*d, c.LD, c.LN, c.DO, c.Path);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Reference(), c.Reference);
        EXPECT_EQ(a->FC(), c.FC);
        EXPECT_EQ(a->bType(), c.bType);
        EXPECT_EQ(a->List_DA.size(), c.Members);
    }

    const TIEC_LN& lln0 = *d->List_LDevice[0]->List_LN[0];
    ASSERT_EQ(lln0.List_DataSet.size(), 1u);
    const TIEC_DataSet& events = *lln0.List_DataSet[0];
    EXPECT_EQ(events.Reference(), "IED1LD0/LLN0.Events");
    EXPECT_EQ(events.GooseName(), "gcb2"); // the later control block wins
    // lnInst 2 binds to the first MMXU; the unknown ldInst and the dotted daName are left out.
    const std::vector<TIEC_DA*> expected = {
        const_cast<TIEC_DA*>(Attribute(*d, "LD0", 1, "Pos", {"stVal"})),
        const_cast<TIEC_DA*>(Attribute(*d, "LD0", 1, "Pos", {"q"})),
        const_cast<TIEC_DA*>(Attribute(*d, "LD1", 1, "TotW", {"mag", "f"})),
    };
    EXPECT_EQ(events.List_DA, expected);
    EXPECT_EQ(events.List_DA[2]->Reference(), "IED1LD1/MMXU1.TotW.mag.f");
}

TEST(IEC61850ClientModel, ObjectsOutliveTheirDeviceWhileALinkPointsIntoIt)
{
    std::shared_ptr<TIEC_Device> d = TIEC_Device::Create(Fixture());
    std::shared_ptr<TIEC_DataSet> events(d, d->List_LDevice[0]->List_LN[0]->List_DataSet[0].get());
    d.reset();
    EXPECT_EQ(events->List_DA.at(1)->Reference(), "IED1LD0/Q0XCBR1.Pos.q");
}

TEST(IEC61850ClientModel, ANotWellFormedFileRaisesNamingTheFileAndLine)
{
    try {
        TIEC_Device::Create(testsupport::fixture("scl/ied1_truncated.icd"));
        FAIL() << "no error";
    } catch (const EXmlError& e) {
        EXPECT_TRUE(e.Message.contains("ied1_truncated.icd")) << e.Message.toStdString();
        EXPECT_TRUE(e.Message.contains("line")) << e.Message.toStdString();
    }
}

// Small files for the decoder's edge cases: the templates are shared, the IED part differs.
struct TEdge {
    const char* Name;
    const char* Xml;
    const char* Device;  // expected name
    const char* Summary; // what the model holds, see Summary()
};

// "LD/LN:DO[DA,DA]{dataset:member|member}" for every logical device, node, object and data set.
QString Summary(const TIEC_Device& d)
{
    QStringList parts;
    for (const auto& ld : d.List_LDevice)
        for (const auto& ln : ld->List_LN) {
            QString s = ld->Name() + "/" + ln->Prefix() + ln->lnClass() + ln->Inst() + ":";
            for (const auto& o : ln->List_DO) {
                s += o->Name() + "[";
                QStringList das;
                for (const auto& a : o->List_DA)
                    das << a->Name() +
                               (a->List_DA.empty() ? "" : "(" + QString::number(a->List_DA.size()) + ")");
                for (const auto& sdo : o->List_DO)
                    das << "." + sdo->Name() + QString::number(sdo->List_DA.size());
                s += das.join(",") + "]";
            }
            for (const auto& ds : ln->List_DataSet) {
                QStringList members;
                for (const TIEC_DA* m : ds->List_DA)
                    members << m->Reference();
                s += "{" + ds->Name() + "=" + ds->GooseName() + ":" + members.join("|") + "}";
            }
            parts << s;
        }
    return parts.join(" ");
}

const char* const kTemplates = R"(
  <DataTypeTemplates>
    <LNodeType id="L" lnClass="GGIO"><DO name="A" type="D"/></LNodeType>
    <LNodeType id="L" lnClass="GGIO"><DO name="B" type="S"/></LNodeType>
    <DOType id="D"><DA name="v" bType="INT32" fc="ST"/><SDO name="phs" type="D2"/></DOType>
    <DOType id="D2"><DA name="w" bType="Struct" type="T"/></DOType>
    <DOType id="S"><SDO name="only" type="D"/></DOType>
    <DAType id="T"><BDA name="x" bType="INT8"/></DAType>
    <DAType id="T"><BDA name="y" bType="INT8"/></DAType>
  </DataTypeTemplates>)";

TEST(IEC61850ClientModel, EdgeCasesOfTheDecoder)
{
    const TEdge cases[] = {
        {"no SCL root", "<scl:SCL xmlns:scl='x'><IED name='X'/></scl:SCL>", "", ""},
        {"no templates",
         "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='A'/></Server></AccessPoint></IED></SCL>", "",
         ""},
        {"no server", "<SCL><IED name='X'><AccessPoint/></IED>%T</SCL>", "X", ""},
        // Duplicate template ids add up; a node without lnType gets no objects and no data sets.
        {"templates",
         "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='A'><LN lnClass='GGIO' inst='1' lnType='L'/>"
         "<LN lnClass='GGIO' inst='2'><DataSet name='N'><FCDA ldInst='A' lnClass='GGIO' "
         "doName='A'/></DataSet></LN>"
         "<LN lnClass='GGIO' inst='3' lnType='missing'/></LDevice></Server></AccessPoint>"
         "<AccessPoint><Server><LDevice inst='SECOND'/></Server></AccessPoint></IED>%T</SCL>",
         "X", "A/GGIO1:A[v,.phs1]B[.only1] A/GGIO2: A/GGIO3:"},
        // Members: pre-order search, first leaf of a DO, none for a DO with only SDOs, a later LD,
        // the same FCDA twice, GSEControl before its data set and for another node's data set.
        {"data sets",
         "<SCL><IED name='X'><AccessPoint><Server><LDevice inst='A'><LN lnClass='GGIO' inst='1' lnType='L'>"
         "<GSEControl name='g' datSet='S1'/><GSEControl name='h' datSet='nothere'/>"
         "<DataSet name='S1'><FCDA ldInst='B' lnClass='GGIO' doName='phs' daName='y'/>"
         "<FCDA ldInst='B' lnClass='GGIO' doName='phs' daName='w'/>"
         "<FCDA ldInst='B' lnClass='GGIO' doName='A'/><FCDA ldInst='B' lnClass='GGIO' doName='A'/>"
         "<FCDA ldInst='B' lnClass='GGIO' doName='B'/><FCDA ldInst='B' lnClass='GGIO' doName='A' daName='x'/>"
         "<FCDA ldInst='B' lnClass='ggio' doName='A'/><FCDA lnClass='GGIO' "
         "doName='A'/></DataSet></LN></LDevice>"
         "<LDevice inst='B'><LN lnClass='GGIO' inst='7' "
         "lnType='L'/></LDevice></Server></AccessPoint></IED>%T</SCL>",
         "X",
         "A/GGIO1:A[v,.phs1]B[.only1]{S1=g:XB/GGIO7.A.phs.w.y|XB/GGIO7.A.phs.w|XB/GGIO7.A.v|XB/GGIO7.A.v} "
         "B/GGIO7:A[v,.phs1]B[.only1]"},
    };
    testsupport::TempDir dir;
    for (const TEdge& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = dir.path() + "/edge.scd";
        testsupport::writeBytes(path, QString::fromUtf8(c.Xml).replace("%T", kTemplates).toUtf8());
        const std::shared_ptr<TIEC_Device> d = TIEC_Device::Create(path);
        EXPECT_EQ(d->Name(), c.Device);
        EXPECT_EQ(Summary(*d), c.Summary);
    }
    // A missing file: an empty device.
    EXPECT_EQ(TIEC_Device::Create(dir.path() + "/none.icd")->Name(), "");
}

} // namespace
