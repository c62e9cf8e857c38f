#include "platform/core/SysUtils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <thread>

void RaiseListIndexError(int64_t index)
{
    throw EListError(QString("List index out of bounds (%1)").arg(index));
}

QString SysErrorMessage(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// ---- Integer text ------------------------------------------------------------------------------

namespace {

// Parses the one integer syntax; the magnitude is limited to `limit` (positive) or `limit + 1` (negative).
bool parseInteger(const QString& text, uint64_t limit, int64_t& out)
{
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < n && (text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    const uint64_t max = negative ? limit + 1 : limit;
    uint64_t value = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        if (value > (max - digit) / base)
            return false;
        value = value * base + digit;
    }
    out = negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
    return true;
}

} // namespace

bool TryStrToInt(const QString& text, int32_t& value)
{
    int64_t v;
    if (!parseInteger(text, std::numeric_limits<int32_t>::max(), v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToInt64(const QString& text, int64_t& value)
{
    return parseInteger(text, std::numeric_limits<int64_t>::max(), value);
}

int32_t StrToIntDef(const QString& text, int32_t fallback)
{
    int32_t v;
    return TryStrToInt(text, v) ? v : fallback;
}

int64_t StrToInt64Def(const QString& text, int64_t fallback)
{
    int64_t v;
    return TryStrToInt64(text, v) ? v : fallback;
}

int32_t StrToInt(const QString& text)
{
    int32_t v;
    if (!TryStrToInt(text, v))
        throw EConvertError(QString("'%1' is not a valid integer value").arg(text));
    return v;
}

int64_t StrToInt64(const QString& text)
{
    int64_t v;
    if (!TryStrToInt64(text, v))
        throw EConvertError(QString("'%1' is not a valid integer value").arg(text));
    return v;
}

QString IntToStr(int64_t value) { return QString::number(value); }

QString IntToHex(uint64_t value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, '0');
}

// ---- Float text ---------------------------------------------------------------------------------

bool TryStrToFloat(const QString& text, double& value)
{
    QString t = Trim(text);
    if (t.isEmpty())
        return false;
    const QChar sep = FormatSettings().DecimalSeparator;
    if (sep != '.') {
        if (t.contains('.'))
            return false;
        t.replace(sep, '.');
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

double StrToFloatDef(const QString& text, double fallback)
{
    double v;
    return TryStrToFloat(text, v) ? v : fallback;
}

QString FloatToStr(double value)
{
    QString s = QString::number(value, 'g', 15);
    if (s.contains('e')) {
        // The toolkit writes "1E+20"; keep Qt's digits but its exponent style.
        s = s.toUpper();
    }
    return s.replace('.', FormatSettings().DecimalSeparator);
}

// ---- Format -------------------------------------------------------------------------------------

QString Format(const QString& format, std::initializer_list<QVariant> args)
{
    QString out;
    auto arg = args.begin();
    const auto invalid = [&]() -> EConvertError {
        return EConvertError(QString("Format '%1' invalid or incompatible with argument").arg(format));
    };
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (++i >= format.size())
            throw invalid();
        if (format[i] == '%') {
            out += '%';
            continue;
        }
        bool left = false, zero = false;
        while (i < format.size() && (format[i] == '-' || format[i] == '0')) {
            (format[i] == '-' ? left : zero) = true;
            ++i;
        }
        int width = 0;
        while (i < format.size() && format[i].isDigit())
            width = width * 10 + format[i++].digitValue();
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            precision = 0;
            ++i;
            while (i < format.size() && format[i].isDigit())
                precision = precision * 10 + format[i++].digitValue();
        }
        if (i >= format.size() || arg == args.end())
            throw invalid();
        const QChar conv = format[i];
        const QVariant& v = *arg++;
        QString piece;
        switch (conv.toLower().unicode()) {
        case 'd':
        case 'u': {
            bool ok = false;
            const qlonglong n = v.toLongLong(&ok);
            if (!ok || v.typeId() == QMetaType::QString)
                throw invalid();
            piece = QString::number(n < 0 ? -n : n);
            if (precision > 0)
                piece = piece.rightJustified(precision, '0');
            if (n < 0)
                piece.prepend('-');
            break;
        }
        case 'x': {
            bool ok = false;
            const qulonglong n = v.toULongLong(&ok);
            if (!ok || v.typeId() == QMetaType::QString)
                throw invalid();
            piece = QString::number(n, 16).toUpper();
            if (precision > 0)
                piece = piece.rightJustified(precision, '0');
            break;
        }
        case 's':
            if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::QByteArray &&
                v.typeId() != QMetaType::QChar)
                throw invalid();
            piece = v.toString();
            if (precision >= 0)
                piece.truncate(precision);
            break;
        case 'f':
        case 'e':
        case 'g':
        case 'n': {
            bool ok = false;
            const double d = v.toDouble(&ok);
            if (!ok || v.typeId() == QMetaType::QString)
                throw invalid();
            const char f = conv.toLower() == 'n' ? 'f' : char(conv.toLower().unicode());
            piece = QString::number(d, f, precision < 0 ? (f == 'g' ? 15 : 2) : precision);
            if (f == 'e')
                piece = piece.toUpper();
            piece.replace('.', FormatSettings().DecimalSeparator);
            break;
        }
        default:
            throw invalid();
        }
        if (piece.size() < width) {
            if (left)
                piece = piece.leftJustified(width, ' ');
            else
                piece = piece.rightJustified(width, zero ? '0' : ' ');
        }
        out += piece;
    }
    return out;
}

// ---- Strings ------------------------------------------------------------------------------------

QString Trim(const QString& s) { return TrimRight(TrimLeft(s)); }

QString TrimLeft(const QString& s)
{
    int i = 0;
    while (i < s.size() && s[i].unicode() <= ' ')
        ++i;
    return s.mid(i);
}

QString TrimRight(const QString& s)
{
    int n = s.size();
    while (n > 0 && s[n - 1].unicode() <= ' ')
        --n;
    return s.left(n);
}

QString UpperCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= 'a' && c <= 'z')
            c = QChar(c.unicode() - 32);
    return r;
}

QString LowerCase(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= 'A' && c <= 'Z')
            c = QChar(c.unicode() + 32);
    return r;
}

QString AnsiUpperCase(const QString& s) { return s.toUpper(); }
QString AnsiLowerCase(const QString& s) { return s.toLower(); }

bool SameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

int Pos(const QString& sub, const QString& s) { return s.indexOf(sub) + 1; }

QString Copy(const QString& s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0 || index > s.size())
        return QString();
    return s.mid(index - 1, count);
}

QString StringOfChar(QChar c, int count) { return count > 0 ? QString(count, c) : QString(); }

// ---- Regional settings ------------------------------------------------------------------------------

namespace {

TFormatSettings systemSettings()
{
    TFormatSettings fs;
    const QLocale loc = QLocale::system();
    auto first = [](const QString& s, QChar fallback) { return s.isEmpty() ? fallback : s[0]; };
    fs.DecimalSeparator = first(loc.decimalPoint(), '.');
    fs.ThousandSeparator = first(loc.groupSeparator(), ',');
    fs.ShortDateFormat = loc.dateFormat(QLocale::ShortFormat);
    fs.LongDateFormat = loc.dateFormat(QLocale::LongFormat);
    fs.ShortTimeFormat = loc.timeFormat(QLocale::ShortFormat);
    fs.LongTimeFormat = loc.timeFormat(QLocale::LongFormat);
    for (QChar c : fs.ShortDateFormat)
        if (!c.isLetter()) {
            fs.DateSeparator = c;
            break;
        }
    for (QChar c : fs.ShortTimeFormat)
        if (!c.isLetter()) {
            fs.TimeSeparator = c;
            break;
        }
    return fs;
}

std::optional<TFormatSettings>& currentSettings()
{
    static std::optional<TFormatSettings> settings;
    return settings;
}

} // namespace

const TFormatSettings& FormatSettings()
{
    auto& s = currentSettings();
    if (!s)
        s = systemSettings();
    return *s;
}

void SetFormatSettings(const TFormatSettings& settings) { currentSettings() = settings; }
void ResetFormatSettings() { currentSettings().reset(); }

// ---- Code pages ---------------------------------------------------------------------------------

namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five undefined bytes (kept as the C1 control of that value).
const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
} // namespace

QString DecodeWindows1252(const QByteArray& bytes)
{
    QString s;
    s.reserve(bytes.size());
    for (char ch : bytes) {
        const unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0)
            s += QChar(kCp1252High[b - 0x80]);
        else
            s += QChar(b);
    }
    return s;
}

QByteArray EncodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += char(u);
            continue;
        }
        char b = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == u || (kCp1252High[i] == 0 && u == 0x80 + i)) {
                b = char(0x80 + i);
                break;
            }
        out += b;
    }
    return out;
}

// ---- Files and folders ------------------------------------------------------------------------------

bool FileExists(const QString& path)
{
    // Regular files only: a pipe or a device named like a file would block or never end a read.
    return QFileInfo(path).isFile();
}

bool DirectoryExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }
bool ForceDirectories(const QString& path) { return !path.isEmpty() && QDir().mkpath(path); }
bool CreateDir(const QString& path) { return QDir().mkdir(path); }
bool DeleteFile(const QString& path) { return QFile::remove(path); }

bool RenameFile(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

QString ExtractFilePath(const QString& path)
{
    const int slash = path.lastIndexOf('/');
    return slash < 0 ? QString() : path.left(slash + 1);
}

QString ExtractFileName(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

QString ExtractFileExt(const QString& path)
{
    const QString name = ExtractFileName(path);
    const int dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot);
}

QString ChangeFileExt(const QString& path, const QString& ext)
{
    const QString name = ExtractFileName(path);
    const int dot = name.lastIndexOf('.');
    const QString base = dot < 0 ? path : path.left(path.size() - name.size() + dot);
    return base + ext;
}

QString IncludeTrailingPathDelimiter(const QString& path) { return path.endsWith('/') ? path : path + '/'; }

QString ExcludeTrailingPathDelimiter(const QString& path)
{
    return path.endsWith('/') && path.size() > 1 ? path.left(path.size() - 1) : path;
}

QStringList ListFiles(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

QStringList ListFolders(const QString& folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray ReadFileBytes(const QString& path)
{
    if (const QFileInfo info(path); info.exists() && !info.isFile())
        throw EInOutError(QString("Cannot open file \"%1\". Not a regular file").arg(path));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EInOutError(QString("Cannot open file \"%1\". %2").arg(path, f.errorString()));
    return f.readAll();
}

void WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly))
        throw EInOutError(QString("Cannot create file \"%1\". %2").arg(path, f.errorString()));
    if (f.write(bytes) != bytes.size() || !f.commit())
        throw EInOutError(QString("Cannot write file \"%1\". %2").arg(path, f.errorString()));
}

// ---- Time and sound ---------------------------------------------------------------------------------

uint32_t GetTickCount()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return static_cast<uint32_t>(timer.elapsed());
}

void Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

namespace {
std::atomic<int> g_beeps{0};
TBeepHook g_beepHook = nullptr;
}

void SetBeepHook(TBeepHook hook) { g_beepHook = hook; }

void MessageBeep(uint32_t)
{
    ++g_beeps;
    if (g_beepHook)
        g_beepHook();
}

int BeepCount() { return g_beeps; }
void ResetBeepCount() { g_beeps = 0; }
