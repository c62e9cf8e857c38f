// String lists and collections of the toolkit layer.
//
// TStrings is the abstract list of strings with an object per string; TStringList keeps them in
// memory, optionally sorted. Controls expose their items through TStrings subclasses bound to the
// widget (combo box items, list box items, memo lines), so code that fills a list does not care which
// one it has. TCollection/TCollectionItem hold typed items with change notification (grid columns,
// panels of settings objects).
#pragma once

#include "platform/core/Classes.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Toolkit string order: AnsiCompareText ignores case; AnsiCompareStr puts a lower-case letter before
// its upper-case one when the strings differ only in case ("a" < "A" < "b").
int AnsiCompareText(const QString& a, const QString& b);
int AnsiCompareStr(const QString& a, const QString& b);

// Text encodings of LoadFromFile/SaveToFile. Default is the 8-bit code page of files written on
// Windows; a byte-order mark on load overrides it. Unicode is UTF-16LE behind the mark FF FE, UTF8BOM
// UTF-8 behind EF BB BF.
enum class TTextEncoding { Ansi, UTF8, Unicode, UTF8BOM };

// Abstract list of strings, each with an associated object pointer (not owned).
//
// Subclasses implement the storage primitives (Get/Put/GetObject/PutObject/GetCount/InsertItem/
// Delete/Clear); everything else is written on top of them. Indexes count from 0; a bad index raises
// EListError "List index out of bounds (N)".
// BeginUpdate/EndUpdate nest; Changed() (and OnChange) runs when the outermost EndUpdate ends.
class TStrings : public TPersistent {
public:
    ~TStrings() override = default;

    virtual int Count() const = 0;
    QString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const QString& S) { Put(Index, S); }
    QString operator[](int Index) const { return Get(Index); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual int Add(const QString& S);
    virtual int AddObject(const QString& S, TObject* AObject);
    void Append(const QString& S) { Add(S); }
    // Virtual so that lists kept in a control can append in one step.
    virtual void AddStrings(const TStrings* Strings);
    void AddStrings(const QStringList& Strings);
    void Insert(int Index, const QString& S) { InsertObject(Index, S, nullptr); }
    virtual void InsertObject(int Index, const QString& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int Index1, int Index2);
    virtual void Move(int CurIndex, int NewIndex);

    virtual int IndexOf(const QString& S) const;
    int IndexOfName(const QString& Name) const;
    int IndexOfObject(const TObject* AObject) const;

    // Name=Value pairs.
    QChar NameValueSeparator = '=';
    QString Names(int Index) const;            // "" when the line has no separator
    QString ValueFromIndex(int Index) const;
    QString Values(const QString& Name) const; // "" when absent
    void SetValues(const QString& Name, const QString& Value);   // an empty value removes the line

    // Delimited text. Reading quotes an item that contains a blank, a control character, the quote
    // or the delimiter. Writing splits on the delimiter and, unless StrictDelimiter, on blanks too;
    // quoted parts keep their blanks and "" stands for one quote.
    QChar Delimiter = ',';
    QChar QuoteChar = '"';
    bool StrictDelimiter = false;
    QString DelimitedText() const;
    void SetDelimitedText(const QString& Value);
    QString CommaText() const;                 // DelimitedText with ',' and '"'
    void SetCommaText(const QString& Value);

    // Lines joined by LineBreak, each line followed by one; setting splits on CR, LF or CR LF.
    QString LineBreak = QStringLiteral("\r\n");
    QString Text() const;
    void SetText(const QString& Value);

    void LoadFromFile(const QString& FileName, TTextEncoding Encoding = TTextEncoding::Ansi);
    void SaveToFile(const QString& FileName, TTextEncoding Encoding = TTextEncoding::Ansi) const;
    // The same from the stream's position to its end, and at the stream's position.
    void LoadFromStream(TStream* Stream, TTextEncoding Encoding = TTextEncoding::Ansi);
    void SaveToStream(TStream* Stream, TTextEncoding Encoding = TTextEncoding::Ansi) const;

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void Assign(const TPersistent* Source) override;
    QStringList ToStringList() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual QString Get(int Index) const = 0;
    virtual void Put(int Index, const QString& S);
    virtual TObject* GetObject(int Index) const = 0;
    virtual void PutObject(int Index, TObject* AObject) = 0;
    // Stores a new item at Index without any sorting logic.
    virtual void InsertItem(int Index, const QString& S, TObject* AObject) = 0;
    // Comparison used by IndexOf and sorting; TStrings ignores case.
    virtual int CompareStrings(const QString& a, const QString& b) const;
    // Called when the outermost update ends or a single change happens outside an update.
    virtual void Changed();
    virtual void Changing();
    // Called by BeginUpdate/EndUpdate at the outermost level (controls stop repainting).
    virtual void SetUpdateState(bool Updating);
    void CheckIndex(int Index, int Limit) const;

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

using TStringListSortCompare = std::function<int(const class TStringList* List, int Index1, int Index2)>;

// The in-memory string list.
// Sorted: Add/AddObject insert at the sorted place and Duplicates decides about an equal string
// (dupIgnore returns the existing index, dupError raises EListError "String list does not allow
// duplicates"); Insert, Put and Move raise EListError "Operation not allowed on sorted list".
// CaseSensitive governs IndexOf, Find and the sort order.
class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
    ~TStringList() override;

    int Count() const override { return static_cast<int>(FItems.size()); }
    int AddObject(const QString& S, TObject* AObject) override;
    void InsertObject(int Index, const QString& S, TObject* AObject) override;
    void Delete(int Index) override;
    void Clear() override;
    void Exchange(int Index1, int Index2) override;
    void Move(int CurIndex, int NewIndex) override;
    int IndexOf(const QString& S) const override;

    // Binary search in a sorted list: true when found; Index is the match or the insertion place.
    bool Find(const QString& S, int& Index) const;
    virtual void Sort();
    void CustomSort(const TStringListSortCompare& Compare);

    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool Value);
    TDuplicates Duplicates = dupIgnore;
    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

protected:
    QString Get(int Index) const override;
    void Put(int Index, const QString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void InsertItem(int Index, const QString& S, TObject* AObject) override;
    int CompareStrings(const QString& a, const QString& b) const override;

private:
    struct Item {
        QString S;
        TObject* Object = nullptr;
    };
    std::vector<Item> FItems;
    bool FSorted = false;
    bool FCaseSensitive = false;
    bool FOwnsObjects = false;
};

// ---- Collections ----------------------------------------------------------------------------------

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// One item of a TCollection. Destroying an item removes it from its collection.
class TCollectionItem : public TPersistent {
public:
    explicit TCollectionItem(TCollection* Collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    void SetCollection(TCollection* Value);
    int Index() const;
    void SetIndex(int Value);   // moves the item within its collection
    int ID() const { return FID; }
    virtual QString DisplayName() const;

protected:
    // Tells the collection that this item (or, with AllItems, every item) changed.
    void Changed(bool AllItems);

private:
    friend class TCollection;
    TCollection* FCollection = nullptr;
    int FID = 0;
};

// An owned, ordered list of items of one class, made by the factory given at construction.
// Change protocol: adding, deleting, moving or changing an item calls Update(Item) - Item is null
// when the whole collection changed - unless an update (BeginUpdate/EndUpdate, nesting) is open;
// the outermost EndUpdate then calls Update(nullptr) once. OnUpdate is called from Update.
class TCollection : public TPersistent {
public:
    using TItemFactory = std::function<TCollectionItem*(TCollection*)>;
    explicit TCollection(TItemFactory Factory, TPersistent* AOwner = nullptr);
    ~TCollection() override;

    TCollectionItem* Add();
    TCollectionItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int Index) const;   // raises EListError for a bad index
    TCollectionItem* FindItemID(int ID) const;
    TPersistent* Owner() const { return FOwner; }

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // Copies the items one by one with the items' own Assign.
    void Assign(const TPersistent* Source) override;

    std::function<void(TCollectionItem* Item)> OnUpdate;

protected:
    virtual void Update(TCollectionItem* Item);
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* Item, int Index);
    void RemoveItem(TCollectionItem* Item);
    void MoveItem(TCollectionItem* Item, int NewIndex);

    TItemFactory FFactory;
    TPersistent* FOwner;
    std::vector<TCollectionItem*> FItems;
    int FNextID = 0;
    int FUpdateCount = 0;
};

// A collection of items of class Item (a TCollectionItem with an (TCollection*) constructor).
template <class Item> class TCollectionOf : public TCollection {
public:
    explicit TCollectionOf(TPersistent* AOwner = nullptr)
        : TCollection([](TCollection* c) { return new Item(c); }, AOwner)
    {
    }
    Item* Add() { return static_cast<Item*>(TCollection::Add()); }
    Item* Insert(int Index) { return static_cast<Item*>(TCollection::Insert(Index)); }
    Item* Items(int Index) const { return static_cast<Item*>(TCollection::Items(Index)); }
};
