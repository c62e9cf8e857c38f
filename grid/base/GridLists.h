// Small lists the string grid keeps per grid or per cell, and two file helpers:
//   - TIntList: integers that report changes for the cell they belong to;
//   - TSortIndexList: the sort columns in priority order, with their stored text form;
//   - TControlList: the controls placed in cells;
//   - TFileStringList: a string list read and written line by line;
//   - TFilePicture: a picture held only by its file name, read from the file whenever it is drawn.
// A bad index raises EListError "List index out of bounds (N)".
#pragma once

#include "grid/base/GridTypes.h"
#include "platform/core/StringList.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TControl;

// A list of integers belonging to the cell (Col, Row).
// Add, Delete, DeleteValue, SetItems and SetStrValue fire OnChange(Sender, Col, Row) once per entry
// they touch; Insert, Clear, Exchange, Move and Sort fire nothing.
class TIntList : public TObject
{
  public:
    TIntList(int ACol, int ARow) : FCol(ACol), FRow(ARow) {}

    int Col() const { return FCol; }
    int Row() const { return FRow; }

    int Count() const { return static_cast<int>(FItems.size()); }
    int32_t Items(int Index) const;
    int32_t operator[](int Index) const { return Items(Index); }
    void SetItems(int Index, int32_t Value);

    int Add(int32_t Value); // the new entry's index
    void Insert(int Index, int32_t Value);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    int IndexOf(int32_t Value) const; // -1 when absent
    void Exchange(int Index1, int Index2);
    void Move(int CurIndex, int NewIndex);
    // Compare answers < 0, 0 or > 0; entries that compare equal keep their order.
    void Sort(const std::function<int(int32_t A, int32_t B)>& Compare);

    void DeleteValue(int32_t Value); // the first equal entry, when there is one
    bool HasValue(int32_t Value) const { return IndexOf(Value) >= 0; }

    // "1,22,333". Writing clears the list, splits the text with the comma-text rules (commas and
    // blanks separate, double quotes group) and adds each piece; a piece that is no integer raises
    // EConvertError, and the entries added before it stay.
    QString StrValue() const;
    void SetStrValue(const QString& Value);

    TImageChangeEvent OnChange;

  private:
    void CheckIndex(int Index, int Limit) const;
    void Changed();

    int FCol;
    int FRow;
    std::vector<int32_t> FItems;
};

// The sort columns in priority order. An entry is the real column index in bits 0..30, with bit 31
// set for a descending column.
class TSortIndexList : public TIntList
{
  public:
    TSortIndexList() : TIntList(0, 0) {}
    using TIntList::TIntList;

    static constexpr uint32_t DescendingBit = 0x80000000u;

    void AddIndex(int ColumnIndex, bool Ascending);
    int FindIndex(int ColumnIndex) const; // -1 when the column is not listed
    void ToggleIndex(int ColumnIndex);    // flips the direction; nothing when not listed

    int SortColumns(int Index) const;
    void SetSortColumns(int Index, int Value); // keeps the direction
    bool SortDirections(int Index) const;      // True = ascending
    void SetSortDirections(int Index, bool Ascending);

    // "u2;d5": u or d and the column's bits 0..15 per entry, joined by ";". This is the stored text
    // format, so a column above 65535 is written cut to 16 bits.
    QString SaveToString() const;
    // Reads that text back; pieces shorter than 2 characters, or whose number is not an integer
    // column index, are skipped. Any first character but "u" means descending.
    void LoadFromString(const QString& s);
};

// A control shown in cell (X, Y).
class TControlItem : public TObject
{
  public:
    TControlItem(int AX, int AY, TControl* AControl) : X(AX), Y(AY), Control(AControl) {}

    int X;
    int Y;
    TControl* Control; // not owned
};

// Owns its items, never their controls.
class TControlList : public TObject
{
  public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TControlItem* Control(int Index) const;

    void AddControl(int X, int Y, TControl* AObject);
    int ControlIndex(int X, int Y) const; // -1 when no control is in that cell
    void RemoveControl(int Index);
    // True when a listed control is a windowed control with this window handle.
    bool HasHandle(HWND Handle) const;

  private:
    std::vector<std::unique_ptr<TControlItem>> FItems;
};

// A string list with a read position and a pending line, for the grid's line-by-line file code.
class TFileStringList : public TStringList
{
  public:
    void Reset(); // read position 0, pending text dropped
    bool Eof() const { return FPosition >= Count(); }
    // The line at the read position, then the position advances; past the last line EListError,
    // with the position left as it was.
    void ReadLn(QString& s);
    void Write(const QString& s) { FPending += s; }
    void WriteLn(const QString& s); // adds the pending text + s as one line

  private:
    int FPosition = 0;
    QString FPending;
};

// A picture known by its file name only: the file is read when the name is set (for its size) and
// again on every draw, so a changed file is drawn as it is now.
class TFilePicture : public TPersistent
{
  public:
    QString Filename() const { return FFilename; }
    // Stores the name and takes the picture's size from the file; a missing or undecodable file
    // raises the layer's EInOutError or EInvalidGraphic and leaves the size as it was. An empty name
    // means no picture (size 0 x 0).
    void SetFilename(const QString& Value);
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    // Draws the file's picture stretched into r. A file that has gone or no longer decodes draws
    // nothing: this runs from paint code, where an error would come back with every repaint.
    void DrawPicture(TCanvas* Canvas, const TRect& r) const;

    // Copies the name and size without reading the file.
    void Assign(const TPersistent* Source) override;

  private:
    QString FFilename;
    int FWidth = 0;
    int FHeight = 0;
};
