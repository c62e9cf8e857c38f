// The row filter's conditions: the grid's published Filter collection. Each TFilterData tests one
// column of a row; RowMatchesFilter combines the items' results in collection order by their
// Operation. FilterActive, the stacked filter levels and NarrowDown are the grid's.
#pragma once

#include "platform/core/StringList.h"

class TExtStringGrid;

// Which text of the cell an item tests: the displayed text, the stored one, the text without HTML
// tags, the calculated text, or the whole row (a case-insensitive substring test).
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How an item's result joins the result so far: foSHORT (a failure ends the test), foNONE (the
// result so far is dropped), and, or, xor.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
// fmExpression: the condition is a filter expression; fmLiteral: the text must equal it exactly.
enum TFilterMethod { fmExpression, fmLiteral };

class TFilterData : public TCollectionItem
{
  public:
    explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}
    // Everything but Method.
    void Assign(const TPersistent* Source) override;

    int16_t Column = 0;
    QString Condition;
    bool CaseSensitive = true;
    TFilterCells Data = fcVirtual;
    QString Prefix;
    QString Suffix;
    TFilterOperation Operation = foSHORT;
    TFilterMethod Method = fmExpression;
};

class TFilter : public TCollectionOf<TFilterData>
{
  public:
    explicit TFilter(TExtStringGrid* AOwner);

    // The first item gets foNONE, later ones foAND.
    TFilterData* Add();
    // Appended like the collection's plain add (the index is not used); Operation stays foSHORT.
    TFilterData* Insert(int Index);
    TFilterData* Items(int Index) const { return TCollectionOf::Items(Index); }
    void SetItems(int Index, const TFilterData* Value) { Items(Index)->Assign(Value); }
    // The first item of the column; one is added (through Add) when there is none.
    TFilterData* ColumnFilter(int Col);
    bool HasFilter(int Col) const;
    // Every item of the column goes (last first); the column's header cell repaints.
    void RemoveColumnFilter(int Col);
    TExtStringGrid* Grid() const { return FGrid; }

  private:
    TExtStringGrid* FGrid;
};
