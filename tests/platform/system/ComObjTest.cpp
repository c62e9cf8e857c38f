// The automation layer: no provider means "not available"; a registered provider answers
// late-bound calls by name, and arrays and error values travel in variants.
#include "platform/system/ComObj.h"

#include <gtest/gtest.h>

namespace
{

// Remembers what was set and echoes calls.
class TEcho : public IAutoObject
{
  public:
    QVariant GetProperty(const QString& Name, const QVariantList& Args) override
    {
        if (Name.compare("Name", Qt::CaseInsensitive) == 0)
            return FName;
        if (Name.compare("Self", Qt::CaseInsensitive) == 0)
            return QVariant::fromValue(TAutoObjectPtr(std::make_shared<TEcho>()));
        throw EOleError("Unknown name: " + Name + QString::number(Args.size()));
    }
    void SetProperty(const QString&, const QVariantList&, const QVariant& Value) override
    {
        FName = Value.toString();
    }
    QVariant Invoke(const QString& Name, const QVariantList& Args) override
    {
        return Name + ":" + (Args.isEmpty() ? QString() : Args[0].toString());
    }

  private:
    QString FName;
};

} // namespace

TEST(ComObj, WithoutAProviderNothingIsAvailable)
{
    try {
        CreateOleObject("ADODB.Connection");
        ADD_FAILURE();
    } catch (const EOleError& e) {
        EXPECT_EQ(e.Message, "Automation object not available: ADODB.Connection");
    }
    EXPECT_THROW(GetActiveOleObject("excel.application"), EOleError);
    EXPECT_THROW(TOleObject().Get("Name"), EOleError);
}

TEST(ComObj, ARegisteredProviderAnswersLateBoundCalls)
{
    RegisterOleProvider("Test.Echo", {[] { return std::make_shared<TEcho>(); }, [] { return nullptr; }});
    const TOleObject o = CreateOleObject("test.echo"); // names compare without case
    o.Set("Name", "abc");
    EXPECT_EQ(o.Get("NAME").toString(), "abc");
    EXPECT_EQ(o.Call("Open", {"x.xls"}).toString(), "Open:x.xls");
    EXPECT_FALSE(o.Obj("Self").IsNull());
    EXPECT_THROW(o.Obj("Name"), EOleError);                   // a text is no object
    EXPECT_THROW(GetActiveOleObject("Test.Echo"), EOleError); // none running
    UnregisterOleProvider("Test.Echo");
    EXPECT_THROW(CreateOleObject("Test.Echo"), EOleError);
}

TEST(ComObj, ArraysKeepTheirBoundsAndErrorValuesAreRecognised)
{
    TVariantArray2D a(1, 2, 1, 3);
    a.Put(2, 3, "z");
    const QVariant v = QVariant::fromValue(a);
    const auto b = v.value<TVariantArray2D>();
    EXPECT_EQ(b.Rows(), 2);
    EXPECT_EQ(b.Cols(), 3);
    EXPECT_EQ(b.At(2, 3).toString(), "z");
    EXPECT_FALSE(b.At(1, 1).isValid());
    EXPECT_THROW(b.At(0, 1), EOleError);
    EXPECT_TRUE(VarIsError(QVariant::fromValue(TOleError{-2146826281})));
    EXPECT_FALSE(VarIsObject(QVariant("text")));
}
