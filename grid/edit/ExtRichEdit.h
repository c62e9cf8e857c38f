// TExtRichEdit: the grid's rich edit. A grid has two, each made on first use: the hidden RichEdit
// that converts rich-text cells to and from RTF and measures them, and the in-place editor of
// edRichEdit cells. The hidden one only records the size its content asks for (ReqWidth,
// ReqHeight); the in-place one grows its row while typing when SizeWhileTyping.Height is on and it
// is not locked (Lock/Unlock bracket the loading of a cell).
#pragma once

#include "platform/controls/RichEdit.h"

class TExtStringGrid;

class TExtRichEdit : public TRichEdit
{
  public:
    explicit TExtRichEdit(TComponent* AOwner);

    // Qt controls take new settings at once; kept for the editors' common protocol.
    void ReCreate() {}
    // The selection's vertical offset: 0, -40 and +40 twips.
    void SelNormal();
    void SelSubscript();
    void SelSuperscript();
    bool IsSelNormal() const;
    bool IsSelSubscript() const;
    bool IsSelSuperscript() const;
    void Lock() { FLocked = true; }
    void Unlock() { FLocked = false; }
    bool Locked() const { return FLocked; }
    int ReqHeight() const { return FReqHeight; }
    int ReqWidth() const { return FReqWidth; }

    // Tab is the editor's (DLGC_WANTTAB), and so are Enter and Escape in the grid's in-place editor.
    bool WantsKey(WORD Key, TShiftState Shift) const override;
    void HandleKeyDown(WORD& Key, TShiftState Shift) override;
    void HandleKillFocus() override;

  protected:
    void RequestResize(const TRect& Rect) override;

  private:
    bool IsInplace() const;
    TExtStringGrid* FGrid;
    int FReqHeight = 0;
    int FReqWidth = 0;
    bool FLocked = false;
};
