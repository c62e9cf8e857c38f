// XML export and import.
#include "common/TestSupport.h"
#include "grid/ops/OpsTestSupport.h"

#include <QRegularExpression>

namespace opstest
{

using testsupport::readBytes;
using testsupport::TempDir;
using testsupport::writeBytes;

class XmlExport : public OpsGridTest
{
  protected:
    void Fill(TOpsGrid* g, const std::vector<QStringList>& Rows)
    {
        g->SetRowCount(int(Rows.size()));
        g->SetColCount(int(Rows[0].size()));
        for (size_t r = 0; r < Rows.size(); ++r)
            for (int c = 0; c < Rows[r].size(); ++c)
                g->SetCells(c, int(r), Rows[r][c]);
    }
    std::vector<QStringList> Read(TOpsGrid* g)
    {
        std::vector<QStringList> rows;
        for (int r = 0; r < g->RowCount(); ++r) {
            QStringList l;
            for (int c = 0; c < g->ColCount(); ++c)
                l << g->Cells(c, r);
            rows.push_back(l);
        }
        return rows;
    }
    TOpsGrid* LoadText(const QByteArray& Xml, bool LevelToRow, bool LoadFieldDescr)
    {
        writeBytes(dir.file("in.xml"), Xml);
        TOpsGrid* g = New();
        g->LoadFromXML(dir.file("in.xml"), LevelToRow, LoadFieldDescr);
        return g;
    }
    TempDir dir;
};

TEST_F(XmlExport, WritesTheListRecordFieldDocument)
{
    Fill(grid, {{"", "Name"}, {"1", "a<b & \"c\""}});
    grid->SaveToXML(dir.file("a.xml"), "LIST", "REC", nullptr);
    EXPECT_EQ(readBytes(dir.file("a.xml")),
              QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<LIST>\r\n<REC>\r\n"
                         "<FIELD1>Name</FIELD1>\r\n</REC>\r\n<REC>\r\n<FIELD0>1</FIELD0>\r\n"
                         "<FIELD1>a&lt;b &amp; &quot;c&quot;</FIELD1>\r\n</REC>\r\n</LIST>\r\n"));

    TStringList names;
    names.Add("Id");
    grid->SaveToXML(dir.file("b.xml"), "L", "R", &names, true);
    const QByteArray b = readBytes(dir.file("b.xml"));
    EXPECT_TRUE(b.contains("<R>\r\n<Id>&quot;&quot;</Id>\r\n<FIELD1>Name</FIELD1>\r\n</R>")) << b.constData();
}

TEST_F(XmlExport, ReadsItsOwnOutputBack)
{
    const std::vector<QStringList> cells = {{"", "Name"}, {"1", "a<b & \"c\""}, {"&lt;", "x"}};
    Fill(grid, cells);
    grid->SaveToXML(dir.file("a.xml"), "LIST", "REC", nullptr, true);
    TOpsGrid* g = New();
    g->LoadFromXML(dir.file("a.xml"), false, false);
    // "&lt;" is unescaped once more after the DOM.
    EXPECT_EQ(Read(g), (std::vector<QStringList>{{"", "Name"}, {"1", "a<b & \"c\""}, {"<", "x"}}));

    TOpsGrid* h = New();
    h->LoadFromXML(dir.file("a.xml"), false, true);
    EXPECT_EQ(Read(h), (std::vector<QStringList>{
                           {"FIELD0", "FIELD1"}, {"", "Name"}, {"1", "a<b & \"c\""}, {"<", "x"}}));
}

TEST_F(XmlExport, CharactersOutsideTheEncodingAreReferences)
{
    Fill(grid, {{"\u20ac 5", "\u00e9"}});
    grid->SaveToXML(dir.file("l.xml"), "L", "R", nullptr);
    const QByteArray latin = readBytes(dir.file("l.xml"));
    EXPECT_TRUE(latin.contains("<FIELD0>&#8364; 5</FIELD0>\r\n<FIELD1>\xE9</FIELD1>")) << latin.constData();
    grid->XMLEncoding = "UTF-8";
    grid->SaveToXML(dir.file("u.xml"), "L", "R", nullptr);
    EXPECT_TRUE(readBytes(dir.file("u.xml")).contains("<FIELD0>\xE2\x82\xAC 5</FIELD0>"));
    for (const char* f : {"l.xml", "u.xml"}) {
        TOpsGrid* g = New();
        g->LoadFromXML(dir.file(f), false, false);
        EXPECT_EQ(Read(g), (std::vector<QStringList>{{"\u20ac 5", "\u00e9"}})) << f;
    }
}

TEST_F(XmlExport, ReadsLeavesAttributesAndLevels)
{
    // A record with one field is one leaf: its own name heads the column.
    TOpsGrid* g = LoadText("<L><R><F>x</F></R><R><F>y</F><G>z</G></R></L>", false, true);
    EXPECT_EQ(Read(g), (std::vector<QStringList>{{"R", "G"}, {"x", ""}, {"y", "z"}}));

    // Attributes become cells named in row 0; the cell after them is emptied.
    g = LoadText("<L>\n  <R a=\"1\" b=\"&amp;lt;\"/>\n  <R a=\"3\" b=\"4\"></R>\n</L>\n", false, true);
    EXPECT_EQ(Read(g), (std::vector<QStringList>{{"a", "b"}, {"1", "<"}, {"3", "4"}}));

    g = LoadText("<L><R a=\"1\"><F>x</F><G>y</G></R></L>", true, false);
    EXPECT_EQ(Read(g), (std::vector<QStringList>{{"1", "", ""}, {"", "x", "y"}}));
}

TEST_F(XmlExport, ErrorsHaveTheirMessages)
{
    try {
        grid->LoadFromXML(dir.file("none.xml"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, "XML file not found");
    }
    writeBytes(dir.file("bad.xml"), "<L>\r\n<R></L>\r\n");
    try {
        grid->LoadFromXML(dir.file("bad.xml"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_TRUE(
            QRegularExpression("^XMLDOM Parsing error [1-9][0-9]* on line 2$").match(e.Message).hasMatch())
            << e.Message.toStdString();
    }
    try {
        grid->SaveToXML(dir.file("no/dir/x.xml"), "L", "R", nullptr);
        ADD_FAILURE() << "no error";
    } catch (const EExtGridError& e) {
        EXPECT_EQ(e.Message, "Cannot Create file " + dir.file("no/dir/x.xml"));
    }
}

} // namespace opstest
