// The program's own files are read only when they are regular files: a named pipe (or a device) in
// their place counts as missing instead of blocking the start for good.
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UOptionsLang.h"
#include "common/TestSupport.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace
{

using testsupport::TempDir;

class SpecialFiles : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(app_.path());
        Create_App_Folders();
    }
    void TearDown() override
    {
        Reset_Globals();
        Clear_Lang_Table();
    }
    static void Pipe(const QString& path)
    {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    }

    TempDir app_;
};

TEST_F(SpecialFiles, APipeInPlaceOfAFileCountsAsMissing)
{
    Pipe(Settings_File_Name());
    Pipe(Language_Dir + "/Pipe.lng");
    Pipe(Language_Dir + "/English.lng");
    Pipe(Language_Dir + "/DefaultFlag.bmp");
    const QString projectFile = app_.path() + "/ParGen.xml";
    Pipe(projectFile);

    Read_Settings();
    EXPECT_EQ(Language_Name, "English");

    Language_Name = "Pipe";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Text(0), "Begin");

    EXPECT_TRUE(Language_File_List(Language_Dir).isEmpty());
    EXPECT_TRUE(Lang_Page_View({"Deutsch.lng"}, 1, Language_Dir).Slots[0].Flag_Files.isEmpty());

    EXPECT_FALSE(FileExists(projectFile));
    EXPECT_THROW(ReadFileBytes(projectFile), EInOutError);
    TXmlDocument doc;
    EXPECT_THROW(doc.LoadFromFile(projectFile), EXmlError);
}

} // namespace
