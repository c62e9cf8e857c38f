#include "platform/core/SysUtils.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct IntCase {
    const char* text;
    std::optional<int32_t> as32;
    std::optional<int64_t> as64;
};

TEST(IntegerText, OneConversionForEveryCaller)
{
    const IntCase cases[] = {
        {" 12", 12, 12},
        {"+7", 7, 7},
        {"-0x1F", -31, -31},
        {"$ff", 255, 255},
        {"0X10", 16, 16},
        {"x1a", 26, 26},
        {"12 ", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {"   ", std::nullopt, std::nullopt},
        {"x", std::nullopt, std::nullopt},
        {"$", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},
        {"0x", std::nullopt, std::nullopt},
        {"2147483647", 2147483647, 2147483647},
        {"2147483648", std::nullopt, 2147483648LL},
        {"-2147483648", INT32_MIN, -2147483648LL},
        {"$7FFFFFFF", 0x7FFFFFFF, 0x7FFFFFFF},
        // Eight hexadecimal digits from 80000000 up are negative in 32 bits; more digits do not fit.
        {"$80000000", INT32_MIN, 0x80000000LL},
        {"$FFFFFFFF", -1, 0xFFFFFFFFLL},
        {"0x00000000FFFFFFFF", -1, 0xFFFFFFFFLL},
        {"0x100000000", std::nullopt, 0x100000000LL},
        {"-$1", -1, -1},
        {"9223372036854775807", std::nullopt, INT64_MAX},
        {"9223372036854775808", std::nullopt, std::nullopt},
        {"$7FFFFFFFFFFFFFFF", std::nullopt, INT64_MAX},
        {"$FFFFFFFFFFFFFFFF", std::nullopt, -1},
        {"$10000000000000000", std::nullopt, std::nullopt},
        {"\t5", std::nullopt, std::nullopt},
        {"- 5", std::nullopt, std::nullopt},
    };
    for (const IntCase& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t v32 = 0;
        EXPECT_EQ(TryStrToInt(c.text, v32), c.as32.has_value());
        if (c.as32) {
            EXPECT_EQ(v32, *c.as32);
        }
        EXPECT_EQ(StrToIntDef(c.text, -1), c.as32.value_or(-1));
        EXPECT_EQ(StrToInt64Def(c.text, -1), c.as64.value_or(-1));
    }
    EXPECT_THROW(StrToInt("abc"), EConvertError);
}

TEST(FormatText, ToolkitDirectives)
{
    struct Case {
        const char* format;
        QVariant arg;
        const char* text; // nullptr: EConvertError
    };
    const Case cases[] = {
        {"%d", 3, "3"},
        {"%5d", -42, "  -42"},
        {"%-5d|", 7, "7    |"},
        {"%.3d", 7, "007"},
        {"%.3d", -7, "-007"},
        {"%05d", -5, "-0005"},
        {"%.8d", 97, "00000097"},
        {"%d", qint64(-9000000000), "-9000000000"},
        {"%u", -1, "4294967295"},
        {"%x", -1, "FFFFFFFF"},
        {"%x", qint64(-1), "FFFFFFFFFFFFFFFF"},
        {"%x", 255, "FF"},
        {"%.4x", 255, "00FF"},
        {"%d", 3.7, nullptr},
        {"%x", 1.0, nullptr},
        {"%d", QString("1"), nullptr},
        {"%s", QString("ab"), "ab"},
        {"%-4s|", QString("ab"), "ab  |"},
        {"%.1s", QString("ab"), "a"},
        {"%s", 1, nullptr},
        {"%f", 1.5, "1.50"},
        {"%.2f", -0.126, "-0.13"},
        {"%08.2f", -1.5, "-0001.50"},
        {"%f", 1, nullptr},
        {"%n", 1234567.891, "1,234,567.89"},
        {"%.0n", -1234.0, "-1,234"},
        {"%e", 1.5, "1.50000000000000E+000"},
        {"%.3e", -1234.5, "-1.23E+003"},
        {"%g", 0.1, "0.1"},
        {"%g", 1e20, "1E+20"},
        {"%g", 2.0, "2"},
        {"%q", 1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        if (c.text) {
            EXPECT_EQ(Format(c.format, {c.arg}), c.text);
        } else {
            EXPECT_THROW(Format(c.format, {c.arg}), EConvertError);
        }
    }
    EXPECT_EQ(Format("Row %d of %s: %%", {3, QString("A")}), "Row 3 of A: %");
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);

    // The regional separators, "." as thousand separator included.
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    fs.ThousandSeparator = '.';
    SetFormatSettings(fs);
    EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
    EXPECT_EQ(Format("%n", {1234567.5}), "1.234.567,50");
    ResetFormatSettings();
}

TEST(IntegerText, HexOfANegativeValueHasItsTypesWidth)
{
    EXPECT_EQ(IntToHex(int32_t(-1), 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t(-1), 2), "FFFFFFFFFFFFFFFF");
    EXPECT_EQ(IntToHex(int16_t(-2), 4), "FFFE");
    EXPECT_EQ(IntToHex(uint8_t(0xA), 4), "000A");
    EXPECT_EQ(IntToHex(0x1F, 4), "001F");
}

TEST(StringHelpers, TrimAndCopyCountLikeTheToolkit)
{
    EXPECT_EQ(Trim(QString(" \t a b \r\n")), "a b");
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 5, 2), "");
    EXPECT_EQ(Pos("c", "abc"), 3);
    EXPECT_EQ(UpperCase(QString::fromUtf8("aé")), QString::fromUtf8("Aé"));
}

TEST(CodePage, Windows1252RoundTrip)
{
    const QByteArray bytes("\x80\xE9\x93x\x81", 5);
    const QString text = DecodeWindows1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("€é“x") + QChar(0x81));
    EXPECT_EQ(EncodeWindows1252(text), bytes);
}

TEST(FloatText, OnlyTheRegionalDecimalSeparator)
{
    struct Case {
        QChar separator;
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {'.', "1.5", 1.5},
        {'.', " 1.5 ", 1.5},
        {'.', "-2", -2},
        {'.', "+.5", 0.5},
        {'.', "3.", 3},
        {'.', "1.5e2", 150},
        {'.', "1E-2", 0.01},
        {'.', "1,000.5", std::nullopt},
        {'.', "1,5", std::nullopt},
        {'.', "1.2.3", std::nullopt},
        {'.', ".", std::nullopt},
        {'.', "1e", std::nullopt},
        {'.', "1e999", std::nullopt},
        {'.', "inf", std::nullopt},
        {'.', "nan", std::nullopt},
        {'.', "0x10", std::nullopt},
        {'.', "1 5", std::nullopt},
        {'.', "", std::nullopt},
        {',', "1,5", 1.5},
        {',', "1.5", std::nullopt},
        {',', "1.000,5", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " with '" + char(c.separator.unicode()) + "'");
        TFormatSettings fs;
        fs.DecimalSeparator = c.separator;
        fs.ThousandSeparator = c.separator == '.' ? ',' : '.';
        SetFormatSettings(fs);
        double v = -7;
        EXPECT_EQ(TryStrToFloat(c.text, v), c.value.has_value());
        EXPECT_DOUBLE_EQ(StrToFloatDef(c.text, 0), c.value.value_or(0));
    }
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    SetFormatSettings(fs);
    EXPECT_EQ(FloatToStr(2.25), "2,25");
    ResetFormatSettings();
}

TEST(FileNames, PartsOfAPath)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.xml"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.xml"), "c.xml");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ExtractFileExt("x.tar.gz"), ".gz");
    EXPECT_EQ(ChangeFileExt("/a/b.d/c", ".csv"), "/a/b.d/c.csv");
    EXPECT_EQ(ChangeFileExt("x.txt", ".csv"), "x.csv");
}

} // namespace
