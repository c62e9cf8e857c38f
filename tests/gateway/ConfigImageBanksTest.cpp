// Compile driver and the bank files "bin/bank1.bin" and "bin/bank2.bin".
#include "ConfigImageTest.h"

#include <QFile>
#include <memory>

using namespace configimage_test;
using testsupport::readBytes;

namespace
{

void fillProject(TProject& project)
{
    project.parGen({{"EtherCAT_Slave_Name", "press"}, {"Ethernet_IP4", "77"}, {"ModbusM_BAUDRATE", "5"}});
    project.etherCAT({variable("UInt16", "Speed", "1200")}, {});
    project.groups({{{"Group_Name", "Drive"}, {"Num_Variables", "1"}, {"Mnemonic", ""}}});
    project.modbus({{{"Enable", "Y"},
                     {"Slave_ID", "3"},
                     {"Type", "Input Register"},
                     {"Address", "7"},
                     {"NPoint", "2"},
                     {"PollTime", "100"},
                     {"MaxError", "1"}}});
}

} // namespace

TEST(ConfigImageBanks, SaveWritesBothBanksAndCreatesBin)
{
    TProject project;
    fillProject(project);
    QDir(project.file("bin")).removeRecursively();
    const TConfigBanks banks = project.compile();
    Save_Config_Banks(project.dir(), banks);

    EXPECT_EQ(readBytes(project.file("bin/bank1.bin")), banks.Bank1);
    EXPECT_EQ(readBytes(project.file("bin/bank2.bin")), banks.Bank2);
    EXPECT_EQ(banks.Bank2.size(), kEmptyProjectBank2 + 6 + 6 + 2); // "Speed", "Drive", the value
    EXPECT_EQ(QDir(project.file("bin")).entryList(QDir::Files), QStringList({"bank1.bin", "bank2.bin"}));
}

TEST(ConfigImageBanks, FailedCompileLeavesEarlierBankFiles)
{
    TProject project;
    fillProject(project);
    TConfigCompiler compiler(project.paths());
    compiler.Compile_Config_Banks();
    compiler.Save_Config_Banks();
    const QByteArray bank1 = readBytes(project.file("bin/bank1.bin"));
    const QByteArray bank2 = readBytes(project.file("bin/bank2.bin"));

    project.write("ParGen.xml", "<Par_Gen><EtherCAT_Slave_Name>press</EtherCAT_Slave_Name><ModbusM_BAUD");
    EXPECT_THROW(compiler.Compile_Config_Banks(), EXmlError);
    // The half-built banks of the failed compile cannot be saved either.
    EXPECT_THROW(compiler.Save_Config_Banks(), EInvalidOperation);
    EXPECT_EQ(readBytes(project.file("bin/bank1.bin")), bank1);
    EXPECT_EQ(readBytes(project.file("bin/bank2.bin")), bank2);
}

TEST(ConfigImageBanks, EveryCompileStartsClean)
{
    TProject project;
    fillProject(project);
    auto compiler = std::make_unique<TConfigCompiler>(project.paths());
    compiler->Compile_Config_Banks();
    const TConfigBanks full = compiler->Banks();

    for (const char* name :
         {"ParGen.xml", "EtherCAT_Slave.xml", "EtherCAT_Slave_Group.xml", "ModbusM_SetAccess.xml"})
        ASSERT_TRUE(QFile::remove(project.file(name)));
    compiler->Compile_Config_Banks();
    const TConfigBanks empty = compiler->Banks();
    EXPECT_EQ(empty.Bank1.right(4), hex("120E0000"));
    EXPECT_EQ(empty.Bank2.size(), kEmptyProjectBank2);

    // Nothing of the first compile is left: the reused compiler gives what a fresh one gives.
    TProject other;
    const TConfigBanks fresh = Compile_Config_Banks(other.paths());
    EXPECT_EQ(empty.Bank1, fresh.Bank1);
    EXPECT_EQ(empty.Bank2, fresh.Bank2);
    EXPECT_NE(full.Bank1, empty.Bank1);
}

TEST(ConfigImageBanks, SaveFailuresNameTheFileOrFolder)
{
    TProject project;
    const TConfigBanks banks = project.compile();

    // "bin" taken by a plain file: the folder cannot be made.
    QDir(project.file("bin")).removeRecursively();
    testsupport::writeBytes(project.file("bin"), "x");
    try {
        Save_Config_Banks(project.dir(), banks);
        ADD_FAILURE() << "saved without a bin folder";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(project.file("bin"))) << e.Message.toStdString();
    }

    // A folder where bank2.bin belongs: that file is named, and bank 1 stays the old one beside it.
    QFile::remove(project.file("bin"));
    QDir(project.dir()).mkpath("bin/bank2.bin");
    testsupport::writeBytes(project.file("bin/bank1.bin"), "old bank 1");
    try {
        Save_Config_Banks(project.dir(), banks);
        ADD_FAILURE() << "saved over a folder";
    } catch (const EInOutError& e) {
        EXPECT_TRUE(e.Message.contains(project.file("bin/bank2.bin"))) << e.Message.toStdString();
    }
    EXPECT_EQ(readBytes(project.file("bin/bank1.bin")), "old bank 1");
    EXPECT_EQ(QDir(project.file("bin")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList({"bank1.bin", "bank2.bin"}));

    EXPECT_THROW(Save_Config_Banks(QString(), banks), EInOutError);
    EXPECT_THROW(Save_Config_Banks(project.dir(), TConfigBanks()), EInvalidOperation);
}
