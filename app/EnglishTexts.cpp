// Built-in English texts: first entries only (the full listing follows).
#include "app/EnglishTexts.h"

namespace
{
const TEnglishText kTexts[] = {
    {0, u"Begin"},
    {9, u"None Configuration Opened "},
    {18, u"Error! Project not Valid"},
    {304, u"Selected Language : "},
};
} // namespace

std::span<const TEnglishText> English_Texts()
{
    return kTexts;
}
