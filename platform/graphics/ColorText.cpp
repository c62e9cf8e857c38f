#include "platform/graphics/ColorText.h"

#include "platform/core/SysUtils.h"

#include <array>

namespace
{

struct TColorName {
    TColor Color;
    const char* Name;
};

// The toolkit's order: the first entry of a value is the one written.
constexpr std::array ColorNames{
    TColorName{clBlack, "clBlack"},
    TColorName{clMaroon, "clMaroon"},
    TColorName{clGreen, "clGreen"},
    TColorName{clOlive, "clOlive"},
    TColorName{clNavy, "clNavy"},
    TColorName{clPurple, "clPurple"},
    TColorName{clTeal, "clTeal"},
    TColorName{clGray, "clGray"},
    TColorName{clSilver, "clSilver"},
    TColorName{clRed, "clRed"},
    TColorName{clLime, "clLime"},
    TColorName{clYellow, "clYellow"},
    TColorName{clBlue, "clBlue"},
    TColorName{clFuchsia, "clFuchsia"},
    TColorName{clAqua, "clAqua"},
    TColorName{clWhite, "clWhite"},
    TColorName{clMoneyGreen, "clMoneyGreen"},
    TColorName{clSkyBlue, "clSkyBlue"},
    TColorName{clCream, "clCream"},
    TColorName{clMedGray, "clMedGray"},
    TColorName{clScrollBar, "clScrollBar"},
    TColorName{clBackground, "clBackground"},
    TColorName{clActiveCaption, "clActiveCaption"},
    TColorName{clInactiveCaption, "clInactiveCaption"},
    TColorName{clMenu, "clMenu"},
    TColorName{clWindow, "clWindow"},
    TColorName{clWindowFrame, "clWindowFrame"},
    TColorName{clMenuText, "clMenuText"},
    TColorName{clWindowText, "clWindowText"},
    TColorName{clCaptionText, "clCaptionText"},
    TColorName{clActiveBorder, "clActiveBorder"},
    TColorName{clInactiveBorder, "clInactiveBorder"},
    TColorName{clAppWorkSpace, "clAppWorkSpace"},
    TColorName{clHighlight, "clHighlight"},
    TColorName{clHighlightText, "clHighlightText"},
    TColorName{clBtnFace, "clBtnFace"},
    TColorName{clBtnShadow, "clBtnShadow"},
    TColorName{clGrayText, "clGrayText"},
    TColorName{clBtnText, "clBtnText"},
    TColorName{clInactiveCaptionText, "clInactiveCaptionText"},
    TColorName{clBtnHighlight, "clBtnHighlight"},
    TColorName{cl3DDkShadow, "cl3DDkShadow"},
    TColorName{cl3DLight, "cl3DLight"},
    TColorName{clInfoText, "clInfoText"},
    TColorName{clInfoBk, "clInfoBk"},
    TColorName{clHotLight, "clHotLight"},
    TColorName{clGradientActiveCaption, "clGradientActiveCaption"},
    TColorName{clGradientInactiveCaption, "clGradientInactiveCaption"},
    TColorName{clMenuHighlight, "clMenuHighlight"},
    TColorName{clMenuBar, "clMenuBar"},
    TColorName{clNone, "clNone"},
    TColorName{clDefault, "clDefault"},
    // Read only: their values are written by the names above.
    TColorName{clLtGray, "clLtGray"},
    TColorName{clDkGray, "clDkGray"},
};

} // namespace

bool ColorToIdent(TColor Color, QString& Ident)
{
    for (const TColorName& n : ColorNames)
        if (n.Color == Color) {
            Ident = QString::fromLatin1(n.Name);
            return true;
        }
    return false;
}

bool IdentToColor(const QString& Ident, TColor& Color)
{
    for (const TColorName& n : ColorNames)
        if (Ident.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0) {
            Color = n.Color;
            return true;
        }
    return false;
}

QString ColorToString(TColor Color)
{
    QString ident;
    if (ColorToIdent(Color, ident))
        return ident;
    return u'$' + QString::number(Color, 16).toUpper().rightJustified(8, u'0');
}

TColor StringToColor(const QString& S)
{
    TColor c = 0;
    if (IdentToColor(S, c))
        return c;
    // "$" + hex or decimal, as the toolkit's string-to-integer conversion reads them.
    return TColor(StrToInt(S));
}
