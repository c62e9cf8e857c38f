#include "platform/system/ComObj.h"

#include <QHash>
#include <mutex>

namespace
{

struct TRegistry {
    std::mutex Lock;
    QHash<QString, TOleProvider> Providers;
};

TRegistry& Registry()
{
    static TRegistry r;
    return r;
}

bool FindProvider(const QString& ProgID, TOleProvider& Provider)
{
    TRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.Lock);
    const auto it = r.Providers.constFind(ProgID.toLower());
    if (it == r.Providers.constEnd())
        return false;
    Provider = *it;
    return true;
}

} // namespace

TOleObject TOleObject::FromVariant(const QVariant& Value)
{
    if (!Value.canConvert<TAutoObjectPtr>() || Value.metaType() != QMetaType::fromType<TAutoObjectPtr>())
        throw EOleError("Invalid variant type conversion");
    return TOleObject(Value.value<TAutoObjectPtr>());
}

IAutoObject& TOleObject::Target() const
{
    if (!FObject)
        throw EOleError("Variant does not reference an automation object");
    return *FObject;
}

QVariant TOleObject::Get(const QString& Name, const QVariantList& Args) const
{
    return Target().GetProperty(Name, Args);
}

TOleObject TOleObject::Obj(const QString& Name, const QVariantList& Args) const
{
    return FromVariant(Get(Name, Args));
}

void TOleObject::Set(const QString& Name, const QVariant& Value) const
{
    Target().SetProperty(Name, {}, Value);
}

void TOleObject::Set(const QString& Name, const QVariantList& Args, const QVariant& Value) const
{
    Target().SetProperty(Name, Args, Value);
}

QVariant TOleObject::Call(const QString& Name, const QVariantList& Args) const
{
    return Target().Invoke(Name, Args);
}

TOleObject TOleObject::CallObj(const QString& Name, const QVariantList& Args) const
{
    return FromVariant(Call(Name, Args));
}

bool VarIsObject(const QVariant& Value)
{
    return Value.metaType() == QMetaType::fromType<TAutoObjectPtr>();
}

bool VarIsError(const QVariant& Value)
{
    return Value.metaType() == QMetaType::fromType<TOleError>();
}

TOleObject CreateOleObject(const QString& ProgID)
{
    TOleProvider p;
    TAutoObjectPtr object;
    if (FindProvider(ProgID, p) && p.Create)
        object = p.Create();
    if (!object)
        throw EOleError("Automation object not available: " + ProgID);
    return TOleObject(object);
}

TOleObject GetActiveOleObject(const QString& ProgID)
{
    TOleProvider p;
    TAutoObjectPtr object;
    if (FindProvider(ProgID, p) && p.Active)
        object = p.Active();
    if (!object)
        throw EOleError("Operation unavailable: " + ProgID);
    return TOleObject(object);
}

void RegisterOleProvider(const QString& ProgID, TOleProvider Provider)
{
    TRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.Lock);
    r.Providers.insert(ProgID.toLower(), std::move(Provider));
}

void UnregisterOleProvider(const QString& ProgID)
{
    TRegistry& r = Registry();
    std::lock_guard<std::mutex> lock(r.Lock);
    r.Providers.remove(ProgID.toLower());
}
