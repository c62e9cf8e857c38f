// Automation: objects created by their registered names (ProgIDs) and called late-bound, by member
// name with variant arguments, as the original platform's automation servers are called.
//
// Linux has no automation servers. The layer keeps a registry of providers instead; the program
// registers none, so CreateOleObject and GetActiveOleObject raise EOleError "Automation object not
// available: <ProgID>" there and callers take their "not available" path. A provider (tests, or a
// component that offers the same members) answers the two calls with an IAutoObject.
//
// Values travel as QVariant: numbers, texts, booleans, an invalid QVariant for an unassigned value,
// TOleError for an error value, TAutoObjectPtr for an object and TVariantArray2D for the
// two-dimensional arrays of a spreadsheet range.
#pragma once

#include "platform/core/SysUtils.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

class EOleError : public Exception
{
    using Exception::Exception;
};

// A late-bound object. Member names compare without case, as automation's do; an unknown member
// raises EOleError "Unknown name: <Name>".
class IAutoObject
{
  public:
    virtual ~IAutoObject() = default;
    virtual QVariant GetProperty(const QString& Name, const QVariantList& Args) = 0;
    virtual void SetProperty(const QString& Name, const QVariantList& Args, const QVariant& Value) = 0;
    virtual QVariant Invoke(const QString& Name, const QVariantList& Args) = 0;
};
using TAutoObjectPtr = std::shared_ptr<IAutoObject>;

// An error value (a spreadsheet cell holding "#DIV/0!" and the like).
struct TOleError {
    int32_t Code = 0;
};

// A two-dimensional array of variants with lower bounds (1-based for spreadsheet ranges), stored
// row by row.
class TVariantArray2D
{
  public:
    TVariantArray2D() = default;
    TVariantArray2D(int LowRow, int HighRow, int LowCol, int HighCol)
        : FLowRow(LowRow), FLowCol(LowCol), FRows(std::max(0, HighRow - LowRow + 1)),
          FCols(std::max(0, HighCol - LowCol + 1)), FValues(size_t(FRows) * size_t(FCols))
    {
    }
    int LowRow() const { return FLowRow; }
    int HighRow() const { return FLowRow + FRows - 1; }
    int LowCol() const { return FLowCol; }
    int HighCol() const { return FLowCol + FCols - 1; }
    int Rows() const { return FRows; }
    int Cols() const { return FCols; }
    // Raises EOleError "Array index out of bounds" outside the bounds.
    const QVariant& At(int Row, int Col) const { return FValues[Index(Row, Col)]; }
    void Put(int Row, int Col, const QVariant& Value) { FValues[Index(Row, Col)] = Value; }

  private:
    size_t Index(int Row, int Col) const
    {
        if (Row < FLowRow || Row >= FLowRow + FRows || Col < FLowCol || Col >= FLowCol + FCols)
            throw EOleError("Array index out of bounds");
        return size_t(Row - FLowRow) * size_t(FCols) + size_t(Col - FLowCol);
    }
    int FLowRow = 0, FLowCol = 0, FRows = 0, FCols = 0;
    std::vector<QVariant> FValues;
};

Q_DECLARE_METATYPE(TAutoObjectPtr)
Q_DECLARE_METATYPE(TOleError)
Q_DECLARE_METATYPE(TVariantArray2D)

// A handle on a late-bound object, as the toolkit's variant holding one: property reads, writes and
// method calls by name. Calls on an empty handle raise EOleError "Variant does not reference an
// automation object".
class TOleObject
{
  public:
    TOleObject() = default;
    explicit TOleObject(TAutoObjectPtr Object) : FObject(std::move(Object)) {}
    // An object inside a variant; anything else raises EOleError "Invalid variant type conversion".
    static TOleObject FromVariant(const QVariant& Value);
    static QVariant ToVariant(const TOleObject& Object) { return QVariant::fromValue(Object.FObject); }

    bool IsNull() const { return !FObject; }
    QVariant Get(const QString& Name, const QVariantList& Args = {}) const;
    // Get, answered as an object.
    TOleObject Obj(const QString& Name, const QVariantList& Args = {}) const;
    void Set(const QString& Name, const QVariant& Value) const;
    void Set(const QString& Name, const QVariantList& Args, const QVariant& Value) const;
    QVariant Call(const QString& Name, const QVariantList& Args = {}) const;
    TOleObject CallObj(const QString& Name, const QVariantList& Args = {}) const;
    const TAutoObjectPtr& Object() const { return FObject; }

  private:
    IAutoObject& Target() const;
    TAutoObjectPtr FObject;
};

// True for a variant that holds an object or an error value.
bool VarIsObject(const QVariant& Value);
bool VarIsError(const QVariant& Value);

// A new object of the class. No provider: EOleError "Automation object not available: <ProgID>".
TOleObject CreateOleObject(const QString& ProgID);
// The running instance. No provider or none running: EOleError "Operation unavailable: <ProgID>".
TOleObject GetActiveOleObject(const QString& ProgID);

// A provider answers Create (a new object) and Active (the running one, or null when none runs).
struct TOleProvider {
    std::function<TAutoObjectPtr()> Create;
    std::function<TAutoObjectPtr()> Active;
};
// Names compare without case. Registering a name again replaces its provider.
void RegisterOleProvider(const QString& ProgID, TOleProvider Provider);
void UnregisterOleProvider(const QString& ProgID);
