// The update timer's tick on the real main window against a server on 127.0.0.1.
#include "MainTestForms.h"
#include "VersionTestServer.h"

#include "app/UVersion.h"

using namespace shelltest;

namespace
{

class VersionMainWindow : public ShellForms
{
  protected:
    void TearDown() override
    {
        Set_Maker_Web_Base({});
        ShellForms::TearDown();
    }
};

TEST_F(VersionMainWindow, ANewerVersionShowsTheDownloadLinkAndTheTimerRunsOnInTwoHours)
{
    versiontest::TVersionServer server(versiontest::ok("VER. 1.002"));
    Set_Maker_Web_Base(server.base());
    Start();
    EXPECT_FALSE(main->LL_Update->Visible());

    main->Timer_UpdateTimer(main->Timer_Update);
    const QString download = server.base() + "/Home/download/download.asp#HDGW101";
    EXPECT_TRUE(main->LL_Update->Visible());
    EXPECT_EQ(main->LL_Update->Caption(),
              "<a href=\"" + download + "\">New Version Available. Click Here for more Details</a>");
    EXPECT_EQ(main->Timer_Update->Interval(), 7200000u);
    EXPECT_TRUE(main->Timer_Update->Enabled());
    EXPECT_EQ(server.requests().size(), 1u);

    ASSERT_TRUE(main->LL_Update->OnLinkClick);
    main->LL_Update->OnLinkClick(main->LL_Update, download, sltURL);
    EXPECT_EQ(answers->OpenedURLs, QStringList{download});
    EXPECT_TRUE(answers->Messages.empty());
}

} // namespace
