// System utilities of the toolkit layer: exceptions, integer and float text, string helpers,
// regional settings, the 8-bit code page, file and folder helpers, tick count and beeps.
// Functions that count characters from 1 say so; everything else is 0-based.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <exception>
#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

// ---- Exceptions -------------------------------------------------------------------------------

// Base of the toolkit's exception classes; the message is what the error report shows.
class Exception : public std::exception {
public:
    explicit Exception(QString message) : Message(std::move(message)), utf8_(Message.toStdString()) {}
    const char* what() const noexcept override { return utf8_.c_str(); }
    QString Message;
private:
    std::string utf8_;
};

class EConvertError : public Exception { using Exception::Exception; };
class EListError : public Exception { using Exception::Exception; };       // "List index out of bounds (%d)"
class EInOutError : public Exception { using Exception::Exception; };      // file operations
class EInvalidOperation : public Exception { using Exception::Exception; };
class EInvalidGridOperation : public Exception { using Exception::Exception; };
class EInvalidCast : public Exception { using Exception::Exception; };      // "Invalid class typecast"

// Raises EListError "List index out of bounds (N)".
[[noreturn]] void RaiseListIndexError(int64_t index);

// The system's text for an errno value.
QString SysErrorMessage(int code);

// ---- Integer text ------------------------------------------------------------------------------
// One conversion everywhere: leading blanks, an optional + or -, then decimal digits, or hexadecimal
// digits after $, x or 0x (either case); nothing may follow. A decimal value must fit the signed type.
// A hexadecimal value may use every bit of the type and is read as two's complement: in 32 bits
// "$80000000" is -2147483648, "$FFFFFFFF" is -1 and "$100000000" is out of range (64 bits likewise
// with sixteen digits).

bool TryStrToInt(const QString& text, int32_t& value);
bool TryStrToInt64(const QString& text, int64_t& value);
int32_t StrToIntDef(const QString& text, int32_t fallback);
int64_t StrToInt64Def(const QString& text, int64_t fallback);
int32_t StrToInt(const QString& text);       // raises EConvertError "'X' is not a valid integer value"
int64_t StrToInt64(const QString& text);

QString IntToStr(int64_t value);
QString UnsignedToHex(uint64_t value, int digits);
// Upper case, at least `digits` digits; a negative value is written in its type's width, so an
// Integer -1 gives "FFFFFFFF" and an Int64 -1 gives sixteen F.
template <typename T>
requires std::is_integral_v<T> QString IntToHex(T value, int digits)
{
    return UnsignedToHex(static_cast<std::make_unsigned_t<T>>(value), digits);
}

// ---- Float text (with the regional decimal separator) ----------------------------------------------
// Blanks around the number, an optional sign, digits with at most one regional decimal separator and
// an optional exponent ("1.5e2"); nothing else, group separators included.

bool TryStrToFloat(const QString& text, double& value);
double StrToFloatDef(const QString& text, double fallback);
QString FloatToStr(double value);              // shortest text, regional decimal separator

// ---- Format ---------------------------------------------------------------------------------------
// printf-like: %d %u %x %X %s %f %n %e %g %%, with flags "-" and "0", width and ".precision",
// arguments taken in order ("%5.2f", "%-10s", "%.3d" pads with zeros like the toolkit; "0" pads
// after the sign). Integer directives take integer arguments only, in their width: %x and %u of an
// Integer -1 give "FFFFFFFF" and "4294967295". Float directives take float arguments only: %f and %n
// (grouped with the regional thousand separator) default to 2 decimals, %e writes 15 significant
// digits and a three-digit exponent ("1.50000000000000E+000"), %g the shortest of 15 digits.
// A missing or mistyped argument raises EConvertError "Format 'X' invalid or incompatible with argument".
QString Format(const QString& format, std::initializer_list<QVariant> args);

// ---- Strings --------------------------------------------------------------------------------------

QString Trim(const QString& s);        // removes characters <= blank at both ends
QString TrimLeft(const QString& s);
QString TrimRight(const QString& s);
QString UpperCase(const QString& s);   // ASCII letters only
QString LowerCase(const QString& s);
QString AnsiUpperCase(const QString& s);
QString AnsiLowerCase(const QString& s);
bool SameText(const QString& a, const QString& b);   // case-insensitive
int Pos(const QString& sub, const QString& s);       // 1-based, 0 when absent
QString Copy(const QString& s, int index, int count); // 1-based index, clipped like the toolkit
QString StringOfChar(QChar c, int count);

// ---- Regional settings ----------------------------------------------------------------------------
// Read once from the system locale; tests replace them with SetFormatSettings.

struct TFormatSettings {
    QChar DecimalSeparator = '.';
    QChar ThousandSeparator = ',';
    QChar DateSeparator = '/';
    QChar TimeSeparator = ':';
    QString ShortDateFormat = "dd/MM/yyyy";
    QString LongDateFormat = "dddd, d MMMM yyyy";
    QString ShortTimeFormat = "hh:mm";
    QString LongTimeFormat = "hh:mm:ss";
};

const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);   // override (tests)
void ResetFormatSettings();                                 // back to the system locale

// ---- Code pages -----------------------------------------------------------------------------------

QString DecodeWindows1252(const QByteArray& bytes);   // the 8-bit code page of files written on Windows
QByteArray EncodeWindows1252(const QString& text);    // unmappable characters become '?'
QString DecodeCp850(const QByteArray& bytes);         // the OEM code page (850)
QByteArray EncodeCp850(const QString& text);          // unmappable characters become '?'

// ---- Files and folders ----------------------------------------------------------------------------
// Paths use '/'. ExtractFilePath keeps the trailing '/'.

bool FileExists(const QString& path); // a regular file (or a link to one); pipes and devices count as missing
bool DirectoryExists(const QString& path);
bool ForceDirectories(const QString& path);
bool CreateDir(const QString& path);
bool DeleteFile(const QString& path);
bool RenameFile(const QString& from, const QString& to);
QString ExtractFilePath(const QString& path);
QString ExtractFileName(const QString& path);
QString ExtractFileExt(const QString& path);        // with the dot, "" when none
QString ChangeFileExt(const QString& path, const QString& ext);
QString IncludeTrailingPathDelimiter(const QString& path);
QString ExcludeTrailingPathDelimiter(const QString& path);
QStringList ListFiles(const QString& folder, const QString& pattern);   // names only, sorted
QStringList ListFolders(const QString& folder);                          // names only, sorted

// Raises EInOutError naming the file; anything but a regular file is refused without being opened.
QByteArray ReadFileBytes(const QString& path);
// Writes the whole file durably: a temporary file beside it is written and synced, renamed over the
// target, and the folder synced. Any failure removes the temporary file, leaves the old file byte
// for byte and raises EInOutError "Cannot write file "PATH". <the system's reason>".
void WriteFileAtomic(const QString& path, const QByteArray& bytes);

// Files that belong together: all temporary files are written first, then all renamed, so when
// one cannot be written or renamed none of the targets changes.
struct TFileWrite {
    QString Path;
    QByteArray Bytes;
};
void WriteFilesAtomic(const std::vector<TFileWrite>& files);

// ---- Time and sound -------------------------------------------------------------------------------

uint32_t GetTickCount();           // milliseconds since an arbitrary start, wraps like the original
// Replaces the clock behind GetTickCount (tests); an empty function puts the real one back.
void SetTickCountSource(std::function<uint32_t()> source);
void Sleep(uint32_t milliseconds); // blocks without processing messages
void MessageBeep(uint32_t type);   // audible beep; also counted for tests
// The GUI part of the layer installs the sound at start; without it a beep is only counted.
using TBeepHook = void (*)();
void SetBeepHook(TBeepHook hook);
int BeepCount();
void ResetBeepCount();
