// TExtStringGrid: the user's column layout kept as one string (count, widths, order, visibility) or
// as "Col" + i width entries in an ini file or the registry stand-in.
#include "grid/core/ExtGrid.h"
#include "platform/core/IniFiles.h"
#include "platform/core/StringList.h"
#include "platform/system/RegistryIniFile.h"

#include <vector>

namespace
{

QString ColKey(int i)
{
    return QStringLiteral("Col%1").arg(i);
}

// Runs Body on the store ColumnSize names and always writes it back, loads too.
template <class F> void WithSizeStore(const TColumnSize* Settings, F Body)
{
    if (Settings->Location == clIniFile) {
        TMemIniFile ini(Settings->Key);
        Body(ini);
        ini.UpdateFile();
    } else {
        TRegistryIniFile reg(Settings->Key);
        Body(reg);
        reg.UpdateFile();
    }
}

// The position of every column index 0 .. Count - 1 in Order; empty when Order is no permutation
// of them (columns would end up nowhere).
std::vector<int> InverseOrder(const std::vector<int>& Order)
{
    const int n = int(Order.size());
    std::vector<int> inverse(size_t(n), -1);
    for (int pos = 0; pos < n; ++pos) {
        const int v = Order[size_t(pos)];
        if (v < 0 || v >= n || inverse[size_t(v)] != -1)
            return {};
        inverse[size_t(v)] = pos;
    }
    return inverse;
}

} // namespace

QString TExtStringGrid::ColumnStatesToString()
{
    const int n = ColCount() + NumHiddenColumns();
    QStringList widths, order, visible;
    for (int i = 0; i < n; ++i) {
        // Beyond the visible columns the toolkit answers the default width.
        widths << QString::number(i < ColCount() ? ColWidths(i) : DefaultColWidth());
        // The visibility table covers the first MaxHiddenColumns columns; the rest count as shown.
        visible << (i >= MaxHiddenColumns || FVisibleCol[size_t(i)] ? QStringLiteral("1")
                                                                    : QStringLiteral("0"));
    }
    if (FColumnOrder->Count() > 0)
        for (int i = 0; i < FColumnOrder->Count(); ++i)
            order << QString::number(FColumnOrder->Items(i));
    else
        for (int i = 0; i < n; ++i)
            order << QString::number(i);
    return QString::number(n) + u'#' + widths.join(u',') + u'#' + order.join(u',') + u'#' +
           visible.join(u',');
}

void TExtStringGrid::StringToColumnStates(const QString& Value)
{
    if (!Value.contains(u'#'))
        return;
    FColumnOrder->Clear();
    UnHideColumnsAll();
    QString rest = Value;
    const qsizetype first = rest.indexOf(u'#');
    SetColCount(StrToInt(rest.left(first)));
    rest.remove(0, first + 1);
    // Widths, order and visibility; missing sections read empty.
    const QStringList parts = rest.split(u'#');
    const QString widthText = parts.value(0);
    const QString orderText = parts.value(1);
    const QString visibleText = parts.value(2);

    // The order section.
    auto list = std::make_unique<TStringList>();
    list->SetCommaText(orderText);
    std::vector<int> saved;
    for (int i = 0; i < list->Count() && int(saved.size()) < ColCount(); ++i)
        if (const int v = StrToInt(list->Strings(i)); v != -1)
            saved.push_back(v);
    if (!saved.empty()) {
        const std::vector<int> inverse = InverseOrder(saved);
        if (!inverse.empty()) {
            for (int v : inverse)
                FColumnOrder->Add(v);
            ResetColumnOrder();
            FColumnOrder->Clear();
            for (int v : saved)
                FColumnOrder->Add(v);
        }
    }

    // Visibility, from the last column down so that the indexes of the columns still to come stay.
    list->SetCommaText(visibleText);
    for (int i = ColCount() - 1; i >= 0; --i)
        if (i < list->Count() && list->Strings(i) == QLatin1String("0"))
            HideColumn(i);

    // Widths, without stretching in between; the stretched column's width becomes the default.
    list->SetCommaText(widthText);
    const bool stretch = FColumnSize->Stretch();
    if (stretch) {
        FColumnSize->SetStretch(false);
        const int sc = FColumnSize->StretchColumn == -1 ? ColCount() - 1 : FColumnSize->StretchColumn;
        if (sc >= 0 && sc < ColCount())
            SetDefaultColWidth(ColWidths(sc));
    }
    for (int i = 0; i < ColCount() && i < list->Count(); ++i)
        SetColWidths(i, StrToInt(list->Strings(i)));
    if (stretch)
        FColumnSize->SetStretch(true);
}

void TExtStringGrid::SaveColSizes()
{
    const TColumnSize* cs = ColumnSize();
    if (cs->Key.isEmpty() || cs->Section.isEmpty() || IsDesignTime())
        return;
    WithSizeStore(cs, [&](TMemIniFile& store) {
        for (int i = 0; i < ColCount(); ++i)
            store.WriteInteger(cs->Section, ColKey(i), ColWidths(i));
    });
}

void TExtStringGrid::LoadColSizes()
{
    const TColumnSize* cs = ColumnSize();
    if (cs->Key.isEmpty() || cs->Section.isEmpty() || IsDesignTime())
        return;
    WithSizeStore(cs, [&](TMemIniFile& store) {
        for (int i = 0; i < ColCount(); ++i) {
            const int w = store.ReadInteger(cs->Section, ColKey(i), ColWidths(i));
            if (w != ColWidths(i))
                SetColWidths(i, w);
        }
    });
}
