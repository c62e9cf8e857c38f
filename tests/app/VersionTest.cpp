#include "app/UVersion.h"

#include "VersionTestServer.h"
#include "app/ULang.h"

#include "common/TestSupport.h"
#include <gtest/gtest.h>

#include <chrono>

namespace
{

using versiontest::ok;
using versiontest::TVersionServer;

using Clock = std::chrono::steady_clock;

using testsupport::msSince;

// Puts the web base and the limits back after each case.
class VersionCheck : public ::testing::Test
{
  protected:
    void TearDown() override
    {
        Set_Maker_Web_Base({});
        Set_Version_Check_Limits({Version_Connect_Limit_Ms, Version_Total_Limit_Ms});
    }
};

TEST(VersionConv, ReadsFourDigitsAroundThePoint)
{
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"VER. 1.002", 1002},
        {"1.001", 1001},
        {"VER. 2.000  ", 2000},
        {"VER. 1.0025", 1002},
        // A leading blank is the first blank: what follows it is the whole text.
        {" VER. 2.000", -1},
        {"VER. 2.0", -1},
        {"VER. 12.00", -1},
        {"", -1},
        {"VER.", -1},
        {"A B 1.234", -1},
        {"VER.  9x999", 9999},
        // The four characters are read in decimal, never as a hexadecimal number.
        {"VER. $.FFF", -1},
        {"VER. x.123", -1},
        {"VER. 0.x12", -1},
        {"VER. 1.00A", -1},
        {"garbage", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Conv_Version(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST_F(VersionCheck, SendsTheFixedRequestWithoutAProxy)
{
    TVersionServer server(ok("VER. 1.002"));
    Set_Maker_Web_Base(server.base() + "/");
    // A proxy named by the environment must not be asked: the request still reaches our server.
    const QByteArray oldProxy = qgetenv("http_proxy");
    qputenv("http_proxy", "http://127.0.0.1:1");
    const bool newer = Check_Version();
    if (oldProxy.isNull())
        qunsetenv("http_proxy");
    else
        qputenv("http_proxy", oldProxy);

    EXPECT_TRUE(newer);
    ASSERT_EQ(server.requests().size(), 1u);
    const QList<QByteArray> lines = server.requests()[0].split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], "GET /home/download/GetversionSW.asp?nomesw=RIVA101 HTTP/1.0\r");
    EXPECT_TRUE(lines.contains("Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r"));
    EXPECT_TRUE(lines.contains("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r"));
    EXPECT_FALSE(server.requests()[0].contains("Cookie"));
}

TEST_F(VersionCheck, OnlyANewerVersionInASuccessfulReplyCounts)
{
    const struct {
        const char* name;
        QByteArray reply;
        bool newer;
    } cases[] = {
        {"newer", ok("VER. 1.002"), true},
        {"equal", ok("VER. 1.001"), false},
        {"older", ok("VER. 0.999"), false},
        {"server knows none", ok("VER. 0.000"), false},
        {"none in lower case", ok("ver. 0.000"), false},
        {"empty", ok(""), false},
        {"garbage", ok("garbage"), false},
        {"blanks and line breaks around", ok(" \r\n VER. 2.000 \r\n"), true},
        {"no blank", ok("1.005"), true},
        {"extra digit ignored", ok("VER. 1.0025"), true},
        {"too short", ok("VER. 2.0"), false},
        {"no number", ok("VER. 12.00"), false},
        {"hexadecimal", ok("VER. $.FFF"), false},
        {"error status", "HTTP/1.0 404 Not Found\r\n\r\nVER. 9.999", false},
        {"server error", "HTTP/1.0 500 Internal Server Error\r\n\r\nVER. 9.999", false},
        {"broken reply", "VER. 9.999", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TVersionServer server(c.reply);
        Set_Maker_Web_Base(server.base());
        EXPECT_EQ(Check_Version(), c.newer);
        EXPECT_EQ(server.requests().size(), 1u);
    }
}

TEST_F(VersionCheck, ARedirectIsNotFollowed)
{
    TVersionServer target(ok("VER. 9.999"));
    TVersionServer server("HTTP/1.0 302 Found\r\nLocation: " + target.base().toLatin1() +
                          "/home/download/GetversionSW.asp?nomesw=RIVA101\r\n\r\nVER. 9.999");
    Set_Maker_Web_Base(server.base());
    EXPECT_FALSE(Check_Version());
    EXPECT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(target.requests().empty());
}

TEST_F(VersionCheck, AnUnreachableOrSilentServerEndsPromptlyAsNotNewer)
{
    Set_Version_Check_Limits({300, 300});
    {
        // A port that was just free: the connection is refused.
        int port = 0;
        {
            TVersionServer closed("");
            port = closed.base().section(':', -1).toInt();
        }
        Set_Maker_Web_Base(QStringLiteral("http://127.0.0.1:%1").arg(port));
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(Check_Version());
        EXPECT_LT(msSince(start), 300);
    }
    {
        TVersionServer silent("", true);
        Set_Maker_Web_Base(silent.base());
        const Clock::time_point start = Clock::now();
        EXPECT_FALSE(Check_Version());
        const long took = msSince(start);
        EXPECT_GE(took, 250);
        EXPECT_LT(took, 2000);
        EXPECT_EQ(silent.requests().size(), 1u);
    }
}

TEST_F(VersionCheck, TheDefaultServerIsAReservedNameAndTheLimitsAreBounded)
{
    EXPECT_EQ(Version_Check_URL(),
              "http://www.brivexcorp.example/home/download/GetversionSW.asp?nomesw=RIVA101");
    EXPECT_EQ(Download_Page_URL(), "http://www.brivexcorp.example/Home/download/download.asp#HDGW101");
    EXPECT_EQ(Version_Check_Limits().ConnectMs, 5000);
    EXPECT_EQ(Version_Check_Limits().TotalMs, 10000);
    Set_Maker_Web_Base("http://127.0.0.1:8080//");
    EXPECT_EQ(Home_Page_URL(), "http://127.0.0.1:8080/HOME/default.asp?frompg=RIVA101");
}

TEST_F(VersionCheck, TheEnvironmentCanNameAnotherServer)
{
    // The variable replaces only the default; a base set by the program still wins.
    Set_Maker_Web_Base({});
    qputenv(Maker_Web_Base_Variable, "http://127.0.0.1:8080/");
    EXPECT_EQ(Version_Check_URL(), "http://127.0.0.1:8080/home/download/GetversionSW.asp?nomesw=RIVA101");
    Set_Maker_Web_Base("http://127.0.0.1:9090");
    EXPECT_EQ(Maker_Web_Base(), "http://127.0.0.1:9090");
    Set_Maker_Web_Base({});
    qputenv(Maker_Web_Base_Variable, " ");
    EXPECT_EQ(Maker_Web_Base(), Default_Maker_Web_Base);
    qunsetenv(Maker_Web_Base_Variable);
    EXPECT_EQ(Maker_Web_Base(), Default_Maker_Web_Base);
}

TEST_F(VersionCheck, TheTimerTickLinksTheDownloadPageOnlyForANewerVersion)
{
    Set_English_Texts();
    {
        TVersionServer server(ok("VER. 1.002"));
        Set_Maker_Web_Base(server.base());
        const TUpdateTickResult tick = Update_Tick_Check();
        EXPECT_TRUE(tick.ShowLink);
        EXPECT_EQ(tick.LinkText, "<a href=\"" + server.base() +
                                     "/Home/download/download.asp#HDGW101\">"
                                     "New Version Available. Click Here for more Details</a>");
        EXPECT_EQ(tick.NextInterval, 7200000);
    }
    {
        TVersionServer server("HTTP/1.0 404 Not Found\r\n\r\n");
        Set_Maker_Web_Base(server.base());
        const TUpdateTickResult tick = Update_Tick_Check();
        EXPECT_FALSE(tick.ShowLink);
        EXPECT_EQ(tick.NextInterval, 7200000);
    }
    Clear_Lang_Table();
}

} // namespace
