#include "editors/network/UIEC61850_Model.h"

#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QHash>

namespace
{

QString Attr(const TXmlElement& e, const char* name)
{
    return e.AttributeDef(QLatin1String(name), QString());
}

} // namespace

// A DA or BDA element as read: what every attribute made from it copies.
struct TIEC_DA_Type {
    QString Name, bType, FC;
    bool Has_FC = false;
    const std::vector<std::unique_ptr<TIEC_DA_Type>>* Members = nullptr; // of its DAType; none for Enum
};

// The children of every DOType of one id, in document order.
struct TIEC_DO_Type {
    struct TChild {
        bool SDO = false;
        QString Name;                       // SDO
        const TIEC_DO_Type* Type = nullptr; // SDO; none when its id is unknown or empty
        std::unique_ptr<TIEC_DA_Type> DA;   // DA
    };
    std::vector<TChild> Children;
};

// Templates are looked up by element name and id for every logical node, data object and
// structure: an index built once per file replaces a walk over all of DataTypeTemplates, and each
// DOType and DAType is read once, the first time an object needs it. A template id may occur more
// than once: the children of all of them count, in document order. A type that contains itself
// gets no members where it recurs (a file cannot make the decoder loop).
class TIEC_Templates
{
  public:
    using TMembers = std::vector<std::unique_ptr<TIEC_DA_Type>>;

    explicit TIEC_Templates(const TXmlElement& DTT)
    {
        for (const TXmlElement& t : DTT.Children()) {
            if (!t.HasAttribute("id"))
                continue;
            index_[Key(t.NodeName(), t.Attribute("id"))].push_back(t);
        }
    }
    // Every child element named Type whose id is Id.
    const std::vector<TXmlElement>& Find(const QString& Type, const QString& Id) const
    {
        static const std::vector<TXmlElement> none;
        const auto it = index_.constFind(Key(Type, Id));
        return it == index_.cend() ? none : it.value();
    }

    // The members of a structure of DAType Id.
    const TMembers* DA_Type(const QString& Id) const
    {
        if (auto it = da_types_.constFind(Id); it != da_types_.cend())
            return it.value().get();
        auto members = std::make_shared<TMembers>();
        da_types_.insert(Id, nullptr); // while it is read: a recurring id has no members
        for (const TXmlElement& type : Find("DAType", Id))
            for (const TXmlElement& bda : type.Children("BDA"))
                members->push_back(Read_DA(bda));
        da_types_.insert(Id, members);
        return members.get();
    }
    std::unique_ptr<TIEC_DA_Type> Read_DA(const TXmlElement& DA) const
    {
        auto t = std::make_unique<TIEC_DA_Type>();
        t->Name = Attr(DA, "name");
        t->bType = Attr(DA, "bType");
        t->Has_FC = DA.HasAttribute("fc");
        if (t->Has_FC)
            t->FC = DA.Attribute("fc");
        // The type of an enumeration names an EnumType, which holds no members.
        if (DA.HasAttribute("type") && t->bType != "Enum")
            t->Members = DA_Type(DA.Attribute("type"));
        return t;
    }
    // The DOType of id Id; none for an empty id.
    const TIEC_DO_Type* DO_Type(const QString& Id) const
    {
        if (Id.isEmpty())
            return nullptr;
        if (auto it = do_types_.constFind(Id); it != do_types_.cend())
            return it.value().get();
        auto type = std::make_shared<TIEC_DO_Type>();
        do_types_.insert(Id, nullptr);
        for (const TXmlElement& t : Find("DOType", Id))
            for (const TXmlElement& child : t.Children()) {
                const QString kind = child.NodeName();
                TIEC_DO_Type::TChild c;
                if (kind == "SDO") {
                    c.SDO = true;
                    c.Name = Attr(child, "name");
                    c.Type = DO_Type(Attr(child, "type"));
                } else if (kind == "DA") {
                    c.DA = Read_DA(child);
                } else {
                    continue;
                }
                type->Children.push_back(std::move(c));
            }
        do_types_.insert(Id, type);
        return type.get();
    }
    // The DO elements of the LNodeTypes of id Id, as (name, type).
    const std::vector<std::pair<QString, const TIEC_DO_Type*>>& LN_Type(const QString& Id) const
    {
        auto it = ln_types_.find(Id);
        if (it != ln_types_.end())
            return it.value();
        std::vector<std::pair<QString, const TIEC_DO_Type*>> list;
        for (const TXmlElement& t : Find("LNodeType", Id))
            for (const TXmlElement& d : t.Children("DO"))
                list.emplace_back(Attr(d, "name"), DO_Type(Attr(d, "type")));
        return ln_types_.insert(Id, std::move(list)).value();
    }

  private:
    static QString Key(const QString& Type, const QString& Id) { return Type + QChar(0) + Id; }
    QHash<QString, std::vector<TXmlElement>> index_;
    mutable QHash<QString, std::shared_ptr<TMembers>> da_types_;
    mutable QHash<QString, std::shared_ptr<TIEC_DO_Type>> do_types_;
    mutable QHash<QString, std::vector<std::pair<QString, const TIEC_DO_Type*>>> ln_types_;
};

// ---- Attributes ---------------------------------------------------------------------------------------

void TIEC_DA::Decode_DA(const TXmlElement& DA, const TIEC_Templates& DTT, const QString& str_Reference,
                        const QString& FC_Father)
{
    Instantiate(*DTT.Read_DA(DA), str_Reference, FC_Father);
}

void TIEC_DA::Instantiate(const TIEC_DA_Type& Type, const QString& str_Reference, const QString& FC_Father)
{
    fName = Type.Name;
    fReference = str_Reference + "." + fName;
    fbType = Type.bType;
    fFC = Type.Has_FC ? Type.FC : FC_Father;
    if (!Type.Members)
        return;
    List_DA.reserve(Type.Members->size());
    for (const auto& m : *Type.Members) {
        auto member = std::make_unique<TIEC_DA>();
        member->Instantiate(*m, fReference, fFC);
        List_DA.push_back(std::move(member));
    }
}

TIEC_DA* TIEC_DA::Find_DA(const QString& DA_Name) const
{
    for (const auto& da : List_DA) {
        if (da->Name() == DA_Name)
            return da.get();
        if (TIEC_DA* found = da->Find_DA(DA_Name))
            return found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DA::Find_First_DA() const
{
    if (List_DA.empty())
        return nullptr;
    TIEC_DA* da = List_DA.front().get();
    while (!da->List_DA.empty())
        da = da->List_DA.front().get();
    return da;
}

// ---- Data objects -------------------------------------------------------------------------------------

void TIEC_DO::Decode_DO(const TXmlElement& NDO, const TIEC_Templates& DTT, const QString& str_Reference)
{
    Instantiate(Attr(NDO, "name"), DTT.DO_Type(Attr(NDO, "type")), str_Reference);
}

void TIEC_DO::Instantiate(const QString& Name, const TIEC_DO_Type* Type, const QString& str_Reference)
{
    fName = Name;
    if (!Type)
        return;
    const QString reference = str_Reference + "." + fName;
    for (const TIEC_DO_Type::TChild& child : Type->Children)
        if (child.SDO) {
            auto sdo = std::make_unique<TIEC_DO>();
            sdo->Instantiate(child.Name, child.Type, reference);
            List_DO.push_back(std::move(sdo));
        } else {
            auto da = std::make_unique<TIEC_DA>();
            da->Instantiate(*child.DA, reference, QString());
            List_DA.push_back(std::move(da));
        }
}

TIEC_DO* TIEC_DO::Find_DO(const QString& DO_Name) const
{
    for (const auto& d : List_DO) {
        if (d->Name() == DO_Name)
            return d.get();
        if (TIEC_DO* found = d->Find_DO(DO_Name))
            return found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DO::Find_DA(const QString& DA_Name) const
{
    for (const auto& da : List_DA) {
        if (da->Name() == DA_Name)
            return da.get();
        if (TIEC_DA* found = da->Find_DA(DA_Name))
            return found;
    }
    return nullptr;
}

TIEC_DA* TIEC_DO::Find_First_DA() const
{
    if (List_DA.empty())
        return nullptr;
    TIEC_DA* da = List_DA.front().get();
    return da->List_DA.empty() ? da : da->Find_First_DA();
}

// ---- Data sets ----------------------------------------------------------------------------------------

void TIEC_DataSet::Decode_DataSet(const TXmlElement& DataSet, const TIEC_Templates&,
                                  const QString& str_Reference, const TIEC_Device& IEC_Device)
{
    fName = Attr(DataSet, "name");
    fReference = str_Reference + "." + fName;
    for (const TXmlElement& fcda : DataSet.Children("FCDA")) {
        const QString ldInst = Attr(fcda, "ldInst");
        const QString lnClass = Attr(fcda, "lnClass");
        const QString doName = Attr(fcda, "doName");
        const QString daName = Attr(fcda, "daName");
        if (ldInst.isEmpty() || lnClass.isEmpty() || doName.isEmpty())
            continue;
        const TIEC_LDevice* ld = IEC_Device.Find_LDevice(ldInst);
        const TIEC_LN* ln = ld ? ld->Find_LN(lnClass) : nullptr;
        const TIEC_DO* obj = ln ? ln->Find_DO(doName) : nullptr;
        if (!obj)
            continue;
        if (TIEC_DA* da = daName.isEmpty() ? obj->Find_First_DA() : obj->Find_DA(daName))
            List_DA.push_back(da);
    }
}

// ---- Logical nodes ------------------------------------------------------------------------------------

void TIEC_LN::Decode_LN(const TXmlElement& LN, const TIEC_Templates& DTT, const QString& str_Reference)
{
    flnClass = Attr(LN, "lnClass");
    flnType = Attr(LN, "lnType");
    fPrefix = Attr(LN, "prefix");
    fInst = Attr(LN, "inst");
    const QString reference = str_Reference + "/" + fPrefix + flnClass + fInst;
    if (flnType.isEmpty())
        return;
    for (const auto& [name, type] : DTT.LN_Type(flnType)) {
        auto obj = std::make_unique<TIEC_DO>();
        obj->Instantiate(name, type, reference);
        List_DO.push_back(std::move(obj));
    }
}

void TIEC_LN::Decode_LN_DataSet(const TXmlElement& LN, const TIEC_Templates& DTT,
                                const QString& str_Reference, const TIEC_Device& IEC_Device)
{
    flnClass = Attr(LN, "lnClass");
    const QString base = str_Reference + "/" + flnClass;
    if (Attr(LN, "lnType").isEmpty())
        return;
    for (const TXmlElement& ds : LN.Children("DataSet")) {
        auto set = std::make_unique<TIEC_DataSet>();
        set->Decode_DataSet(ds, DTT, base, IEC_Device);
        List_DataSet.push_back(std::move(set));
    }
    // After all data sets: a GSEControl may come before the data set it publishes.
    for (const TXmlElement& gse : LN.Children("GSEControl"))
        Decode_LN_Goose(gse, base);
}

void TIEC_LN::Decode_LN_Goose(const TXmlElement& LN, const QString&)
{
    const QString name = Attr(LN, "name");
    const QString datSet = Attr(LN, "datSet");
    if (name.isEmpty() || datSet.isEmpty())
        return;
    for (const auto& ds : List_DataSet)
        if (ds->Name() == datSet) {
            ds->SetGooseName(name);
            return;
        }
}

TIEC_DO* TIEC_LN::Find_DO(const QString& DO_Name) const
{
    for (const auto& d : List_DO) {
        if (d->Name() == DO_Name)
            return d.get();
        if (TIEC_DO* found = d->Find_DO(DO_Name))
            return found;
    }
    return nullptr;
}

// ---- Logical devices ----------------------------------------------------------------------------------

namespace
{

// The LN0 and LN children in document order, both names mixed.
std::vector<TXmlElement> Node_Elements(const TXmlElement& LDevice)
{
    std::vector<TXmlElement> out;
    for (const TXmlElement& c : LDevice.Children()) {
        const QString name = c.NodeName();
        if (name == "LN0" || name == "LN")
            out.push_back(c);
    }
    return out;
}

} // namespace

void TIEC_LDevice::Decode_LDevice(const TXmlElement& LDevice, const TIEC_Templates& DTT,
                                  const QString& str_Reference, bool DataSetSearch,
                                  const TIEC_Device* IEC_Device)
{
    fName = Attr(LDevice, "inst");
    const QString reference = str_Reference + fName;
    const std::vector<TXmlElement> nodes = Node_Elements(LDevice);
    if (!DataSetSearch) {
        for (const TXmlElement& e : nodes) {
            auto ln = std::make_unique<TIEC_LN>();
            ln->Decode_LN(e, DTT, reference);
            List_LN.push_back(std::move(ln));
        }
        return;
    }
    for (size_t k = 0; k < nodes.size() && k < List_LN.size(); ++k)
        List_LN[k]->Decode_LN_DataSet(nodes[k], DTT, reference, *IEC_Device);
}

TIEC_LN* TIEC_LDevice::Find_LN(const QString& LN_Class) const
{
    for (const auto& ln : List_LN)
        if (ln->lnClass() == LN_Class)
            return ln.get();
    return nullptr;
}

// ---- Device -------------------------------------------------------------------------------------------

std::shared_ptr<TIEC_Device> TIEC_Device::Create(const QString& FileName_icd)
{
    auto device = std::make_shared<TIEC_Device>();
    device->fFileName = ExtractFileName(FileName_icd);
    device->Decode_Device(FileName_icd);
    return device;
}

std::shared_ptr<TIEC_Device> TIEC_Device::Placeholder(const QString& Name, const QString& FileName)
{
    auto device = std::make_shared<TIEC_Device>();
    device->fName = Name;
    device->fFileName = FileName;
    return device;
}

void TIEC_Device::Decode_Device(const QString& FileName_icd)
{
    if (!FileExists(FileName_icd))
        return;
    TXmlDocument doc;
    doc.LoadFromFile(FileName_icd);
    // The document's first element named SCL: Root() is the first element whatever its name.
    const TXmlElement first = doc.Root();
    if (first.IsNull() || first.NodeName() != "SCL")
        return;
    const TXmlElement SCL = first;
    const TXmlElement IED = SCL.Child("IED");
    const TXmlElement DTT_Element = SCL.Child("DataTypeTemplates");
    if (IED.IsNull() || DTT_Element.IsNull())
        return;
    fName = Attr(IED, "name");
    const TXmlElement Server = IED.Child("AccessPoint").Child("Server");
    if (Server.IsNull())
        return;
    const TIEC_Templates DTT(DTT_Element);
    const std::vector<TXmlElement> lds = Server.Children("LDevice");
    for (const TXmlElement& e : lds) {
        auto ld = std::make_unique<TIEC_LDevice>();
        ld->Decode_LDevice(e, DTT, fName, false, nullptr);
        List_LDevice.push_back(std::move(ld));
    }
    for (size_t k = 0; k < lds.size() && k < List_LDevice.size(); ++k)
        List_LDevice[k]->Decode_LDevice(lds[k], DTT, fName, true, this);
}

TIEC_LDevice* TIEC_Device::Find_LDevice(const QString& LD_Name) const
{
    for (const auto& ld : List_LDevice)
        if (ld->Name() == LD_Name)
            return ld.get();
    return nullptr;
}
