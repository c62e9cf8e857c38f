// A string grid on a shown form that records what its input stages call, in order, for the grid
// input and in-place editor tests.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/grid/InplaceEdit.h"
#include "platform/grid/StringGrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace gridinput_test
{

class TInputGrid : public TStringGrid
{
  public:
    using TStringGrid::TStringGrid;

    QStringList Calls;
    QList<UINT> Messages;               // WindowProcedure, without WM_MOUSEMOVE
    std::vector<TShiftState> LeftDowns; // HandleMouseDown of the left button
    bool SelectAnswer = true;
    bool CancelRelease = false; // gsNormal before the release is passed on
    bool LiveWrite = false;     // EN_CHANGE writes the editor's text into the current cell
    std::function<bool(char16_t)> AcceptKey;
    bool Modify = true;
    std::function<void(TMessage&)> OnMessage;
    std::function<void(TCMHintShow&)> OnHintShow;
    std::vector<TGridCoord> Drawn; // cells painted, in order

    TGridState GridState() const { return FGridState; }
    int InplaceCol() const { return FInplaceCol; }
    int InplaceRow() const { return FInplaceRow; }
    using TCustomGrid::GridFocused;

    void Click() override
    {
        Calls << "Click";
        TStringGrid::Click();
    }
    void DblClick() override
    {
        Calls << "DblClick";
        TStringGrid::DblClick();
    }
    void HandleMouseDown(TMouseButton b, TShiftState shift, int x, int y) override
    {
        if (b == mbLeft)
            LeftDowns.push_back(shift);
        TStringGrid::HandleMouseDown(b, shift, x, y);
    }

  protected:
    bool CanSelectCell(int c, int r) override
    {
        Calls << QString("SelectCell(%1,%2)").arg(c).arg(r);
        return SelectAnswer && TStringGrid::CanSelectCell(c, r);
    }
    bool CanShowEditor() override
    {
        Calls << "CanShowEditor";
        return TStringGrid::CanShowEditor();
    }
    TInplaceEdit* CreateInplaceEditor() override
    {
        Calls << "CreateInplaceEditor";
        return TStringGrid::CreateInplaceEditor();
    }
    QString ReadEditText(int c, int r) override
    {
        Calls << QString("ReadEditText(%1,%2)").arg(c).arg(r);
        return TStringGrid::ReadEditText(c, r);
    }
    void WriteEditText(int c, int r, const QString& v) override
    {
        Calls << QString("WriteEditText(%1,%2,%3)").arg(c).arg(r).arg(v);
        TStringGrid::WriteEditText(c, r, v);
    }
    void ColWidthsChanged() override
    {
        Calls << "ColWidthsChanged";
        TStringGrid::ColWidthsChanged();
    }
    void ColumnMoved(int from, int to) override
    {
        Calls << QString("ColumnMoved(%1,%2)").arg(from).arg(to);
        TStringGrid::ColumnMoved(from, to);
    }
    void RowMoved(int from, int to) override
    {
        Calls << QString("RowMoved(%1,%2)").arg(from).arg(to);
        TStringGrid::RowMoved(from, to);
    }
    void WindowProcedure(TMessage& m) override
    {
        if (m.Msg != WM_MOUSEMOVE)
            Messages << m.Msg;
        if (OnMessage)
            OnMessage(m);
        if (LiveWrite && m.Msg == WM_COMMAND && (m.WParam >> 16) == EN_CHANGE && InplaceEditor())
            WriteEditText(Col(), Row(), InplaceEditor()->Text());
        TStringGrid::WindowProcedure(m);
    }
    void DrawCell(int c, int r, const TRect& rect, TGridDrawState state) override
    {
        Drawn.push_back(TGridCoord{c, r});
        TStringGrid::DrawCell(c, r, rect, state);
    }
    bool CanEditAcceptKey(char16_t key) override { return AcceptKey ? AcceptKey(key) : true; }
    bool CanEditModify() override { return Modify; }
    void HandleWMLButtonUp(TWMMouse& m) override
    {
        if (CancelRelease)
            FGridState = gsNormal;
        TStringGrid::HandleWMLButtonUp(m);
    }
    void WMSetFocus() override
    {
        TStringGrid::WMSetFocus();
        Calls << "WMSetFocus done";
    }
    void DoEnter() override
    {
        Calls << "DoEnter";
        TStringGrid::DoEnter();
    }
    void DoExit() override
    {
        Calls << "DoExit";
        TStringGrid::DoExit();
    }
    void CMHintShow(TCMHintShow& m) override
    {
        if (OnHintShow)
            OnHintShow(m);
    }
};

// A 6 x 20 grid of abutting 64 x 22 px cells (one fixed row and column) on a shown, active form, with an
// edit after it in the tab order; cell (c, r) holds "c:r". The grid has the focus.
class GridInput : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(40, 40, 700, 500);
        grid = new TInputGrid(form.get());
        grid->SetParent(form.get());
        grid->SetBounds(10, 10, 420, 300);
        grid->SetGridLineWidth(0); // cells abut, as in the grid family, which draws its own lines
        grid->SetScrollBars(ssVertical);
        grid->SetColCount(6);
        grid->SetRowCount(20);
        grid->SetDefaultRowHeight(22);
        grid->SetClientHeight(10 * 22 + 22 + 5); // the fixed row and 10 whole rows
        for (int c = 0; c < 6; ++c)
            for (int r = 0; r < 20; ++r)
                grid->SetCells(c, r, QString("%1:%2").arg(c).arg(r));
        other = new TEdit(form.get());
        other->SetParent(form.get());
        other->SetBounds(450, 10, 100, 21);
        form->Show();
        QApplication::setActiveWindow(form->Widget());
        grid->SetFocus();
        QApplication::processEvents();
        grid->Calls.clear();
        grid->Messages.clear();
    }

    TInplaceEdit* Editor() const { return grid->InplaceEditor(); }
    bool EditorShown() const { return Editor() && Editor()->Visible() && grid->InplaceCol() >= 0; }
    // The centre of a cell, in client coordinates.
    QPoint CellCentre(int c, int r) const
    {
        const TRect rect = grid->CellRect(c, r);
        return QPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
    }

  public:
    // A key on whatever has the focus, then the posted messages.
    static void Key(Qt::Key key, Qt::KeyboardModifiers mods = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, mods);
        QApplication::processEvents();
    }
    static void Type(const QString& text)
    {
        for (QChar ch : text) {
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
            QApplication::processEvents();
        }
    }

  protected:
    std::unique_ptr<TForm> form;
    TInputGrid* grid = nullptr;
    TEdit* other = nullptr;
};

} // namespace gridinput_test
