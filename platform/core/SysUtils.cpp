#include "platform/core/SysUtils.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <thread>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void RaiseListIndexError(int64_t index)
{
    throw EListError(QString("List index out of bounds (%1)").arg(index));
}

QString SysErrorMessage(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

// ---- Integer text ------------------------------------------------------------------------------

namespace {

// Parses the one integer syntax into `out`. A decimal magnitude is limited to `limit` (positive) or
// `limit + 1` (negative); a hexadecimal one may use all `bits` and is read as two's complement, so
// "$FFFFFFFF" is -1 in 32 bits and "$100000000" is out of range.
bool parseInteger(const QString& text, uint64_t limit, int bits, int64_t& out)
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
    const uint64_t mask = bits == 64 ? ~uint64_t(0) : (uint64_t(1) << bits) - 1;
    const uint64_t max = base == 16 ? mask : negative ? limit + 1 : limit;
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
    if (negative)
        value = 0 - value;
    value &= mask;
    // Sign-extend from `bits`.
    if (bits < 64 && (value >> (bits - 1)) != 0)
        value |= ~mask;
    out = static_cast<int64_t>(value);
    return true;
}

} // namespace

bool TryStrToInt(const QString& text, int32_t& value)
{
    int64_t v;
    if (!parseInteger(text, std::numeric_limits<int32_t>::max(), 32, v))
        return false;
    value = static_cast<int32_t>(v);
    return true;
}

bool TryStrToInt64(const QString& text, int64_t& value)
{
    return parseInteger(text, std::numeric_limits<int64_t>::max(), 64, value);
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

QString UnsignedToHex(uint64_t value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, '0');
}

// ---- Float text ---------------------------------------------------------------------------------

namespace
{

// The one decimal syntax: blanks around, an optional sign, digits with at most one regional decimal
// separator, an optional exponent. Returns the text in C form ("-1.5e3"), or an empty string.
QString normalizedDecimal(const QString& text)
{
    const QString t = Trim(text);
    const QChar sep = FormatSettings().DecimalSeparator;
    QString out;
    int i = 0;
    const int n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-'))
        out += t[i++];
    int digits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (c >= '0' && c <= '9') {
            out += c;
            ++digits;
        } else if (c == sep && !point) {
            out += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return QString();
    if (i < n && (t[i] == 'e' || t[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < n && (t[i] == '+' || t[i] == '-'))
            out += t[i++];
        const int start = i;
        while (i < n && t[i] >= '0' && t[i] <= '9')
            out += t[i++];
        if (i == start)
            return QString();
    }
    return i == n ? out : QString();
}

} // namespace

bool TryStrToFloat(const QString& text, double& value)
{
    const QString t = normalizedDecimal(text);
    if (t.isEmpty())
        return false;
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

namespace
{

// An integer argument as its value and its width in bits (32 for Integer and Cardinal, 64 for Int64).
struct TIntegerArg {
    int64_t Value = 0;
    bool Unsigned = false;
    int Bits = 32;
};

bool integerArg(const QVariant& v, TIntegerArg& out)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::SChar:
    case QMetaType::Char:
        out = {v.toLongLong(), false, 32};
        return true;
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::UChar:
        out = {v.toLongLong(), true, 32};
        return true;
    case QMetaType::Long:
    case QMetaType::LongLong:
        out = {v.toLongLong(), false, 64};
        return true;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        out = {static_cast<int64_t>(v.toULongLong()), true, 64};
        return true;
    default:
        return false;
    }
}

// The argument's bits read as an unsigned number of its width.
uint64_t unsignedBits(const TIntegerArg& a)
{
    const uint64_t bits = static_cast<uint64_t>(a.Value);
    return a.Bits == 64 ? bits : bits & 0xFFFFFFFFu;
}

bool floatArg(const QVariant& v, double& out)
{
    if (v.typeId() != QMetaType::Double && v.typeId() != QMetaType::Float)
        return false;
    out = v.toDouble();
    return true;
}

// Groups the whole part of an unsigned number that already has the regional decimal separator:
// "1234567,5" -> "1.234.567,5" with the regional thousand separator.
QString withThousands(const QString& number)
{
    const int dot = number.indexOf(FormatSettings().DecimalSeparator);
    const QString whole = dot < 0 ? number : number.left(dot);
    QString grouped;
    for (int i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += FormatSettings().ThousandSeparator;
        grouped += whole[i];
    }
    return grouped + (dot < 0 ? QString() : number.mid(dot));
}

// The toolkit's scientific form: `digits` significant digits, exponent with sign and at least three
// digits ("1.50E+003").
QString scientific(double d, int digits)
{
    QString s = QString::number(d, 'e', std::max(digits, 1) - 1).toUpper();
    const int e = s.indexOf('E');
    if (e < 0)
        return s; // inf, nan
    const QString mantissa = s.left(e);
    const QChar sign = s[e + 1];
    const QString exponent = s.mid(e + 2).rightJustified(3, '0');
    return mantissa + 'E' + sign + exponent;
}

} // namespace

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
        QString sign; // kept in front of zero padding
        QString piece;
        TIntegerArg n;
        double d = 0;
        switch (conv.toLower().unicode()) {
        case 'd':
            if (!integerArg(v, n))
                throw invalid();
            if (n.Unsigned) {
                piece = QString::number(unsignedBits(n));
            } else {
                piece = QString::number(n.Value < 0 ? 0 - static_cast<uint64_t>(n.Value) : uint64_t(n.Value));
                if (n.Value < 0)
                    sign = "-";
            }
            break;
        case 'u':
            if (!integerArg(v, n))
                throw invalid();
            piece = QString::number(unsignedBits(n));
            break;
        case 'x':
            if (!integerArg(v, n))
                throw invalid();
            piece = QString::number(unsignedBits(n), 16).toUpper();
            break;
        case 's':
            if (v.typeId() != QMetaType::QString && v.typeId() != QMetaType::QByteArray &&
                v.typeId() != QMetaType::QChar)
                throw invalid();
            piece = v.toString();
            if (precision >= 0)
                piece.truncate(precision);
            break;
        case 'f':
        case 'n':
            if (!floatArg(v, d))
                throw invalid();
            piece = QString::number(d, 'f', precision < 0 ? 2 : precision);
            break;
        case 'e':
            if (!floatArg(v, d))
                throw invalid();
            piece = scientific(d, precision < 0 ? 15 : precision);
            break;
        case 'g':
            if (!floatArg(v, d))
                throw invalid();
            piece = QString::number(d, 'g', precision <= 0 ? 15 : precision).toUpper();
            break;
        default:
            throw invalid();
        }
        switch (conv.toLower().unicode()) {
        case 'd':
        case 'u':
        case 'x':
            // The precision of an integer is its least number of digits.
            if (precision > 0)
                piece = piece.rightJustified(precision, '0');
            break;
        case 'f':
        case 'n':
        case 'e':
        case 'g':
            if (piece.startsWith('-')) {
                sign = "-";
                piece.remove(0, 1);
            }
            piece.replace('.', FormatSettings().DecimalSeparator);
            if (conv.toLower() == 'n')
                piece = withThousands(piece);
            break;
        default:
            break;
        }
        const int room = width - int(sign.size() + piece.size());
        if (room > 0 && !left && zero && conv.toLower() != 's')
            piece = QString(room, '0') + piece;
        piece.prepend(sign);
        if (piece.size() < width)
            piece = left ? piece.leftJustified(width, ' ') : piece.rightJustified(width, ' ');
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

namespace
{

// One file of a durable write: its target, the temporary file beside it and, while the targets are
// replaced, a second name of the old target to go back to.
struct TPendingFile {
    QString Path;
    QByteArray Target; // encoded name of the file that gets replaced (a link's target)
    QByteArray Temp;
    QByteArray Backup;
    bool Renamed = false;
};

[[noreturn]] void raiseWrite(const QString& path, int code)
{
    throw EInOutError(QString("Cannot write file \"%1\". %2").arg(path, SysErrorMessage(code)));
}

// Writes all of `bytes` to the descriptor; returns 0 or the errno of the failure.
int writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += n;
    }
    return 0;
}

QByteArray folderOf(const QByteArray& file)
{
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
}

// Creates a file of a new name beside `target` ("name.XXXXXX"); returns the descriptor or -1.
int createBeside(const QByteArray& target, mode_t mode, QByteArray& name)
{
    static std::atomic<uint32_t> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const uint32_t n = uint32_t(::getpid()) * 2654435761u + counter++;
        name = target + '.' + QByteArray::number(n % 0x1000000u, 16).rightJustified(6, '0');
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Creates, fills and syncs the temporary file beside the target; returns 0 or an errno.
int writeTemporary(TPendingFile& f, const QByteArray& bytes)
{
    // The new file gets the old one's permissions, or what a newly created file would get.
    struct stat old {
    };
    const bool replacing = ::stat(f.Target.constData(), &old) == 0 && S_ISREG(old.st_mode);
    QByteArray name;
    const int fd = createBeside(f.Target, 0666, name);
    if (fd < 0)
        throw EInOutError(QString("Cannot create file \"%1\". %2").arg(f.Path, SysErrorMessage(errno)));
    f.Temp = name;
    int code = replacing && ::fchmod(fd, old.st_mode & 07777) != 0 ? errno : 0;
    if (code == 0)
        code = writeAll(fd, bytes);
    if (code == 0 && ::fsync(fd) != 0)
        code = errno;
    if (::close(fd) != 0 && code == 0)
        code = errno;
    return code;
}

int syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    // Some file systems cannot sync a folder; that is no reason to call the write failed.
    const int code = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    ::close(fd);
    return code;
}

void removeTemporaries(std::vector<TPendingFile>& files)
{
    for (TPendingFile& f : files) {
        if (!f.Temp.isEmpty() && !f.Renamed)
            ::unlink(f.Temp.constData());
        if (!f.Backup.isEmpty())
            ::unlink(f.Backup.constData());
    }
}

// Puts back what the targets were before the renames that went through.
void rollBack(std::vector<TPendingFile>& files)
{
    for (TPendingFile& f : files) {
        if (!f.Renamed)
            continue;
        if (!f.Backup.isEmpty()) {
            if (::rename(f.Backup.constData(), f.Target.constData()) == 0)
                f.Backup.clear();
        } else {
            ::unlink(f.Target.constData());
        }
        f.Renamed = false;
        f.Temp.clear();
    }
}

} // namespace

void WriteFilesAtomic(const std::vector<TFileWrite>& writes)
{
    std::vector<TPendingFile> files(writes.size());
    try {
        // 1. Every new content into its temporary file, on disk.
        for (size_t i = 0; i < writes.size(); ++i) {
            TPendingFile& f = files[i];
            f.Path = writes[i].Path;
            const QFileInfo info(f.Path);
            f.Target = QFile::encodeName(info.isSymLink() ? info.symLinkTarget() : f.Path);
            if (const int code = writeTemporary(f, writes[i].Bytes))
                raiseWrite(f.Path, code);
            // A second name of the old target lets a later failure put it back.
            struct stat st {
            };
            if (writes.size() > 1 && ::stat(f.Target.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
                QByteArray backup;
                const int fd = createBeside(f.Target, 0600, backup);
                if (fd < 0)
                    raiseWrite(f.Path, errno);
                ::close(fd);
                ::unlink(backup.constData());
                // Without hard links (some removable media) the old target cannot be kept aside.
                if (::link(f.Target.constData(), backup.constData()) == 0)
                    f.Backup = backup;
            }
        }
        // 2. The temporary files take the targets' names, then the folders record it.
        for (TPendingFile& f : files) {
            if (::rename(f.Temp.constData(), f.Target.constData()) != 0) {
                const int code = errno;
                rollBack(files);
                raiseWrite(f.Path, code);
            }
            f.Renamed = true;
        }
        for (TPendingFile& f : files)
            if (const int code = syncFolder(folderOf(f.Target)))
                raiseWrite(f.Path, code);
    } catch (...) {
        removeTemporaries(files);
        throw;
    }
    removeTemporaries(files);
}

void WriteFileAtomic(const QString& path, const QByteArray& bytes)
{
    WriteFilesAtomic({{path, bytes}});
}

// ---- Time and sound ---------------------------------------------------------------------------------

namespace {
std::function<uint32_t()>& TickCountSource()
{
    static std::function<uint32_t()> source;
    return source;
}
} // namespace

void SetTickCountSource(std::function<uint32_t()> source)
{
    TickCountSource() = std::move(source);
}

uint32_t GetTickCount()
{
    if (TickCountSource())
        return TickCountSource()();
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
