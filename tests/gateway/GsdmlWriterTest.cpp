#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"
#include "gateway/DeviceModel.h"
#include "gateway/UGSDMLWriter.h"
#include "platform/controls/Interaction.h"
#include "platform/core/Xml.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

// The device's station name and the lengths of the module's two octet strings, as a reader sees them.
struct GsdmlView {
    QString Implementation, DnsName, InputLength, OutputLength;
};

GsdmlView readView(const QString& path)
{
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement process = doc.Root().RequiredChild("ProfileBody").RequiredChild("ApplicationProcess");
    const TXmlElement dap =
        process.RequiredChild("DeviceAccessPointList").RequiredChild("DeviceAccessPointItem");
    const TXmlElement io = process.RequiredChild("ModuleList")
                               .RequiredChild("ModuleItem")
                               .RequiredChild("VirtualSubmoduleList")
                               .RequiredChild("VirtualSubmoduleItem")
                               .RequiredChild("IOData");
    return {dap.Attribute("ImplementationType"), dap.Attribute("DNS_CompatibleName"),
            io.RequiredChild("Input").RequiredChild("DataItem").Attribute("Length"),
            io.RequiredChild("Output").RequiredChild("DataItem").Attribute("Length")};
}

void writeParGen(const QString& path, const QString& body)
{
    writeBytes(path, ("<Par_Gen>" + body + "</Par_Gen><!--SW_VERSION = 1.001-->").toUtf8());
}

} // namespace

TEST(GsdmlFileName, UserPartRule)
{
    const QDate day(2024, 1, 24);
    const std::pair<const char*, const char*> cases[] = {
        {"MyGW", "GSDML-V2.25-Brivex-_MyGW-20240124.xml"},
        {"_MyGW", "GSDML-V2.25-Brivex-_MyGW-20240124.xml"},
        {"   ", "GSDML-V2.25-Brivex--20240124.xml"},
        {"", "GSDML-V2.25-Brivex--20240124.xml"},
        {" MyGW", "GSDML-V2.25-Brivex-_ MyGW-20240124.xml"},
        {"a_b", "GSDML-V2.25-Brivex-_a_b-20240124.xml"},
    };
    for (const auto& [user, name] : cases)
        EXPECT_EQ(GSDML_File_Name(user, day), name) << '"' << user << '"';
    EXPECT_EQ(GSDML_Fix2(QDate(2025, 3, 5)), "-20250305.xml");
}

TEST(GsdmlWriter, FileIsUtf8WithMarkAndCrLf)
{
    TempDir dir;
    const QString out = dir.file("g.xml");
    Write_GSDML_File(out, dir.file("ParGen.xml"));
    const QByteArray bytes = readBytes(out);

    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    EXPECT_TRUE(bytes.endsWith("</ISO15745Profile>\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));

    TXmlDocument doc;
    doc.LoadFromFile(out);
    const TXmlElement identity = doc.Root().RequiredChild("ProfileBody").RequiredChild("DeviceIdentity");
    const auto hex4 = [](uint16_t v) {
        return "0x" + QString::number(v, 16).toUpper().rightJustified(4, '0');
    };
    EXPECT_EQ(identity.Attribute("VendorID"), hex4(Profinet_Vendor_Id));
    EXPECT_EQ(identity.Attribute("DeviceID"), hex4(Profinet_Device_Id));
}

TEST(GsdmlWriter, ParGenValues)
{
    struct Case {
        const char* Body; // nullptr: no ParGen.xml
        GsdmlView Want;
    } cases[] = {
        {nullptr, {"SERIAL", "SERIAL", "1438", "1438"}},
        {"<Other>1</Other>", {"SERIAL", "SERIAL", "1438", "1438"}},
        {"<PROFINET_NB_IN>100</PROFINET_NB_IN><PROFINET_NB_OUT>20</PROFINET_NB_OUT>"
         "<PROFINET_NAME_STA>gw-1</PROFINET_NAME_STA>",
         {"gw-1", "gw-1", "20", "100"}},
        {"<PROFINET_NB_IN>x</PROFINET_NB_IN><PROFINET_NB_OUT></PROFINET_NB_OUT>"
         "<PROFINET_NAME_STA>   </PROFINET_NAME_STA>",
         {"SERIAL", "SERIAL", "1438", "1438"}},
        {"<PROFINET_NB_IN> 7</PROFINET_NB_IN><PROFINET_NB_OUT>0x10</PROFINET_NB_OUT>"
         "<PROFINET_NAME_STA> gw </PROFINET_NAME_STA>",
         {" gw ", " gw ", "16", "7"}},
        {"<PROFINET_NAME_STA>a&amp;b\"&lt;c&gt;</PROFINET_NAME_STA>",
         {"a&b\"<c>", "a&b\"<c>", "1438", "1438"}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (c.Body)
            writeParGen(dir.file("ParGen.xml"), c.Body);
        Write_GSDML_File(dir.file("g.xml"), dir.file("ParGen.xml"));
        const GsdmlView v = readView(dir.file("g.xml"));
        const char* what = c.Body ? c.Body : "(no file)";
        EXPECT_EQ(v.Implementation, c.Want.Implementation) << what;
        EXPECT_EQ(v.DnsName, c.Want.DnsName) << what;
        EXPECT_EQ(v.InputLength, c.Want.InputLength) << what;
        EXPECT_EQ(v.OutputLength, c.Want.OutputLength) << what;
    }
}

// Every TextId the file refers to has its text, and each text is defined once.
TEST(GsdmlWriter, TextIdsAreDefined)
{
    TempDir dir;
    Write_GSDML_File(dir.file("g.xml"), dir.file("ParGen.xml"));
    TXmlDocument doc;
    doc.LoadFromFile(dir.file("g.xml"));
    const TXmlElement process = doc.Root().RequiredChild("ProfileBody").RequiredChild("ApplicationProcess");

    QStringList defined;
    QString pb1;
    for (const TXmlElement& t :
         process.RequiredChild("ExternalTextList").RequiredChild("PrimaryLanguage").Children("Text")) {
        defined << t.Attribute("TextId");
        if (defined.back() == "IDT_NAME_M_PB1")
            pb1 = t.Attribute("Value");
    }
    EXPECT_EQ(defined.size(), 40);
    EXPECT_EQ(QSet<QString>(defined.begin(), defined.end()).size(), defined.size());
    EXPECT_EQ(pb1, "Ethercat Device ");

    int used = 0;
    std::function<void(const TXmlElement&)> walk = [&](const TXmlElement& e) {
        if (e.NodeName() == "ExternalTextList")
            return;
        if (e.HasAttribute("TextId")) {
            ++used;
            EXPECT_TRUE(defined.contains(e.Attribute("TextId"))) << e.Attribute("TextId").toStdString();
        }
        for (const TXmlElement& c : e.Children())
            walk(c);
    };
    walk(doc.Root());
    EXPECT_GT(used, 20);
}

TEST(GsdmlWriter, MalformedParGenRaisesAndWritesNothing)
{
    const QByteArray cases[] = {
        "<Par_Gen><PROFINET_NB_IN>1</Par_Gen>",
        "<Par_Gen><PROFINET_NAME_STA>st&#27;a</PROFINET_NAME_STA></Par_Gen>",
        "<Par_Gen><PROFINET_NAME_STA>Press Line \xE9</PROFINET_NAME_STA></Par_Gen>",
    };
    for (const QByteArray& parGen : cases) {
        SCOPED_TRACE(parGen.toStdString());
        TempDir dir;
        writeBytes(dir.file("ParGen.xml"), parGen);
        try {
            Write_GSDML_File(dir.file("g.xml"), dir.file("ParGen.xml"));
            ADD_FAILURE() << "no error";
        } catch (const EXmlError& e) {
            EXPECT_TRUE(e.Message.contains(dir.file("ParGen.xml"))) << e.Message.toStdString();
        }
        EXPECT_FALSE(QFile::exists(dir.file("g.xml")));
    }
    // A station name XML cannot hold never reaches a file.
    TProfinet_Parameters p;
    p.Name_Sta = QString("st") + QChar(27);
    EXPECT_THROW(GSDML_Lines(p), EXmlError);
}

TEST(GsdmlCreate, SaveDialogChoosesOnlyTheFolder)
{
    TempDir dir;
    const QString name = "GSDML-V2.25-Brivex-_MyGW-20240124.xml";
    const QString other = dir.file("elsewhere");
    QDir().mkpath(other);
    TScopedInteraction ui;
    ui->FileAnswers = {other + "/renamed.xml"};

    EXPECT_TRUE(Create_GSDML_File(name, dir.path(), dir.file("ParGen.xml"), "exists?"));

    ASSERT_EQ(ui->FileDialogs.size(), 1u);
    const TFileDialogRequest& r = ui->FileDialogs[0];
    EXPECT_TRUE(r.Save);
    EXPECT_EQ(r.InitialDir, dir.path());
    EXPECT_EQ(r.Filter, "PROFINET XML (*.xml)|" + name);
    EXPECT_TRUE(ui->Messages.empty());
    EXPECT_TRUE(readBytes(other + "/" + name).startsWith("\xEF\xBB\xBF"));
    EXPECT_FALSE(QFile::exists(other + "/renamed.xml"));
}

TEST(GsdmlCreate, CancelOrNoWritesNothing)
{
    struct Case {
        bool Cancel;
        TModalResult Answer;
        bool Written;
    } cases[] = {{true, mrYes, false}, {false, mrNo, false}, {false, mrYes, true}};
    for (const Case& c : cases) {
        TempDir dir;
        const QString name = "GSDML-V2.25-Brivex--20240124.xml";
        writeBytes(dir.file(name), "old\r\n");
        TScopedInteraction ui;
        ui->FileAnswers = {c.Cancel ? QString() : dir.file(name)};
        ui->MessageAnswers = {c.Answer};

        EXPECT_EQ(Create_GSDML_File(name, dir.path(), dir.file("ParGen.xml"), "exists?"), c.Written);
        ASSERT_EQ(ui->Messages.size(), c.Cancel ? 0u : 1u);
        if (!c.Cancel) {
            EXPECT_EQ(ui->Messages[0].Text, "exists?");
            EXPECT_EQ(ui->Messages[0].Type, mtConfirmation);
            EXPECT_EQ(ui->Messages[0].Buttons, mbYesNo);
        }
        EXPECT_EQ(readBytes(dir.file(name)) == "old\r\n", !c.Written);
    }
}

// The main window's call: the open project's folder and ParGen.xml, and the English text 4808.
class GsdmlCreateOpenProject : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Active_Project_Dir = dir.path();
        Set_Files();
        Set_English_Texts();
    }
    void TearDown() override
    {
        Reset_Globals();
        Clear_Lang_Table();
    }
    TempDir dir;
};

TEST_F(GsdmlCreateOpenProject, UsesTheProjectFilesAndText4808)
{
    writeParGen(File_ParGen, "<PROFINET_NAME_STA>gw-9</PROFINET_NAME_STA>");
    const QString name = GSDML_File_Name("x", QDate(2024, 1, 24));
    writeBytes(dir.file(name), "old");
    TScopedInteraction ui;
    ui->FileAnswers = {dir.file(name)};
    ui->MessageAnswers = {mrNo, mrYes};

    EXPECT_FALSE(Create_GSDML_File(name));
    EXPECT_EQ(readBytes(dir.file(name)), "old");
    ui->FileAnswers = {dir.file(name)};
    EXPECT_TRUE(Create_GSDML_File(name));

    ASSERT_EQ(ui->FileDialogs.size(), 2u);
    EXPECT_EQ(ui->FileDialogs[0].InitialDir, dir.path());
    ASSERT_EQ(ui->Messages.size(), 2u);
    EXPECT_EQ(ui->Messages[0].Text, "File already exists! Do you want to overwrite the file?");
    EXPECT_EQ(readView(dir.file(name)).Implementation, "gw-9");
}
