// What the three CANopen editors share (PDO, SDO client, SDO server): their tables, files and texts as
// descriptions for the frame (app/UTableEditor.h), their data checks as data, the row deletion
// Delete_Row, and TCANopenEditor, the frame with those three things bound.
//
// Each editor has two tables on tabs, the first one made active when the form is created and at every
// show. Every row is in use up to the first whose column 1 is empty after trimming; there is no Enable
// column, no hidden or read-only column and no list: positions are typed and checked against an image
// of 1500 bytes. Every attribute of a row, and both sections, must be in the file.
//
// A check is a list of steps run in order on each used row; the first failing step gives the fault:
//   Range      the cell read as a number (the frame's reading, -1 when none) must lie in Lo .. Hi
//   Size_124   the cell must read exactly 1, 2 or 4
//   Addresses  the Count_Col cell gives N (checked by an earlier step); the N cells from Col on must each
//              lie in 0 .. image - 1; byte k's fault is Text + k - 1 with "image - 1" appended
#pragma once

#include "app/UTableEditor.h"
#include "editors/fieldbus/UFrameRules.h"

#include <cstdint>
#include <span>

namespace canopen
{

// Both images of every CANopen table.
constexpr int32_t Image_Bytes = 1500;

enum class TStep { Range, Size_124, Addresses };

struct TCheckStep {
    TStep Kind;
    int Col;
    int Text;
    int Lo = 0, Hi = 0;
    int Count_Col = -1;
};

// The first fault of Rows (rows 1 .. used, every real column) by Steps; the addresses lie in an
// image of Image_Size bytes.
TFrameCheck Check_Rows(std::span<const TCheckStep> Steps, const TFrameRows& Rows, int Image_Size);

// The check of each table of an editor, in tab order.
struct TCANopenChecks {
    std::span<const TCheckStep> First;
    std::span<const TCheckStep> Second;
};

extern const TEditorSpec PDO_Spec;
extern const TEditorSpec SDO_Client_Spec;
extern const TEditorSpec SDO_Server_Spec;
extern const TCANopenChecks PDO_Checks;
extern const TCANopenChecks SDO_Client_Checks;
extern const TCANopenChecks SDO_Server_Checks;

} // namespace canopen

// The CANopen editors' own row deletion: the rows below ARow move up one, top-down, and the last row
// is emptied; given the last row it only empties it. It walks columns 1 .. ColCount - 1 (as many as
// are visible, by real index; the CANopen tables hide none). Column 0 and row 0 are never touched.
// It asks nothing: the caller asks first.
void Delete_Row(int ARow, TExtColumnGrid* Grid);

// A two-table CANopen editor on the frame: Delete Row asks the table's question and runs Delete_Row,
// OK runs the editor's checks on the first table, then the second (input image for the first,
// output image for the second).
class TCANopenEditor : public TTableEditor
{
  public:
    TCANopenEditor(TComponent* AOwner, const TEditorSpec& Spec, const canopen::TCANopenChecks& Checks);

    bool Controllo_dati() override;
    void Btn_DelRowClick(TObject* Sender) override;
    // The handler names of the form design.
    void Btn_DelRow_Click(TObject* Sender) { Btn_DelRowClick(Sender); }
    void Btn_OK_Click(TObject* Sender) { Btn_OKClick(Sender); }

    TExtColumnGrid* sga; // the first table
    TExtColumnGrid* sgb; // the second table
    // Sizes of the input image (first table) and the output image (second table), set at every show.
    int32_t PROFINET_NByte_IN = 0;
    int32_t PROFINET_NByte_OUT = 0;

  protected:
    void Fill_Lists() override;

  private:
    const canopen::TCANopenChecks& FChecks;
};
