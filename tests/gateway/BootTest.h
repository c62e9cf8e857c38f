// Shared set-up of the update dialog's tests: a temporary program folder (App_Dir with MASTER and
// PROJECTS) holding an open project "P", English texts, a recording interaction, the dialog, and a
// scripted clock and echo client that the tests may put in place of the real ones.
#pragma once

#include "gateway/UBoot.h"

#include "GatewayFormTest.h"
#include "app/UFileCommands.h"
#include "app/UGlobals.h"
#include "common/FormTestSupport.h"
#include "common/TestSupport.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace boottest
{

// What one scripted echo request does.
enum class TEcho {
    Answer,  // a reply with data, 5 ms later
    TimeOut, // the echo client's time-out: a reply without data, 400 ms later
    Silent,  // returns without reporting anything (the dialog's own wait runs)
    Error,   // the request cannot be sent
};

// A clock and echo client for Send_Ping: attempt n (from 0) does Plan[n], or the last entry of the
// plan once the plan is used up.
struct TScriptedPing {
    uint32_t Now = 0;
    std::vector<TEcho> Plan;
    std::vector<uint32_t> Starts; // the clock at each request
    QStringList Hosts;            // the host of each request
    std::function<void()> During; // runs inside the first request, before it reports

    void Install(TFBoot& form)
    {
        form.Ping_Hooks.Tick = [this] { return Now; };
        form.Ping_Hooks.Pause = [this](uint32_t ms) { Now += ms; };
        form.Ping_Hooks.Echo = [this](TIcmpClient& client) { Request(client); };
    }

    void Request(TIcmpClient& client)
    {
        Starts.push_back(Now);
        Hosts << client.Host;
        const TEcho what = Plan.at(std::min(Starts.size(), Plan.size()) - 1);
        if (Starts.size() == 1 && During)
            During();
        if (what == TEcho::Error)
            throw EIcmpError("cannot resolve host " + client.Host);
        if (what == TEcho::Silent)
            return;
        TEchoResult r;
        r.Status = what == TEcho::Answer ? TEchoStatus::Answered : TEchoStatus::TimedOut;
        r.BytesReceived = what == TEcho::Answer ? kIcmpPacketSize : 0;
        Now += what == TEcho::Answer ? 5 : kIcmpReceiveTimeoutMs;
        client.OnReply(r);
    }
};

class Boot : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        gatewaytest::Open_Test_Project(app_.file("PROJECTS/P"));
        Set_App_Dir(app_.path());
        Create_App_Folders();
        ForceDirectories(Active_Project_Dir + "/bin");
        form_ = std::make_unique<TFBoot>(nullptr);
    }
    void TearDown() override
    {
        form_.reset();
        File_Command_Slots() = {};
        gatewaytest::Close_Test_Project();
    }

    // Shows the dialog modally with `type`, runs `script` inside it and closes it with Cancel; fails
    // the test when the dialog closed some other way.
    void Shown(int type, const std::function<void()>& script)
    {
        form_->Form_Type = type;
        const TModalResult r = formtest::RunModal(*form_, [&] {
            script();
            QTest::mouseClick(form_->Btn_Cancel->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
        });
        EXPECT_EQ(r, mrCancel);
    }
    static void Click(TFadeButton* button)
    {
        QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    }
    QString Job_File() const { return App_Dir + "/Ethernet_Update.xml"; }
    // A stand-in updater that appends its argument count to "runs.txt" and keeps a copy of the job
    // file it found as "seen.xml".
    QString Write_Updater(const QString& name = "Ethernet_Update.exe")
    {
        return testsupport::writeScript(app_.file(name), "d=$(dirname \"$0\")\n"
                                                         "echo $# >> \"$d/runs.txt\"\n"
                                                         "cp \"$d/Ethernet_Update.xml\" \"$d/seen.xml\"\n");
    }
    QByteArray Runs() const
    {
        return FileExists(app_.file("runs.txt")) ? testsupport::readBytes(app_.file("runs.txt"))
                                                 : QByteArray();
    }
    void Set_Address(const QStringList& parts)
    {
        TEdit* edits[] = {form_->E_IP1, form_->E_IP2, form_->E_IP3, form_->E_IP4};
        for (int i = 0; i < 4; ++i)
            edits[i]->SetText(parts.value(i));
    }
    QStringList Address() const
    {
        return {form_->E_IP1->Text(), form_->E_IP2->Text(), form_->E_IP3->Text(), form_->E_IP4->Text()};
    }

    testsupport::TempDir app_;
    TScopedInteraction ui_;
    std::unique_ptr<TFBoot> form_;
};

} // namespace boottest
