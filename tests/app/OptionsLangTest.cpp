#include "app/UOptionsLang.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace
{

using testsupport::TempDir;
using testsupport::writeBytes;

class OptionsLang : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Reset_Globals();
        Set_App_Dir(app_.path());
        Create_App_Folders();
        Set_English_Texts();
    }
    void TearDown() override
    {
        Reset_Globals();
        Clear_Lang_Table();
    }
    void lng(const QString& name, const QByteArray& text = "STR0 = x\r\n")
    {
        writeBytes(Language_Dir + "/" + name, text);
    }

    TempDir app_;
};

TEST_F(OptionsLang, ListsWritableLanguageFilesSortedWithoutCase)
{
    lng("italiano.lng");
    lng("Deutsch.lng");
    lng("English.lng");
    lng(".hidden.lng");
    lng("notes.txt");
    lng("Locked.lng");
    QFile::setPermissions(Language_Dir + "/Locked.lng", QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    QDir(Language_Dir).mkdir("Folder.lng");
    QFile::link(Language_Dir + "/English.lng", Language_Dir + "/Linked.lng");

    EXPECT_EQ(Language_File_List(Language_Dir),
              QStringList({".hidden.lng", "Deutsch.lng", "English.lng", "italiano.lng"}));
    EXPECT_TRUE(Language_File_List(Language_Dir + "/missing").isEmpty());
}

TEST_F(OptionsLang, PagesHoldSixSlotsWithPageButtonsAtTheEnds)
{
    const struct {
        int files, page;
        const char* label;
        bool prev, next;
        int shown;
    } cases[] = {
        {7, 1, "Page 1 / 2", false, true, 6},  {7, 2, "Page 2 / 2", true, false, 1},
        {6, 1, "Page 1 / 1", false, false, 6}, {13, 2, "Page 2 / 3", true, true, 6},
        {1, 1, "Page 1 / 1", false, false, 1}, {0, 1, "Page 1 / 0", false, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label + std::string(" of ") + std::to_string(c.files) + " files");
        QStringList files;
        for (int i = 0; i < c.files; ++i)
            files << QStringLiteral("L%1.lng").arg(i, 2, 10, QLatin1Char('0'));
        const TLangPageView v = Lang_Page_View(files, c.page, Language_Dir);
        EXPECT_EQ(v.Page_Label, c.label);
        EXPECT_EQ(v.Prev_Visible, c.prev);
        EXPECT_EQ(v.Next_Visible, c.next);
        for (int k = 0; k < Lang_Slots_Per_Page; ++k) {
            EXPECT_EQ(v.Slots[k].Visible, k < c.shown) << "slot " << k + 1;
            const int index = (c.page - 1) * 6 + k;
            EXPECT_EQ(v.Slots[k].Name,
                      k < c.shown ? QStringLiteral("L%1").arg(index, 2, 10, QLatin1Char('0')) : "");
            EXPECT_EQ(Lang_Slot_Name(files, c.page, k + 1), v.Slots[k].Name);
        }
    }
}

TEST_F(OptionsLang, FlagsFallBackToTheDefaultPicture)
{
    const QStringList files = {"Deutsch.lng", "English.lng"};
    lng("Deutsch.bmp", "BM");
    const TLangPageView noDefault = Lang_Page_View(files, 1, Language_Dir);
    EXPECT_EQ(noDefault.Slots[0].Flag_Files, QStringList{Language_Dir + "/Deutsch.bmp"});
    EXPECT_TRUE(noDefault.Slots[1].Flag_Files.isEmpty());

    lng("DefaultFlag.bmp", "BM");
    const TLangPageView withDefault = Lang_Page_View(files, 1, Language_Dir);
    EXPECT_EQ(withDefault.Slots[0].Flag_Files,
              QStringList({Language_Dir + "/Deutsch.bmp", Language_Dir + "/DefaultFlag.bmp"}));
    EXPECT_EQ(withDefault.Slots[1].Flag_Files, QStringList{Language_Dir + "/DefaultFlag.bmp"});
}

TEST_F(OptionsLang, ASwitchLoadsTheTextsButKeepsTheRememberedLanguage)
{
    // The pilcrows keep the trailing blank of the text.
    lng("Deutsch.lng", "STR0 = Anfang\r\nSTR316 = \xB6Wechseln von \xB6\r\n");
    Language_Name = "English";
    EXPECT_EQ(Language_Switch_Question("English", "Deutsch"),
              "Do you want to change the Language from English to Deutsch?");
    int retexted = 0;
    Switch_Language("Deutsch", [&] {
        ++retexted;
        EXPECT_EQ(Lang_Text(0), "Anfang"); // the table is ready before the forms are re-texted
    });
    EXPECT_EQ(retexted, 1);
    EXPECT_EQ(Lang_Text(0), "Anfang");
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Language_Switch_Question("Deutsch", "English"), "Wechseln von Deutsch to English?");

    // A file gone since the list was built gives the English texts; the setting stays as it was.
    Switch_Language("Vanished", {});
    EXPECT_EQ(Lang_Text(0), "Begin");
    EXPECT_EQ(Language_Name, "English");
}

TEST_F(OptionsLang, TheFileTheListShowedIsTheOneLoaded)
{
    // The list takes "*.lng" in any letter case; choosing the entry loads that very file, the
    // setting then names it, and its flag is found by the same rule.
    lng("Upper.LNG", "STR0 = Oben\r\n");
    lng("Upper.Bmp", "BM");
    const QStringList files = Language_File_List(Language_Dir);
    ASSERT_EQ(files, QStringList{"Upper.LNG"});
    const QString chosen = Lang_Slot_Name(files, 1, 1);
    EXPECT_EQ(chosen, "Upper");
    EXPECT_EQ(Lang_Page_View(files, 1, Language_Dir).Slots[0].Flag_Files,
              QStringList{Language_Dir + "/Upper.Bmp"});

    Language_Name = "English";
    Switch_Language(chosen, {});
    EXPECT_EQ(Lang_Text(0), "Oben");
    Language_Name = chosen; // what OK stores, and the next start reads
    Set_English_Texts();
    Load_Language();
    EXPECT_EQ(Language_Name, "Upper");
    EXPECT_EQ(Lang_Text(0), "Oben");

    // The name itself is taken as shown: another spelling of it is another language.
    Language_Name = "UPPER";
    Load_Language();
    EXPECT_EQ(Language_Name, "English");
    EXPECT_EQ(Lang_Text(0), "Begin");

    // Where both spellings of the extension exist, the exact one wins.
    lng("Upper.lng", "STR0 = exakt\r\n");
    Language_Name = "Upper";
    Load_Language();
    EXPECT_EQ(Lang_Text(0), "exakt");
}

} // namespace
