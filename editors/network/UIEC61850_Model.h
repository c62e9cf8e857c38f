// The object model of one IEC 61850 server as its SCL file describes it, read only, for the client
// editor (UIEC_61850_Access.h): the file's first IED with its logical devices, logical nodes, data
// objects and data attributes - structured attributes down to their last member - and each logical
// node's data sets with their members and the GOOSE control block that publishes them. Types are
// resolved through the file's "DataTypeTemplates"; every attribute and data set carries its complete
// object reference and every attribute its functional constraint.
//
// Reading (TIEC_Device::Create):
//   pass 1  every "LDevice" of the IED's first server, with its "LN0"/"LN" elements, their data
//           objects (through "LNodeType", "DOType", "DAType" templates of the type's id)
//   pass 2  the data sets of every logical node and its "GSEControl" names, once the whole device
//           exists, so a data-set member may name a later logical device; the k-th "LDevice" (and
//           "LN0"/"LN") element is paired with the k-th object of pass 1.
// Names are compared exactly (case, whole text, prefix included); look-ups walk direct element
// children only. A device owns everything below it; the editor holds devices and the objects below
// them through aliasing shared pointers, so an object outlives its device's removal as long as a
// link points into it. The model keeps no XML document.
#pragma once

#include <QString>
#include <memory>
#include <vector>

class TTreeNode;
class TXmlElement;
class TIEC_Device;

// The file's DataTypeTemplates, each type decoded once (TIEC_DA_Type, TIEC_DO_Type) and copied
// into every object of that type.
class TIEC_Templates;
struct TIEC_DA_Type;
struct TIEC_DO_Type;

// One data attribute, or one member (BDA) of a structured attribute.
class TIEC_DA
{
  public:
    const QString& Reference() const { return fReference; }
    void SetReference(const QString& Value) { fReference = Value; }
    const QString& FC() const { return fFC; }
    void SetFC(const QString& Value) { fFC = Value; }
    const QString& bType() const { return fbType; }
    void SetbType(const QString& Value) { fbType = Value; }
    const QString& Name() const { return fName; }
    void SetName(const QString& Value) { fName = Value; }

    // Reads a DA or BDA element; a structure gets its members, each inheriting FC_Father's or this FC.
    void Decode_DA(const TXmlElement& DA, const TIEC_Templates& DTT, const QString& str_Reference,
                   const QString& FC_Father);
    // The first attribute of this name among the members, searched depth first in pre-order.
    TIEC_DA* Find_DA(const QString& DA_Name) const;
    // The first leaf below this attribute (itself has members), or none.
    TIEC_DA* Find_First_DA() const;
    // The attribute of a decoded DA or BDA element, with its members.
    void Instantiate(const TIEC_DA_Type& Type, const QString& str_Reference, const QString& FC_Father);

    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTreeNode* TreeNode = nullptr;

  private:
    QString fReference, fFC, fbType, fName;
};

// One data object or sub data object.
class TIEC_DO
{
  public:
    const QString& Name() const { return fName; }
    void SetName(const QString& Value) { fName = Value; }

    void Decode_DO(const TXmlElement& NDO, const TIEC_Templates& DTT, const QString& str_Reference);
    // Pre-order: this list's entry i, then its sub data objects, then entry i + 1.
    TIEC_DO* Find_DO(const QString& DO_Name) const;
    // Own attributes and their members only, never those of sub data objects.
    TIEC_DA* Find_DA(const QString& DA_Name) const;
    // The first leaf of the own List_DA (entry 0, its entry 0, ...), or none.
    TIEC_DA* Find_First_DA() const;
    // The data object Name of a decoded DOType (none: no children).
    void Instantiate(const QString& Name, const TIEC_DO_Type* Type, const QString& str_Reference);

    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DA>> List_DA;
    TTreeNode* TreeNode = nullptr;

  private:
    QString fName;
};

// One data set: its members are attributes of the same device's data objects, in FCDA order (one
// attribute may be a member several times).
class TIEC_DataSet
{
  public:
    const QString& Name() const { return fName; }
    void SetName(const QString& Value) { fName = Value; }
    const QString& Reference() const { return fReference; }
    void SetReference(const QString& Value) { fReference = Value; }
    const QString& GooseName() const { return fGooseName; }
    void SetGooseName(const QString& Value) { fGooseName = Value; }

    void Decode_DataSet(const TXmlElement& DataSet, const TIEC_Templates& DTT, const QString& str_Reference,
                        const TIEC_Device& IEC_Device);

    std::vector<TIEC_DA*> List_DA; // not owned
    TTreeNode* TreeNode = nullptr;

  private:
    QString fName, fReference, fGooseName;
};

// One logical node (LN0 or LN).
class TIEC_LN
{
  public:
    const QString& lnClass() const { return flnClass; }
    void SetlnClass(const QString& Value) { flnClass = Value; }
    const QString& lnType() const { return flnType; }
    void SetlnType(const QString& Value) { flnType = Value; }
    const QString& Prefix() const { return fPrefix; }
    void SetPrefix(const QString& Value) { fPrefix = Value; }
    const QString& Inst() const { return fInst; }
    void SetInst(const QString& Value) { fInst = Value; }

    void Decode_LN(const TXmlElement& LN, const TIEC_Templates& DTT, const QString& str_Reference);
    void Decode_LN_DataSet(const TXmlElement& LN, const TIEC_Templates& DTT, const QString& str_Reference,
                           const TIEC_Device& IEC_Device);
    // One GSEControl element: names the GOOSE block of the data set it publishes.
    void Decode_LN_Goose(const TXmlElement& LN, const QString& str_Reference);
    TIEC_DO* Find_DO(const QString& DO_Name) const;

    std::vector<std::unique_ptr<TIEC_DO>> List_DO;
    std::vector<std::unique_ptr<TIEC_DataSet>> List_DataSet;
    TTreeNode* TreeNode = nullptr;

  private:
    QString flnClass, flnType, fPrefix, fInst;
};

// One logical device.
class TIEC_LDevice
{
  public:
    const QString& Name() const { return fName; }
    void SetName(const QString& Value) { fName = Value; }

    // Pass 1 (DataSetSearch false) builds the logical nodes; pass 2 their data sets.
    void Decode_LDevice(const TXmlElement& LDevice, const TIEC_Templates& DTT, const QString& str_Reference,
                        bool DataSetSearch, const TIEC_Device* IEC_Device);
    // The first logical node of this class (prefix and inst are not compared).
    TIEC_LN* Find_LN(const QString& LN_Class) const;

    std::vector<std::unique_ptr<TIEC_LN>> List_LN;
    TTreeNode* TreeNode = nullptr;

  private:
    QString fName;
};

// One IED read from one SCL file.
class TIEC_Device
{
  public:
    // Reads the file's first IED. A missing file gives a device with an empty name; a file that is
    // not well-formed raises the XML layer's EXmlError (file and line).
    static std::shared_ptr<TIEC_Device> Create(const QString& FileName_icd);
    // An empty device (no logical devices) with the given texts: a catalogue entry whose file is
    // gone keeps its place and its saved name this way.
    static std::shared_ptr<TIEC_Device> Placeholder(const QString& Name, const QString& FileName);

    const QString& Name() const { return fName; }
    void SetName(const QString& Value) { fName = Value; }
    const QString& FileName() const { return fFileName; }
    void SetFileName(const QString& Value) { fFileName = Value; }

    TIEC_LDevice* Find_LDevice(const QString& LD_Name) const;

    std::vector<std::unique_ptr<TIEC_LDevice>> List_LDevice;
    TTreeNode* TreeNode = nullptr;

  private:
    void Decode_Device(const QString& FileName_icd);

    QString fName, fFileName;
};
