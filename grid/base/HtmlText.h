// Text functions of the mini-HTML cell text: plain text, entity encoding and decoding, marking found
// text with a tag, and reading and rewriting the inline "<CONTROL ...>" tags a cell may hold. The
// grid's painter, search highlight, in-place control editing and the pickers call them; the renderer
// (HtmlRender.h) shares the entity table and the control tag reader. All are pure string functions.
#pragma once

#include <QChar>
#include <QString>
#include <array>

// One entity of the table both directions use, in the table's order.
struct THTMLEntity {
    QChar Char;
    const char* Name;
};
constexpr int HTMLEntityCount = 51;
extern const std::array<THTMLEntity, HTMLEntityCount> HTMLEntities;

// ---- Plain text and escaping -----------------------------------------------------------------------

// "<BR>" and "<HR>" (any case) become CR LF, then the text outside tags remains; a "<" without a
// ">" after it keeps the rest as it is.
QString HTMLToText(const QString& HTML);
// "&lt;", "&gt;", "&amp;", "&quot;", and with Full the table's names, each replaced until none is
// left (names compare with their exact case).
QString HTMLDecodeEntities(const QString& Text, bool Full);
// "&", double quote, "<", ">" and with Full the table's characters become entity names.
QString HTMLEncodeEntities(const QString& Text, bool Full);
QString SpacesToNbsp(const QString& Text);

// Replaces the first occurrence of Pattern in Text, ignoring the case of a..z; false when none.
bool HTMLReplaceFirst(const QString& Pattern, const QString& Replacement, QString& Text);
// The text outside complete tags (the mark functions' idea of what is visible).
QString HTMLStripTags(const QString& HTML);
// 1-based position in HTML of the first character with exactly n - 1 visible characters before it;
// HTML length + 1 when the markup ends right after n - 1 visible characters, 0 when it has fewer.
int HTMLVisibleToMarkupPos(const QString& HTML, int n);
// Occurrence of SubText in Visible after its first Start characters: true and P (1-based) when found.
bool HTMLFindText(const QString& SubText, const QString& Visible, int Start, int& P, bool CaseSensitive);

// ---- Find and highlight ----------------------------------------------------------------------------

// Surrounds every occurrence of SubText in the visible text with "<Tag>" and "</Tag>". A text whose
// visible part holds a stray "<" or ">" is plain text: those are escaped first.
void HTMLMarkText(const QString& HTML, const QString& SubText, const QString& Tag, bool CaseSensitive,
                  QString& Result);
// Removes every "<Tag>" and "</Tag>" (any case), then unescapes "&lt;" and "&gt;".
void HTMLUnmarkText(const QString& HTML, const QString& Tag, QString& Result);

// ---- Inline controls -------------------------------------------------------------------------------

// The attributes of one "<CONTROL ...>" tag; a missing one is empty. Type is upper-cased, Value and
// Prop are entity-decoded with the full table.
struct THTMLControlTag {
    QString Type;
    QString Width;
    QString Height;
    QString ID;
    QString Value;
    QString Prop;
    QString MaxLen;
};
// Reads the text of one tag (between "<" and ">"): each name with its "=" is searched in the
// upper-cased text, its value lies between the next two double quotes of the text as written.
THTMLControlTag HTMLParseControlTag(const QString& TagText);

bool HTMLHasControl(const QString& HTML);
// The ID of the first edit-like control (not BUTTON, CHECK or RADIO) after the control ID, or of the
// text's first one when ID is empty; empty when there is none.
void HTMLNextEditControl(const QString& HTML, const QString& ID, QString& NextID);
// False, and Value untouched, when no control has the ID.
bool HTMLGetControlValue(const QString& HTML, const QString& ID, QString& Value);
void HTMLGetControlProp(const QString& HTML, const QString& ID, QString& Prop);
// MAXLEN read as a leading integer; 0 when the control or the attribute is missing.
int HTMLGetControlMaxLen(const QString& HTML, const QString& ID);
// Rewrites the control's tag with NewValue (encoded); false, and HTML untouched, when not found.
bool HTMLSetControlValue(QString& HTML, const QString& ID, const QString& NewValue);
// VALUE "FALSE" on every RADIO control.
void HTMLClearRadios(const QString& HTML, QString& Result);

// The leading integer of a text (blanks, an optional sign, digits; "12x" is 12); 0 without digits.
int HTMLLeadingInt(const QString& Text);
