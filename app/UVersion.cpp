#include "app/UVersion.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "platform/core/SysUtils.h"

#include <optional>

namespace
{

std::optional<QString> g_webBase; // set by Set_Maker_Web_Base; else the default below
THttpLimits g_limits{Version_Connect_Limit_Ms, Version_Total_Limit_Ms};

// The headers the maker's server has always been asked with.
const THttpHeaders kVersionHeaders = {
    {"Accept", "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"},
    {"User-Agent", "Mozilla/3.0 (compatible; Indy Library)"},
};

// The reply body as text, or "" for every kind of failure: an error or redirect status counts like
// no answer at all (the redirect is not followed, its body is not the version).
QString Version_Reply_Body()
{
    const THttpResponse r = HttpGet(Version_Check_URL(), kVersionHeaders, g_limits);
    if (!r.Ok || r.StatusCode < 200 || r.StatusCode > 299)
        return {};
    return QString::fromLatin1(r.Body);
}

QString withoutTrailingSlash(const QString& base)
{
    QString b = base.trimmed();
    while (b.endsWith('/'))
        b.chop(1);
    return b;
}

} // namespace

QString Maker_Web_Base()
{
    if (g_webBase)
        return *g_webBase;
    // Read at each use, so the check can be pointed at a local server without a new build.
    const QString fromEnvironment = withoutTrailingSlash(qEnvironmentVariable(Maker_Web_Base_Variable));
    return fromEnvironment.isEmpty() ? Default_Maker_Web_Base : fromEnvironment;
}

void Set_Maker_Web_Base(const QString& base)
{
    const QString b = withoutTrailingSlash(base);
    if (b.isEmpty())
        g_webBase.reset();
    else
        g_webBase = b;
}

THttpLimits Version_Check_Limits()
{
    return g_limits;
}
void Set_Version_Check_Limits(const THttpLimits& limits)
{
    g_limits = limits;
}

QString Version_Check_URL()
{
    return Maker_Web_Base() + Version_Check_Path + Update_SW_Name;
}
QString Download_Page_URL()
{
    return Maker_Web_Base() + Download_Page_Path;
}
QString Home_Page_URL()
{
    return Maker_Web_Base() + Home_Page_Path;
}

QString Link_Text(const QString& address, const QString& caption)
{
    return QStringLiteral("<a href=\"") + address + QStringLiteral("\">") + caption + QStringLiteral("</a>");
}

int Conv_Version(const QString& Ver_str)
{
    const int blank = Ver_str.indexOf(QLatin1Char(' '));
    const QString v = Trim(blank < 0 ? Ver_str : Ver_str.mid(blank + 1));
    if (v.size() < 5)
        return -1;
    // The second character, normally the point, is skipped; anything after the fifth is ignored.
    const QString digits = QString(v[0]) + v[2] + v[3] + v[4];
    // Decimal only: the integer reader would also take "$FFF" or "x123" as hexadecimal.
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const QChar c = digits[i];
        if (!(c >= u'0' && c <= u'9') && !(i == 0 && (c == u'+' || c == u'-')))
            return -1;
    }
    int32_t number = 0;
    return TryStrToInt(digits, number) ? number : -1;
}

bool Check_Version()
{
    try {
        const QString body = Trim(Version_Reply_Body());
        const QString r = UpperCase(body);
        if (r.isEmpty() || r == No_Server_Version)
            return false;
        const int a = Conv_Version(Built_In_Version);
        const int b = Conv_Version(body);
        return a != -1 && b != -1 && b > a;
    } catch (const std::exception&) {
        // The check must never disturb its caller: a fault here is "no newer version".
        return false;
    }
}

TUpdateTickResult Update_Tick_Check()
{
    TUpdateTickResult result;
    result.ShowLink = Check_Version();
    if (result.ShowLink)
        result.LinkText = Link_Text(Download_Page_URL(), Lang_Text(19));
    return result;
}
