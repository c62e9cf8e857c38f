// TExtColumnGrid: column positions in an ini file ("CP" + position) and the column stream (XML, one
// element per item with every published setting, its fonts, pens and lists).
#include "grid/core/ExtCGrid.h"
#include "platform/core/IniFiles.h"
#include "platform/core/Xml.h"

#include <QTextStream>
#include <vector>

// ---- Column positions ------------------------------------------------------------------------------------

void TExtColumnGrid::SetOrganization()
{
    NoRecursive([this] { SyncColumnCount(); });
    for (int i = 0; i < FColumnCollection->Count(); ++i)
        FColumnCollection->Items(i)->SetDefIdx(i);
}

void TExtColumnGrid::ResetOrganization()
{
    // Each pass moves a column left to its home; the values are a permutation (checked by the
    // loader), so the passes end - bounded all the same.
    for (int pass = 0; pass <= FColumnCollection->Count(); ++pass) {
        bool moved = false;
        for (int i = 0; i < FColumnCollection->Count(); ++i) {
            const int home = FColumnCollection->Items(i)->DefIdx();
            if (home < i && home >= 0) {
                MoveColumn(DisplColIndex(i), DisplColIndex(home));
                moved = true;
            }
        }
        if (!moved)
            break;
    }
}

void TExtColumnGrid::SaveColPositions()
{
    if (ColumnSize()->Location == clIniFile)
        SaveColumnPositions(ColumnSize()->Key, ColumnSize()->Section);
    else
        TExtStringGrid::SaveColPositions();
}

void TExtColumnGrid::LoadColPositions()
{
    if (ColumnSize()->Location == clIniFile)
        LoadColumnPositions(ColumnSize()->Key, ColumnSize()->Section);
    else
        TExtStringGrid::LoadColPositions();
}

void TExtColumnGrid::SaveColumnPositions(const QString& Key, const QString& Section)
{
    TIniFile ini(Key);
    for (int n = 0; n < FColumnCollection->Count(); ++n)
        ini.WriteInteger(Section, QStringLiteral("CP%1").arg(n), FColumnCollection->Items(n)->DefIdx());
    ini.UpdateFile();
}

void TExtColumnGrid::LoadColumnPositions(const QString& Key, const QString& Section)
{
    const int count = FColumnCollection->Count();
    std::vector<int> positions(size_t(count), -1);
    std::vector<bool> seen(size_t(count), false);
    {
        TIniFile ini(Key);
        for (int j = 0; j < count; ++j) {
            const int v = ini.ReadInteger(Section, QStringLiteral("CP%1").arg(j), -1);
            // A missing key, or values that are no permutation of the positions (a hand-edited
            // file), would leave columns nowhere or never settle: nothing moves then.
            if (v < 0 || v >= count || seen[size_t(v)])
                return;
            seen[size_t(v)] = true;
            positions[size_t(j)] = v;
        }
    }
    ResetColumnOrder();
    for (int j = 0; j < count; ++j)
        FColumnCollection->Items(positions[size_t(j)])->SetDefIdx(j);
    ResetOrganization();
    for (int n = 0; n < count; ++n)
        FColumnCollection->Items(n)->SetDefIdx(positions[size_t(n)]);
}

// ---- Column stream ---------------------------------------------------------------------------------------

namespace
{
const char* const StreamRoot = "ExtColumnGridColumns";

void WriteFont(TXmlElement Parent, const char* Name, const TFont* F)
{
    TXmlElement e = Parent.AddChild(Name);
    e.SetAttribute("Name", QString(F->Name));
    e.SetAttribute("Size", QString::number(int(F->Size)));
    e.SetAttribute("Color", QString::number(uint32_t(F->Color)));
    e.SetAttribute("Style", QString::number(int(F->Style)));
    e.SetAttribute("Charset", QString::number(int(F->Charset)));
    e.SetAttribute("Pitch", QString::number(int(TFontPitch(F->Pitch))));
}

void WritePen(TXmlElement Parent, const char* Name, const TPen* P)
{
    TXmlElement e = Parent.AddChild(Name);
    e.SetAttribute("Color", QString::number(uint32_t(P->Color)));
    e.SetAttribute("Width", QString::number(int(P->Width)));
    e.SetAttribute("Style", QString::number(int(TPenStyle(P->Style))));
    e.SetAttribute("Mode", QString::number(int(TPenMode(P->Mode))));
}

void WriteList(TXmlElement Parent, const char* Name, const TStrings* L)
{
    TXmlElement e = Parent.AddChild(Name);
    for (int i = 0; i < L->Count(); ++i)
        e.AddTextChild("Line", L->Strings(i));
}

// Strict number reading: a damaged stream must not load half-way.
qlonglong Num(const TXmlElement& E, const QString& Attr)
{
    bool ok = false;
    const qlonglong v = E.Attribute(Attr).toLongLong(&ok);
    if (!ok)
        throw EExtGridError(QStringLiteral("Invalid column stream: %1").arg(Attr));
    return v;
}

void ReadFont(const TXmlElement& Parent, const char* Name, TFont* F)
{
    const TXmlElement e = Parent.RequiredChild(Name);
    F->Name = e.Attribute("Name");
    F->Size = int(Num(e, "Size"));
    F->Color = TColor(Num(e, "Color"));
    F->Style = TFontStyles(Num(e, "Style"));
    F->Charset = uint8_t(Num(e, "Charset"));
    F->Pitch = TFontPitch(Num(e, "Pitch"));
}

void ReadPen(const TXmlElement& Parent, const char* Name, TPen* P)
{
    const TXmlElement e = Parent.RequiredChild(Name);
    P->Color = TColor(Num(e, "Color"));
    P->Width = int(Num(e, "Width"));
    P->Style = TPenStyle(Num(e, "Style"));
    P->Mode = TPenMode(Num(e, "Mode"));
}

void ReadList(const TXmlElement& Parent, const char* Name, TStrings* L)
{
    L->Clear();
    for (const TXmlElement& line : Parent.RequiredChild(Name).Children("Line"))
        L->Add(line.Text());
}
} // namespace

void TExtColumnGrid::SaveColumnsToStream(QIODevice* st)
{
    TXmlDocument doc;
    TXmlElement root = doc.CreateRoot(StreamRoot);
    root.SetAttribute("Count", QString::number(FColumnCollection->Count()));
    for (int i = 0; i < FColumnCollection->Count(); ++i) {
        const TGridColumnItem* c = FColumnCollection->Items(i);
        TXmlElement e = root.AddChild("Column");
        const auto num = [&](const char* name, qlonglong v) { e.SetAttribute(name, QString::number(v)); };
        num("AutoMinSize", c->AutoMinSize);
        num("AutoMaxSize", c->AutoMaxSize);
        num("Alignment", c->Alignment());
        num("Borders", c->Borders().Bits());
        e.SetAttribute("CheckFalse", c->CheckFalse);
        e.SetAttribute("CheckTrue", c->CheckTrue);
        num("Color", c->Color());
        num("ColumnPopupType", c->ColumnPopupType);
        num("DropDownCount", c->DropDownCount);
        num("EditLength", c->EditLength);
        e.SetAttribute("EditMask", c->EditMask);
        num("Editor", c->Editor());
        num("FilterCaseSensitive", c->FilterCaseSensitive);
        num("Fixed", c->Fixed());
        e.SetAttribute("FloatFormat", c->FloatFormat());
        e.SetAttribute("Header", c->Header());
        num("HeaderAlignment", c->HeaderAlignment());
        num("MinSize", c->MinSize);
        num("MaxSize", c->MaxSize);
        e.SetAttribute("Name", c->Name);
        num("Password", c->Password());
        num("PrintBorderCustom", c->PrintBorderCustom);
        num("PrintBorders", c->PrintBorders.Bits());
        num("PrintColor", c->PrintColor);
        num("PrintFontCustom", c->PrintFontCustom);
        num("ReadOnly", c->ReadOnly);
        num("ShowBands", c->ShowBands());
        num("SortStyle", c->SortStyle);
        e.SetAttribute("SortPrefix", c->SortPrefix);
        e.SetAttribute("SortSuffix", c->SortSuffix);
        num("SpinMax", c->SpinMax);
        num("SpinMin", c->SpinMin);
        num("SpinStep", c->SpinStep);
        num("Tag", c->Tag);
        num("Width", c->Width());
        num("DefIdx", c->DefIdx());
        WriteFont(e, "Font", c->Font());
        WriteFont(e, "HeaderFont", c->HeaderFont());
        WriteFont(e, "PrintFont", c->PrintFont());
        WritePen(e, "BorderPen", c->BorderPen());
        WritePen(e, "PrintBorderPen", c->PrintBorderPen());
        WriteList(e, "ComboItems", c->ComboItems());
        WriteList(e, "Filter", c->Filter());
    }
    const QByteArray bytes = doc.SaveToString().toUtf8();
    if (st->write(bytes) != bytes.size())
        throw EExtGridError("Cannot write column stream");
}

void TExtColumnGrid::LoadColumnsFromStream(QIODevice* st)
{
    TXmlDocument doc;
    try {
        doc.LoadFromString(QString::fromUtf8(st->readAll()));
    } catch (const EXmlError& e) {
        throw EExtGridError(QStringLiteral("Invalid column stream: %1").arg(e.Message));
    }
    const TXmlElement root = doc.Root();
    if (!root || root.NodeName() != StreamRoot)
        throw EExtGridError("Invalid column stream");
    const std::vector<TXmlElement> elements = root.Children("Column");
    if (qlonglong(elements.size()) != Num(root, "Count"))
        throw EExtGridError("Invalid column stream: Count");
    // Everything is read into a separate collection first: a bad stream leaves the columns alone.
    TExtColumnGridIO io(this);
    TGridColumnCollection* items = io.Items();
    std::vector<int> widths;
    try {
        for (const TXmlElement& e : elements) {
            TGridColumnItem* c = static_cast<TGridColumnItem*>(items->TCollection::Add());
            c->AutoMinSize = int(Num(e, "AutoMinSize"));
            c->AutoMaxSize = int(Num(e, "AutoMaxSize"));
            c->SetAlignment(TAlignment(Num(e, "Alignment")));
            TCellBorders b, pb;
            for (int bit = 0; bit < 4; ++bit) {
                if (Num(e, "Borders") & (1 << bit))
                    b.Include(TCellBorder(bit));
                if (Num(e, "PrintBorders") & (1 << bit))
                    pb.Include(TCellBorder(bit));
            }
            c->SetBorders(b);
            c->PrintBorders = pb;
            c->CheckFalse = e.Attribute("CheckFalse");
            c->CheckTrue = e.Attribute("CheckTrue");
            c->SetColor(TColor(Num(e, "Color")));
            c->ColumnPopupType = TColumnPopupType(Num(e, "ColumnPopupType"));
            c->DropDownCount = int(Num(e, "DropDownCount"));
            c->EditLength = int(Num(e, "EditLength"));
            c->EditMask = e.Attribute("EditMask");
            c->SetEditor(TEditorType(Num(e, "Editor")));
            c->FilterCaseSensitive = Num(e, "FilterCaseSensitive") != 0;
            c->SetFixed(Num(e, "Fixed") != 0);
            c->SetFloatFormat(e.Attribute("FloatFormat"));
            c->SetHeaderDirect(e.Attribute("Header"));
            c->SetHeaderAlignment(TAlignment(Num(e, "HeaderAlignment")));
            c->MinSize = int(Num(e, "MinSize"));
            c->MaxSize = int(Num(e, "MaxSize"));
            c->Name = e.Attribute("Name");
            c->SetPassword(Num(e, "Password") != 0);
            c->PrintBorderCustom = Num(e, "PrintBorderCustom") != 0;
            c->PrintColor = TColor(Num(e, "PrintColor"));
            c->PrintFontCustom = Num(e, "PrintFontCustom") != 0;
            c->ReadOnly = Num(e, "ReadOnly") != 0;
            c->SetShowBands(Num(e, "ShowBands") != 0);
            c->SortStyle = TSortStyle(Num(e, "SortStyle"));
            c->SortPrefix = e.Attribute("SortPrefix");
            c->SortSuffix = e.Attribute("SortSuffix");
            c->SpinMax = int(Num(e, "SpinMax"));
            c->SpinMin = int(Num(e, "SpinMin"));
            c->SpinStep = int(Num(e, "SpinStep"));
            c->Tag = intptr_t(Num(e, "Tag"));
            widths.push_back(int(Num(e, "Width")));
            c->SetDefIdx(int(Num(e, "DefIdx")));
            ReadFont(e, "Font", c->Font());
            ReadFont(e, "HeaderFont", c->HeaderFont());
            ReadFont(e, "PrintFont", c->PrintFont());
            ReadPen(e, "BorderPen", c->BorderPen());
            ReadPen(e, "PrintBorderPen", c->PrintBorderPen());
            ReadList(e, "ComboItems", c->ComboItems());
            ReadList(e, "Filter", c->Filter());
        }
    } catch (const EXmlError& e) {
        throw EExtGridError(QStringLiteral("Invalid column stream: %1").arg(e.Message));
    }
    NoRecursive([&] {
        FColumnCollection->BeginUpdate();
        FColumnCollection->Clear();
        for (int i = 0; i < items->Count(); ++i)
            static_cast<TGridColumnItem*>(FColumnCollection->TCollection::Add())->Assign(items->Items(i));
        FColumnCollection->EndUpdate();
        // Widths go to the grid's columns present; the caller matches the column count.
        for (int i = 0; i < FColumnCollection->Count() && i < TotalColCount(); ++i)
            FColumnCollection->Items(i)->SetWidth(widths[size_t(i)]);
    });
    Invalidate();
}
