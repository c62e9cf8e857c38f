// Regional settings for one table row of the number, date and filter tests: set on construction,
// the system's own back on destruction, so no test depends on the desktop locale.
#pragma once

#include "platform/core/SysUtils.h"

struct RegionalRecord {
    char thousand = ',';
    char decimal = '.';
    char date = '/';
    char time = ':';
    const char* shortDate = "dd/mm/yyyy";
};

inline const RegionalRecord UsRecord{',', '.', '/', ':', "M/d/yyyy"};
inline const RegionalRecord DefaultRecord{};
inline const RegionalRecord EuroRecord{'.', ',', '.', ':', "dd.mm.yyyy"};

class RegionalScope
{
  public:
    explicit RegionalScope(const RegionalRecord& r)
    {
        TFormatSettings fs;
        fs.ThousandSeparator = QChar(r.thousand);
        fs.DecimalSeparator = QChar(r.decimal);
        fs.DateSeparator = QChar(r.date);
        fs.TimeSeparator = QChar(r.time);
        fs.ShortDateFormat = r.shortDate;
        SetFormatSettings(fs);
    }
    ~RegionalScope() { ResetFormatSettings(); }
    RegionalScope(const RegionalScope&) = delete;
    RegionalScope& operator=(const RegionalScope&) = delete;
};
