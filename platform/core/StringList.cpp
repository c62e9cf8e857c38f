#include "platform/core/StringList.h"

#include <QStringDecoder>
#include <algorithm>
#include <iterator>

int AnsiCompareText(const QString& a, const QString& b)
{
    const int r = QString::compare(a, b, Qt::CaseInsensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int AnsiCompareStr(const QString& a, const QString& b)
{
    if (const int r = AnsiCompareText(a, b))
        return r;
    // Equal but for case: at the first difference the lower-case letter comes first.
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i)
        if (a[i] != b[i])
            return a[i].isLower() ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// ---- TStrings -------------------------------------------------------------------------------------

void TStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit)
        RaiseListIndexError(Index);
}

int TStrings::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

int TStrings::AddObject(const QString& S, TObject* AObject)
{
    const int index = Count();
    InsertObject(index, S, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const QString& S, TObject* AObject)
{
    if (Index < 0 || Index > Count())
        RaiseListIndexError(Index);
    Changing();
    InsertItem(Index, S, AObject);
    Changed();
}

void TStrings::Put(int Index, const QString& S)
{
    TObject* object = GetObject(Index);
    BeginUpdate();
    Delete(Index);
    InsertObject(Index, S, object);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings* Strings)
{
    BeginUpdate();
    for (int i = 0; i < Strings->Count(); ++i)
        AddObject(Strings->Strings(i), Strings->Objects(i));
    EndUpdate();
}

void TStrings::AddStrings(const QStringList& Strings)
{
    BeginUpdate();
    for (const QString& s : Strings)
        Add(s);
    EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    BeginUpdate();
    const QString s1 = Get(Index1);
    TObject* o1 = GetObject(Index1);
    Put(Index1, Get(Index2));
    PutObject(Index1, GetObject(Index2));
    Put(Index2, s1);
    PutObject(Index2, o1);
    EndUpdate();
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex, Count());
    CheckIndex(NewIndex, Count());
    BeginUpdate();
    const QString s = Get(CurIndex);
    TObject* o = GetObject(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, o);
    EndUpdate();
}

int TStrings::CompareStrings(const QString& a, const QString& b) const
{
    return AnsiCompareText(a, b);
}

int TStrings::IndexOf(const QString& S) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Get(i), S) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfName(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString s = Get(i);
        const int p = s.indexOf(NameValueSeparator);
        if (p >= 0 && CompareStrings(s.left(p), Name) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetObject(i) == AObject)
            return i;
    return -1;
}

QString TStrings::Names(int Index) const
{
    const QString s = Get(Index);
    const int p = s.indexOf(NameValueSeparator);
    return p >= 0 ? s.left(p) : QString();
}

QString TStrings::ValueFromIndex(int Index) const
{
    const QString s = Get(Index);
    const int p = s.indexOf(NameValueSeparator);
    return p >= 0 ? s.mid(p + 1) : QString();
}

QString TStrings::Values(const QString& Name) const
{
    const int i = IndexOfName(Name);
    return i >= 0 ? ValueFromIndex(i) : QString();
}

void TStrings::SetValues(const QString& Name, const QString& Value)
{
    const int i = IndexOfName(Name);
    if (!Value.isEmpty()) {
        const QString line = Name + NameValueSeparator + Value;
        if (i < 0)
            Add(line);
        else
            Put(i, line);
    } else if (i >= 0) {
        Delete(i);
    }
}

namespace {

QString joinDelimited(const TStrings& list, QChar delimiter, QChar quoteChar)
{
    const int n = list.Count();
    if (n == 1 && list.Strings(0).isEmpty())
        return QString(2, quoteChar);
    QString result;
    for (int i = 0; i < n; ++i) {
        QString s = list.Strings(i);
        const bool quote = std::any_of(s.begin(), s.end(), [&](QChar c) {
            return c.unicode() <= ' ' || c == quoteChar || c == delimiter;
        });
        if (quote)
            s = quoteChar + QString(s).replace(quoteChar, QString(2, quoteChar)) + quoteChar;
        if (i > 0)
            result += delimiter;
        result += s;
    }
    return result;
}

void splitDelimited(TStrings& list, const QString& Value, QChar delimiter, QChar quoteChar, bool strict)
{
    auto isBlank = [&](int i) { return !strict && Value[i].unicode() <= ' '; };
    list.BeginUpdate();
    list.Clear();
    const int n = Value.size();
    int i = 0;
    while (i < n && isBlank(i))
        ++i;
    while (i < n) {
        QString item;
        if (Value[i] == quoteChar) {
            ++i;
            while (i < n) {
                if (Value[i] == quoteChar) {
                    if (i + 1 < n && Value[i + 1] == quoteChar) {
                        item += quoteChar;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            const int start = i;
            while (i < n && Value[i] != delimiter && !isBlank(i))
                ++i;
            item = Value.mid(start, i - start);
        }
        list.Add(item);
        while (i < n && isBlank(i))
            ++i;
        if (i < n && Value[i] == delimiter) {
            ++i;
            if (i == n)
                list.Add(QString());   // a trailing delimiter ends with an empty item
            while (i < n && isBlank(i))
                ++i;
        }
    }
    list.EndUpdate();
}

} // namespace

QString TStrings::DelimitedText() const { return joinDelimited(*this, Delimiter, QuoteChar); }

void TStrings::SetDelimitedText(const QString& Value)
{
    splitDelimited(*this, Value, Delimiter, QuoteChar, StrictDelimiter);
}

QString TStrings::CommaText() const { return joinDelimited(*this, ',', '"'); }

void TStrings::SetCommaText(const QString& Value) { splitDelimited(*this, Value, ',', '"', false); }

QString TStrings::Text() const
{
    QString result;
    for (int i = 0; i < Count(); ++i)
        result += Get(i) + LineBreak;
    return result;
}

void TStrings::SetText(const QString& Value)
{
    BeginUpdate();
    Clear();
    const int n = Value.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        if (Value[i] == '\r' || Value[i] == '\n') {
            Add(Value.mid(start, i - start));
            if (Value[i] == '\r' && i + 1 < n && Value[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        Add(Value.mid(start));
    EndUpdate();
}

namespace
{

QString decodeText(const QByteArray& bytes, TTextEncoding Encoding)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16, QStringDecoder::Flag::ConvertInitialBom);
        QString text = decoder.decode(bytes);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    switch (Encoding) {
    case TTextEncoding::UTF8:
    case TTextEncoding::UTF8BOM:
        return QString::fromUtf8(bytes);
    case TTextEncoding::Unicode:
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    default:
        return DecodeWindows1252(bytes);
    }
}

QByteArray encodeText(const QString& text, TTextEncoding Encoding)
{
    switch (Encoding) {
    case TTextEncoding::UTF8:
        return text.toUtf8();
    case TTextEncoding::UTF8BOM:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case TTextEncoding::Unicode: {
        QByteArray out("\xFF\xFE", 2);
        out.reserve(2 + text.size() * 2);
        for (QChar c : text) {
            out.append(char(c.unicode() & 0xFF));
            out.append(char(c.unicode() >> 8));
        }
        return out;
    }
    default:
        return EncodeWindows1252(text);
    }
}

} // namespace

void TStrings::LoadFromFile(const QString& FileName, TTextEncoding Encoding)
{
    SetText(decodeText(ReadFileBytes(FileName), Encoding));
}

void TStrings::SaveToFile(const QString& FileName, TTextEncoding Encoding) const
{
    WriteFileAtomic(FileName, encodeText(Text(), Encoding));
}

void TStrings::LoadFromStream(TStream* Stream, TTextEncoding Encoding)
{
    const int64_t n = std::max<int64_t>(Stream->Size() - Stream->Position(), 0);
    QByteArray bytes(qsizetype(n), Qt::Uninitialized);
    Stream->ReadBuffer(bytes.data(), n);
    SetText(decodeText(bytes, Encoding));
}

void TStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) const
{
    const QByteArray bytes = encodeText(Text(), Encoding);
    Stream->WriteBuffer(bytes.constData(), bytes.size());
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0) {
        SetUpdateState(false);
        Changed();
    }
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

void TStrings::Changing()
{
    if (FUpdateCount == 0 && OnChanging)
        OnChanging(this);
}

void TStrings::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TStrings*>(Source)) {
        if (src == this)
            return;
        BeginUpdate();
        Clear();
        NameValueSeparator = src->NameValueSeparator;
        Delimiter = src->Delimiter;
        QuoteChar = src->QuoteChar;
        StrictDelimiter = src->StrictDelimiter;
        AddStrings(src);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

QStringList TStrings::ToStringList() const
{
    QStringList result;
    for (int i = 0; i < Count(); ++i)
        result << Get(i);
    return result;
}

// ---- TStringList ----------------------------------------------------------------------------------

TStringList::~TStringList()
{
    OnChange = nullptr;
    OnChanging = nullptr;
    if (FOwnsObjects)
        for (Item& item : FItems)
            delete item.Object;
}

QString TStringList::Get(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].S;
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[static_cast<size_t>(Index)].Object;
}

void TStringList::Put(int Index, const QString& S)
{
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    CheckIndex(Index, Count());
    Changing();
    FItems[static_cast<size_t>(Index)].S = S;
    Changed();
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index, Count());
    Changing();
    Item& item = FItems[static_cast<size_t>(Index)];
    if (FOwnsObjects && item.Object != AObject)
        delete item.Object;
    item.Object = AObject;
    Changed();
}

void TStringList::InsertItem(int Index, const QString& S, TObject* AObject)
{
    FItems.insert(FItems.begin() + Index, Item{S, AObject});
}

int TStringList::AddObject(const QString& S, TObject* AObject)
{
    int index = Count();
    if (FSorted && Find(S, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EListError("String list does not allow duplicates");
    }
    TStrings::InsertObject(index, S, AObject);
    return index;
}

void TStringList::InsertObject(int Index, const QString& S, TObject* AObject)
{
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    TStrings::InsertObject(Index, S, AObject);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, Count());
    Changing();
    TObject* object = FItems[static_cast<size_t>(Index)].Object;
    FItems.erase(FItems.begin() + Index);
    if (FOwnsObjects)
        delete object;
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    std::vector<Item> old;
    old.swap(FItems);
    if (FOwnsObjects)
        for (Item& item : old)
            delete item.Object;
    Changed();
}

void TStringList::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    Changing();
    std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
    Changed();
}

void TStringList::Move(int CurIndex, int NewIndex)
{
    if (FSorted)
        throw EListError("Operation not allowed on sorted list");
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex, Count());
    CheckIndex(NewIndex, Count());
    Changing();
    Item item = FItems[static_cast<size_t>(CurIndex)];
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, item);
    Changed();
}

int TStringList::CompareStrings(const QString& a, const QString& b) const
{
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(const QString& S, int& Index) const
{
    // First of equal strings, so dupAccept inserts before them and IndexOf finds the first.
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        const int c = CompareStrings(FItems[static_cast<size_t>(mid)].S, S);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0)
                found = true;
        }
    }
    Index = lo;
    return found;
}

int TStringList::IndexOf(const QString& S) const
{
    if (!FSorted)
        return TStrings::IndexOf(S);
    int index = 0;
    return Find(S, index) ? index : -1;
}

void TStringList::Sort()
{
    CustomSort([](const TStringList* list, int a, int b) {
        return list->CompareStrings(list->FItems[static_cast<size_t>(a)].S,
                                    list->FItems[static_cast<size_t>(b)].S);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& Compare)
{
    if (Count() < 2)
        return;
    Changing();
    // Sort a permutation so the comparison sees the list's own indexes, then apply it.
    std::vector<int> order(FItems.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Compare(this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order)
        sorted.push_back(FItems[static_cast<size_t>(i)]);
    FItems.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (FSorted == Value)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (FCaseSensitive == Value)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

// ---- Collections ----------------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* Collection)
{
    SetCollection(Collection);
}

TCollectionItem::~TCollectionItem()
{
    if (FCollection)
        FCollection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value)
{
    if (FCollection == Value)
        return;
    if (FCollection)
        FCollection->RemoveItem(this);
    if (Value)
        Value->InsertItem(this, Value->Count());
}

int TCollectionItem::Index() const
{
    if (!FCollection)
        return -1;
    const auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int Value)
{
    if (FCollection && Value != Index())
        FCollection->MoveItem(this, Value);
}

QString TCollectionItem::DisplayName() const
{
    return ClassName();
}

void TCollectionItem::Changed(bool AllItems)
{
    if (FCollection && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

TCollection::TCollection(TItemFactory Factory, TPersistent* AOwner) : FFactory(std::move(Factory)), FOwner(AOwner)
{
}

TCollection::~TCollection()
{
    OnUpdate = nullptr;
    FUpdateCount = 1;   // no notifications while dying
    while (!FItems.empty())
        delete FItems.back();
}

TCollectionItem* TCollection::Add()
{
    return FFactory(this);
}

TCollectionItem* TCollection::Insert(int Index)
{
    if (Index < 0 || Index > Count())
        RaiseListIndexError(Index);
    BeginUpdate();
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    EndUpdate();
    return item;
}

void TCollection::Delete(int Index)
{
    delete Items(Index);
}

void TCollection::Clear()
{
    if (FItems.empty())
        return;
    BeginUpdate();
    while (!FItems.empty())
        delete FItems.back();
    EndUpdate();
}

TCollectionItem* TCollection::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        RaiseListIndexError(Index);
    return FItems[static_cast<size_t>(Index)];
}

TCollectionItem* TCollection::FindItemID(int ID) const
{
    for (TCollectionItem* item : FItems)
        if (item->FID == ID)
            return item;
    return nullptr;
}

void TCollection::BeginUpdate()
{
    ++FUpdateCount;
}

void TCollection::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Changed()
{
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::Update(TCollectionItem* Item)
{
    if (OnUpdate)
        OnUpdate(Item);
}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::InsertItem(TCollectionItem* Item, int Index)
{
    FItems.insert(FItems.begin() + Index, Item);
    Item->FCollection = this;
    Item->FID = FNextID++;
    Notify(Item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item)
{
    Notify(Item, cnDeleting);
    // Searched from the back: clearing and freeing the newest items then cost nothing per item.
    if (const auto it = std::find(FItems.rbegin(), FItems.rend(), Item); it != FItems.rend())
        FItems.erase(std::next(it).base());
    Item->FCollection = nullptr;
    Changed();
}

void TCollection::MoveItem(TCollectionItem* Item, int NewIndex)
{
    if (NewIndex < 0 || NewIndex >= Count())
        RaiseListIndexError(NewIndex);
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
    FItems.insert(FItems.begin() + NewIndex, Item);
    Changed();
}

void TCollection::Assign(const TPersistent* Source)
{
    if (auto* src = dynamic_cast<const TCollection*>(Source)) {
        if (src == this)
            return;
        BeginUpdate();
        Clear();
        for (TCollectionItem* item : src->FItems)
            Add()->Assign(item);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}
