// The UI text table and the language files.
//
// Lang_Table holds 5400 texts addressed by index, in blocks of 100 per form or topic. Its life:
//   Clear_Lang_Table()   at the main window's start-up, before anything reads a text (size 0)
//   Load_Language()      Set_English_Texts() (size 5400), then the chosen ".lng" file over it;
//                        again on every language switch, so each load starts from full English
//   Lang_Text(n)         read of one entry, exactly as stored (blanks kept; an unset entry is " ")
#pragma once

#include <QString>
#include <QStringList>

constexpr int Lang_Table_Capacity = 5400;

extern QStringList Lang_Table;
extern int Lang_Table_Size; // 0 until the first fill, 5400 afterwards

// Empties the table; every read fails until the next Set_English_Texts.
void Clear_Lang_Table();

// Empties the table and fills it with the 5400 built-in English entries.
void Set_English_Texts();

// Entry n, 0 <= n < Lang_Table_Size; otherwise raises EListError "List index out of bounds (n)".
QString Lang_Text(int index);

// Replaces entry n (the language-file loader's write); same bounds and error as Lang_Text.
void Set_Lang_Text(int index, const QString& text);

// Judges one line of a language file by the language-file grammar and applies it at once.
// Returns true when the line set an entry.
bool Apply_Lang_Line(const QString& line);

// Reads a ".lng" file and applies its entry lines in file order. A byte-order mark selects UTF-8,
// UTF-16 LE or UTF-16 BE; without one the file is Windows-1252. Lines end at CR LF, LF or CR.
// A line holding a NUL, invalid UTF-8 after a UTF-8 mark or a lone UTF-16 surrogate is ignored.
// Returns false, applying nothing, when the file cannot be read. Never shows a message.
bool Load_Lang_File(const QString& path);

// The regular file <base><ext> of `folder` whose extension matches `ext` in any letter case, as the
// language list matches "*.lng"; the exact spelling wins. "" when there is none. The base name is
// matched exactly: it is what the list showed.
QString Find_File_Any_Ext_Case(const QString& folder, const QString& base, const QString& ext);

// Set_English_Texts, then Language_Dir/<Language_Name>.lng when it exists (found as
// Find_File_Any_Ext_Case finds it); otherwise Language_Name becomes "English" and
// Language_Dir/English.lng is applied when it exists. An unreadable file keeps the English texts and
// Language_Name. No message in any case.
void Load_Language();
