// The look of grouped rows: the grid's published Grouping settings. Header rows are the node rows a
// grouping inserts, summary rows the rows after each group that hold its calculations. The grid's
// painter and border hook read these; the grouping operations themselves are the grid's.
#pragma once

#include "platform/core/Classes.h"
#include "platform/graphics/Colors.h"

class TGrouping : public TPersistent
{
  public:
    TGrouping() = default;
    // From a TGrouping only (any other source is ignored). Summary and the two lines' colour and
    // width keep their values.
    void Assign(const TPersistent* Source) override;

    bool AutoSelectGroup = false;
    bool AutoCheckGroup = false;
    QString GroupCountFormat;
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    bool HeaderUnderline = false;
    TColor HeaderLineColor = GroupingLineColor;
    int HeaderLineWidth = GroupingLineWidth;
    bool MergeHeader = false;
    bool MergeSummary = false;
    bool ShowGroupCount = false;
    bool Summary = false;
    TColor SummaryColor = clNone;
    TColor SummaryColorTo = clNone;
    TColor SummaryTextColor = clNone;
    bool SummaryLine = false;
    TColor SummaryLineColor = GroupingLineColor;
    int SummaryLineWidth = GroupingLineWidth;

    static constexpr TColor GroupingLineColor = 0x00FF0000;
    static constexpr int GroupingLineWidth = 2;
};
