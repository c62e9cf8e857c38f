#include "platform/system/Process.h"

#include "common/TestSupport.h"
#include "platform/controls/Interaction.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <cerrno>
#include <csignal>
#include <sys/wait.h>

namespace {

using testsupport::TempDir;
using testsupport::msSince;
using Clock = std::chrono::steady_clock;

QString writeScript(const TempDir& dir, const QString& name, const QByteArray& body, bool executable = true)
{
    const QString path = dir.file(name);
    testsupport::writeBytes(path, "#!/bin/sh\n" + body + "\n");
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    QFile::setPermissions(path, perms);
    return path;
}

TEST(Process, ChildIsWaitedForAndGetsItsArgumentsUnchanged)
{
    TempDir dir;
    const QString out = dir.file("args.txt");
    const QString script = writeScript(dir, "echo-args.sh", "printf '%s\\n' \"$@\" > \"$1\"\nexit 7");
    // No shell sits between us and the program: blanks, quotes and shell syntax arrive as they are.
    const QStringList args = {out, "two words", "\"quoted\"", "$HOME", "a;b", "*", ""};

    const TRunResult r = RunProgram(script, args, 5000);

    ASSERT_EQ(r.Outcome, TRunResult::Ended) << r.Error.toStdString();
    EXPECT_EQ(r.ExitCode, 7);
    EXPECT_EQ(QString::fromUtf8(testsupport::readBytes(out)), args.join('\n') + '\n');
}

TEST(Process, ChildThatOutlivesTheLimitKeepsRunning)
{
    TempDir dir;
    const QString script = writeScript(dir, "long.sh", "exec sleep 30");
    TProcess p;
    ASSERT_TRUE(p.Start(script)) << p.ErrorText().toStdString();
    const Clock::time_point start = Clock::now();

    EXPECT_FALSE(p.WaitFor(200));
    const long elapsed = msSince(start);
    EXPECT_GE(elapsed, 200);
    EXPECT_LT(elapsed, 2000);
    EXPECT_TRUE(p.Running());
    EXPECT_EQ(::kill(p.Pid(), 0), 0);

    ::kill(p.Pid(), SIGKILL);
    ASSERT_TRUE(p.WaitFor(5000));
    EXPECT_EQ(p.ExitSignal(), SIGKILL);
    EXPECT_EQ(p.ExitCode(), -1);
    // Collected: no zombie left for anyone else to wait for.
    EXPECT_EQ(::waitpid(p.Pid(), nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(Process, AbandonedChildIsCollectedWhenItEnds)
{
    TempDir dir;
    const QString script = writeScript(dir, "short.sh", "exec sleep 0.3");
    const TRunResult r = RunProgram(script, {}, 20);
    ASSERT_EQ(r.Outcome, TRunResult::StillRunning);

    // A zombie still answers kill(pid, 0); a collected child does not.
    const Clock::time_point start = Clock::now();
    while (::kill(r.Pid, 0) == 0 && msSince(start) < 5000)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_NE(::kill(r.Pid, 0), 0);
    EXPECT_EQ(errno, ESRCH);
}

struct StartFailure {
    const char* name;
    int error;
};

TEST(Process, ProgramThatCannotStartIsReportedAtOnce)
{
    TempDir dir;
    writeScript(dir, "not-executable.sh", "exit 0", /*executable=*/false);
    testsupport::writeBytes(dir.file("plain.txt"), "just text\n");
    QFile::setPermissions(dir.file("plain.txt"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDir(dir.path()).mkdir("folder");

    const StartFailure cases[] = {
        {"missing.sh", ENOENT},
        {"not-executable.sh", EACCES},
        {"folder", EACCES},
        {"plain.txt", ENOEXEC},
    };
    for (const StartFailure& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.file(c.name);
        const Clock::time_point start = Clock::now();
        TProcess p;
        EXPECT_FALSE(p.Start(path));
        EXPECT_EQ(p.ErrorCode(), c.error);
        EXPECT_TRUE(p.ErrorText().contains(path)) << p.ErrorText().toStdString();
        EXPECT_FALSE(p.WaitFor(5000));
        EXPECT_FALSE(p.Started());

        const TRunResult r = RunProgram(path, {}, 5000);
        EXPECT_EQ(r.Outcome, TRunResult::NotStarted);
        EXPECT_EQ(r.Error, p.ErrorText());
        EXPECT_LT(msSince(start), 1000);
    }
}

TEST(Process, DocumentsAndAddressesGoToTheInteractionService)
{
    TempDir dir;
    testsupport::writeBytes(dir.file("manual.pdf"), "%PDF");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    TScopedInteraction rec;
    EXPECT_TRUE(OpenDocument("manual.pdf"));
    EXPECT_TRUE(OpenDocument("http://127.0.0.1/Home/download/download.asp#HDGW101"));
    QDir::setCurrent(previous);

    ASSERT_EQ(rec->OpenedURLs.size(), 2);
    EXPECT_EQ(rec->OpenedURLs[0], QFileInfo(dir.file("manual.pdf")).absoluteFilePath());
    EXPECT_EQ(rec->OpenedURLs[1], "http://127.0.0.1/Home/download/download.asp#HDGW101");
}

} // namespace
