// TCustomGrid editor mode. The in-place editor itself (creation, loading, placing, writing back)
// comes with the grid's input half; until then no editor exists, so UpdateEdit and HideEdit have
// nothing to show or write back, and only the editor mode is kept.
#include "platform/Grid.h"

void TCustomGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::InvalidateEditor()
{
    FInplaceCol = -1;
    FInplaceRow = -1;
    UpdateEdit();
}

void TCustomGrid::UpdateEdit() {}

void TCustomGrid::HideEdit() {}
