// Event types of the string grid that the grid vocabulary does not already hold. The argument order
// is per type and binding: some pass the row first (OnGetCellColor, OnCanEditCell, OnIsFixedCell ...),
// others the column first (OnGetEditorType, OnGetCheckTrue, OnComboChange ...).
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/core/DateUtils.h"

#include <functional>

class TCheckListBox;
class TEditLink;
class TPopupMenu;
class TStringList;
class TStrings;

// Set by the search footer's actions.
enum TSearchAction { saFindFirst, saFindNext, saFindPrevious };
// Where a drag near the border scrolls the grid.
enum TDragScrollDirectionItem { dsdUp, dsdDown, dsdLeft, dsdRight };
using TDragScrollDirection = TEnumSet<TDragScrollDirectionItem>;

using TAfterCellPasteEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TAfterCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TAutoAdvanceEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>;
using TBeforeCellPasteEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>;
using TBeforeCellPasteWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>;
using TCalcFooterEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TCanClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TCanShowFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, bool& CanShow)>;
using TCellChangingEvent =
    std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>;
using TCellComboControlEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                       const QString& CtrlVal, TStringList* Values, bool& Edit, int& DropCount)>;
using TCellComboControlSelectEvent = std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex,
                                                        const QString& CtrlID, const QString& CtrlValue)>;
using TCellControlEvent = std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID,
                                             const QString& CtrlType, const QString& CtrlVal)>;
using TCellCursorEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int X, int Y, TCursor& ACursor)>;
using TCellSaveLoadEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TCellValidateEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)>;
using TCellValidateWideEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)>;
using TCellsChangedEvent = std::function<void(TObject* Sender, const TRect& R)>;
using TClipboardEvent = std::function<void(TObject* Sender, bool& Allow)>;
using TColChangingEvent = std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)>;
using TColorSelectEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor Color, const QString& Value)>;
using TColorSelectedEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& Color, QString& Value)>;
using TComboChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>;
using TComboObjectChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                                   const QString& ASelection, TObject* AObject)>;
using TCustomCellSizeEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TPoint& ASize, bool Printing)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TCustomStrToDateEvent = std::function<void(TObject* Sender, const QString& Value, TDateTime& ADate)>;
using TDateTimeChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, TDateTime ADateTime)>;
using TDateTimeSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)>;
using TDoFitToPageEvent = std::function<void(TObject* Sender, double& ScaleFactor, bool& Allow)>;
using TDragScrollEvent = std::function<void(TObject* Sender, int TopRow, int LeftCol,
                                            TDragScrollDirection& DragScrollDir, bool& CanScroll)>;
using TDropDownButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ButtonIndex)>;
using TEditCellDoneEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TEditChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TFilterCheckEvent =
    std::function<void(TObject* Sender, int Column, int ItemIndex, const QString& FriendlyName,
                       QString& FilterCondition, TCheckListBox* CheckList)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex,
                                              const QString& FriendlyName, QString& FilterCondition)>;
using TFixedDropDownEvent = std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* AMenu,
                                               bool& KeepFixedCellHighlighted)>;
using TFixedEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values)>;
using TFloatSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)>;
using TFooterPaintEvent =
    std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, const TRect& ARect)>;
using TGetCheckEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TGetColumnFilterEvent = std::function<void(TObject* Sender, int Column, TStrings* Filter)>;
using TGetEditorPropEvent = std::function<void(TObject* Sender, int ACol, int ARow, TEditLink* AEditLink)>;
using TGridPrintCancelEvent = std::function<void(TObject* Sender, int PageNr, bool& Cancel)>;
using TGridPrintColumnWidthEvent = std::function<void(TObject* Sender, int ACol, int& Width)>;
using TGridPrintNewPageEvent = std::function<void(TObject* Sender, int ARow, bool& NewPage)>;
using TGridPrintPageDoneEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int LastRow, int LastRowOffset, int LastPage,
                       int PageXSize, int PageYSize)>;
using TGridPrintPageEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, int PageNr, int PageXSize, int PageYSize)>;
using TGridPrintPageNumEvent =
    std::function<void(TObject* Sender, int PageNum, int PageColNum, QString& PageNumString)>;
using TGridPrintRowHeightEvent = std::function<void(TObject* Sender, int ARow, int& Height)>;
using TGridPrintStartEvent = std::function<void(TObject* Sender, int NrOfPages, int& FromPage, int& ToPage)>;
using TGridProgressEvent = std::function<void(TObject* Sender, int16_t progress)>;
using TGridWideHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, QString& hintstr)>;
using TGroupCalcEvent = std::function<void(TObject* Sender, int ACol, int FromRow, int ToRow, double& Res)>;
using THasComboEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasComboBox)>;
using THasSpinEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& HasSpinEdit)>;
using TImageSelectEvent = std::function<void(TObject* Sender, int ACol, int ARow, int Index)>;
using TImageSelectedEvent = std::function<void(TObject* Sender, int ACol, int ARow, int& Index)>;
using TIsFixedCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)>;
using TIsPasswordCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)>;
using TNodeAllowEvent = std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)>;
using TNodeClickEvent = std::function<void(TObject* Sender, int ARow, int ARowreal)>;
using TOleDragDropEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& data, bool& Allow)>;
using TOleDragOverEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)>;
using TOleDragStartEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TOleDragStopEvent = std::function<void(TObject* Sender, int OLEEffect)>;
using TOleDropColEvent = std::function<void(TObject* Sender, int ARow, int ACol, int DropCol)>;
using TOleDropFileEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& FileName, bool& Allow)>;
using TOleDropURLEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const QString& URL, bool& Allow)>;
using TOleDroppedEvent = std::function<void(TObject* Sender, const TGridRect& ARect)>;
using TRadioButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TRadioClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, int AIdx)>;
using TRatingChangeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)>;
using TRowChangedEvent = std::function<void(TObject* Sender, int OldRow, int NewRow)>;
using TRowChangingEvent = std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)>;
using TRowDisjunctSelectEvent = std::function<void(TObject* Sender, int ARow, bool AState, bool& Allow)>;
using TScrollCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, int ScrollPosition,
                                            int ScrollMin, int ScrollMax)>;
using TSearchFooterActionEvent = std::function<void(TObject* Sender, const QString& Value, int ACol, int ARow,
                                                    TSearchAction SearchAction)>;
using TSelectionChanged = std::function<void(TObject* Sender, int ALeft, int ATop, int ARight, int ABottom)>;
using TSelectionResizeEvent =
    std::function<void(TObject* Sender, const TGridRect& OrigSelection, const TGridRect& NewSelection)>;
using TUnitChangedEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& NewUnit)>;
using TWordWrapEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& WordWrap)>;
