// The main window's layout and button tables: consistent with each other and with the page.
#include "app/EnglishTexts.h"
#include "app/UFormOrder.h"
#include "app/UMainTables.h"

#include <QRect>
#include <QString>
#include <gtest/gtest.h>
#include <map>

namespace
{

using namespace main_layout;

QRect area(const TMainButton& b)
{
    const int size = b.Step == kHeaderButton ? Header_Button_Size : 0;
    return QRect(b.Left, b.Top, size ? size : Step_Button_Width, size ? size : Step_Button_Height);
}

TEST(MainTables, StepButtonsSitBesideTheirStepLabel)
{
    std::map<int, int> labelTop;
    for (const TStepLabel& l : Main_Step_Labels())
        labelTop[l.Text] = l.Top;
    int shown = 0;
    for (const TMainButton& b : Main_Buttons()) {
        if (b.Step < 1)
            continue;
        ++shown;
        const TStepLabel& label = Main_Step_Labels()[b.Step - 1];
        EXPECT_TRUE(label.Shown) << b.Name;
        // The label's text line is centred on the 36-pixel button.
        EXPECT_EQ(labelTop[b.Step] - b.Top, 16) << b.Name;
        EXPECT_TRUE(b.Left == 80 || b.Left == 258) << b.Name;
    }
    EXPECT_EQ(shown, 8);
}

TEST(MainTables, ShownButtonsDoNotOverlapAndFitTheClientArea)
{
    const QRect client(0, 0, Client_Width, Client_Height);
    std::vector<std::pair<const char*, QRect>> shown;
    for (const TMainButton& b : Main_Buttons())
        if (b.Step != kHiddenButton)
            shown.emplace_back(b.Name, area(b));
    for (size_t i = 0; i < shown.size(); ++i) {
        EXPECT_TRUE(client.contains(shown[i].second)) << shown[i].first;
        EXPECT_LT(shown[i].second.bottom(), Shape1_Top) << shown[i].first;
        for (size_t j = i + 1; j < shown.size(); ++j)
            EXPECT_FALSE(shown[i].second.intersects(shown[j].second))
                << shown[i].first << " " << shown[j].first;
    }
    EXPECT_EQ(Client_Height, 484);
    EXPECT_EQ(Shape1_Top, 383);
}

TEST(MainTables, OnlyTheFirstFiveRowsWorkWithoutAProject)
{
    const auto rows = Main_Buttons();
    ASSERT_EQ(rows.size(), 34u);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].Needs_Project, i >= 5) << rows[i].Name;
    for (const char* name : {"Btn_New", "Btn_Open", "Btn_Close", "Btn_Info", "Btn_Opz"})
        ASSERT_NE(Find_Main_Button(name), nullptr) << name;
    EXPECT_EQ(Find_Main_Button("Btn_Nothing"), nullptr);
}

TEST(MainTables, EveryButtonHasACaptionAndAHintButTheFixedOnes)
{
    std::map<int, QString> english;
    for (const TEnglishText& t : English_Texts())
        english[t.Index] = QString::fromUtf16(t.Text);
    for (const TMainButton& b : Main_Buttons()) {
        if (b.Design_Caption) {
            EXPECT_EQ(b.Caption, -1) << b.Name;
            continue;
        }
        if (b.Step == kHeaderButton)
            EXPECT_EQ(b.Caption, -1) << b.Name; // icon only
        else
            EXPECT_FALSE(english[b.Caption].trimmed().isEmpty()) << b.Name;
        EXPECT_FALSE(english[b.Hint].trimmed().isEmpty()) << b.Name;
    }
    const TMainButton* esi = Find_Main_Button("Btn_EtherCAT_ESI_File");
    ASSERT_NE(esi, nullptr);
    EXPECT_STREQ(esi->Design_Caption, "EtherCAT ESI File");
    EXPECT_EQ(esi->Hint, -1);
}

// A misspelt form name would leave its button doing nothing, silently.
TEST(MainTables, NamedFormsExistInTheCreationOrder)
{
    std::map<QString, int> created;
    for (const TFormEntry& e : Form_Creation_Order())
        EXPECT_EQ(created[QLatin1String(e.Name)]++, 0) << e.Name;
    EXPECT_EQ(QLatin1String(Form_Creation_Order()[0].Name), QLatin1String("FDodiruredavIzavUred"));
    for (const TMainButton& b : Main_Buttons()) {
        if (b.Form) {
            EXPECT_TRUE(created.count(QLatin1String(b.Form))) << b.Name;
        }
    }
    std::map<QString, int> retexted;
    for (const char* name : Language_Order()) {
        EXPECT_TRUE(created.count(QLatin1String(name))) << name;
        EXPECT_EQ(retexted[QLatin1String(name)]++, 0) << name;
    }
    // Every form but the about box is re-texted.
    EXPECT_EQ(retexted.size() + 1, created.size());
    EXPECT_FALSE(retexted.count("FAbout"));
}

} // namespace
