#include "app/ULang.h"

#include "app/EnglishTexts.h"
#include "app/UGlobals.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <QStringDecoder>
#include <optional>
#include <vector>

QStringList Lang_Table;
int Lang_Table_Size = 0;

namespace
{

constexpr QChar kPilcrow = QChar(0x00B6);
const QString kCommentMarker = QStringLiteral("/#/");

void checkIndex(int index)
{
    if (index < 0 || index >= Lang_Table_Size)
        RaiseListIndexError(index);
}

// The index part of an entry line: a whole decimal number within the table, or -1.
int entryIndex(const QString& part)
{
    if (part.isEmpty())
        return -1;
    int value = 0;
    for (QChar c : part) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c.unicode() - '0');
        if (value >= Lang_Table_Size)
            return -1;
    }
    return value;
}

using TLine = std::optional<QString>; // nullopt: a line that cannot be decoded

// Splits at CR LF, LF or CR; `unit` reads code unit i of the buffer.
template <typename Unit, typename Decode>
std::vector<TLine> splitLines(qsizetype count, Unit unit, Decode decode)
{
    std::vector<TLine> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= count; ++i) {
        if (i < count && unit(i) != '\r' && unit(i) != '\n')
            continue;
        lines.push_back(decode(start, i - start));
        if (i < count && unit(i) == '\r' && i + 1 < count && unit(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    return lines;
}

bool hasLoneSurrogate(const QString& s)
{
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

std::vector<TLine> decodeLines(const QByteArray& bytes)
{
    const auto startsWith = [&](const char* mark, int n) { return bytes.startsWith(QByteArray(mark, n)); };
    if (startsWith("\xEF\xBB\xBF", 3)) {
        const QByteArray body = bytes.mid(3);
        return splitLines(
            body.size(), [&](qsizetype i) { return body[i]; },
            [&](qsizetype from, qsizetype n) -> TLine {
                QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
                QString s = utf8(QByteArrayView(body).sliced(from, n));
                if (utf8.hasError())
                    return std::nullopt;
                return s;
            });
    }
    const bool le = startsWith("\xFF\xFE", 2);
    if (le || startsWith("\xFE\xFF", 2)) {
        std::vector<char16_t> units;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const auto lo = uchar(bytes[le ? i : i + 1]), hi = uchar(bytes[le ? i + 1 : i]);
            units.push_back(char16_t(hi << 8 | lo));
        }
        return splitLines(
            qsizetype(units.size()), [&](qsizetype i) { return units[size_t(i)]; },
            [&](qsizetype from, qsizetype n) -> TLine {
                QString s = QString::fromUtf16(units.data() + from, n);
                if (hasLoneSurrogate(s))
                    return std::nullopt;
                return s;
            });
    }
    // No mark: the 8-bit code page of files written on Windows.
    return splitLines(
        bytes.size(), [&](qsizetype i) { return bytes[i]; },
        [&](qsizetype from, qsizetype n) -> TLine { return DecodeWindows1252(bytes.mid(from, n)); });
}

} // namespace

void Clear_Lang_Table()
{
    Lang_Table.clear();
    Lang_Table_Size = 0;
}

void Set_English_Texts()
{
    Lang_Table.clear();
    Lang_Table.fill(QStringLiteral(" "), Lang_Table_Capacity);
    for (const TEnglishText& t : English_Texts())
        Lang_Table[t.Index] = QString::fromUtf16(t.Text);
    Lang_Table_Size = Lang_Table_Capacity;
}

QString Lang_Text(int index)
{
    checkIndex(index);
    return Lang_Table[index];
}

void Set_Lang_Text(int index, const QString& text)
{
    checkIndex(index);
    Lang_Table[index] = text;
}

bool Apply_Lang_Line(const QString& rawLine)
{
    if (rawLine.contains(QChar(0)))
        return false;
    const QString line = Trim(rawLine);
    if (!line.startsWith(QLatin1String("STR")))
        return false;
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    // The index runs from right after "STR" to the character before "=", which is skipped.
    const int index = entryIndex(Trim(line.mid(3, qMax(0, eq - 1 - 3))));
    if (index < 0)
        return false;
    QString text = Trim(line.mid(eq + 1));
    if (text.isEmpty())
        return false;
    const int comment = text.indexOf(kCommentMarker);
    if (comment >= 0) {
        text = Trim(text.left(comment));
        if (text.isEmpty())
            return false;
    }
    if (text.startsWith(kPilcrow))
        text.remove(0, 1);
    const int pilcrow = text.indexOf(kPilcrow);
    if (pilcrow >= 0)
        text.truncate(pilcrow);
    Lang_Table[index] = text;
    return true;
}

bool Load_Lang_File(const QString& path)
{
    QByteArray bytes;
    try {
        bytes = ReadFileBytes(path);
    } catch (const EInOutError&) {
        return false; // the English table stays; the caller decides whether to report
    }
    for (const TLine& line : decodeLines(bytes))
        if (line)
            Apply_Lang_Line(*line);
    return true;
}

QString Find_File_Any_Ext_Case(const QString& folder, const QString& base, const QString& ext)
{
    const QString exact = folder + "/" + base + ext;
    if (FileExists(exact))
        return exact;
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names)
        if (name.size() == base.size() + ext.size() && name.startsWith(base) &&
            name.endsWith(ext, Qt::CaseInsensitive) && FileExists(folder + "/" + name))
            return folder + "/" + name;
    return {};
}

void Load_Language()
{
    Set_English_Texts();
    const QString chosen = Find_File_Any_Ext_Case(Language_Dir, Language_Name, ".lng");
    if (!chosen.isEmpty()) {
        Load_Lang_File(chosen);
        return;
    }
    Language_Name = Default_Language_Name;
    const QString english = Find_File_Any_Ext_Case(Language_Dir, Default_Language_Name, ".lng");
    if (!english.isEmpty())
        Load_Lang_File(english);
}
