// TExtStringGrid: the grid's colours, fonts and look switches as a small "key=value" text file (no
// sections), for colour schemes and a user's look between runs.
#include "grid/core/ExtGrid.h"
#include "platform/core/StringList.h"
#include "platform/graphics/ColorText.h"

#include <QFileInfo>
#include <functional>
#include <vector>

namespace
{

enum TValueKind { vkColor, vkBool, vkInt, vkEnum, vkFont };

// One key of the file: how it is written and how it is applied. Enumerations are written by their
// identifier (Ids, the first is ordinal 0); an ordinal outside Ids writes an empty value.
struct TVisualKey {
    const char* Key;
    TValueKind Kind;
    std::function<int(TExtStringGrid&)> Get; // colours, booleans, integers and ordinals
    std::function<void(TExtStringGrid&, int)> Set;
    QStringList Ids = {};
    std::function<TFont*(TExtStringGrid&)> Font = {};
};

using G = TExtStringGrid;

TVisualKey Color(const char* Key, std::function<int(G&)> Get, std::function<void(G&, int)> Set)
{
    return {Key, vkColor, std::move(Get), std::move(Set)};
}
TVisualKey Bool(const char* Key, std::function<int(G&)> Get, std::function<void(G&, int)> Set)
{
    return {Key, vkBool, std::move(Get), std::move(Set)};
}
TVisualKey Int(const char* Key, std::function<int(G&)> Get, std::function<void(G&, int)> Set)
{
    return {Key, vkInt, std::move(Get), std::move(Set)};
}
TVisualKey Enum(const char* Key, QStringList Ids, std::function<int(G&)> Get,
                std::function<void(G&, int)> Set)
{
    return {Key, vkEnum, std::move(Get), std::move(Set), std::move(Ids)};
}
TVisualKey Font(const char* Key, std::function<TFont*(G&)> F)
{
    return {Key, vkFont, {}, {}, {}, std::move(F)};
}

// The keys in the writer's order.
const std::vector<TVisualKey>& VisualKeys()
{
    static const std::vector<TVisualKey> keys = {
        Color(
            "Color", [](G& g) { return g.Color(); }, [](G& g, int v) { g.SetColor(TColor(v)); }),
        Color(
            "HintColor", [](G& g) { return g.HintColor; }, [](G& g, int v) { g.HintColor = TColor(v); }),
        Color(
            "SelectionColor", [](G& g) { return g.SelectionColor; },
            [](G& g, int v) { g.SetSelectionColor(TColor(v)); }),
        Color(
            "SelectionColorTo", [](G& g) { return g.SelectionColorTo(); },
            [](G& g, int v) { g.SetSelectionColorTo(TColor(v)); }),
        Color(
            "SelectionMirrorColor", [](G& g) { return g.SelectionMirrorColor(); },
            [](G& g, int v) { g.SetSelectionMirrorColor(TColor(v)); }),
        Color(
            "SelectionMirrorColorTo", [](G& g) { return g.SelectionMirrorColorTo(); },
            [](G& g, int v) { g.SetSelectionMirrorColorTo(TColor(v)); }),
        Color(
            "SelectionTextColor", [](G& g) { return g.SelectionTextColor(); },
            [](G& g, int v) { g.SetSelectionTextColor(TColor(v)); }),
        Color(
            "URLColor", [](G& g) { return g.URLColor; }, [](G& g, int v) { g.SetURLColor(TColor(v)); }),
        Bool(
            "URLShow", [](G& g) { return g.URLShow(); }, [](G& g, int v) { g.SetURLShow(v); }),
        Bool(
            "URLShowInText", [](G& g) { return g.URLShowInText(); },
            [](G& g, int v) { g.SetURLShowInText(v); }),
        Color(
            "ScrollColor", [](G& g) { return g.ScrollColor; },
            [](G& g, int v) {
                g.ScrollColor = TColor(v);
                g.Invalidate();
            }),
        Color(
            "ActiveRowColor", [](G& g) { return g.ActiveRowColor(); },
            [](G& g, int v) { g.SetActiveRowColor(TColor(v)); }),
        Bool(
            "ActiveRowShow", [](G& g) { return g.ActiveRowShow(); },
            [](G& g, int v) { g.SetActiveRowShow(v); }),
        Bool(
            "ActiveCellShow", [](G& g) { return g.ActiveCellShow; },
            [](G& g, int v) { g.SetActiveCellShow(v); }),
        Font("Font", [](G& g) { return g.Font; }),
        Color(
            "ActiveCellColor", [](G& g) { return g.ActiveCellColor; },
            [](G& g, int v) { g.SetActiveCellColor(TColor(v)); }),
        Color(
            "ActiveCellColorTo", [](G& g) { return g.ActiveCellColorTo; },
            [](G& g, int v) { g.SetActiveCellColorTo(TColor(v)); }),
        Font("ActiveCellFont", [](G& g) { return g.ActiveCellFont(); }),
        Font("FixedFont", [](G& g) { return g.FixedFont(); }),
        Color(
            "Balloon.BackgroundColor", [](G& g) { return g.Balloon()->BackgroundColor; },
            [](G& g, int v) { g.Balloon()->BackgroundColor = TColor(v); }),
        Color(
            "Balloon.TextColor", [](G& g) { return g.Balloon()->TextColor; },
            [](G& g, int v) { g.Balloon()->TextColor = TColor(v); }),
        Int(
            "Balloon.Transparency", [](G& g) { return g.Balloon()->Transparency; },
            [](G& g, int v) { g.Balloon()->Transparency = uint8_t(v); }),
        Color(
            "Bands.PrimaryColor", [](G& g) { return g.Bands()->PrimaryColor(); },
            [](G& g, int v) { g.Bands()->SetPrimaryColor(TColor(v)); }),
        Color(
            "Bands.SecondaryColor", [](G& g) { return g.Bands()->SecondaryColor(); },
            [](G& g, int v) { g.Bands()->SetSecondaryColor(TColor(v)); }),
        Bool(
            "Bands.Active", [](G& g) { return g.Bands()->Active(); },
            [](G& g, int v) { g.Bands()->SetActive(v); }),
        Color(
            "SortSettings.IndexColor", [](G& g) { return g.SortSettings()->IndexColor; },
            [](G& g, int v) { g.SortSettings()->IndexColor = TColor(v); }),
        Color(
            "FloatingFooter.Color", [](G& g) { return g.FloatingFooter()->Color(); },
            [](G& g, int v) { g.FloatingFooter()->SetColor(TColor(v)); }),
        Int(
            "ControlLook.CheckSize", [](G& g) { return g.ControlLook()->CheckSize(); },
            [](G& g, int v) { g.ControlLook()->SetCheckSize(v); }),
        Color(
            "ControlLook.Color", [](G& g) { return g.ControlLook()->Color(); },
            [](G& g, int v) { g.ControlLook()->SetColor(TColor(v)); }),
        Color(
            "ControlLook.CommentColor", [](G& g) { return g.ControlLook()->CommentColor(); },
            [](G& g, int v) { g.ControlLook()->SetCommentColor(TColor(v)); }),
        Enum(
            "ControlLook.ControlStyle",
            {"csClassic", "csFlat", "csWinXP", "csMorvale", "csQel", "csGlyph", "csTheme"},
            [](G& g) { return int(g.ControlLook()->ControlStyle()); },
            [](G& g, int v) { g.ControlLook()->SetControlStyle(TGridControlStyle(v)); }),
        Color(
            "ControlLook.FixedGradientFrom", [](G& g) { return g.ControlLook()->FixedGradientFrom(); },
            [](G& g, int v) { g.ControlLook()->SetFixedGradientFrom(TColor(v)); }),
        Color(
            "ControlLook.FixedGradientTo", [](G& g) { return g.ControlLook()->FixedGradientTo(); },
            [](G& g, int v) { g.ControlLook()->SetFixedGradientTo(TColor(v)); }),
        Int(
            "ControlLook.RadioSize", [](G& g) { return g.ControlLook()->RadioSize(); },
            [](G& g, int v) { g.ControlLook()->SetRadioSize(v); }),
        Bool(
            "ControlLook.FlatButton", [](G& g) { return g.ControlLook()->FlatButton(); },
            [](G& g, int v) { g.ControlLook()->SetFlatButton(v); }),
        Color(
            "ControlLook.ProgressBorderColor", [](G& g) { return g.ControlLook()->ProgressBorderColor; },
            [](G& g, int v) { g.ControlLook()->ProgressBorderColor = TColor(v); }),
        Bool(
            "ControlLook.ProgressXP", [](G& g) { return g.ControlLook()->ProgressXP(); },
            [](G& g, int v) { g.ControlLook()->SetProgressXP(v); }),
        // glCustom (the ordinal after the list) is written empty.
        Enum(
            "Look",
            {"glStandard", "glSoft", "glClassic", "glQel", "glXP", "glListView", "glVista", "glWin7",
             "glOffice2007"},
            [](G& g) { return int(g.Look); }, [](G& g, int v) { g.SetLook(TGridLook(v)); }),
        Color(
            "SearchFooter.Color", [](G& g) { return g.SearchFooter()->Color(); },
            [](G& g, int v) { g.SearchFooter()->SetColor(TColor(v)); }),
        Color(
            "SearchFooter.ColorTo", [](G& g) { return g.SearchFooter()->ColorTo(); },
            [](G& g, int v) { g.SearchFooter()->SetColorTo(TColor(v)); }),
        Color(
            "Grouping.HeaderColor", [](G& g) { return g.Grouping()->HeaderColor; },
            [](G& g, int v) { g.Grouping()->HeaderColor = TColor(v); }),
        Color(
            "Grouping.HeaderColorTo", [](G& g) { return g.Grouping()->HeaderColorTo; },
            [](G& g, int v) { g.Grouping()->HeaderColorTo = TColor(v); }),
        Color(
            "Grouping.HeaderTextColor", [](G& g) { return g.Grouping()->HeaderTextColor; },
            [](G& g, int v) { g.Grouping()->HeaderTextColor = TColor(v); }),
        Bool(
            "Grouping.HeaderUnderline", [](G& g) { return g.Grouping()->HeaderUnderline; },
            [](G& g, int v) { g.Grouping()->HeaderUnderline = v; }),
        Color(
            "Grouping.HeaderLineColor", [](G& g) { return g.Grouping()->HeaderLineColor; },
            [](G& g, int v) { g.Grouping()->HeaderLineColor = TColor(v); }),
        Int(
            "Grouping.HeaderLineWidth", [](G& g) { return g.Grouping()->HeaderLineWidth; },
            [](G& g, int v) { g.Grouping()->HeaderLineWidth = v; }),
        Color(
            "Grouping.SummaryColor", [](G& g) { return g.Grouping()->SummaryColor; },
            [](G& g, int v) { g.Grouping()->SummaryColor = TColor(v); }),
        Color(
            "Grouping.SummaryColorTo", [](G& g) { return g.Grouping()->SummaryColorTo; },
            [](G& g, int v) { g.Grouping()->SummaryColorTo = TColor(v); }),
        Color(
            "Grouping.SummaryTextColor", [](G& g) { return g.Grouping()->SummaryTextColor; },
            [](G& g, int v) { g.Grouping()->SummaryTextColor = TColor(v); }),
        Bool(
            "Grouping.SummaryLine", [](G& g) { return g.Grouping()->SummaryLine; },
            [](G& g, int v) { g.Grouping()->SummaryLine = v; }),
        Color(
            "Grouping.SummaryLineColor", [](G& g) { return g.Grouping()->SummaryLineColor; },
            [](G& g, int v) { g.Grouping()->SummaryLineColor = TColor(v); }),
        Int(
            "Grouping.SummaryLineWidth", [](G& g) { return g.Grouping()->SummaryLineWidth; },
            [](G& g, int v) { g.Grouping()->SummaryLineWidth = v; }),
        Color(
            "GridLineColor", [](G& g) { return g.GridLineColor(); },
            [](G& g, int v) { g.SetGridLineColor(TColor(v)); }),
        Color(
            "GridFixedLineColor", [](G& g) { return g.GridFixedLineColor(); },
            [](G& g, int v) { g.SetGridFixedLineColor(TColor(v)); }),
        Int(
            "BackGround.Top", [](G& g) { return g.BackGround()->Top(); },
            [](G& g, int v) { g.BackGround()->SetTop(v); }),
        Int(
            "BackGround.Left", [](G& g) { return g.BackGround()->Left(); },
            [](G& g, int v) { g.BackGround()->SetLeft(v); }),
        Enum(
            "BackGround.Display", {"bdTile", "bdFixed", "bdGradientHorz", "bdGradientVert"},
            [](G& g) { return int(g.BackGround()->Display()); },
            [](G& g, int v) { g.BackGround()->SetDisplay(TBackGroundDisplay(v)); }),
        Enum(
            "BackGround.Cells", {"bcNormal", "bcFixed", "bcAll"},
            [](G& g) { return int(g.BackGround()->Cells()); },
            [](G& g, int v) { g.BackGround()->SetCells(TBackGroundCells(v)); }),
        Color(
            "BackGround.Color", [](G& g) { return g.BackGround()->Color(); },
            [](G& g, int v) { g.BackGround()->SetColor(TColor(v)); }),
        Color(
            "BackGround.ColorTo", [](G& g) { return g.BackGround()->ColorTo(); },
            [](G& g, int v) { g.BackGround()->SetColorTo(TColor(v)); }),
    };
    return keys;
}

struct TStyleName {
    TFontStyles Style;
    const char* Name;
};
constexpr TStyleName StyleNames[] = {
    {fsBold, "fsBold"}, {fsItalic, "fsItalic"}, {fsUnderline, "fsUnderline"}, {fsStrikeOut, "fsStrikeOut"}};

QString StyleText(TFontStyles Style)
{
    QStringList names;
    for (const TStyleName& s : StyleNames)
        if (Style & s.Style)
            names << QString::fromLatin1(s.Name);
    return names.join(u',');
}

TFontStyles StyleOfText(const QString& Text)
{
    TFontStyles style = 0;
    for (const TStyleName& s : StyleNames)
        if (Text.contains(QLatin1String(s.Name)))
            style |= s.Style;
    return style;
}

// Looks a key up by name without regard to case; the first line wins; "" when missing.
class TKeyLookup
{
  public:
    explicit TKeyLookup(const TStringList& Lines) : FLines(Lines) {}
    QString Value(const QString& Key) const
    {
        for (int i = 0; i < FLines.Count(); ++i) {
            const QString line = FLines.Strings(i);
            const qsizetype eq = line.indexOf(u'=');
            if (eq >= 0 && line.left(eq).compare(Key, Qt::CaseInsensitive) == 0)
                return line.mid(eq + 1);
        }
        return QString();
    }

  private:
    const TStringList& FLines;
};

TColor ReadColor(const QString& Value)
{
    return Value.isEmpty() ? clNone : StringToColor(Value);
}

void Apply(G& Grid, const TVisualKey& K, const TKeyLookup& File)
{
    const QString key = QString::fromLatin1(K.Key);
    switch (K.Kind) {
    case vkColor:
        K.Set(Grid, int(ReadColor(File.Value(key))));
        break;
    case vkBool:
        K.Set(Grid, File.Value(key).toUpper() == QLatin1String("TRUE"));
        break;
    case vkInt:
        K.Set(Grid, StrToInt(File.Value(key)));
        break;
    case vkEnum: {
        const QString v = File.Value(key).toUpper();
        for (int i = 0; i < K.Ids.size(); ++i)
            if (K.Ids[i].toUpper() == v) {
                K.Set(Grid, i);
                break;
            }
        break;
    }
    case vkFont: {
        TFont* f = K.Font(Grid);
        f->Color = ReadColor(File.Value(key + ".Color"));
        f->Style = StyleOfText(File.Value(key + ".Style"));
        f->Size = StrToInt(File.Value(key + ".Size"));
        // The font ignores an empty name.
        if (const QString name = File.Value(key + ".Name"); !name.isEmpty())
            f->Name = name;
        break;
    }
    }
}

} // namespace

void TExtStringGrid::SaveVisualProps(const QString& FileName)
{
    QString text;
    auto line = [&](const QString& Key, const QString& Value) {
        text += Key + u'=' + Value + QStringLiteral("\r\n");
    };
    for (const TVisualKey& k : VisualKeys()) {
        const QString key = QString::fromLatin1(k.Key);
        switch (k.Kind) {
        case vkColor:
            line(key, ColorToString(TColor(k.Get(*this))));
            break;
        case vkBool:
            line(key, k.Get(*this) ? QStringLiteral("true") : QStringLiteral("false"));
            break;
        case vkInt:
            line(key, QString::number(k.Get(*this)));
            break;
        case vkEnum:
            line(key, k.Ids.value(k.Get(*this)));
            break;
        case vkFont: {
            const TFont* f = k.Font(*this);
            line(key + ".Color", ColorToString(f->Color));
            line(key + ".Style", StyleText(f->Style));
            line(key + ".Size", QString::number(f->Size.get()));
            line(key + ".Name", f->Name.get());
            break;
        }
        }
    }
    try {
        WriteFileAtomic(FileName, EncodeWindows1252(text));
    } catch (const EInOutError&) {
        throw Exception("Cannot Create " + FileName);
    }
}

void TExtStringGrid::LoadVisualProps(const QString& FileName)
{
    TStringList lines;
    try {
        if (!QFileInfo(FileName).isFile())
            throw EInOutError(FileName);
        lines.LoadFromFile(FileName, TTextEncoding::Ansi);
    } catch (const EInOutError&) {
        throw Exception("Cannot open file " + FileName);
    }
    const TKeyLookup file(lines);
    // The reader's order: the grid line colours come before the grouping keys.
    const std::vector<TVisualKey>& keys = VisualKeys();
    std::vector<const TVisualKey*> order;
    std::vector<const TVisualKey*> lineColors;
    for (const TVisualKey& k : keys)
        if (QLatin1String(k.Key) == QLatin1String("GridLineColor") ||
            QLatin1String(k.Key) == QLatin1String("GridFixedLineColor"))
            lineColors.push_back(&k);
    for (const TVisualKey& k : keys) {
        const QLatin1String key(k.Key);
        if (key == QLatin1String("GridLineColor") || key == QLatin1String("GridFixedLineColor"))
            continue;
        if (key == QLatin1String("Grouping.HeaderColor"))
            order.insert(order.end(), lineColors.begin(), lineColors.end());
        order.push_back(&k);
    }
    for (const TVisualKey* k : order)
        Apply(*this, *k, file);
}
