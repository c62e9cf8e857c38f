#include "platform/core/ComponentStream.h"

#include <QSet>
#include <algorithm>
#include <cstring>
#include <mutex>

namespace
{

const char Signature[4] = {'T', 'P', 'F', '0'};

QSet<QString>& Registry()
{
    static QSet<QString> names;
    return names;
}

std::mutex& RegistryLock()
{
    static std::mutex m;
    return m;
}

void PutByte(QByteArray& B, uint8_t V)
{
    B.append(char(V));
}

void PutLE(QByteArray& B, uint64_t V, int Bytes)
{
    for (int i = 0; i < Bytes; ++i)
        B.append(char((V >> (8 * i)) & 0xFF));
}

void PutShort(QByteArray& B, const char* S, int Len)
{
    PutByte(B, uint8_t(Len));
    B.append(S, Len);
}

void PutShort(QByteArray& B, const QByteArray& S)
{
    PutShort(B, S.constData(), int(std::min<qsizetype>(S.size(), 255)));
}

void PutWide(QByteArray& B, const QString& S)
{
    PutLE(B, uint32_t(S.size()), 4);
    for (QChar c : S)
        PutLE(B, c.unicode(), 2);
}

void PutInt(QByteArray& B, int64_t V)
{
    if (V >= INT8_MIN && V <= INT8_MAX) {
        PutByte(B, vaInt8);
        PutLE(B, uint64_t(V), 1);
    } else if (V >= INT16_MIN && V <= INT16_MAX) {
        PutByte(B, vaInt16);
        PutLE(B, uint64_t(V), 2);
    } else if (V >= INT32_MIN && V <= INT32_MAX) {
        PutByte(B, vaInt32);
        PutLE(B, uint64_t(V), 4);
    } else {
        PutByte(B, vaInt64);
        PutLE(B, uint64_t(V), 8);
    }
}

bool IsDefault(const TPropInfo& P, const TPropValue& V)
{
    if (!P.HasDefault)
        return false;
    switch (P.Kind) {
    case pkString:
        return V.Str.isEmpty();
    case pkBinary:
        return V.Bytes.isEmpty();
    case pkStrings:
        return V.Lines.isEmpty();
    case pkDouble:
        return V.Float == double(P.Default);
    default:
        return V.Int == P.Default;
    }
}

} // namespace

void RegisterStreamClass(const TPropTable& Table)
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    Registry().insert(QString::fromLatin1(Table.ClassName));
}

bool IsStreamClassRegistered(const QString& ClassName)
{
    std::lock_guard<std::mutex> lock(RegistryLock());
    return Registry().contains(ClassName);
}

// ---- Writer ----------------------------------------------------------------------------------------

void TComponentWriter::WriteComponent(const TStreamComponent& Component)
{
    FBuf.clear();
    const TPropTable& t = Component.Published();
    FBuf.append(Signature, 4);
    PutShort(FBuf, t.ClassName, int(std::strlen(t.ClassName)));
    PutByte(FBuf, 0); // no component name
    WriteProps(t, &Component, QByteArray());
    PutByte(FBuf, 0);
    PutByte(FBuf, 0);
    FStream->WriteBuffer(FBuf.constData(), FBuf.size());
}

QByteArray TComponentWriter::RecordBytes(const TStreamComponent& Component)
{
    TMemoryStream s;
    TComponentWriter(&s).WriteComponent(Component);
    return s.Bytes();
}

void TComponentWriter::WriteProps(const TPropTable& Table, const void* Obj, const QByteArray& Prefix)
{
    for (int i = 0; i < Table.Count; ++i) {
        const TPropInfo& p = Table.Props[i];
        if (p.Kind == pkObject) {
            if (const void* sub = p.Sub(Obj))
                WriteProps(*p.Nested, sub, Prefix + p.Name + '.');
            continue;
        }
        p.Get(Obj, FValue);
        if (IsDefault(p, FValue))
            continue;
        if (Prefix.isEmpty())
            PutShort(FBuf, p.Name, int(std::strlen(p.Name)));
        else
            PutShort(FBuf, Prefix + p.Name);
        WriteValue(p);
    }
}

void TComponentWriter::WriteValue(const TPropInfo& P)
{
    const TPropValue& v = FValue;
    switch (P.Kind) {
    case pkInteger:
        PutInt(FBuf, v.Int);
        break;
    case pkBoolean:
        PutByte(FBuf, v.Int ? vaTrue : vaFalse);
        break;
    case pkDouble: {
        PutByte(FBuf, vaDouble);
        uint64_t bits = 0;
        std::memcpy(&bits, &v.Float, 8);
        PutLE(FBuf, bits, 8);
        break;
    }
    case pkString:
        PutByte(FBuf, vaWString);
        PutWide(FBuf, v.Str);
        break;
    case pkEnum:
        PutByte(FBuf, vaIdent);
        if (v.Int >= 0 && v.Int < P.NameCount)
            PutShort(FBuf, P.Names[v.Int], int(std::strlen(P.Names[v.Int])));
        else
            PutShort(FBuf, QByteArray::number(v.Int));
        break;
    case pkSet:
        PutByte(FBuf, vaSet);
        for (int b = 0; b < P.NameCount && b < 64; ++b)
            if (v.Int & (int64_t(1) << b))
                PutShort(FBuf, P.Names[b], int(std::strlen(P.Names[b])));
        PutByte(FBuf, 0);
        break;
    case pkBinary:
        PutByte(FBuf, vaBinary);
        PutLE(FBuf, uint32_t(v.Bytes.size()), 4);
        FBuf.append(v.Bytes);
        break;
    case pkStrings:
        PutByte(FBuf, vaStrings);
        PutLE(FBuf, uint32_t(v.Lines.size()), 4);
        for (const QString& line : v.Lines)
            PutWide(FBuf, line);
        break;
    case pkObject:
        break;
    }
}

// ---- Reader ----------------------------------------------------------------------------------------

TComponentReader::TComponentReader(TStream* Stream) : FStream(Stream)
{
    FStart = Stream->Position();
    const int64_t size = Stream->Size();
    if (auto* mem = dynamic_cast<TMemoryStream*>(Stream)) {
        FBase = reinterpret_cast<const uint8_t*>(mem->Memory()) + std::min(FStart, size);
    } else {
        FOwnBuf.resize(std::max<int64_t>(0, size - FStart));
        Stream->ReadBuffer(FOwnBuf.data(), FOwnBuf.size());
        Stream->SetPosition(FStart);
        FBase = reinterpret_cast<const uint8_t*>(FOwnBuf.constData());
    }
    FEnd = std::max<int64_t>(0, size - FStart);
}

TComponentReader::~TComponentReader()
{
    FStream->SetPosition(FStart + FPos);
}

void TComponentReader::Invalid()
{
    throw EReadError("Invalid stream format");
}

void TComponentReader::Need(int64_t Count) const
{
    if (Count < 0 || FEnd - FPos < Count)
        Invalid();
}

uint8_t TComponentReader::Byte()
{
    Need(1);
    return FBase[FPos++];
}

QByteArray TComponentReader::ShortString()
{
    const int len = Byte();
    Need(len);
    QByteArray s(reinterpret_cast<const char*>(FBase + FPos), len);
    FPos += len;
    return s;
}

int64_t TComponentReader::IntBody(uint8_t Tag)
{
    int bytes = 0;
    switch (Tag) {
    case vaInt8:
        bytes = 1;
        break;
    case vaInt16:
        bytes = 2;
        break;
    case vaInt32:
        bytes = 4;
        break;
    case vaInt64:
        bytes = 8;
        break;
    default:
        Invalid();
    }
    Need(bytes);
    uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint64_t(FBase[FPos + i]) << (8 * i);
    FPos += bytes;
    // Sign-extend from the stored width.
    const int shift = 64 - 8 * bytes;
    return int64_t(v << shift) >> shift;
}

QString TComponentReader::WideBody()
{
    Need(4);
    const uint32_t n = uint32_t(FBase[FPos]) | uint32_t(FBase[FPos + 1]) << 8 |
                       uint32_t(FBase[FPos + 2]) << 16 | uint32_t(FBase[FPos + 3]) << 24;
    FPos += 4;
    Need(int64_t(n) * 2);
    QString s(qsizetype(n), Qt::Uninitialized);
    QChar* out = s.data();
    for (uint32_t i = 0; i < n; ++i)
        out[i] = QChar(char16_t(FBase[FPos + 2 * i] | FBase[FPos + 2 * i + 1] << 8));
    FPos += int64_t(n) * 2;
    return s;
}

const TPropInfo* TComponentReader::FindProp(const TPropTable& Table, const char* Name, int Len, void*& Obj)
{
    const char* dot = static_cast<const char*>(std::memchr(Name, '.', size_t(Len)));
    const int head = dot ? int(dot - Name) : Len;
    for (int i = 0; i < Table.Count; ++i) {
        const TPropInfo& p = Table.Props[i];
        if (int(std::strlen(p.Name)) != head || std::memcmp(p.Name, Name, size_t(head)) != 0)
            continue;
        if (!dot)
            return p.Kind == pkObject ? nullptr : &p;
        if (p.Kind != pkObject)
            return nullptr;
        Obj = p.Sub(Obj);
        if (!Obj)
            return nullptr;
        return FindProp(*p.Nested, dot + 1, Len - head - 1, Obj);
    }
    return nullptr;
}

void TComponentReader::ReadComponent(TStreamComponent& Component)
{
    Need(4);
    if (std::memcmp(FBase + FPos, Signature, 4) != 0)
        Invalid();
    FPos += 4;
    const TPropTable& t = Component.Published();
    // Names are compared where they lie in the buffer: a record is read without allocating.
    int len = Byte();
    Need(len);
    const char* cls = reinterpret_cast<const char*>(FBase + FPos);
    FPos += len;
    if (int(std::strlen(t.ClassName)) != len || std::memcmp(cls, t.ClassName, size_t(len)) != 0) {
        const QString name = QString::fromLatin1(cls, len);
        if (!IsStreamClassRegistered(name))
            throw EReadError("Class " + name + " not found");
        Invalid();
    }
    len = Byte(); // component name, not used
    Need(len);
    FPos += len;
    for (;;) {
        len = Byte();
        if (len == 0)
            break;
        Need(len);
        const char* name = reinterpret_cast<const char*>(FBase + FPos);
        FPos += len;
        void* obj = &Component;
        const TPropInfo* p = FindProp(t, name, len, obj);
        if (!p)
            throw EReadError("Property " + QString::fromLatin1(name, len) + " does not exist");
        ReadValue(*p, obj);
    }
    if (Byte() != 0) // child components: never written
        Invalid();
}

void TComponentReader::ReadValue(const TPropInfo& P, void* Obj)
{
    TPropValue& v = FValue;
    const uint8_t tag = Byte();
    switch (P.Kind) {
    case pkInteger:
        v.Int = IntBody(tag);
        break;
    case pkBoolean:
        if (tag != vaFalse && tag != vaTrue)
            Invalid();
        v.Int = tag == vaTrue;
        break;
    case pkDouble: {
        if (tag != vaDouble)
            Invalid();
        Need(8);
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= uint64_t(FBase[FPos + i]) << (8 * i);
        FPos += 8;
        std::memcpy(&v.Float, &bits, 8);
        break;
    }
    case pkString:
        if (tag != vaWString)
            Invalid();
        v.Str = WideBody();
        break;
    case pkEnum: {
        if (tag != vaIdent)
            Invalid();
        const QByteArray id = ShortString();
        v.Int = -1;
        for (int i = 0; i < P.NameCount; ++i)
            if (id == P.Names[i])
                v.Int = i;
        if (v.Int < 0)
            throw EReadError("Invalid property value");
        break;
    }
    case pkSet:
        if (tag != vaSet)
            Invalid();
        v.Int = 0;
        for (;;) {
            const QByteArray id = ShortString();
            if (id.isEmpty())
                break;
            int bit = -1;
            for (int i = 0; i < P.NameCount; ++i)
                if (id == P.Names[i])
                    bit = i;
            if (bit < 0)
                throw EReadError("Invalid property value");
            v.Int |= int64_t(1) << bit;
        }
        break;
    case pkBinary: {
        if (tag != vaBinary)
            Invalid();
        Need(4);
        const uint32_t n = uint32_t(FBase[FPos]) | uint32_t(FBase[FPos + 1]) << 8 |
                           uint32_t(FBase[FPos + 2]) << 16 | uint32_t(FBase[FPos + 3]) << 24;
        FPos += 4;
        Need(n);
        v.Bytes = QByteArray(reinterpret_cast<const char*>(FBase + FPos), qsizetype(n));
        FPos += n;
        break;
    }
    case pkStrings: {
        if (tag != vaStrings)
            Invalid();
        Need(4);
        const uint32_t n = uint32_t(FBase[FPos]) | uint32_t(FBase[FPos + 1]) << 8 |
                           uint32_t(FBase[FPos + 2]) << 16 | uint32_t(FBase[FPos + 3]) << 24;
        FPos += 4;
        v.Lines.clear();
        for (uint32_t i = 0; i < n; ++i)
            v.Lines.append(WideBody());
        break;
    }
    case pkObject:
        Invalid();
    }
    P.Set(Obj, v);
}
