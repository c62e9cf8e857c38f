// TTableEditor: the one frame of the program's table editors (gateway and protocol editors). An
// editor is a description - its file, its tables and their columns, as data - plus its own data check
// and the handlers it adds.
//
// The form: header P_Title (software code and the editor's title), a page control with one tab per
// table (one table: the grid fills the form), and P_Button with OK, Cancel, Delete Row, Insert Row,
// Copy Row and Paste Row. Each table is a column grid built from its column records; the grids have
// the family's look (row height 22, Verdana cells, bold Tahoma headers, the active cell on light
// blue, row hover, range selection, column sizing and editing on).
//
// Life of an editor (one instance for the whole run, shown modally):
//   constructor   builds the form from the description; the editor's own constructor then calls FormCreate
//                 (software code, client size, first tab, Set_Lang)
//   FormShow      reads the editor's file first - a file that is not well-formed, lacks a section or
//                 lacks a required attribute raises (the general error report shows it, naming the
//                 file) before any cell changes, so the editor does not open and OK can never replace
//                 the file with half its rows; then, inside the grids' update lock: every row cleared
//                 (row number, new-row texts), Fill_Lists, the rows read filled in (a section's rows
//                 beyond the table's last row are not read); copy flags cleared, first tab active
//   row buttons   on the active tab's table at its Row, through the shared row helpers
//   OK            ends an open in-place edit, runs Controllo_dati (the first fault shown, the dialog
//                 stays open), writes the file whole (root, version comment, sections, one "row" per
//                 used row with the cell texts), closes with mrOk; a failed write raises with the file
//                 named and the dialog stays open
//   Cancel, the close box: nothing is written; the next show reloads the file.
// A table's used rows are rows 1, 2, ... up to the first row whose key cell is empty after trimming
// (the default key rule; see TKeyRule).
#pragma once

#include "app/UFormLook.h"
#include "grid/base/GridTypes.h"
#include "platform/core/Xml.h"

#include <QStringList>
#include <memory>
#include <span>
#include <vector>

class TExtColumnGrid;
class TExtStringGrid;
class TPageControl;
class TTabSheet;

// One column of a table. Column 0, the row numbers, has a record too (header, width, colour).
struct TEditorColumn {
    int Header = -1; // text index of the header; -1: none
    TEditorType Editor = edNormal;
    std::span<const char* const> Items{}; // fixed items of a list column
    int Width = 64;
    TColor Color = clWindow;
    bool Read_Only = false;
    bool Hidden = false;
    const char* Attribute = nullptr; // XML attribute of the row element; nullptr: neither read nor written
    const char* New_Text = "";       // what a cleared row holds
    // Loading: nullptr when the attribute is required, else the text a row without it gets.
    const char* Missing = nullptr;
    int Hint = -1; // text index of the header hint; -1: none
    TAlignment Alignment = taLeftJustify;
    // An attribute present but empty takes the Missing text too (else it stays empty).
    bool Empty_Is_Missing = false;
    // A default computed from the row: called with the texts of the columns before this one, as
    // read; its result is what a row without the attribute gets. Wins over Missing.
    QString (*Missing_From_Row)(const QStringList& Texts) = nullptr;
    const char* Font = nullptr; // cell font name; nullptr: the grid's
};

// How the delete question takes the row number: in place of the first "%d" (a text without one is
// shown as it is), or appended.
enum class TDeleteQuestion { Replace_Placeholder, Append_Number };

// Which rows are in use: rows 1, 2, ... up to the first whose key cell is empty after trimming
// (Trimmed), holds no character at all (Raw: a cell of blanks counts as used), or every row (None).
// Enabled_Trimmed: up to the first row that is enabled (by the table's enable rule) and whose key
// cell is empty after trimming; a row not enabled is used whatever its key holds, except that the
// rows without a key just before that row (or the table's end) are not.
// Last_Trimmed: up to the last row whose key cell is not empty after trimming, empty rows between
// included (for a check that looks at every row, so no checked row is left unsaved).
// The data check and the writer follow the same rule, so the rows checked are the rows saved.
enum class TKeyRule { Trimmed, Raw, None, Enabled_Trimmed, Last_Trimmed };

// Whether a used row is checked: always (None), or when its Enable cell trimmed and in upper case
// is "Y" (Trimmed_Upper), or is exactly "Y" (Exact), or when its Enable check box is ticked
// (Check_Box: the string-grid variant; as text, "Y"), or when its Enable cell in upper case, not
// trimmed, is "Y" (Upper). A row not enabled is still saved as typed.
enum class TEnableRule { None, Trimmed_Upper, Exact, Check_Box, Upper };
bool Enabled_By(TEnableRule Rule, const QString& Enable_Cell);

struct TEditorTable {
    const char* Grid_Name; // "ACG_Group_StoM"
    const char* Tab_Name;  // "TS_SlaveToMaster"; nullptr in a one-table editor
    int Tab_Caption;       // text index; -1: none
    const char* Section;   // section element under the root; nullptr: rows directly under the root
    int Data_Rows;         // rows below the header row
    int Key_Col;           // real column whose text tells a used row
    bool Enable_First;     // Insert Row puts "Y" in column 1
    int Error_Row_Text;    // "Error row "
    int Delete_Text;       // the delete question
    TDeleteQuestion Delete_Style;
    std::span<const TEditorColumn> Columns;
    TKeyRule Key_Rule = TKeyRule::Trimmed;
    TEnableRule Enable_Rule = TEnableRule::None;
    int Enable_Col = 1;
    // Rows are the "row" elements of their parent, or every element child whatever its name.
    bool Any_Row_Name = false;
    const char* Row_Element = "row"; // written rows
    // Delete Row acts (asks) only when 1 <= Row < RowCount.
    bool Guarded_Delete = false;
    // A click on column 0 selects the row (the column-0 click handler is bound).
    bool Select_On_Click = true;
    // The table takes the focus at the end of each show, when it can.
    bool Focus_On_Show = false;
    int Row_Height = 22;
    // The string-grid variant: a TExtStringGrid set up in code, its column 1 (the Enable column)
    // real check boxes read and set by state. Shown, every box is ticked before the file loads; a
    // row is ticked unless its Enable attribute is exactly "N"; saved as "Y"/"N". The row buttons
    // use the check-box helpers (Copy_Row_Check ...), which move states and read-only flags.
    bool Check_Boxes = false;
};

struct TEditorFile {
    QString* Path;               // one of the File_ globals
    const char* Root;            // root element
    const char* Version_Comment; // comment after the root; nullptr: none
};

// A command button's caption and hint; only some editors show the hints.
struct TEditorButtonText {
    int Caption; // text index; -1: the fixed caption below, which no language changes
    int Hint;
    bool Show_Hint;
    const char* Fixed = nullptr;
};

struct TEditorSpec {
    const char* Name; // instance name, "FEtherCATSlave_Group"
    int Client_Width;
    int Client_Height;
    int Caption;
    int Desc; // L_SW_Desc
    // OK, Cancel, Delete Row, Insert Row, Copy Row, Paste Row.
    TEditorButtonText Buttons[6];
    TEditorFile File;
    std::span<const TEditorTable> Tables;
    const char* Form_Font = nullptr; // nullptr: the family's Verdana
};

class TTableEditor : public TForm, public TDialogFrame
{
  public:
    // A table as the form holds it: its record, its grid and tab, its copy flag and hint list.
    struct TTableView {
        const TEditorTable* Spec = nullptr;
        TExtColumnGrid* Grid = nullptr;        // nullptr in the string-grid variant
        TExtStringGrid* String_Grid = nullptr; // the table's grid in both variants
        TTabSheet* Tab = nullptr;
        bool Do_Copy = false; // Row_Clipboard holds a row copied from this table during this show
        QStringList Hints;    // one per column after column 0 (empty: no header hints)
    };

    TTableEditor(TComponent* AOwner, const TEditorSpec& Spec);
    ~TTableEditor() override;

    // Caption, title, buttons, tabs, headers and hint lists from the text table; at creation and on
    // a language switch. Editors with more texts add them after the frame's.
    virtual void Set_Lang();
    virtual void FormShow(TObject* Sender);
    // True when every used row passes the editor's checks; else shows the first fault.
    virtual bool Controllo_dati() { return true; }

    virtual void Btn_OKClick(TObject* Sender);
    virtual void Btn_CopyRowClick(TObject* Sender);
    virtual void Btn_PasteRowClick(TObject* Sender);
    virtual void Btn_InsRowClick(TObject* Sender);
    virtual void Btn_DelRowClick(TObject* Sender);

    // Grid events, bound on every table (GridHint only on tables whose columns have hints).
    void ClickCell(TObject* Sender, int ARow, int ACol);
    void DblClickCell(TObject* Sender, int ARow, int ACol);
    void KeyPress(TObject* Sender, char16_t& Key);
    void GridHint(TObject* Sender, int ARow, int ACol, QString& hintstr);

    const TEditorSpec& Spec() const { return FSpec; }
    int Table_Count() const { return int(FTables.size()); }
    TTableView& Table(int i) { return FTables.at(size_t(i)); }
    // The table of the active tab (the only one in a one-table editor).
    TTableView& Active_Table();
    // Rows 1 .. the result are the table's used rows (by its key rule).
    int Used_Rows(const TTableView& T);
    // Whether used row ARow is checked, by the table's enable rule.
    static bool Row_Enabled(const TTableView& T, int ARow);
    // A cell read as an integer ($, x and 0x hexadecimal too); Fallback when it is none.
    static int Cell_Int(TExtStringGrid* Grid, int ACol, int ARow, int Fallback = -1);
    // "Error row " + row + the fault text [+ Suffix], with the error icon.
    void Row_Error(const TTableView& T, int ARow, int Fault, const QString& Suffix = QString());
    // Writes the text an open in-place edit holds into its cell and closes the edit.
    static void End_Cell_Edit(TExtStringGrid* Grid);

    TFadeButton* Btn_OK;
    TFadeButton* Btn_Cancel;
    TFadeButton* Btn_DelRow;
    TFadeButton* Btn_InsRow;
    TFadeButton* Btn_CopyRow;
    TFadeButton* Btn_PasteRow;
    TPageControl* PageControl1 = nullptr; // two-table editors only
    TXmlDocument XML1;

  protected:
    // Software code, client size, first tab, Set_Lang: the editor's constructor calls it last.
    void FormCreate();
    // The lists computed at every show (position items and the like), after the rows are cleared.
    virtual void Fill_Lists() {}
    // A row read from the file, one text per column record, before it goes into row ARow of T.
    virtual void Load_Row(TTableView& /*T*/, int /*ARow*/, QStringList& /*Texts*/) {}
    // A row element as the file holds it, after its columns were read into Texts: for layouts older
    // than the columns (an attribute that stood for several cells).
    virtual void Read_Row(const TTableView& /*T*/, const TXmlElement& /*Row*/, QStringList& /*Texts*/) {}
    // The attribute value saved for a cell: its text unless the editor says otherwise.
    virtual QString Saved_Text(TTableView& T, int ACol, int ARow);
    void Save_File();
    // The table's hint list from the text table, one per column after column 0.
    void Fill_Hints(TTableView& T);

  private:
    // The rows of one table as read from the file, each with one text per column record.
    using TLoadedRows = std::vector<QStringList>;
    void Make_Buttons();
    void Make_Table(TTableView& View, TWinControl* Parent);
    void Init_Table(TTableView& View);
    void Bind_Grid_Events(TTableView& View);
    std::vector<TLoadedRows> Read_File();
    void Clear_Rows(TTableView& T);
    // A cell's text as read or cleared; the check box of the string-grid variant takes "N" as
    // unticked and every other text as ticked.
    void Put(TTableView& T, int ACol, int ARow, const QString& Text);
    TTableView* View_Of(TObject* Grid);

    const TEditorSpec& FSpec;
    std::vector<TTableView> FTables;
};
