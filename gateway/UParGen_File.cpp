// The communication-parameters form: loading "ParGen.xml" (or the defaults) and writing it.
#include "gateway/UParGen.h"

#include "app/UGlobals.h"
#include "gateway/UParGen_Fields.h"
#include "platform/controls/ExtCtrls.h"

namespace
{

// The text a control loads: its element's, else its default.
template <class T> QString Field_Text(const TXmlElement& root, const TParControl<T>& c)
{
    if (root.IsNull() || !c.Read)
        return QString::fromLatin1(c.Default);
    const TXmlElement e = root.Child(QLatin1String(c.Element));
    return e.IsNull() ? QString::fromLatin1(c.Default) : e.Text();
}

// An index that is not an integer, or names no item, selects the default item: a box left without
// a selection would be written as "-1" and reach the device as a wrong setting.
void Load_Combo(TComboBox* combo, const QString& text, const char* fallback)
{
    int32_t index = -1;
    if (!TryStrToInt(text, index) || index < 0 || index >= combo->Items->Count())
        index = QByteArray(fallback).toInt();
    combo->SetItemIndex(index);
}

} // namespace

void TFParGen::FormShow(TObject*)
{
    Load_Defaults_Or_File();
}

void TFParGen::Load_Defaults_Or_File()
{
    // A file that is not well-formed raises here, before any control changes.
    TXmlElement root;
    if (FileExists(File_ParGen)) {
        XML1.LoadFromFile(File_ParGen);
        root = XML1.Root();
    }
    for (const TPanelView& panel : FPanels) {
        for (const TRowView& row : panel.Rows) {
            const TParRow& def = *row.Def;
            for (size_t i = 0; i < row.Edits.size(); ++i)
                if (row.Edits[i] && def.Edits[i].Element)
                    row.Edits[i]->SetText(Field_Text(root, def.Edits[i]));
            if (row.Check && def.Check.Element)
                row.Check->SetChecked(Field_Text(root, def.Check) == "1");
            if (row.Combo && def.Combo.Element)
                Load_Combo(row.Combo, Field_Text(root, def.Combo), def.Combo.Default);
        }
    }
    Is_Change = false;
    Move_GroupBoxs();
}

void TFParGen::Save_File()
{
    TXmlElement root = XML1.CreateRoot("Par_Gen");
    XML1.AddComment("SW_VERSION = 1.001");
    for (const TPanelView& panel : FPanels) {
        for (const TRowView& row : panel.Rows) {
            const TParRow& def = *row.Def;
            for (size_t i = 0; i < row.Edits.size(); ++i)
                if (row.Edits[i] && def.Edits[i].Element)
                    root.AddTextChild(QLatin1String(def.Edits[i].Element), row.Edits[i]->Text());
            if (row.Check && def.Check.Element)
                root.AddTextChild(QLatin1String(def.Check.Element), row.Check->Checked() ? "1" : "0");
            if (row.Combo && def.Combo.Element)
                root.AddTextChild(QLatin1String(def.Combo.Element), QString::number(row.Combo->ItemIndex()));
        }
    }
    XML1.SaveToFile(File_ParGen);
}
