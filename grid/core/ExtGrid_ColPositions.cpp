// TExtStringGrid: the column order kept as "Pos" + i entries in an ini file or the registry.
#include "grid/core/ExtGrid.h"
#include "platform/core/IniFiles.h"
#include "platform/system/RegistryIniFile.h"

#include <vector>

namespace
{
QString PosKey(int i)
{
    return QStringLiteral("Pos%1").arg(i);
}

// Runs Body on the store ColumnSize names; the store is written back when Body is done.
template <class F> void WithColumnStore(const TColumnSize* Settings, F Body)
{
    if (Settings->Location == clIniFile) {
        TIniFile ini(Settings->Key);
        Body(ini);
        ini.UpdateFile();
    } else {
        TRegistryIniFile reg(Settings->Key);
        Body(reg);
        reg.UpdateFile();
    }
}
} // namespace

void TExtStringGrid::SaveColPositions()
{
    const TColumnSize* cs = ColumnSize();
    if (cs->Key.isEmpty() || cs->Section.isEmpty() || IsDesignTime())
        return;
    WithColumnStore(cs, [&](auto& store) {
        for (int i = 0; i < FColumnOrder->Count(); ++i)
            store.WriteInteger(cs->Section, PosKey(i), FColumnOrder->Items(i));
    });
}

void TExtStringGrid::LoadColPositions()
{
    const TColumnSize* cs = ColumnSize();
    if (cs->Key.isEmpty() || cs->Section.isEmpty() || IsDesignTime())
        return;
    std::vector<int> stored;
    WithColumnStore(cs, [&](auto& store) {
        if (store.ReadInteger(cs->Section, PosKey(0), -1) == -1)
            return;
        const int all = ColCount() + NumHiddenColumns();
        for (int i = 0; i < all; ++i)
            if (const int v = store.ReadInteger(cs->Section, PosKey(i), -1); v != -1)
                stored.push_back(v);
    });
    const int n = int(stored.size());
    if (n == 0)
        return;
    // The inverse order; entries that are no permutation of the positions (a hand-edited file) would
    // leave columns nowhere, so nothing moves then.
    std::vector<int> inverse(size_t(n), -1);
    for (int pos = 0; pos < n; ++pos) {
        const int v = stored[size_t(pos)];
        if (v < 0 || v >= n || inverse[size_t(v)] != -1)
            return;
        inverse[size_t(v)] = pos;
    }
    std::vector<int> hidden;
    for (int c = 0; c < ColCount() + NumHiddenColumns(); ++c)
        if (IsHiddenColumn(c))
            hidden.push_back(c);
    FColumnOrder->Clear();
    for (int v : inverse)
        FColumnOrder->Add(v);
    UnHideColumnsAll();
    ResetColumnOrder();
    for (int c : hidden)
        HideColumn(c);
    FColumnOrder->Clear();
    for (int v : stored)
        FColumnOrder->Add(v);
}
