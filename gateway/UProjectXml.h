// Reading the project files that the configuration image and the description files share.
#pragma once

#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"

#include <QString>
#include <cstdint>

// The single values of "ParGen.xml": every element is read on its own, and a missing one or text
// that is not usable gives the caller's default. A missing file gives every default.
class TParGenReader
{
  public:
    // Raises EXmlError naming the file when it exists but is not well-formed.
    explicit TParGenReader(const QString& fileName) : exists_(FileExists(fileName))
    {
        if (exists_) {
            doc_.LoadFromFile(fileName);
            root_ = doc_.Root();
        }
    }

    bool Exists() const { return exists_; }

    bool Text(const QString& name, QString& text) const
    {
        const TXmlElement e = root_.Child(name);
        if (e.IsNull())
            return false;
        text = e.Text();
        return true;
    }
    QString TextDef(const QString& name, const QString& fallback) const
    {
        QString t;
        return Text(name, t) ? t : fallback;
    }
    // On only when the text is exactly "1".
    bool IsOne(const QString& name) const
    {
        QString t;
        return Text(name, t) && t == "1";
    }
    int32_t Int(const QString& name, int32_t fallback) const
    {
        QString t;
        return Text(name, t) ? StrToIntDef(t, fallback) : fallback;
    }
    int64_t Int64(const QString& name, int64_t fallback) const
    {
        QString t;
        return Text(name, t) ? StrToInt64Def(t, fallback) : fallback;
    }

  private:
    bool exists_;
    TXmlDocument doc_;
    TXmlElement root_;
};

// A section the file must have; the error names the file as a load error does.
inline TXmlElement Required_Section(const TXmlElement& parent, const QString& name, const QString& fileName)
{
    const TXmlElement e = parent.Child(name);
    if (e.IsNull())
        throw EXmlError(QString("%1: element %2 missing").arg(fileName, name));
    return e;
}

// A row the editors saved with Enable="Y"; any other text or none leaves it out.
inline bool Row_Enabled(const TXmlElement& row)
{
    return row.AttributeDef("Enable", QString()) == "Y";
}
