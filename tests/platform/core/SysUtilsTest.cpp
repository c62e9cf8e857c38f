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
        {"$80000000", std::nullopt, 0x80000000LL},
        {"9223372036854775807", std::nullopt, INT64_MAX},
        {"9223372036854775808", std::nullopt, std::nullopt},
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

TEST(FormatText, ToolkitPlaceholders)
{
    EXPECT_EQ(Format("Row %d of %s", {3, QString("A")}), "Row 3 of A");
    EXPECT_EQ(Format("%.3d|%5d|%-4s|%x|%%", {7, -42, QString("ab"), 255}), "007|  -42|ab  |FF|%");
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    SetFormatSettings(fs);
    EXPECT_EQ(Format("%.2f", {1.5}), "1,50");
    ResetFormatSettings();
    EXPECT_THROW(Format("%d", {QString("x")}), EConvertError);
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
}

TEST(StringHelpers, TrimAndCopyCountLikeTheToolkit)
{
    EXPECT_EQ(Trim(QString(" \t a b \r\n")), "a b");
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 0, 2), "ab");
    EXPECT_EQ(Copy("abc", 5, 2), "");
    EXPECT_EQ(Pos("c", "abc"), 3);
    EXPECT_EQ(UpperCase(QString::fromUtf8("aé")), QString::fromUtf8("Aé"));
    EXPECT_EQ(IntToHex(0x1F, 4), "001F");
}

TEST(CodePage, Windows1252RoundTrip)
{
    const QByteArray bytes("\x80\xE9\x93x\x81", 5);
    const QString text = DecodeWindows1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("€é“x") + QChar(0x81));
    EXPECT_EQ(EncodeWindows1252(text), bytes);
}

TEST(FloatText, RegionalSeparator)
{
    TFormatSettings fs;
    fs.DecimalSeparator = ',';
    SetFormatSettings(fs);
    double v = 0;
    EXPECT_TRUE(TryStrToFloat("1,5", v));
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_FALSE(TryStrToFloat("1.5", v));
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
