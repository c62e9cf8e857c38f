// The TLS known-certificate list on a real form: its string grid with check boxes, loading and
// saving its file (multi-line certificates included), the row buttons and its texts.
#include "editors/network/UTLS_Server_Known_Cert.h"

#include "app/MainRoadSupport.h"
#include "app/TableEditorFixture.h"
#include "grid/base/CellProperties.h"

namespace
{

using namespace tableeditortest;

const QString Pem_CRLF =
    "-----BEGIN CERTIFICATE-----\r\nMIIBszCCAVmgAwIBAgIU\"<&>\r\n-----END CERTIFICATE-----";
const QString Pem_LF = "-----BEGIN CERTIFICATE-----\nMIIBAjCBqQIUTwo=\n-----END CERTIFICATE-----\n";

class TLSCert : public TableEditorFixture<TFTLS_Server_Known_Cert>
{
  protected:
    TExtStringGrid* grid() { return form->ESG; }
    bool Ticked(int r)
    {
        bool state = false;
        EXPECT_TRUE(grid()->GetCheckBoxState(1, r, state)) << "row " << r << " has a check box";
        return state;
    }
    // Arrives on the Certificate of row 10 with the Down key, as a user does, and types there.
    void Type_On_Last_Row(const QString& text)
    {
        mainroad::Focus_Cell(grid(), 2, 9);
        QTest::keyClick(grid()->Widget(), Qt::Key_Down);
        formtest::Pump();
        ASSERT_EQ(grid()->Row(), 10);
        QTest::keyClick(grid()->Widget(), Qt::Key_F2);
        formtest::Pump();
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        formtest::Pump();
    }
    void Put_Row(int r, const QString& cert, const QString& mnemonic = "M", bool ticked = true)
    {
        grid()->SetCheckBoxState(1, r, ticked);
        grid()->SetCells(2, r, cert);
        grid()->SetCells(3, r, mnemonic);
    }
};

TEST_F(TLSCert, TheTableIsSetUpInCode)
{
    EXPECT_EQ(form->Name(), "FTLS_Server_Known_Cert");
    EXPECT_EQ(form->ClientWidth(), 800);
    EXPECT_EQ(form->ClientHeight(), 337);
    EXPECT_EQ(form->Caption(), "Definition the list of Known Certificates");
    EXPECT_EQ(grid()->RowCount(), 11);
    ASSERT_EQ(grid()->ColCount(), 4);
    const int widths[] = {40, 50, 500, 160};
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid()->ColWidths(c), widths[c]) << c;
    EXPECT_EQ(grid()->Cells(2, 0), "Certificate");
    bool state = false;
    EXPECT_FALSE(grid()->GetCheckBoxState(1, 0, state)) << "no box in the header";
    const TColor colours[] = {0x00B0D8FF, 0x00FEFAE0, clWhite};
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(grid()->RowHeights(r), 60) << r;
        EXPECT_EQ(grid()->Cells(0, r), QString::number(r));
        EXPECT_FALSE(Ticked(r)) << "unticked until shown";
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(grid()->GetCellProperties(c, r)->BrushColor(), colours[c - 1]) << c << ", " << r;
        EXPECT_EQ(grid()->GetCellProperties(1, r)->Alignment(), taCenter);
    }
    EXPECT_TRUE(grid()->Options().Contains(goRowSizing));
    EXPECT_TRUE(grid()->Options().Contains(goColSizing));
    EXPECT_TRUE(grid()->Options().Contains(goEditing));
    const struct {
        int col;
        const char* hint;
    } hints[] = {{0, ""},
                 {1, "Enable/Disable the Row with TLS Certificate"},
                 {2, "Insert the TLS Certificate"},
                 {3, "Insert a Description of TLS Certificate"}};
    for (const auto& h : hints) {
        QString hint = "x";
        grid()->OnGridHint(grid(), 0, h.col, hint);
        EXPECT_EQ(hint, h.hint) << h.col;
    }
}

TEST_F(TLSCert, OKOnAnEmptyTableWritesTheRootAndCommentOnly)
{
    EXPECT_EQ(Show([&] {
                  for (int r = 1; r <= 10; ++r)
                      EXPECT_TRUE(Ticked(r)) << r;
                  Click(form->Btn_OK);
              }),
              mrOk);
    EXPECT_EQ(QString::fromUtf8(testsupport::readBytes(File_TLS_Known_Cert)).simplified(),
              "<TLS_Server_Known_Cert /> <!--SW_VERSION = 1.000-->");
    EXPECT_TRUE(answers->Messages.empty());
}

TEST_F(TLSCert, RowsUpToTheFirstEmptyCertificateAreSavedWithTheirBoxes)
{
    Show([&] {
        mainroad::Activate(form.get());
        Put_Row(1, "A", "first");
        Put_Row(2, "B", "");
        // The user unticks row 2 with a click on its box.
        mainroad::Click_Cell(grid(), 1, 2);
        EXPECT_FALSE(Ticked(2));
        Put_Row(3, "  ", "blank");
        Put_Row(4, "D", "lost");
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_TLS_Known_Cert),
              QStringList({"TLS_Server_Known_Cert", "  row Enable=\"Y\" Certificate=\"A\" Mnemonic=\"first\"",
                           "  row Enable=\"N\" Certificate=\"B\" Mnemonic=\"\""}));
    Show([&] {
        EXPECT_TRUE(Ticked(1));
        EXPECT_FALSE(Ticked(2));
        EXPECT_EQ(grid()->Cells(2, 2), "B");
        EXPECT_TRUE(Ticked(4));
        EXPECT_EQ(grid()->Cells(2, 4), "");
        EXPECT_EQ(grid()->Cells(3, 4), "");
    });
}

TEST_F(TLSCert, LoadTicksUnlessEnableIsExactlyN)
{
    QByteArray xml = "<TLS_Server_Known_Cert><row Enable=\"N\" Certificate=\"a\" Mnemonic=\"m\"/>"
                     "<row Enable=\"n\" Certificate=\"b\"/><row Certificate=\"c\"/><row Enable=\" N\"/>";
    for (int i = 5; i <= 12; ++i)
        xml += QString("<row Enable=\"N\" Certificate=\"C%1\"/>").arg(i).toUtf8();
    xml += "</TLS_Server_Known_Cert><!--SW_VERSION = 1.000-->";
    Write_File(File_TLS_Known_Cert, xml);
    Show([&] {
        const struct {
            bool ticked;
            const char* cert;
            const char* mnemonic;
        } rows[] = {{false, "a", "m"}, {true, "b", ""}, {true, "c", ""}, {true, "", ""}, {false, "C5", ""}};
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(Ticked(r), rows[r - 1].ticked) << r;
            EXPECT_EQ(grid()->Cells(2, r), rows[r - 1].cert) << r;
            EXPECT_EQ(grid()->Cells(3, r), rows[r - 1].mnemonic) << r;
        }
        EXPECT_EQ(grid()->Cells(2, 10), "C10");
        // Row 4 without a certificate ends what is saved.
        Click(form->Btn_OK);
    });
    EXPECT_EQ(Xml_Tree(File_TLS_Known_Cert).size(), 4);
}

TEST_F(TLSCert, MultiLineCertificatesSurviveEveryRoundByteForByte)
{
    Show([&] {
        Put_Row(1, Pem_CRLF, "crlf");
        Put_Row(2, Pem_LF, "lf");
        Click(form->Btn_OK);
    });
    const QByteArray bytes = testsupport::readBytes(File_TLS_Known_Cert);
    // Line breaks travel as character references, so no reader normalises them.
    EXPECT_TRUE(bytes.contains("-----BEGIN CERTIFICATE-----&#13;&#10;MIIBszCCAVmgAwIBAgIU"))
        << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("&#10;-----END CERTIFICATE-----&#10;\"")) << bytes.toStdString();
    for (int round = 0; round < 2; ++round)
        Show([&] {
            EXPECT_EQ(grid()->Cells(2, 1), Pem_CRLF) << "round " << round;
            EXPECT_EQ(grid()->Cells(2, 2), Pem_LF) << "round " << round;
            Click(form->Btn_OK);
        });
    EXPECT_EQ(testsupport::readBytes(File_TLS_Known_Cert), bytes);
}

TEST_F(TLSCert, RowButtonsMoveBoxesAndLockTheRowLeftAtTheBottom)
{
    Show([&] {
        mainroad::Activate(form.get());
        for (int r = 1; r <= 10; ++r)
            Put_Row(r, QString("C%1").arg(r), "", r != 2);
        grid()->FocusCell(2, 1);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_EQ(grid()->Cells(2, 1), "C2");
        EXPECT_FALSE(Ticked(1));
        EXPECT_EQ(grid()->Cells(2, 9), "C10");
        EXPECT_EQ(Row_Texts(grid(), 10), QStringList({"", "", ""}));
        EXPECT_TRUE(Ticked(10));
        for (int c = 1; c <= 3; ++c)
            EXPECT_TRUE(grid()->ReadOnly(c, 10)) << c;
        // Nothing can be typed there.
        Type_On_Last_Row("typed");
        EXPECT_EQ(grid()->Cells(2, 10), "");

        Click(form->Btn_InsRow);
        for (int c = 1; c <= 3; ++c)
            EXPECT_FALSE(grid()->ReadOnly(c, 10)) << c;
        EXPECT_TRUE(Ticked(10));
        Type_On_Last_Row("typed");
        EXPECT_EQ(grid()->Cells(2, 10), "typed");

        // The unticked row copied onto row 3 keeps its box.
        grid()->FocusCell(2, 1);
        Click(form->Btn_CopyRow);
        grid()->FocusCell(2, 3);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_PasteRow);
        EXPECT_FALSE(Ticked(3));
        EXPECT_EQ(grid()->Cells(2, 3), "C2");
    });
    EXPECT_EQ(Message_Texts(), QStringList({"Are you sure to delete the Row number 1",
                                            "Row Already used. Do you want to overwrite the values?"}));
}

TEST_F(TLSCert, AShowAfterADeleteStartsWithEveryCellEditable)
{
    Show([&] {
        grid()->FocusCell(2, 4);
        answers->MessageAnswers = {mrYes};
        Click(form->Btn_DelRow);
        EXPECT_TRUE(grid()->ReadOnly(2, 10));
    });
    Show([&] {
        for (int c = 1; c <= 3; ++c)
            EXPECT_FALSE(grid()->ReadOnly(c, 10)) << c;
    });
}

TEST_F(TLSCert, MarkerTexts)
{
    Set_Marker_Texts();
    form->Set_Lang();
    EXPECT_EQ(form->Caption(), "#3400");
    EXPECT_EQ(form->L_SW_Desc->Caption(), "#3401");
    TFadeButton* buttons[] = {form->Btn_OK,     form->Btn_Cancel,  form->Btn_DelRow,
                              form->Btn_InsRow, form->Btn_CopyRow, form->Btn_PasteRow};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->Caption(), Marker(3402 + i));
        EXPECT_EQ(buttons[i]->Hint(), Marker(3408 + i));
    }
    for (int c = 0; c < 4; ++c)
        EXPECT_EQ(grid()->Cells(c, 0), Marker(3414 + c));
    EXPECT_EQ(form->Table(0).Hints, QStringList({"#3418", "#3419", "#3420"}));
    answers->MessageAnswers = {mrNo};
    Show([&] {
        grid()->FocusCell(2, 1);
        Click(form->Btn_DelRow);
    });
    EXPECT_EQ(Message_Texts(), QStringList({"#34211"}));
}

} // namespace
