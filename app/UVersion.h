// The version check: one HTTP/1.0 GET to the maker's web server asking for the newest version of this
// program, compared with the version built in. Asked by the main window's update timer (first tick
// 60 s after the timer is enabled, then two hours after each check) and by the options dialog's
// "Check Available Update" button. Nothing is downloaded: a newer version only shows a link to the
// download page.
//
// The server base is a run-time setting. Its default is a reserved name that never resolves, so a
// shipped build finds no update; the environment variable CONFIGURATOR_WEB_BASE replaces that
// default (to try the check against a local server), and tests point it at 127.0.0.1.
#pragma once

#include "platform/system/Http.h"

#include <QString>

inline const QString Built_In_Version = QStringLiteral("1.001");
inline const QString Default_Maker_Web_Base = QStringLiteral("http://www.brivexcorp.example");
inline constexpr const char* Maker_Web_Base_Variable = "CONFIGURATOR_WEB_BASE";

// The request's fixed parts.
inline const QString Version_Check_Path = QStringLiteral("/home/download/GetversionSW.asp?nomesw=");
inline const QString Download_Page_Path = QStringLiteral("/Home/download/download.asp#HDGW101");
inline const QString Home_Page_Path = QStringLiteral("/HOME/default.asp?frompg=RIVA101");
inline const QString No_Server_Version = QStringLiteral("VER. 0.000");

// Intervals of the main window's update timer.
constexpr int Update_First_Interval_Ms = 60000;
constexpr int Update_Interval_Ms = 7200000;

// The client sets none of its own limits; without them a server that accepts and never answers
// would hold the GUI thread for good. A time-out counts as "no newer version".
constexpr int Version_Connect_Limit_Ms = 5000;
constexpr int Version_Total_Limit_Ms = 10000;

// Scheme and host (and port) of the maker's web server, without a trailing "/".
QString Maker_Web_Base();
// An empty text restores the default: CONFIGURATOR_WEB_BASE when set and not empty, else
// Default_Maker_Web_Base.
void Set_Maker_Web_Base(const QString& base);

// Limits of the check's request (tests shorten them).
THttpLimits Version_Check_Limits();
void Set_Version_Check_Limits(const THttpLimits& limits);

QString Version_Check_URL(); // base + path + Update_SW_Name
QString Download_Page_URL(); // base + Download_Page_Path
QString Home_Page_URL();     // base + Home_Page_Path, the main window's maker label

// The link-label text: <a href="address">caption</a>.
QString Link_Text(const QString& address, const QString& caption);

// The version number of a text like "VER. 1.002": the part after the first blank (all of it
// without one), trimmed; its first, third, fourth and fifth characters read as a decimal integer
// (1002). -1 when fewer than five characters remain or the four are no number.
int Conv_Version(const QString& Ver_str);

// True when the server announces a version newer than Built_In_Version. Any failure (no network,
// refused, time-out, an error or redirect status) counts as not newer. Never raises, never shows a
// message; blocks the calling thread until the request ends.
bool Check_Version();

// What one tick of the main window's update timer leaves behind: the link label shown with
// LinkText (text 19 linked to the download page) when a newer version exists, hidden otherwise;
// the timer then runs again with NextInterval.
struct TUpdateTickResult {
    bool ShowLink = false;
    QString LinkText;
    int NextInterval = Update_Interval_Ms;
};
TUpdateTickResult Update_Tick_Check();
