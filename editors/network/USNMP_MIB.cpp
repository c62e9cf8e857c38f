#include "editors/network/USNMP_MIB.h"

#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UMakerMIB.h"
#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

std::vector<bool> MIB_Read_Is_Int;
std::vector<bool> MIB_Write_Is_Int;

namespace
{

constexpr int Text_File_Exists = 1105;
const QString Quote = QStringLiteral("\"");

// The enabled rows of one section into its description list and flags.
void Read_Section(const TXmlElement& Root, const QString& Path, const char* Section, QStringList& Descs,
                  std::vector<bool>& Is_Int)
{
    const TXmlElement parent = Root.Child(QLatin1String(Section));
    if (!parent)
        throw EXmlError(QString("%1: element %2 missing").arg(Path, QLatin1String(Section)));
    for (const TXmlElement& row : parent.Children()) {
        // A row without Enable is not taken.
        if (UpperCase(row.AttributeDef("Enable", "")) != "Y")
            continue;
        Descs << row.AttributeDef("Description", "");
        Is_Int.push_back(UpperCase(row.AttributeDef("Type", "")) == "INT");
    }
}

// The syntax of object i; an object without a flag is a String.
QString Syntax(const std::vector<bool>& Is_Int, qsizetype i)
{
    return size_t(i) < Is_Int.size() && Is_Int[size_t(i)] ? QStringLiteral("INTEGER")
                                                          : QStringLiteral("OCTET STRING");
}

// The eight data blocks of bufferin (read-only) or bufferout (read-write).
void Add_Blocks(QStringList& Lines, const QString& Parent, const QString& Access)
{
    for (int k = 1; k <= 8; ++k) {
        const QString n = QString::number(k);
        Lines << Parent + "blk" + n + " OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS " + Access +
                     " STATUS current DESCRIPTION " + Quote + "data block n." + n + Quote + " ::= { " +
                     Parent + " " + n + " }";
    }
}

// One object line per entry: named by its description, or Parent + n when that is empty.
void Add_Objects(QStringList& Lines, const QStringList& Descs, const std::vector<bool>& Is_Int,
                 const QString& Parent, const QString& Access)
{
    for (qsizetype i = 0; i < Descs.size(); ++i) {
        const QString n = QString::number(i + 1);
        const QString& desc = Descs[i];
        const QString name = desc.isEmpty() ? Parent + n : desc;
        Lines << name + " OBJECT-TYPE SYNTAX " + Syntax(Is_Int, i) + " MAX-ACCESS " + Access +
                     " STATUS current DESCRIPTION " + Quote + desc + Quote + " ::= { " + Parent + " " + n +
                     " }";
    }
}

} // namespace

void Create_MIB_File()
{
    QString name;
    if (!Execute_Save_Dialog(TSaveDialog::SaveMIB, name))
        return;
    if (FileExists(name) && MessageDlg(Lang_Text(Text_File_Exists), mtConfirmation, mbYesNo) != mrYes)
        return;
    Read_SNMP_Agent_Objects();
    Write_MIB_File(name);
}

void Read_SNMP_Agent_Objects()
{
    MIB_Read_Descs.clear();
    MIB_Write_Descs.clear();
    MIB_Read_Is_Int.clear();
    MIB_Write_Is_Int.clear();
    const QString path = File_SNMP_Trap;
    if (!FileExists(path))
        return;
    // A private document: the editor's is not touched. Both sections are read before the lists
    // are kept, so a faulty file leaves them empty.
    TXmlDocument doc;
    doc.LoadFromFile(path);
    const TXmlElement root = doc.Root();
    QStringList read, write;
    std::vector<bool> read_int, write_int;
    Read_Section(root, path, "SNMP_Trap_Read", read, read_int);
    Read_Section(root, path, "SNMP_Trap_Write", write, write_int);
    MIB_Read_Descs = read;
    MIB_Write_Descs = write;
    MIB_Read_Is_Int = read_int;
    MIB_Write_Is_Int = write_int;
}

QStringList MIB_Lines()
{
    const QString tab = QStringLiteral("\t");
    QStringList lines = {
        "GATEWAY DEFINITIONS ::= BEGIN",
        "IMPORTS",
        "       MODULE-IDENTITY,OBJECT-TYPE",
        "         FROM SNMPv2-SMI",
        "         DisplayString, TimeStamp",
        "         FROM SNMPv2-TC",
        "         enterprises",
        "         FROM RFC1155-SMI;",
        "",
        "identity MODULE-IDENTITY",
        "    LAST-UPDATED " + Quote + "201701310000Z" + Quote,
        "    ORGANIZATION " + Quote + maker_mib::Organization + Quote,
        "    CONTACT-INFO",
        tab + " " + Quote + maker_mib::Address_Line_1,
        QString("    ") + maker_mib::Address_Line_2,
        QString("    ") + maker_mib::Country,
        QString("    email:    ") + maker_mib::Mail + Quote,
        "    DESCRIPTION",
        tab + Quote + "MIB objects for agent module " + Quote,
        "    REVISION     " + Quote + "201701310000Z" + Quote,
        "    DESCRIPTION",
        tab + Quote + "Corrected notification " + Quote,
        "    REVISION     " + Quote + "200202060000Z" + Quote,
        "    DESCRIPTION",
        tab + Quote + "First draft" + Quote,
        "    ::= { brivex 2 }",
        "brivex" + QString(10, ' ') + "OBJECT IDENTIFIER ::= { enterprises " +
            QString::number(maker_mib::Enterprise_Number) + " }",
        "gateway OBJECT IDENTIFIER::= { brivex 1 }",
        "application OBJECT IDENTIFIER::= { gateway 1 }",
        "data OBJECT IDENTIFIER::= { application 1 }",
        "hellostring OBJECT-TYPE SYNTAX OCTET STRING MAX-ACCESS read-only  STATUS current  DESCRIPTION " +
            Quote + Quote + " ::= { data 1}",
        "countin  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-only  STATUS current  DESCRIPTION " +
            Quote + Quote + " ::= { data 2}",
        "countout  OBJECT-TYPE SYNTAX INTEGER       MAX-ACCESS read-write STATUS current  DESCRIPTION " +
            Quote + Quote + " ::= { data 3}",
        "bufferin OBJECT IDENTIFIER::= { data 4 }",
    };
    Add_Blocks(lines, "bufferin", "read-only");
    lines << " bufferinval OBJECT IDENTIFIER::= { bufferin 9 }";
    Add_Objects(lines, MIB_Read_Descs, MIB_Read_Is_Int, "bufferinval", "read-only");
    lines << "bufferout OBJECT IDENTIFIER::= { data 5 }";
    Add_Blocks(lines, "bufferout", "read-write");
    lines << " bufferoutval OBJECT IDENTIFIER::= { bufferout 9 }";
    Add_Objects(lines, MIB_Write_Descs, MIB_Write_Is_Int, "bufferoutval", "read-write");
    lines << "traps OBJECT IDENTIFIER::= { application 2 }";
    lines << " trapsval OBJECT IDENTIFIER::= { traps 1 }";
    for (qsizetype i = 0; i < MIB_Read_Descs.size(); ++i) {
        const QString n = QString::number(i + 1);
        lines << "trapval" + n + " NOTIFICATION-TYPE SYNTAX " + Syntax(MIB_Read_Is_Int, i) +
                     " MAX-ACCESS read-only STATUS current DESCRIPTION " + Quote + MIB_Read_Descs[i] + Quote +
                     " ::= { trapsval " + n + " }";
    }
    lines << "END";
    return lines;
}

void Write_MIB_File(const QString& FileName)
{
    QString text;
    for (const QString& line : MIB_Lines())
        text += line + "\r\n";
    WriteFileAtomic(FileName, EncodeWindows1252(text));
}
