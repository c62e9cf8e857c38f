// Project folders: the name rule of a new project, creating it, the list of the open dialog and the
// project restored at start.
#include "app/UGlobals.h"
#include "app/UProjectFolders.h"
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

using testsupport::TempDir;
using testsupport::writeBytes;

namespace
{

class ProjectFolders : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(dir.path());
        Create_App_Folders();
    }
    void TearDown() override { Reset_Globals(); }

    // Every path below the program folder, relative, sorted: what a refused name must leave alone.
    QStringList tree() const
    {
        QStringList out;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            out << QDir(dir.path()).relativeFilePath(it.next());
        out.sort();
        return out;
    }

    TempDir dir;
};

TEST_F(ProjectFolders, NewProjectCreatesTheFolderWithBinAndOpensIt)
{
    EXPECT_EQ(Create_Project("Plant A"), 0);
    EXPECT_TRUE(DirectoryExists(Projects_Dir + "/Plant A/bin"));
    EXPECT_EQ(Active_Project_Name, "Plant A");
    EXPECT_EQ(Active_Project_Dir, Projects_Dir + "/Plant A");
    EXPECT_TRUE(File_ParGen.endsWith("/PROJECTS/Plant A/ParGen.xml")) << File_ParGen.toStdString();
    EXPECT_EQ(Open_Project_Folder_Name(), "Plant A");
}

TEST_F(ProjectFolders, RefusedNamesCreateNothingAndKeepTheOpenProject)
{
    ASSERT_EQ(Create_Project("Plant A"), 0);
    ASSERT_TRUE(CreateDir(Projects_Dir + "/a"));
    writeBytes(Projects_Dir + "/c.txt", "x");
    const QString parGen = File_ParGen;

    struct Case {
        QString name;
        int text;
    };
    const Case cases[] = {
        {"", 107},
        {"Plant A", 106},
        {"plant a", 106}, // another letter case is the same project
        {"PLANT A", 106},
        {"A", 106},
        {"C.TXT", 105}, // a file holds the name
        {"../x", 105},  // would land outside PROJECTS
        {"a/b", 105},   // would nest inside project "a"
        {"a\\b", 105},
        {".", 105},
        {"..", 105},
        {"x:y", 105},
        {"x<y", 105},
        {"x>y", 105},
        {"x\"y", 105},
        {"x|y", 105},
        {"x?", 105},
        {"x*", 105},
        {"tab\there", 105},
        {QString("nul") + QChar(0) + "x", 105},
        {QString("del") + QChar(0x7F), 105},
    };
    const QStringList before = tree();
    for (const Case& c : cases) {
        EXPECT_EQ(Create_Project(c.name), c.text) << c.name.toStdString();
        EXPECT_EQ(Active_Project_Name, "Plant A") << c.name.toStdString();
        EXPECT_EQ(File_ParGen, parGen) << c.name.toStdString();
    }
    EXPECT_EQ(tree(), before);
}

TEST_F(ProjectFolders, NamesAreTakenAsTyped)
{
    const QString names[] = {" Plant B ", "Plant.C", "ümlaut ß", "x.."};
    for (const QString& name : names) {
        EXPECT_EQ(Create_Project(name), 0) << name.toStdString();
        EXPECT_TRUE(DirectoryExists(Projects_Dir + "/" + name + "/bin")) << name.toStdString();
        EXPECT_EQ(Active_Project_Name, name);
    }
}

TEST_F(ProjectFolders, MissingProjectsFolderRefusesWithTheCreationText)
{
    ASSERT_TRUE(QDir(Projects_Dir).removeRecursively());
    EXPECT_EQ(Create_Project("Plant A"), 105);
    EXPECT_FALSE(DirectoryExists(Projects_Dir));
    EXPECT_EQ(Active_Project_Dir, "");
}

TEST_F(ProjectFolders, OpenListHoldsFoldersOnly)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/b"));
    ASSERT_TRUE(CreateDir(Projects_Dir + "/A"));
    writeBytes(Projects_Dir + "/c.txt", "x");
    EXPECT_EQ(Load_Existing_Configuration(), QStringList({"A", "b"}));

    ASSERT_TRUE(QDir(Projects_Dir).removeRecursively());
    EXPECT_EQ(Load_Existing_Configuration(), QStringList());
}

TEST_F(ProjectFolders, SearchIgnoresLetterCase)
{
    const QStringList SL = {"Alpha", "beta", "BETA", "Gamma"};
    struct Case {
        const char* name;
        int index;
    };
    const Case cases[] = {{"alpha", 0}, {"Beta", 1}, {"GAMMA", 3}, {"delta", -1}, {"", -1}, {"Alph", -1}};
    for (const Case& c : cases)
        EXPECT_EQ(Search_Open_Conf(SL, c.name), c.index) << c.name;
    EXPECT_EQ(Search_Open_Conf({}, "x"), -1);
}

TEST_F(ProjectFolders, OpeningAndClosing)
{
    Set_Active_Project("Plant A");
    EXPECT_EQ(Active_Project_Dir, Projects_Dir + "/Plant A");
    EXPECT_EQ(File_EtherCAT_Slave_Group, Projects_Dir + "/Plant A/EtherCAT_Slave_Group.xml");
    Set_Active_Project("");
    EXPECT_EQ(Active_Project_Name, "");
    EXPECT_EQ(Active_Project_Dir, "");
    EXPECT_EQ(File_ParGen, "/ParGen.xml");
    EXPECT_EQ(Open_Project_Folder_Name(), "");
}

TEST_F(ProjectFolders, RestoreOpensOnlyAnExistingFolderAndKeepsTheName)
{
    ASSERT_TRUE(CreateDir(Projects_Dir + "/Plant A"));
    ASSERT_TRUE(CreateDir(dir.path() + "/outside"));
    struct Case {
        const char* remembered;
        const char* folder; // expected Active_Project_Dir below Projects_Dir, or "" for none
    };
    const Case cases[] = {
        {"Plant A", "Plant A"}, {"Plant B", ""}, {"", ""}, {"../outside", ""}, // exists, but outside PROJECTS
        {"plant a", "Plant A"},                                                // the dialogs' rule
    };
    for (const Case& c : cases) {
        Active_Project_Name = c.remembered;
        Active_Project_Dir = "/stale";
        Restore_Active_Project();
        EXPECT_EQ(Active_Project_Name, c.remembered);
        EXPECT_EQ(Active_Project_Dir, *c.folder ? Projects_Dir + "/" + c.folder : QString()) << c.remembered;
    }
}

} // namespace
