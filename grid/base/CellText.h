// Text routines of the grid family: the wide-text marker that keeps a Unicode text in a cell, the
// classification that decides how a cell is rendered, the line-break codings of the grid's text, CSV
// and clipboard formats, quoting, URL anchoring, the mixed-case rule, R<row>C<col> references and the
// HTML clipboard envelope. Base grid cell access, the painter, editors, file and clipboard code call
// them.
//
// Positions are 1-based, 0 meaning "not found", as the file and clipboard code counts them.
// CR is character 13, LF 10, VT 11, TAB 9.
#pragma once

#include "platform/grid/GridModel.h"

#include <QString>
#include <cstdint>

class TStrings;

// ---- Classification, wide text and URLs ---------------------------------------------------------

// Kinds of cell text answered by CellTextKind.
constexpr uint8_t ctkPlain = 0;
constexpr uint8_t ctkHTML = 1;
constexpr uint8_t ctkRichText = 2;
constexpr uint8_t ctkFormula = 3;
constexpr uint8_t ctkWideText = 5;

// How a cell text is rendered. Positions are judged on the text with a blank appended: "=..." is a
// formula, "|\" a wide text (a formula when the coded text starts with "="), "{\" rich text, and with
// AllowHTML a text holding "</", "<B", "<I" or "<C" (exact case) is HTML. Runs for every painted cell,
// so it allocates nothing.
uint8_t CellTextKind(const QString& Text, bool AllowHTML);

// "|\" then two characters per UTF-16 unit, high byte first, each with the byte's value.
QString EncodeWideText(const QString& W);
// The reverse; a text without the marker at position 1 comes back unchanged, an odd last character
// is ignored.
QString DecodeWideText(const QString& Text);

int WidePos(const QString& Sub, const QString& S); // 1-based; 0 when absent or Sub is empty
bool ContainsURL(const QString& Text);             // "://" or "mailto:"
// Removes everything up to and including the first "://", or else the first "mailto:".
void StripURLPrefix(QString& Text);
// Escapes < and > and wraps the URL that starts where the upper-case Prefix occurs (case-insensitively)
// in an anchor. False, Result untouched, when Prefix does not occur.
bool InsertURLAnchor(const QString& Text, const QString& Prefix, QString& Result);

// ---- Line codings and quoting --------------------------------------------------------------------

// Only for a text with CR: CR -> TAB, LF -> character 8, character 0 -> character 1.
QString EncodeLineChars(const QString& Text);
// Only for a text with character 8: the reverse; then, unless MultiLine, just the first line.
QString DecodeLineChars(const QString& Text, bool MultiLine);
// Line = Text up to its first CR (all of it without one); that line, the CR and one LF after it are
// taken off Text, which keeps the rest only when KeepRest.
void CutFirstLine(QString& Text, bool KeepRest, QString& Line);
int CountTextLines(const QString& Text, bool MultiLine); // 1 + CRs when MultiLine, else 1
QString EscapeLineBreaks(const QString& Text);           // CR -> "\n", LF dropped
QString UnescapeLineBreaks(const QString& Text);         // "\n" -> CR
QString CRToHTMLBreaks(const QString& Text);             // CR -> "<br>"
void QuoteMultiLine(QString& S);                         // CR LF -> VT, then enclosed in double quotes
void VTToCRLF(QString& S);
void CRLFToLF(QString& S);
void LineBreaksToTilde(QString& S); // CR -> "~", LF dropped
void TildeToLineBreaks(QString& S); // "~" -> CR LF; "^" alone becomes empty
QString RemoveCRs(const QString& Text);
QString CRToLF(const QString& Text);
QString DoubleQuoteChars(const QString& Text);
// Every doubled Ch (left to right) becomes one.
QString CollapseDoubledChar(QChar Ch, const QString& Text);
// The first unpaired Ch: after an odd run of Ch the position of the run's last one (1-based), or a
// Ch at the very end. False and Pos 0 when there is none.
bool FindUnpairedChar(QChar Ch, const QString& Text, int& Pos);
// How often FindUnpairedChar succeeds when the text is cut after each hit.
int CountUnpairedChars(QChar Ch, const QString& Text);
int CountChar(QChar Ch, const QString& Text);
void FillChars(QString& S, QChar Ch); // every character becomes Ch
// To the OEM code page (850) and the bytes read back as Windows-1252, and the reverse; characters the
// target page lacks become "?".
void AnsiToOemText(QString& S);
void OemToAnsiText(QString& S);

// ---- Positions, lists and integers ---------------------------------------------------------------

int FindPos(const QString& Sub, const QString& Text, int& Index); // 1-based Index, also the result
int PosInUpper(const QString& Sub, const QString& Text);          // 1-based; Text upper-cased (ASCII)
int FindCharPos(QChar Ch, const QString& Text);                   // 1-based, 0 when absent
int FindCharPosEx(QChar Ch, const QString& Text, int& Pos);       // stores a found position in Pos
// Field = Line before the first Sep; that field and Sep's first character are taken off Line. Without
// Sep, Field is empty and Line unchanged.
void SplitOffField(QString& Line, const QString& Sep, QString& Field);
QString ConcatLines(const TStrings& Strings); // no separator
// "R12C3" in any case: X column 3, Y row 12. False, Coord untouched, for anything else.
bool ParseRowColRef(const QString& Text, TGridCoord& Coord);
bool CellInGridRect(const TGridRect& Rect, int Col, int Row);
int IntMax(int A, int B);
int IntMin(int A, int B);
// Value kept within Min .. Max, where a bound of 0 or below is no bound; Min = Max means no limits.
int LimitToRange(int Value, int Min, int Max);

// ---- Mixed case and clipboard --------------------------------------------------------------------

// Capitalises each word (after a blank, comma, full stop, hyphen or apostrophe), "Mc" names
// (McDonald) and trailing roman "II"/"III".
QString ToMixedCase(const QString& Text);
// Wraps Fragment in the HTML clipboard envelope: a header of character offsets, DOCTYPE, head with
// the iso-8859-1 label, and the fragment between the StartFragment/EndFragment comments.
void MakeClipboardHTML(QString& Fragment);
