// The communication-parameters dialog on a real form: an open project in a temporary folder, English
// texts, the recording interaction service, and helpers that drive the dialog from inside its own
// modal loop.
#pragma once

#include "GatewayFormTest.h"
#include "app/UGlobals.h"
#include "app/ULang.h"
#include "common/FormTestSupport.h"
#include "common/TestSupport.h"
#include "gateway/UParGen.h"
#include "grid/base/FadeButton.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

namespace pargen_test
{

using TElements = std::vector<std::pair<QString, QString>>;

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

class ParGen : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        gatewaytest::Open_Test_Project(project.path());
        form = std::make_unique<TFParGen>(nullptr);
    }
    void TearDown() override
    {
        form.reset();
        gatewaytest::Close_Test_Project();
    }

    // Shows the dialog (which loads the file) and runs `script` inside it; a dialog the script left
    // open is cancelled. Returns the modal result.
    TModalResult Show(const std::function<void()>& script)
    {
        return formtest::RunModal(*form, [&] {
            script();
            if (form->ModalResult() == mrNone)
                form->SetModalResult(mrCancel);
        });
    }

    // A "ParGen.xml" as a hand or an older build may have left it.
    void WriteParGen(const TElements& elements)
    {
        QString xml = "<Par_Gen>";
        for (const auto& [name, text] : elements)
            xml += QString("<%1>%2</%1>").arg(name, text);
        testsupport::writeBytes(File_ParGen, (xml + "</Par_Gen><!--SW_VERSION = 1.001-->").toUtf8());
    }

    // The root's children of the written file, as name and text.
    TElements Written() const
    {
        TXmlDocument doc;
        doc.LoadFromFile(File_ParGen);
        TElements out;
        for (const TXmlElement& e : doc.Root().Children())
            out.emplace_back(e.NodeName(), e.Text());
        return out;
    }
    QString WrittenText(const QString& element) const
    {
        for (const auto& [name, text] : Written())
            if (name == element)
                return text;
        ADD_FAILURE() << "no element " << element.toStdString();
        return QString();
    }

    QStringList MessageTexts()
    {
        QStringList out;
        for (const TMessageRequest& m : answers->Messages)
            out << m.Text;
        return out;
    }

    static void Click(TControl* control)
    {
        QTest::mouseClick(control->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }

    testsupport::TempDir project;
    TScopedInteraction answers;
    std::unique_ptr<TFParGen> form;
};

} // namespace pargen_test
