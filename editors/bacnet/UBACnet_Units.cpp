#include "editors/bacnet/UBACnet_Units.h"

namespace bacnetunits
{

namespace
{

// By code: the names Desc_Unit gives.
const char* const kUnit_Names[Unit_Count] = {
    "square-meters",                        // 0
    "square-feet",                          // 1
    "milliamperes",                         // 2
    "amperes",                              // 3
    "ohms",                                 // 4
    "volts",                                // 5
    "kilovolts",                            // 6
    "megavolts",                            // 7
    "volt-amperes",                         // 8
    "kilovolt-amperes",                     // 9
    "megavolt-amperes",                     // 10
    "volt-amperes-reactive",                // 11
    "kilovolt-amperes-reactive",            // 12
    "megavolt-amperes-reactive",            // 13
    "degrees-phase",                        // 14
    "power-factor",                         // 15
    "joules",                               // 16
    "kilojoules",                           // 17
    "watt-hours",                           // 18
    "kilowatt-hours",                       // 19
    "btus",                                 // 20
    "therms",                               // 21
    "ton-hours",                            // 22
    "joules-per-kilogram-dry-air",          // 23
    "btus-per-pound-dry-air",               // 24
    "cycles-per-hour",                      // 25
    "cycles-per-minute",                    // 26
    "hertz",                                // 27
    "grams-of-water-per-kilogram-dry-air",  // 28
    "percent-relative-humidity",            // 29
    "millimeters",                          // 30
    "meters",                               // 31
    "inches",                               // 32
    "feet",                                 // 33
    "watts-per-square-foot",                // 34
    "watts-per-square-meter",               // 35
    "lumens",                               // 36
    "luxes",                                // 37
    "foot-candles",                         // 38
    "kilograms",                            // 39
    "pounds-mass",                          // 40
    "tons",                                 // 41
    "kilograms-per-second",                 // 42
    "kilograms-per-minute",                 // 43
    "kilograms-per-hour",                   // 44
    "pounds-mass-per-minute",               // 45
    "pounds-mass-per-hour",                 // 46
    "watts",                                // 47
    "kilowatts",                            // 48
    "megawatts",                            // 49
    "btus-per-hour",                        // 50
    "housepower",                           // 51
    "tons-refrigeration",                   // 52
    "pascals",                              // 53
    "kilopascals",                          // 54
    "bars",                                 // 55
    "pounds-force-per-square-inch",         // 56
    "centimeters-of-water",                 // 57
    "inches-of-water",                      // 58
    "millimeters-of-mercury",               // 59
    "centimeters-of-mercury",               // 60
    "inches-of-mercury",                    // 61
    "degrees-Celsius",                      // 62
    "degrees-Kelvin",                       // 63
    "degrees-Fahrenheit",                   // 64
    "degree-days-Celsius",                  // 65
    "degree-days-Fahrenheit",               // 66
    "years",                                // 67
    "months",                               // 68
    "weeks",                                // 69
    "days",                                 // 70
    "hours",                                // 71
    "minutes",                              // 72
    "seconds",                              // 73
    "meters-per-second",                    // 74
    "kilometers-per-hour",                  // 75
    "feet-per-second",                      // 76
    "feet-per-meters",                      // 77
    "miles-per-hour",                       // 78
    "cubic-feet",                           // 79
    "cubic-meters",                         // 80
    "imperial-gallons",                     // 81
    "liters",                               // 82
    "us-gallons",                           // 83
    "cubic-feet-per-minute",                // 84
    "cubic-meters-per-second",              // 85
    "imperial-gallons-per-minute",          // 86
    "liters-per-second",                    // 87
    "liters-per-minute",                    // 88
    "us-gallons-per-minute",                // 89
    "degrees-angular",                      // 90
    "degrees-Celsius-per-hour",             // 91
    "degrees-Celsius-per-minute",           // 92
    "degrees-Fahrenheit-per-hour",          // 93
    "degrees-Fahrenheit-per-minute",        // 94
    "no-units",                             // 95
    "parts-per-million",                    // 96
    "parts-per-billion",                    // 97
    "percent",                              // 98
    "percent-per-second",                   // 99
    "per-minute",                           // 100
    "per-second",                           // 101
    "psi-per-degree-Fahrenheit",            // 102
    "radiants",                             // 103
    "revolutions-per-minute",               // 104
    "currency1",                            // 105
    "currency2",                            // 106
    "currency3",                            // 107
    "currency4",                            // 108
    "currency5",                            // 109
    "currency6",                            // 110
    "currency7",                            // 111
    "currency8",                            // 112
    "currency9",                            // 113
    "currency10",                           // 114
    "square-inches",                        // 115
    "square-centimeters",                   // 116
    "btus-per-pound",                       // 117
    "centimeters",                          // 118
    "pounds-mass-per-second",               // 119
    "delta-degrees-Fahrenheit",             // 120
    "delta-degrees-Kelvin",                 // 121
    "kilohms",                              // 122
    "megohms",                              // 123
    "millivolts",                           // 124
    "kilojoules-per-kilogram",              // 125
    "megajoules",                           // 126
    "joules-per-degree-Kelvin",             // 127
    "btus-per-kilogram-degree-Kelvin",      // 128
    "kilohertz",                            // 129
    "megahertz",                            // 130
    "per-hour",                             // 131
    "milliwatts",                           // 132
    "hectopascals",                         // 133
    "millibars",                            // 134
    "cubic-meters-per-hour",                // 135
    "liters-per-hour",                      // 136
    "kilowatt-hours-per-square-meter",      // 137
    "kilowatt-hours-per-square-foot",       // 138
    "megajoules-hours-per-square-meter",    // 139
    "megajoules-hours-per-square-foot",     // 140
    "watts-per-square-meter-degree-kelvin", // 141
    "cubic-feet-per-second",                // 142
    "percent-obscuration-per-foot",         // 143
    "percent-obscuration-per-meter",        // 144
    "milliohms",                            // 145
    "megawatt-hours",                       // 146
    "kilo-btus",                            // 147
    "mega-btus",                            // 148
    "kilojoules-per-kilogram-dry-air",      // 149
    "megajoules-per-kilogram-dry-air",      // 150
    "kilojoules-per-degree-Kelvin",         // 151
    "megajoules-per-degree-Kelvin",         // 152
    "newton",                               // 153
    "grams-per-second",                     // 154
    "grams-per-minute",                     // 155
    "tons-per-hour",                        // 156
    "kilo-btus-per-hour",                   // 157
    "hundredths-seconds",                   // 158
    "milliseconds",                         // 159
    "newton-meters",                        // 160
    "millimeters-per-second",               // 161
    "millimeters-per-minute",               // 162
    "meters-per-minute",                    // 163
    "meters-per-hour",                      // 164
    "cubic-meters-per-minute",              // 165
    "meters-per-second-per-second",         // 166
    "amperes-per-meter",                    // 167
    "amperes-per-square-meter",             // 168
    "ampere-square-meters",                 // 169
    "farads",                               // 170
    "henrys",                               // 171
    "ohm-meters",                           // 172
    "siemens",                              // 173
    "siemens-per-meter",                    // 174
    "teslas",                               // 175
    "volts-per-degree-Kelvin",              // 176
    "volts-per-meter",                      // 177
    "webers",                               // 178
    "candelas",                             // 179
    "candelas-per-square-meter",            // 180
    "degrees-Kelvin-per-hour",              // 181
    "degrees-Kelvin-per-minute",            // 182
    "joule-seconds",                        // 183
    "radians-per-second",                   // 184
    "square-meters-per-Newton",             // 185
    "kilograms-per-cubic-meter",            // 186
    "newton-seconds",                       // 187
    "newtons-per-meter",                    // 188
    "watts-per-meter-per-degree-Kelvin",    // 189
    "microsiemens",                         // 190
    "cubic-feet-per-hour",                  // 191
    "us-gallons-per-hour",                  // 192
    "kilometers",                           // 193
    "micrometers",                          // 194
    "grams",                                // 195
    "milligrams",                           // 196
    "milliliters",                          // 197
    "milliliters-per-second",               // 198
    "decibels",                             // 199
    "decibels-millivolt",                   // 200
    "decibels-volt",                        // 201
    "millisiemens",                         // 202
    "watt-hours-reactive",                  // 203
    "kilowatt-hours-reactive",              // 204
    "megawatt-hours-reactive",              // 205
    "millimeters-of-water",                 // 206
    "per-mille",                            // 207
    "grams-per-gram",                       // 208
    "kilograms-per-kilogram",               // 209
    "grams-per-kilogram",                   // 210
    "milligrams-per-gram",                  // 211
    "milligrams-per-kilogram",              // 212
    "grams-per-milliliter",                 // 213
    "grams-per-liter",                      // 214
    "milligrams-per-liter",                 // 215
    "micrograms-per-liter",                 // 216
    "grams-per-cubic-meter",                // 217
    "milligrams-per-cubic-meter",           // 218
    "micrograms-per-cubic-meter",           // 219
    "nanograms-per-cubic-meter",            // 220
    "grams-per-cubic-centimeter",           // 221
    "becquerels",                           // 222
    "kilobecquerels",                       // 223
    "megabecquerels",                       // 224
    "gray",                                 // 225
    "milligray",                            // 226
    "microgray",                            // 227
    "sieverts",                             // 228
    "millisieverts",                        // 229
    "microsieverts",                        // 230
    "microsieverts-per-hour",               // 231
    "decibels-a",                           // 232
    "nephelometric-turbidity-unit",         // 233
    "pH",                                   // 234
    "grams-per-square-meter",               // 235
    "minutes-per-degree-kelvin",            // 236
};
const int16_t kAcceleration[] = {166};
const int16_t kArea[] = {0, 116, 1, 115};
const int16_t kCurrency[] = {105, 106, 107, 108, 109, 110, 111, 112, 113, 114};
const int16_t kElectrical[] = {2,   3,   167, 168, 169, 199, 200, 201, 170, 171, 4,  172,
                               145, 122, 123, 190, 202, 173, 174, 175, 5,   124, 6,  7,
                               8,   9,   10,  11,  12,  13,  176, 177, 14,  15,  178};
const int16_t kEnergy[] = {16, 17, 125, 126, 18, 19, 146, 203, 204, 205, 20, 147, 148, 21, 22};
const int16_t kEnthalpy[] = {23, 149, 150, 24, 117};
const int16_t kEntropy[] = {127, 151, 152, 128};
const int16_t kForce[] = {153};
const int16_t kFrequency[] = {25, 26, 27, 129, 130, 131};
const int16_t kHumidity[] = {28, 29};
const int16_t kLength[] = {194, 30, 118, 193, 31, 32, 33};
const int16_t kLight[] = {179, 180, 34, 35, 36, 37, 38};
const int16_t kMass[] = {196, 195, 39, 40, 41};
const int16_t kMass_Flow[] = {154, 155, 42, 43, 44, 119, 45, 46, 156};
const int16_t kPower[] = {132, 47, 48, 49, 50, 157, 51, 52};
const int16_t kPressure[] = {53, 133, 54, 134, 55, 56, 206, 57, 58, 59, 60, 61};
const int16_t kTemperature[] = {62, 63, 181, 182, 64, 65, 66, 120, 121};
const int16_t kTime[] = {67, 68, 69, 70, 71, 72, 73, 158, 159};
const int16_t kTorque[] = {160};
const int16_t kVelocity[] = {161, 162, 74, 163, 164, 75, 76, 77, 78};
const int16_t kVolume[] = {79, 80, 81, 197, 82, 83};
const int16_t kVolumetric_Flow[] = {142, 84, 191, 85, 165, 135, 86, 198, 87, 88, 136, 89, 192};
const int16_t kOther[] = {90,  91,  92,  93,  94,  183, 186, 137, 138, 139, 140, 95,  187, 188, 96,
                          97,  98,  143, 144, 99,  100, 101, 102, 103, 184, 104, 185, 189, 141, 207,
                          208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222,
                          223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236};
const TUnitCategory kCategories[] = {
    {"Acceleration", kAcceleration},
    {"Area", kArea},
    {"Currency", kCurrency},
    {"Electrical", kElectrical},
    {"Energy", kEnergy},
    {"Enthalpy", kEnthalpy},
    {"Entropy", kEntropy},
    {"Force", kForce},
    {"Frequency", kFrequency},
    {"Humidity", kHumidity},
    {"Length", kLength},
    {"Light", kLight},
    {"Mass", kMass},
    {"Mass Flow", kMass_Flow},
    {"Power", kPower},
    {"Pressure", kPressure},
    {"Temperature", kTemperature},
    {"Time", kTime},
    {"Torque", kTorque},
    {"Velocity", kVelocity},
    {"Volume", kVolume},
    {"Volumetric Flow", kVolumetric_Flow},
    {"Other", kOther},
};

// Where the unit list names a code otherwise than Desc_Unit.
struct TListOverride {
    int Code;
    const char* Name;
};
const TListOverride kList_Overrides[] = {
    {139, "megajoules-per-square-meter"},
    {140, "megajoules-per-square-foot"},
    {172, "ohms-meters"},
};

} // namespace

std::span<const TUnitCategory> Categories()
{
    return kCategories;
}

QString List_Name(int Code)
{
    for (const TListOverride& o : kList_Overrides)
        if (o.Code == Code)
            return QString::fromLatin1(o.Name);
    return Desc_Unit(Code);
}

} // namespace bacnetunits

QString Desc_Unit(int Num_Unit)
{
    if (Num_Unit < 0 || Num_Unit >= bacnetunits::Unit_Count)
        return QStringLiteral("unknown");
    return QString::fromLatin1(bacnetunits::kUnit_Names[Num_Unit]);
}
