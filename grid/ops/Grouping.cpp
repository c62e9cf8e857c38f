#include "grid/ops/Grouping.h"

void TGrouping::Assign(const TPersistent* Source)
{
    const auto* src = dynamic_cast<const TGrouping*>(Source);
    if (!src)
        return;
    GroupCountFormat = src->GroupCountFormat;
    HeaderColor = src->HeaderColor;
    HeaderColorTo = src->HeaderColorTo;
    HeaderTextColor = src->HeaderTextColor;
    HeaderUnderline = src->HeaderUnderline;
    MergeHeader = src->MergeHeader;
    MergeSummary = src->MergeSummary;
    ShowGroupCount = src->ShowGroupCount;
    SummaryColor = src->SummaryColor;
    SummaryColorTo = src->SummaryColorTo;
    SummaryTextColor = src->SummaryTextColor;
    SummaryLine = src->SummaryLine;
    AutoCheckGroup = src->AutoCheckGroup;
    AutoSelectGroup = src->AutoSelectGroup;
}
