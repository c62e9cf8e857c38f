// The language page of the options dialog as data, and the language switch itself. The dialog
// (TFSoftOptions) shows what Lang_Page_View computes and runs Switch_Language when a slot is
// confirmed; keeping these apart from the controls lets the rules be read in one place.
//
// Pages hold six slots: slot k of page p is file (p - 1) * 6 + k of the sorted list (from 1).
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

constexpr int Lang_Slots_Per_Page = 6;
inline const QString Lang_File_Ext = QStringLiteral(".lng");
inline const QString Flag_File_Ext = QStringLiteral(".bmp");
inline const QString Default_Flag_Name = QStringLiteral("DefaultFlag"); // "DefaultFlag.bmp"

// Names (with ".lng") of the language files of `folder`, sorted without regard to letter case.
// Only plain writable files count: a read-only file, a folder or a link named "*.lng" is left out,
// as are other entries the language chooser never offered.
QStringList Language_File_List(const QString& folder);

int Lang_Page_Count(int files); // (files + 5) div 6

// "Page x / y" in the current language.
QString Lang_Page_Label(int page, int pages);
// "Selected Language : " + name in the current language.
QString Selected_Language_Label(const QString& name);
// The question of a switch: "Do you want to change the Language from A to B?".
QString Language_Switch_Question(const QString& from, const QString& to);

struct TLangSlotView {
    bool Visible = false;
    QString Name;           // the file name less ".lng"
    QStringList Flag_Files; // existing pictures to try in order; none: the picture is hidden
};

struct TLangPageView {
    QString Page_Label;
    bool Prev_Visible = false;
    bool Next_Visible = false;
    std::array<TLangSlotView, Lang_Slots_Per_Page> Slots;
};

// What page `page` (from 1) of `files` shows; flags are looked up in `folder`. A slot with no file
// behind it is hidden, slot 1 included (there is nothing to choose when the folder has no file).
TLangPageView Lang_Page_View(const QStringList& files, int page, const QString& folder);

// The entry behind slot `slot` (1..6) of page `page`, less ".lng"; "" when there is none.
QString Lang_Slot_Name(const QStringList& files, int page, int slot);

// Steps of a confirmed switch to `name`: the text table is rebuilt in that language while
// Language_Name keeps its value (only OK of the dialog changes it), then every form is re-texted
// through `changeLanguage`.
void Switch_Language(const QString& name, const std::function<void()>& changeLanguage);
