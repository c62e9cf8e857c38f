// Component streaming: writes a component's published properties as one record of the binary
// component format and reads such a record back into a component of the same class.
//
// A streamable class publishes its properties once, as a table (TPropTable): name, kind, getter,
// setter and default. The writer and the reader walk those tables; a nested object (kind pkObject)
// contributes its own table's properties under dotted names ("CellProperties.BrushColor").
//
// Record layout:
//   "TPF0"  class name (length byte + 8-bit text)  component name (length byte, here always 0)
//   { property name (length byte + 8-bit text)  tag  value }*  0 (end of properties)  0 (no children)
// Values: a one-byte tag (TValueTag) and the value, little-endian, byte by byte:
//   vaInt8/16/32/64   the integer in the smallest of the four that holds it
//   vaFalse, vaTrue   nothing
//   vaDouble          8 bytes IEEE 754
//   vaWString         32-bit count of UTF-16 units, then the units
//   vaIdent           length byte + 8-bit text (an enumeration value's name)
//   vaSet             names (vaIdent bodies) ended by an empty name
//   vaBinary          32-bit count, then the bytes
//   vaStrings         32-bit count of lines, then each line as a vaWString body
// A property whose value equals its declared default is left out (strings, binaries and lists with
// a default are left out when empty); one without a default is always written. Reading looks the
// names up in the table, so properties absent from the record keep the target's values.
//
// Errors (EReadError): "Invalid stream format" for anything that is not such a record, "Class X not
// found" for a class name no streamable class registered, "Property X does not exist" for a name the
// class does not publish.
#pragma once

#include "platform/core/Classes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

enum TValueTag : uint8_t {
    vaNull = 0,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaWString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaStrings = 14,
    vaInt64 = 19,
    vaDouble = 21,
};

enum TPropKind { pkInteger, pkBoolean, pkDouble, pkString, pkEnum, pkSet, pkBinary, pkStrings, pkObject };

// The value of one property while it travels: the field of its kind is used (Int for integers,
// booleans, enumeration ordinals and set masks).
struct TPropValue {
    int64_t Int = 0;
    double Float = 0;
    QString Str;
    QStringList Lines;
    QByteArray Bytes;
};

struct TPropTable;

struct TPropInfo {
    const char* Name;
    TPropKind Kind;
    void (*Get)(const void* Obj, TPropValue& V) = nullptr;
    void (*Set)(void* Obj, const TPropValue& V) = nullptr;
    bool HasDefault = false;
    int64_t Default = 0;
    // pkEnum and pkSet: the names of the ordinals (bit n of a set is Names[n]).
    const char* const* Names = nullptr;
    int NameCount = 0;
    // pkObject: the nested object's table and the object itself (null: nothing written or read).
    const TPropTable* Nested = nullptr;
    void* (*Sub)(const void* Obj) = nullptr;
};

struct TPropTable {
    const char* ClassName;
    const TPropInfo* Props;
    int Count;
};

// A component that can be written and read as a record.
class TStreamComponent : public TComponent
{
  public:
    using TComponent::TComponent;
    virtual const TPropTable& Published() const = 0;
};

// Class names the readers accept (see "Class X not found"); registering twice is harmless.
void RegisterStreamClass(const TPropTable& Table);
bool IsStreamClassRegistered(const QString& ClassName);

// Writes records into a stream, one buffered write per record.
class TComponentWriter
{
  public:
    explicit TComponentWriter(TStream* Stream) : FStream(Stream) {}
    void WriteComponent(const TStreamComponent& Component);
    // The record bytes without writing them (the same bytes WriteComponent writes).
    static QByteArray RecordBytes(const TStreamComponent& Component);

  private:
    void WriteProps(const TPropTable& Table, const void* Obj, const QByteArray& Prefix);
    void WriteValue(const TPropInfo& P);

    TStream* FStream;
    QByteArray FBuf;
    TPropValue FValue;
};

// Reads records from a stream's position. The stream's remaining bytes are taken at construction
// (a memory stream's without a copy); the stream's position follows the records read.
class TComponentReader
{
  public:
    explicit TComponentReader(TStream* Stream);
    ~TComponentReader();
    TComponentReader(const TComponentReader&) = delete;
    TComponentReader& operator=(const TComponentReader&) = delete;

    // Bytes not yet read.
    int64_t Remaining() const { return FEnd - FPos; }
    void ReadComponent(TStreamComponent& Component);

  private:
    [[noreturn]] static void Invalid();
    uint8_t Byte();
    void Need(int64_t Count) const;
    QByteArray ShortString();
    int64_t IntBody(uint8_t Tag);
    QString WideBody();
    void ReadValue(const TPropInfo& P, void* Obj);
    const TPropInfo* FindProp(const TPropTable& Table, const char* Name, int Len, void*& Obj);

    TStream* FStream;
    int64_t FStart = 0;
    QByteArray FOwnBuf;
    const uint8_t* FBase = nullptr;
    int64_t FPos = 0;
    int64_t FEnd = 0;
    TPropValue FValue;
};
