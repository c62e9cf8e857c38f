#include "grid/base/FilterMatch.h"

#include "grid/base/NumberText.h"
#include "platform/core/SysUtils.h"

#include <charconv>
#include <vector>

// ---- Helpers ---------------------------------------------------------------------------------------
// The matcher runs once per cell while filtering, so it works on views of the texts; the public
// helpers wrap the same code.

namespace
{

QString removeBlanksOutsideQuotes(QStringView text)
{
    QString result;
    result.reserve(text.size());
    bool inQuotes = false;
    for (QChar c : text) {
        if (c == '"')
            inQuotes = !inQuotes;
        if (c != ' ' || inQuotes)
            result += c;
    }
    return result;
}

int findClosingParen(QStringView text)
{
    int open = 0, close = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '(')
            ++open;
        else if (text[i] == ')' && ++close == open)
            return int(i + 1);
    }
    return 0;
}

QChar findCharOutsideQuotes(QStringView set, QStringView text, int& pos)
{
    bool inQuotes = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '"')
            inQuotes = !inQuotes;
        else if (!inQuotes && set.contains(text[i])) {
            pos = int(i + 1);
            return text[i];
        }
    }
    pos = -1;
    return QChar(0);
}

} // namespace

QString RemoveBlanksOutsideQuotes(const QString& text)
{
    return removeBlanksOutsideQuotes(text);
}

int FindClosingParen(const QString& text)
{
    return findClosingParen(text);
}

QChar FindCharOutsideQuotes(const QString& set, const QString& text, int& pos)
{
    return findCharOutsideQuotes(set, text, pos);
}

QString NormaliseNumberText(const QString& text)
{
    const TFormatSettings& fs = FormatSettings();
    QString result;
    result.reserve(text.size());
    for (QChar c : text) {
        if (c == fs.DecimalSeparator)
            result += '.';
        else if (c != fs.ThousandSeparator)
            result += c;
    }
    return result;
}

// ---- One condition part ------------------------------------------------------------------------------

namespace
{

constexpr qsizetype MaxComparedChars = 255;

// NormaliseNumberText followed by a conversion that must use the whole text; done on the stack
// because filtering runs it for every cell. A text of more than 64 number characters is not
// taken as a number.
bool readNumber(QStringView text, double& value)
{
    const TFormatSettings& fs = FormatSettings();
    char buffer[64];
    int n = 0;
    for (QChar c : text) {
        char ch;
        if (c == fs.DecimalSeparator)
            ch = '.';
        else if (c == fs.ThousandSeparator)
            continue;
        else if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E')
            ch = char(c.unicode());
        else
            return false;
        if (n == int(sizeof buffer))
            return false;
        buffer[n++] = ch;
    }
    const char* begin = buffer;
    if (n > 1 && buffer[0] == '+' && buffer[1] != '-' && buffer[1] != '+')
        ++begin;
    const auto [end, error] = std::from_chars(begin, buffer + n, value);
    return error == std::errc() && end == buffer + n;
}

// Sign of (value - operand): as numbers when both are numbers and neither is a date, as dates when
// both are dates, otherwise as texts by character code over their first 255 characters.
int compareOperand(QStringView operand, QStringView value)
{
    TDateTime operandDate = 0, valueDate = 0;
    const bool operandIsDate = ParseDateTimeText(operand, operandDate);
    const bool valueIsDate = ParseDateTimeText(value, valueDate);
    double o, v;
    if (!operandIsDate && !valueIsDate && readNumber(operand, o) && readNumber(value, v))
        return (v > o) - (v < o);
    if (operandIsDate && valueIsDate)
        return (valueDate > operandDate) - (valueDate < operandDate);
    const int cmp =
        value.first(std::min(value.size(), MaxComparedChars))
            .compare(operand.first(std::min(operand.size(), MaxComparedChars)), Qt::CaseSensitive);
    return (cmp > 0) - (cmp < 0);
}

// The operand after a comparison sign at `from`: up to a blank, "&" or "|" outside quotes, or the
// end; a blank inside quotes belongs to it unless `blankAlwaysEnds`. Its enclosing quotes are dropped.
QStringView readOperand(QStringView c, qsizetype from, bool blankAlwaysEnds)
{
    while (from < c.size() && c[from] == ' ')
        ++from;
    qsizetype i = from;
    bool inQuotes = false;
    for (; i < c.size(); ++i) {
        const QChar ch = c[i];
        if (ch == '"')
            inQuotes = !inQuotes;
        else if (ch == ' ' ? (blankAlwaysEnds || !inQuotes) : (!inQuotes && (ch == '&' || ch == '|')))
            break;
    }
    QStringView operand = c.sliced(from, i - from);
    if (operand.startsWith('"'))
        operand = operand.sliced(1);
    if (operand.endsWith('"'))
        operand.chop(1);
    return operand;
}

// Reads a comparison sign at `sign` with its optional "=" and operand; true when the value passes.
bool comparisonHolds(QStringView c, qsizetype sign, QStringView value, bool greater)
{
    qsizetype from = sign + 1;
    const bool orEqual = from < c.size() && c[from] == '=';
    if (orEqual)
        ++from;
    const int cmp = compareOperand(readOperand(c, from, !greater), value);
    return greater ? (orEqual ? cmp >= 0 : cmp > 0) : (orEqual ? cmp <= 0 : cmp < 0);
}

// MatchSingleCondition over the tails of one condition and one value. A "*" asks whether the rest of
// the condition matches any tail of the value; those answers are kept per (condition position,
// value position), so each pair is decided once and a pattern with many "*" stays polynomial.
class SingleMatcher
{
  public:
    SingleMatcher(QStringView condition, QStringView value) : c_(condition), v_(value)
    {
        for (qsizetype i = 0; i < c_.size(); ++i)
            if (c_[i] == '>' || c_[i] == '<' || c_[i] == '!')
                lastComparisonChar_ = i;
    }

    // MatchSingleCondition(condition from ci, value from vi).
    bool Match(qsizetype ci, qsizetype vi)
    {
        bool result;
        if (ci <= lastComparisonChar_ && decideByComparison(c_.sliced(ci), v_.sliced(vi), result))
            return result;
        return wildcard(ci, vi);
    }

  private:
    static bool decideByComparison(QStringView c, QStringView v, bool& result)
    {
        const qsizetype greaterAt = c.indexOf('>'), lessAt = c.indexOf('<');
        const bool hasNot = c.contains('!');
        if (greaterAt < 0 && lessAt < 0 && !hasNot)
            return false;
        bool greaterOk = true, lessOk = true;
        bool hasGreater = greaterAt >= 0, hasLess = lessAt >= 0;
        if (hasGreater)
            greaterOk = comparisonHolds(c, greaterAt, v, true);
        if (hasLess)
            lessOk = comparisonHolds(c, lessAt, v, false);
        if (hasNot) { // the operand after "!" is not compared; it only counts as both sides
            hasGreater = hasLess = true;
        }
        if (c.contains('^') && (hasGreater || hasLess)) {
            result = lessOk || greaterOk;
            return true;
        }
        if (c.contains('&') && hasGreater && hasLess) {
            result = lessOk && greaterOk;
            return true;
        }
        if ((greaterAt >= 0 && greaterOk) || (lessAt >= 0 && lessOk)) {
            result = true;
            return true;
        }
        return false;
    }

    bool wildcard(qsizetype i, qsizetype j)
    {
        const qsizetype n = c_.size(), m = v_.size();
        bool result = true, negate = false;
        while (i < n && j < m && result) {
            const QChar ch = c_[i];
            if (ch == '!') {
                negate = true;
                ++i;
            } else if (ch == '"') {
                ++i;
            } else if (ch == '?') {
                ++i;
                ++j;
            } else if (ch == '*') {
                while (i < n && c_[i] == '*')
                    ++i;
                result = anyTailMatches(i, j);
                if (result)
                    i = n, j = m;
            } else {
                result = ch == v_[j];
                ++i;
                ++j;
            }
        }
        // Stars and quotes left when the value has ended match its empty rest.
        if (result && j == m)
            while (i < n && (c_[i] == '*' || c_[i] == '"'))
                ++i;
        const bool matched = result && i == n && j == m;
        return negate ? !matched : matched;
    }

    // Whether Match(ci, k) holds for some k in vi..end of the value. known[k] is that answer for
    // vi = k, filled from the end of the value down.
    bool anyTailMatches(qsizetype ci, qsizetype vi)
    {
        if (tails_.empty())
            tails_.resize(c_.size() + 1);
        Tails& tails = tails_[ci];
        if (tails.known.empty()) {
            tails.known.assign(v_.size() + 2, false);
            tails.lowest = v_.size() + 1; // known[end + 1] = false: no tail there
        }
        for (qsizetype k = tails.lowest - 1; k >= vi; --k) {
            tails.known[k] = tails.known[k + 1] || Match(ci, k);
            tails.lowest = k;
        }
        return tails.known[vi];
    }

    struct Tails {
        std::vector<bool> known;
        qsizetype lowest = 0;
    };
    QStringView c_, v_;
    qsizetype lastComparisonChar_ = -1; // no ">", "<" or "!" from here on: straight to the wildcards
    std::vector<Tails> tails_;          // per condition position, made at the first "*"
};

} // namespace

bool MatchSingleCondition(const QString& condition, const QString& value)
{
    return SingleMatcher(condition, value).Match(0, 0);
}

bool MatchConditionPart(const QString& condition, const QString& value, bool caseSensitive)
{
    if (caseSensitive)
        return MatchSingleCondition(condition, value);
    return MatchSingleCondition(AnsiUpperCase(condition), AnsiUpperCase(value));
}

// ---- The whole condition --------------------------------------------------------------------------

namespace
{

// MatchFilterCondition once both texts have their final case: upper-casing the whole condition
// once is the same as upper-casing each part, since no operator character changes case.
bool matchCondition(QStringView condition, QStringView value)
{
    while (!condition.isEmpty() && condition.front().unicode() <= ' ')
        condition = condition.sliced(1);
    while (!condition.isEmpty() && condition.back().unicode() <= ' ')
        condition.chop(1);
    QString withoutBlanks;
    if (condition.contains(' ')) {
        withoutBlanks = removeBlanksOutsideQuotes(condition);
        condition = withoutBlanks;
    }
    QStringView rest = condition;
    if (rest.startsWith('='))
        rest = rest.sliced(1);

    bool result = true;
    QChar pending = QChar(0); // the connective before the next part; 0 = none yet
    const auto combine = [&](bool part) {
        if (pending == QChar(0))
            result = part;
        else if (pending == '&')
            result = result && part;
        else if (pending != '(') // ";", "^" or "|"; after a group the empty part is dropped
            result = result || part;
    };
    for (;;) {
        int pos;
        const QChar op = findCharOutsideQuotes(u"(;^&|", rest, pos);
        if (pos < 0) {
            combine(SingleMatcher(rest, value).Match(0, 0));
            return result;
        }
        if (rest.startsWith('(')) {
            // An unmatched "(" takes the rest of the condition as its group.
            const int close = findClosingParen(rest);
            const qsizetype innerLength = close > 0 ? close - 2 : rest.size() - 1;
            combine(matchCondition(rest.sliced(1, innerLength), value));
            rest = rest.sliced(close > 0 ? close : rest.size());
        } else {
            combine(SingleMatcher(rest.first(pos - 1), value).Match(0, 0));
            rest = rest.sliced(pos);
        }
        pending = op;
    }
}

} // namespace

bool MatchFilterCondition(const QString& condition, const QString& value, bool caseSensitive)
{
    if (caseSensitive)
        return matchCondition(condition, value);
    // Filtering passes one condition with every cell: keep its upper-cased form.
    thread_local QString lastCondition, lastUpper;
    if (condition != lastCondition) {
        lastUpper = AnsiUpperCase(condition);
        lastCondition = condition;
    }
    return matchCondition(lastUpper, AnsiUpperCase(value));
}
