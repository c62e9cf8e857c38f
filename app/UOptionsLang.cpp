#include "app/UOptionsLang.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "platform/core/SysUtils.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace
{

constexpr int Text_Selected_Language = 304;
constexpr int Text_Page = 305, Text_Page_Of = 306;
constexpr int Text_Change_From = 316, Text_Change_To = 317, Text_Change_End = 318;

} // namespace

QStringList Language_File_List(const QString& folder)
{
    QStringList names;
    const QFileInfoList entries = QDir(folder).entryInfoList({QStringLiteral("*") + Lang_File_Ext},
                                                             QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const QFileInfo& e : entries) {
        // The owner's write bit stands for the read-only attribute (root may write anything).
        if (e.isSymLink() || !e.isFile() || !(e.permissions() & QFileDevice::WriteOwner))
            continue;
        names << e.fileName();
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

int Lang_Page_Count(int files)
{
    return (files + Lang_Slots_Per_Page - 1) / Lang_Slots_Per_Page;
}

QString Lang_Page_Label(int page, int pages)
{
    return Lang_Text(Text_Page) + IntToStr(page) + Lang_Text(Text_Page_Of) + IntToStr(pages);
}

QString Selected_Language_Label(const QString& name)
{
    return Lang_Text(Text_Selected_Language) + name;
}

QString Language_Switch_Question(const QString& from, const QString& to)
{
    return Lang_Text(Text_Change_From) + from + Lang_Text(Text_Change_To) + to + Lang_Text(Text_Change_End);
}

QString Lang_Slot_Name(const QStringList& files, int page, int slot)
{
    if (page < 1 || slot < 1 || slot > Lang_Slots_Per_Page)
        return {};
    const qsizetype index = qsizetype(page - 1) * Lang_Slots_Per_Page + (slot - 1);
    if (index >= files.size())
        return {};
    return files[index].chopped(Lang_File_Ext.size());
}

TLangPageView Lang_Page_View(const QStringList& files, int page, const QString& folder)
{
    TLangPageView view;
    const int pages = Lang_Page_Count(int(files.size()));
    view.Page_Label = Lang_Page_Label(page, pages);
    view.Prev_Visible = page != 1;
    view.Next_Visible = page != pages;
    for (int k = 1; k <= Lang_Slots_Per_Page; ++k) {
        TLangSlotView& slot = view.Slots[k - 1];
        slot.Name = Lang_Slot_Name(files, page, k);
        slot.Visible = !slot.Name.isEmpty();
        if (!slot.Visible)
            continue;
        // The flag is found as the language file was: its extension in any letter case.
        for (const QString& base : {slot.Name, Default_Flag_Name}) {
            const QString path = Find_File_Any_Ext_Case(folder, base, Flag_File_Ext);
            if (!path.isEmpty() && !slot.Flag_Files.contains(path))
                slot.Flag_Files << path;
        }
    }
    return view;
}

void Switch_Language(const QString& name, const std::function<void()>& changeLanguage)
{
    const QString kept = Language_Name;
    Language_Name = name;
    Load_Language();
    Language_Name = kept;
    if (changeLanguage)
        changeLanguage();
}
