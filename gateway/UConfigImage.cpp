// Compile driver and bank files of the configuration image.
#include "gateway/UConfigImage.h"

#include <algorithm>
#include <memory>

using namespace ConfigImage;

TConfigPaths TConfigPaths::ForProject(const QString& projectDir)
{
    const QString dir = IncludeTrailingPathDelimiter(projectDir);
    TConfigPaths p;
    p.ProjectDir = projectDir;
    p.ParGen = dir + "ParGen.xml";
    p.EtherCAT_Slave = dir + "EtherCAT_Slave.xml";
    p.EtherCAT_Slave_Group = dir + "EtherCAT_Slave_Group.xml";
    p.ModbusM_SetAccess = dir + "ModbusM_SetAccess.xml";
    return p;
}

TConfigCompiler::TConfigCompiler(TConfigPaths paths)
    : paths_(std::move(paths)), bank1_(kBankSize, 0), bank2_(kBankSize, 0)
{
    Build_Main_Block_Defaults();
    Clear_EtherCAT_Tables();
    Clear_Modbus_Table();
}

void TConfigCompiler::Compile_Config_Banks()
{
    // Until this compile completes there is nothing to save.
    bank1Length_ = 0;
    bank2Length_ = 0;

    Build_Main_Block_Defaults();
    Clear_EtherCAT_Tables();
    Clear_Modbus_Table();
    Read_ParGen_Xml();
    PutMain32(kModbusTableAddressOffset, kBank2DeviceAddress);
    PutMain32(kEtherCATAddressOffset, kEtherCATDeviceAddress);
    Read_EtherCAT_Variables(kEtherCATDeviceAddress);
    Read_Modbus_Requests();

    std::fill(bank1_.begin(), bank1_.end(), 0);
    std::fill(bank2_.begin(), bank2_.end(), 0);
    const int length1 = Append_Main_Block(0, bank1_);
    int length2 = Write_Modbus_Table(0, bank2_);
    length2 = Write_EtherCAT_Section(length2, bank2_);
    bank1Length_ = length1;
    bank2Length_ = length2;
}

TConfigBanks TConfigCompiler::Banks() const
{
    TConfigBanks b;
    b.Bank1 = QByteArray(reinterpret_cast<const char*>(bank1_.data()), bank1Length_);
    b.Bank2 = QByteArray(reinterpret_cast<const char*>(bank2_.data()), bank2Length_);
    return b;
}

void TConfigCompiler::Save_Config_Banks() const
{
    ::Save_Config_Banks(paths_.ProjectDir, Banks());
}

TConfigBanks Compile_Config_Banks(const TConfigPaths& paths)
{
    auto compiler = std::make_unique<TConfigCompiler>(paths);
    compiler->Compile_Config_Banks();
    return compiler->Banks();
}

void Save_Config_Banks(const QString& projectDir, const TConfigBanks& banks)
{
    if (projectDir.isEmpty())
        throw EInOutError("No project is open: the configuration image cannot be written");
    // Empty banks mean no compile finished; writing them would hand the updater empty files.
    if (banks.Bank1.isEmpty() || banks.Bank2.isEmpty())
        throw EInvalidOperation("The configuration image has not been compiled");
    const QString bin = IncludeTrailingPathDelimiter(projectDir) + "bin";
    if (!DirectoryExists(bin) && !ForceDirectories(bin))
        throw EInOutError(QString("Cannot create folder \"%1\"").arg(bin));
    // The two banks belong together: both are replaced, or neither; a failure names the file.
    WriteFilesAtomic({{bin + "/bank1.bin", banks.Bank1}, {bin + "/bank2.bin", banks.Bank2}});
}
