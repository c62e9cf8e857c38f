#include "platform/controls/Interaction.h"

#include <gtest/gtest.h>

TEST(Interaction, FileFiltersInQtForm)
{
    EXPECT_EQ(ToQtNameFilters("Text files|*.txt;*.log|All files|*.*"),
              QStringList({"Text files (*.txt *.log)", "All files (*.*)"}));
    // A description that names its pattern is not given it twice.
    EXPECT_EQ(ToQtNameFilters("EtherCAT ESI File (*.xml)|*.xml"), QStringList({"EtherCAT ESI File (*.xml)"}));
    EXPECT_TRUE(ToQtNameFilters("").isEmpty());
}

TEST(Interaction, RecordingResponderAnswersInOrderThenWithTheDefault)
{
    TScopedInteraction rec;
    rec->MessageAnswers = {mrNo};
    rec->DefaultMessageAnswer = mrYes;
    EXPECT_EQ(MessageDlg("First?", mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(MessageDlg("Second?", mtWarning, mbYesNo), mrYes);
    ASSERT_EQ(rec->Messages.size(), 2u);
    EXPECT_EQ(rec->Messages[0].Text, "First?");
    EXPECT_EQ(rec->Messages[1].Type, mtWarning);
    EXPECT_EQ(rec->Messages[1].Buttons, mbYesNo);

    TFileDialogRequest r;
    r.Save = true;
    EXPECT_FALSE(Interaction().FileDialog(r));   // no answer queued = cancelled
    rec->FileAnswers = {"/tmp/x.xml"};
    EXPECT_TRUE(Interaction().FileDialog(r));
    EXPECT_EQ(r.FileName, "/tmp/x.xml");
}
