// TIniFile: values by section and key survive a new object on the same file; missing keys and
// non-numbers give the default.
#include "platform/core/IniFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(IniFile, ValuesRoundTripThroughTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.ini");
    {
        TIniFile ini(path);
        ini.WriteInteger("Grid", "CP0", 3);
        ini.WriteInteger("Grid", "CP1", -2);
        ini.WriteString("Other", "Name", "a b=c");
        ini.WriteString("Other", "Text", "x");
        ini.UpdateFile();
    }
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("Grid", "CP0", -1), 3);
    EXPECT_EQ(ini.ReadInteger("Grid", "CP1", -1), -2);
    EXPECT_EQ(ini.ReadInteger("Grid", "CP2", -1), -1);
    EXPECT_EQ(ini.ReadInteger("Other", "CP0", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Other", "Text", 9), 9); // no number
    EXPECT_EQ(ini.ReadString("Other", "Name", ""), "a b=c");
    EXPECT_EQ(ini.ReadString("Other", "None", "def"), "def");
    EXPECT_TRUE(ini.ValueExists("Grid", "CP0"));
    ini.DeleteKey("Grid", "CP0");
    EXPECT_FALSE(ini.ValueExists("Grid", "CP0"));
    ini.EraseSection("Other");
    EXPECT_FALSE(ini.ValueExists("Other", "Name"));
}
