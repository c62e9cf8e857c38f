#include "editors/network/UIEC_61850_Access.h"

#include "app/UGlobals.h"
#include "app/ULang.h"
#include "app/UTableRows.h"
#include "grid/core/ExtCGrid.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Interaction.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TreeView.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Xml.h"
#include "platform/graphics/ImgList.h"

#include <QFileInfo>
#include <QPainter>
#include <array>

TFIEC_61850_Access* FIEC_61850_Access = nullptr;

namespace iec61850client
{

namespace
{

const char* const kBits[] = {"0", "1", "2", "3", "4", "5", "6", "7"};
const char* const kReadWrite[] = {"Read", "Write"};
const char* const kConvertion[] = {"None", "ItoF/FtoI"};

constexpr TEditorColumn Col(int Header, TEditorType Editor, int Width, bool Read_Only = false, int Hint = -1,
                            std::span<const char* const> Items = {})
{
    TEditorColumn c;
    c.Header = Header;
    c.Editor = Editor;
    c.Width = Width;
    c.Read_Only = Read_Only;
    c.Hint = Hint;
    c.Items = Items;
    return c;
}

const TEditorColumn kDA_Columns[] = {
    Col(3218, edNormal, 40),
    Col(3219, edNormal, 60, false, 3236),
    Col(3220, edNormal, 60, true, 3237),
    Col(3221, edNormal, 30, true, 3238),
    Col(3222, edNormal, 150, true, 3239),
    Col(3258, edNormal, 65, false, 3260),
    Col(3259, edNormal, 60, false, 3261),
    Col(3223, edNormal, 70, false, 3240),
    Col(3224, edNormal, 45, false, 3241),
    Col(3225, edDataCheckBox, 70, false, 3242),
    Col(3226, edDataCheckBox, 50, false, 3243),
    Col(3227, edDataCheckBox, 60, false, 3244),
    Col(3228, edNormal, 64, false, 3245),
    Col(3229, edNormal, 55, false, 3246),
    Col(3230, edComboList, 70, false, 3247, kBits),
    Col(3231, edComboList, 60, false, 3248, kReadWrite),
    Col(3232, edComboList, 70, false, 3249, kConvertion),
    Col(3233, edNormal, 64, false, 3250),
    Col(3234, edNormal, 150, false, 3251),
};

// The two data-set tables keep the form's own headers (set once, see Fixed_Headers).
const TEditorColumn kDataSet_Columns[] = {
    Col(-1, edNormal, 40),       Col(-1, edNormal, 60),       Col(-1, edNormal, 150, true),
    Col(-1, edNormal, 80, true), Col(-1, edDataCheckBox, 60), Col(-1, edNormal, 70),
    Col(-1, edNormal, 45),       Col(-1, edNormal, 70),       Col(-1, edNormal, 100),
};
const TEditorColumn kMember_Columns[] = {
    Col(-1, edNormal, 40),
    Col(-1, edNormal, 60, true),
    Col(-1, edNormal, 150, true),
    Col(-1, edNormal, 55),
    Col(-1, edComboList, 70, false, -1, kBits),
    Col(-1, edComboList, 70, false, -1, kConvertion),
    Col(-1, edNormal, 64),
    Col(-1, edNormal, 150),
};
const char* const kDataSet_Headers[] = {"N",          "Index", "Reference", "Goose Name", "En. Goose",
                                        "IP Address", "Port",  "Time (ms)", "Mnemonic"};
const char* const kMember_Headers[] = {"N",         "bType",      "Reference", "Position",
                                       "Start Bit", "Convertion", "Mult Fact", "Mnemonic"};

constexpr TEditorTable Table(const char* Grid, const char* Tab, std::span<const TEditorColumn> Columns)
{
    TEditorTable t{Grid,   Tab, -1, nullptr, 1, Col_Index, false, 3252, 3252, TDeleteQuestion::Append_Number,
                   Columns};
    t.Key_Rule = TKeyRule::None;
    return t;
}

// The member grid gets a tab of its own from the frame and is moved under the data-set grid.
const TEditorTable kTables[] = {
    Table("ACG_DA", "TS_DA", kDA_Columns),
    Table("ACG_DataSet", "TS_DataSet", kDataSet_Columns),
    Table("ACG_DS_Vars", "TS_DS_Vars", kMember_Columns),
};

} // namespace

// The frame's Delete, Insert, Copy and Paste places hold Add Var, Remove Var, Move Up and Move Down.
const TEditorSpec Spec = {
    "FIEC_61850_Access",
    1200,
    550,
    3200,
    3201,
    {{3202, 3210, true},
     {3203, 3211, true},
     {3204, 3212, true},
     {3205, 3213, true},
     {3206, 3214, true},
     {3207, 3215, true}},
    {&File_IEC_61850_Client, "IEC_68850_Client", "SW_VERSION = 1.000"},
    kTables,
};

} // namespace iec61850client

using namespace iec61850client;

namespace
{

constexpr TColor Blue = 0x00FF0000, Green = 0x00008000;
constexpr int Device_Panel_Width = 465, Device_List_Width = 161, Catalog_Button_Height = 28;

void Set_Fixed_Headers(TExtColumnGrid* Grid, std::span<const char* const> Headers)
{
    for (int c = 0; c < int(Headers.size()); ++c)
        Grid->Columns()->Items(c)->SetHeader(QString::fromLatin1(Headers[size_t(c)]));
}

TPanel* Make_Panel(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align, int Size)
{
    auto* p = new TPanel(Owner);
    p->SetName(QLatin1String(Name));
    p->SetParent(Parent);
    p->SetBevelOuter(bvNone);
    p->SetCaption(QString());
    if (Align == alLeft || Align == alRight)
        p->SetWidth(Size);
    else if (Align == alTop || Align == alBottom)
        p->SetHeight(Size);
    p->SetAlign(Align);
    return p;
}

TSplitter* Make_Splitter(TComponent* Owner, TWinControl* Parent, const char* Name, TAlign Align,
                         TControl* After)
{
    auto* s = new TSplitter(Owner);
    s->SetName(QLatin1String(Name));
    s->SetAlign(Align);
    s->SetParent(Parent);
    // Placed just after the control it resizes, so the alignment keeps it there.
    if (Align == alTop) {
        s->SetCursor(crVSplit);
        s->SetBounds(0, After->Top() + After->Height(), Parent->ClientWidth(), 3);
    } else {
        s->SetBounds(After->Left() + After->Width(), 0, 3, Parent->ClientHeight());
    }
    return s;
}

} // namespace

TFIEC_61850_Access::TFIEC_61850_Access(TComponent* AOwner) : TTableEditor(AOwner, iec61850client::Spec)
{
    BeginLoading();
    // The frame's row-button places.
    Btn_AddVar = Btn_DelRow;
    Btn_RemoveVar = Btn_InsRow;
    Btn_MoveUp = Btn_CopyRow;
    Btn_ModeDown = Btn_PasteRow;
    Btn_AddVar->SetName("Btn_AddVar");
    Btn_RemoveVar->SetName("Btn_RemoveVar");
    Btn_MoveUp->SetName("Btn_MoveUp");
    Btn_ModeDown->SetName("Btn_ModeDown");
    Btn_AddVar->OnClick = [this](TObject* Sender) { Btn_AddVarClick(Sender); };
    Btn_RemoveVar->OnClick = [this](TObject* Sender) { Btn_RemoveVarClick(Sender); };
    Btn_MoveUp->OnClick = nullptr;
    Btn_ModeDown->OnClick = nullptr;
    Btn_MoveUp->SetVisible(false);
    Btn_ModeDown->SetVisible(false);

    ACG_DA = Table(0).Grid;
    ACG_DataSet = Table(1).Grid;
    ACG_DS_Vars = Table(2).Grid;
    TS_DA = Table(0).Tab;
    TS_DataSet = Table(1).Tab;
    PC_DA_DataSet = PageControl1;
    PC_DA_DataSet->SetName("PC_DA_DataSet");

    // Left: the catalogue list and the tree; right: the tables.
    PDevIEC = Make_Panel(this, this, "PDevIEC", alLeft, Device_Panel_Width);
    PDevIECList = Make_Panel(this, PDevIEC, "PDevIECList", alLeft, Device_List_Width);
    Splitter2 = Make_Splitter(this, PDevIEC, "Splitter2", alLeft, PDevIECList);
    PDevIECTree = Make_Panel(this, PDevIEC, "PDevIECTree", alClient, 0);
    Btn_Add_IEC_Device = Make_Button(this, PDevIECList, "Btn_Add_IEC_Device", TButtonRole::Command, 0, 0,
                                     Device_List_Width, Catalog_Button_Height);
    Btn_Add_IEC_Device->SetAlign(alTop);
    Btn_Remove_IEC_Device = Make_Button(this, PDevIECList, "Btn_Remove_IEC_Device", TButtonRole::Command, 0,
                                        0, Device_List_Width, Catalog_Button_Height);
    Btn_Remove_IEC_Device->SetAlign(alBottom);
    LB_IEC_Devices = new TListBox(this);
    LB_IEC_Devices->SetName("LB_IEC_Devices");
    LB_IEC_Devices->SetParent(PDevIECList);
    LB_IEC_Devices->SetAlign(alClient);
    IL_IEC = new TImageList(this);
    IL_IEC->SetName("IL_IEC");
    Draw_Pictures();
    TV_IEC_Device = new TTreeView(this);
    TV_IEC_Device->SetName("TV_IEC_Device");
    TV_IEC_Device->SetParent(PDevIECTree);
    TV_IEC_Device->SetAlign(alClient);
    TV_IEC_Device->SetReadOnly(true);
    TV_IEC_Device->SetImages(IL_IEC);
    Splitter1 = Make_Splitter(this, this, "Splitter1", alLeft, PDevIEC);
    PTable = Make_Panel(this, this, "PTable", alClient, 0);
    PC_DA_DataSet->SetParent(PTable);

    // The data-set tab: the data sets above, the members of the clicked one below.
    P_DataSet_List = Make_Panel(this, TS_DataSet, "P_DataSet_List", alTop, 200);
    ACG_DataSet->SetParent(P_DataSet_List);
    Splitter3 = Make_Splitter(this, TS_DataSet, "Splitter3", alTop, P_DataSet_List);
    P_DataSet_Vars_List = Make_Panel(this, TS_DataSet, "P_DataSet_Vars_List", alClient, 0);
    TTabSheet* member_tab = Table(2).Tab;
    ACG_DS_Vars->SetParent(P_DataSet_Vars_List);
    Table(2).Tab = nullptr;
    delete member_tab;
    Set_Fixed_Headers(ACG_DataSet, kDataSet_Headers);
    Set_Fixed_Headers(ACG_DS_Vars, kMember_Headers);
    TS_DA->SetCaption("Variables");
    TS_DataSet->SetCaption("DataSet");
    EndLoading();

    Btn_Add_IEC_Device->OnClick = [this](TObject* Sender) { Btn_Add_IEC_DeviceClick(Sender); };
    Btn_Remove_IEC_Device->OnClick = [this](TObject* Sender) { Btn_Remove_IEC_DeviceClick(Sender); };
    LB_IEC_Devices->OnClick = [this](TObject* Sender) { LB_IEC_DevicesClick(Sender); };
    TV_IEC_Device->OnClick = [this](TObject* Sender) { TV_IEC_DeviceClick(Sender); };
    TV_IEC_Device->OnCustomDrawItem = [this](TObject* Sender, TTreeNode* Node, bool& DefaultDraw) {
        TV_IEC_DeviceCustomDrawItem(Sender, Node, DefaultDraw);
    };
    // Each grid's own key and double-click handling: a key typed in a combo editor comes with the
    // editor as its sender.
    for (TExtColumnGrid* g : {ACG_DA, ACG_DataSet, ACG_DS_Vars}) {
        g->OnKeyPress = [g](TObject*, char16_t& Key) { Grid_Enter_Next_Cell(g, Key); };
        g->OnDblClickCell = [g](TObject*, int ARow, int ACol) { Grid_Dbl_Click_Auto_Size(g, ARow, ACol); };
    }
    ACG_DA->OnGridHint = [this](TObject*, int ARow, int ACol, QString& hintstr) {
        hintstr = ARow == 0 && ACol > 0 && ACol < Hint.size() ? Hint[ACol] : QString();
    };
    ACG_DataSet->OnClickCell = [this](TObject* Sender, int ARow, int ACol) {
        ACG_DataSetClickCell(Sender, ARow, ACol);
    };
    ACG_DS_Vars->OnSelectCell = [this](TObject* Sender, int ACol, int ARow, bool& CanSelect) {
        ACG_DS_VarsSelectCell(Sender, ACol, ARow, CanSelect);
    };
    ACG_DS_Vars->OnEditCellDone = [this](TObject* Sender, int ACol, int ARow) {
        ACG_DS_VarsEditCellDone(Sender, ACol, ARow);
    };
    FormCreate();
    PC_DA_DataSet->SetActivePage(TS_DA);
}

TFIEC_61850_Access::~TFIEC_61850_Access()
{
    if (FIEC_61850_Access == this)
        FIEC_61850_Access = nullptr;
}

void TFIEC_61850_Access::Set_Lang()
{
    TTableEditor::Set_Lang();
    Btn_Add_IEC_Device->SetCaption(Lang_Text(3208));
    Btn_Remove_IEC_Device->SetCaption(Lang_Text(3209));
    Btn_Add_IEC_Device->SetHint(Lang_Text(3216));
    Btn_Remove_IEC_Device->SetHint(Lang_Text(3217));
    Btn_Add_IEC_Device->SetShowHint(true);
    Btn_Remove_IEC_Device->SetShowHint(true);
    Hint.clear();
    Hint << Lang_Text(3235);
    for (int c = 1; c < int(std::size(kDA_Columns)); ++c)
        Hint << Lang_Text(kDA_Columns[c].Hint);
}

// The six tree pictures, drawn here: a device, a logical device, a logical node, a data object, an
// attribute and a data set.
void TFIEC_61850_Access::Draw_Pictures()
{
    IL_IEC->SetSize(16, 16);
    const std::array<QColor, 6> colors = {QColor(64, 64, 64), QColor(160, 110, 40), QColor(40, 120, 160),
                                          QColor(0, 0, 255),  QColor(90, 90, 90),   QColor(0, 128, 0)};
    for (int i = 0; i < 6; ++i) {
        TBitmap bmp;
        bmp.SetSize(16, 16);
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colors[size_t(i)].darker(130), 1));
        p.setBrush(colors[size_t(i)]);
        switch (i) {
        case Pic_Device: // a server box with two lamps
            p.drawRect(1, 2, 13, 11);
            p.setBrush(Qt::green);
            p.drawEllipse(3, 4, 3, 3);
            p.drawEllipse(3, 9, 3, 3);
            break;
        case Pic_LDevice: // a folder
            p.drawRect(1, 4, 14, 10);
            p.drawRect(1, 2, 6, 2);
            break;
        case Pic_LN: // a node
            p.drawEllipse(2, 2, 12, 12);
            break;
        case Pic_DO: // a diamond
            p.drawPolygon(QPolygon({QPoint(8, 1), QPoint(15, 8), QPoint(8, 15), QPoint(1, 8)}));
            break;
        case Pic_DA: // a small square
            p.drawRect(4, 4, 8, 8);
            break;
        case Pic_DataSet: // stacked lines
            for (int y = 2; y < 14; y += 4)
                p.drawRect(2, y, 12, 3);
            break;
        }
        p.end();
        bmp.Assign(image);
        IL_IEC->Add(&bmp);
    }
}

QString TFIEC_61850_Access::Catalog_Dir()
{
    return IncludeTrailingPathDelimiter(Active_Project_Dir) + Catalog_Folder + "/";
}

// ---- Catalogue ----------------------------------------------------------------------------------------

void TFIEC_61850_Access::Btn_Add_IEC_DeviceClick(TObject*)
{
    TFileDialogRequest request;
    request.Filter = QString::fromLatin1(Icd_Filter);
    if (!Interaction().FileDialog(request))
        return;
    const QString source = request.FileName;
    const QString folder = Catalog_Dir();
    if (!DirectoryExists(folder))
        ForceDirectories(folder);
    const QString target = folder + ExtractFileName(source);
    bool copy = true;
    if (FileExists(target)) {
        const TModalResult answer =
            MessageDlg(QString::fromLatin1(Overwrite_Question), mtConfirmation, mbYesNoCancel);
        if (answer == mrCancel)
            return;
        // The catalogue's own copy chosen again is already in place: copying it onto itself would
        // only risk emptying it.
        copy =
            answer == mrYes && QFileInfo(source).canonicalFilePath() != QFileInfo(target).canonicalFilePath();
    }
    try {
        if (copy)
            WriteFileAtomic(target, ReadFileBytes(source));
        List_IEC_Dev.push_back(TIEC_Device::Create(target));
    } catch (const Exception& e) {
        // A copy that failed, or a file that is not well-formed: one message, no device.
        MessageDlg(e.Message, mtError, mbOK);
        return;
    }
    Show_IEC_Devices();
}

void TFIEC_61850_Access::Btn_Remove_IEC_DeviceClick(TObject*)
{
    const int i = LB_IEC_Devices->ItemIndex();
    if (i < 0 || i >= LB_IEC_Devices->Count() || i >= int(List_IEC_Dev.size()))
        return;
    // Rows of either table that refer to the device keep it.
    if (Uses_Index(ACG_DA, i) || Uses_Index(ACG_DataSet, i))
        return;
    LB_IEC_Devices->Items->Delete(i);
    List_IEC_Dev.erase(List_IEC_Dev.begin() + i);
    Lower_Indexes(ACG_DA, i);
    Lower_Indexes(ACG_DataSet, i);
    if (i == Tree_Device_Index) {
        Clear_Tree();
        Selected_IEC_DA.reset();
        Selected_IEC_DS.reset();
    } else if (i < Tree_Device_Index) {
        --Tree_Device_Index;
    }
}

bool TFIEC_61850_Access::Uses_Index(TExtColumnGrid* Grid, int Index)
{
    for (int r = 1; r < Grid->RowCount(); ++r)
        if (Cell_Int(Grid, 1, r) == Index)
            return true;
    return false;
}

void TFIEC_61850_Access::Lower_Indexes(TExtColumnGrid* Grid, int Index)
{
    for (int r = 1; r < Grid->RowCount(); ++r) {
        const int n = Cell_Int(Grid, 1, r);
        if (n > Index)
            Grid->SetCells(1, r, QString::number(n - 1));
    }
}

void TFIEC_61850_Access::Show_IEC_Devices()
{
    LB_IEC_Devices->Items->BeginUpdate();
    LB_IEC_Devices->Clear();
    for (const auto& device : List_IEC_Dev)
        LB_IEC_Devices->Items->Add(device->Name());
    LB_IEC_Devices->Items->EndUpdate();
    LB_IEC_Devices->SetItemIndex(-1);
}

void TFIEC_61850_Access::LB_IEC_DevicesClick(TObject*)
{
    const int i = LB_IEC_Devices->ItemIndex();
    if (i < 0 || i >= int(List_IEC_Dev.size()))
        return;
    Clear_Tree();
    FTree_Device = List_IEC_Dev[size_t(i)];
    Tree_Device_Index = i;
    Show_Tree_IEC_Device(*FTree_Device);
    Selected_IEC_DA.reset();
}

// ---- Tree ---------------------------------------------------------------------------------------------

void TFIEC_61850_Access::Clear_Tree()
{
    TV_IEC_Device->Items->Clear();
    NODE_ORIG = nullptr;
    FTree_Device.reset();
    Tree_Device_Index = -1;
}

TTreeNode* TFIEC_61850_Access::Add_Node(TTreeNode* Parent, const QString& Text, int Picture, void* Object)
{
    TTreeNode* node = TV_IEC_Device->Items->AddChild(Parent, Text);
    node->SetImageIndex(Picture);
    node->SetSelectedIndex(Picture);
    node->Data = Object;
    return node;
}

void TFIEC_61850_Access::Show_Tree_IEC_Device(TIEC_Device& Device)
{
    TV_IEC_Device->Items->BeginUpdate();
    NODE_ORIG = Add_Node(nullptr, Device.Name(), Pic_Device, &Device);
    Device.TreeNode = NODE_ORIG;
    for (const auto& ld : Device.List_LDevice)
        Show_Tree_IEC_LDevice(NODE_ORIG, *ld);
    NODE_ORIG->Expand(false);
    TV_IEC_Device->Items->EndUpdate();
}

void TFIEC_61850_Access::Show_Tree_IEC_LDevice(TTreeNode* Parent, TIEC_LDevice& LDevice)
{
    LDevice.TreeNode = Add_Node(Parent, LDevice.Name(), Pic_LDevice, &LDevice);
    for (const auto& ln : LDevice.List_LN)
        Show_Tree_IEC_LN(LDevice.TreeNode, *ln);
    LDevice.TreeNode->Expand(false);
}

void TFIEC_61850_Access::Show_Tree_IEC_LN(TTreeNode* Parent, TIEC_LN& LN)
{
    LN.TreeNode = Add_Node(Parent, LN.Prefix() + LN.lnClass() + LN.Inst(), Pic_LN, &LN);
    for (const auto& d : LN.List_DO)
        Show_Tree_IEC_DO(LN.TreeNode, *d);
    for (const auto& ds : LN.List_DataSet)
        Show_Tree_IEC_DataSet(LN.TreeNode, *ds);
    LN.TreeNode->Expand(false);
}

void TFIEC_61850_Access::Show_Tree_IEC_DO(TTreeNode* Parent, TIEC_DO& DO)
{
    DO.TreeNode = Add_Node(Parent, DO.Name(), Pic_DO, &DO);
    for (const auto& sdo : DO.List_DO)
        Show_Tree_IEC_DO(DO.TreeNode, *sdo);
    for (const auto& da : DO.List_DA)
        Show_Tree_IEC_DA(DO.TreeNode, *da);
}

void TFIEC_61850_Access::Show_Tree_IEC_DA(TTreeNode* Parent, TIEC_DA& DA)
{
    DA.TreeNode = Add_Node(Parent, DA.Name(), Pic_DA, &DA);
    for (const auto& member : DA.List_DA)
        Show_Tree_IEC_DA(DA.TreeNode, *member);
}

void TFIEC_61850_Access::Show_Tree_IEC_DataSet(TTreeNode* Parent, TIEC_DataSet& DataSet)
{
    DataSet.TreeNode = Add_Node(Parent, DataSet.Name(), Pic_DataSet, &DataSet);
}

void TFIEC_61850_Access::TV_IEC_DeviceClick(TObject*)
{
    Selected_IEC_DA.reset();
    Selected_IEC_DS.reset();
    const int i = LB_IEC_Devices->ItemIndex();
    if (i < 0 || i >= int(List_IEC_Dev.size()) || !FTree_Device)
        return;
    TTreeNode* node = TV_IEC_Device->Selected();
    if (!node || node == NODE_ORIG)
        return;
    // Each node carries its object; its picture tells the kind.
    if (node->ImageIndex() == Pic_DA) {
        auto* da = static_cast<TIEC_DA*>(node->Data);
        if (da->List_DA.empty())
            Selected_IEC_DA = std::shared_ptr<TIEC_DA>(FTree_Device, da);
    } else if (node->ImageIndex() == Pic_DataSet) {
        Selected_IEC_DS = std::shared_ptr<TIEC_DataSet>(FTree_Device, static_cast<TIEC_DataSet*>(node->Data));
    }
}

void TFIEC_61850_Access::TV_IEC_DeviceCustomDrawItem(TObject*, TTreeNode* Node, bool&)
{
    const int picture = Node->ImageIndex();
    TV_IEC_Device->Canvas->Font->Color = picture == Pic_DO ? Blue : picture == Pic_DataSet ? Green : clBlack;
}
