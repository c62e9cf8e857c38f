// The rich edit's RTF: a reader that builds a QTextDocument from RTF text and a writer that turns a
// document back into RTF. Qt reads HTML and Markdown only, so this is our own.
//
// The subset, read and written: \rtf1 \ansi \ansicpg \deff, the font table, the colour table, \f,
// \fs (half-points), \b \i \ul \ulnone \strike \cf, \up \dn (half-points), \super \sub \nosupersub,
// \par \line \tab \pard \plain \ql \qc \qr, \'hh (Windows-1252), \uN with its fallback (\uc), \\ \{ \}.
// Unknown control words and {\* ...} destinations are skipped.
//
// The reader never fails: unbalanced braces, truncated escapes and any depth of nesting give the
// readable text. Groups live on a heap stack, never on the call stack.
//
// The vertical offset of characters is kept in twips as the character property RichOffsetProperty
// (\up4 = 40 twips); a non-zero offset also shows as super- or subscript.
#pragma once

#include <QByteArray>
#include <QTextFormat>

class QTextDocument;

constexpr int RichOffsetProperty = QTextFormat::UserProperty + 0x52;

// Replaces the document's contents by the RTF text.
void ReadRTF(const QByteArray& Rtf, QTextDocument* Doc);
// The document as 7-bit RTF: Windows-1252 characters as \'hh, all others as \uN?.
QByteArray WriteRTF(const QTextDocument* Doc);

// Windows-1252 both ways; -1 when the character has no single byte there.
QChar Cp1252ToChar(unsigned char Byte);
int CharToCp1252(QChar Ch);
