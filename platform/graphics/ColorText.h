// Colours as text, the toolkit's way: an identifier where the toolkit has one (the first match of
// its table wins, so 0xC0C0C0 is "clSilver"), otherwise "$" and eight upper-case hex digits.
#pragma once

#include "platform/graphics/Colors.h"

#include <QString>

QString ColorToString(TColor Color);
// An identifier (any case; clLtGray and clDkGray too), "$" + hex or a decimal number; anything else
// raises EConvertError.
TColor StringToColor(const QString& S);
// False (Color untouched) where StringToColor would raise.
bool IdentToColor(const QString& Ident, TColor& Color);
bool ColorToIdent(TColor Color, QString& Ident);
