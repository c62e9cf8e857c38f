#include "platform/system/Process.h"

#include "platform/core/SysUtils.h"

#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

QString startFailureReason(int code)
{
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("file not found");
    case EACCES:
    case EPERM:
        return QStringLiteral("not executable");
    case ENOEXEC:
        return QStringLiteral("not a program this system can run");
    default:
        return SysErrorMessage(code);
    }
}

// RAII for the spawn attribute objects.
struct TSpawnSetup {
    posix_spawnattr_t Attr;
    posix_spawn_file_actions_t Actions;
    TSpawnSetup()
    {
        posix_spawnattr_init(&Attr);
        posix_spawn_file_actions_init(&Actions);
    }
    ~TSpawnSetup()
    {
        posix_spawn_file_actions_destroy(&Actions);
        posix_spawnattr_destroy(&Attr);
    }
    TSpawnSetup(const TSpawnSetup&) = delete;
    TSpawnSetup& operator=(const TSpawnSetup&) = delete;
};

} // namespace

TProcess::~TProcess()
{
    if (pid_ <= 0 || ended_)
        return;
    poll();
    if (ended_)
        return;
    // Still running: someone must collect its exit status when it ends, or it stays a zombie.
    const pid_t pid = pid_;
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

bool TProcess::Start(const QString& program, const QStringList& arguments)
{
    if (pid_ > 0) {
        error_ = QStringLiteral("a program was already started");
        errorCode_ = EBUSY;
        return false;
    }
    error_.clear();
    errorCode_ = 0;

    const std::string path = QFile::encodeName(program).toStdString();
    std::vector<std::string> args;
    args.push_back(path);
    for (const QString& a : arguments)
        args.push_back(QFile::encodeName(a).toStdString());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    TSpawnSetup setup;
    // The child starts with default signal handling and no blocked signals, whatever ours are
    // (an ignored SIGPIPE, for example, would otherwise be inherited through exec).
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    posix_spawnattr_setsigmask(&setup.Attr, &none);
    posix_spawnattr_setsigdefault(&setup.Attr, &all);
    posix_spawnattr_setflags(&setup.Attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
#if defined(__GLIBC__) && __GLIBC_PREREQ(2, 34)
    // Descriptors that are not close-on-exec (sockets, files) must not leak into the program.
    posix_spawn_file_actions_addclosefrom_np(&setup.Actions, 3);
#endif

    // glibc's posix_spawn reports a failed exec (missing file, no permission, bad format) as its
    // result and collects the failed child itself.
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, path.c_str(), &setup.Actions, &setup.Attr, argv.data(), environ);
    if (rc != 0) {
        errorCode_ = rc;
        error_ = QStringLiteral("Cannot start %1: %2").arg(program, startFailureReason(rc));
        return false;
    }
    pid_ = pid;
    return true;
}

void TProcess::poll()
{
    if (pid_ <= 0 || ended_)
        return;
    int status = 0;
    pid_t rc;
    do {
        rc = ::waitpid(pid_, &status, WNOHANG);
    } while (rc < 0 && errno == EINTR);
    if (rc == 0)
        return;
    ended_ = true;
    if (rc < 0)   // reaped elsewhere (SIGCHLD ignored): ended, status unknown
        return;
    if (WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        exitSignal_ = WTERMSIG(status);
}

bool TProcess::Running()
{
    poll();
    return pid_ > 0 && !ended_;
}

bool TProcess::WaitFor(uint32_t timeoutMs, uint32_t pollMs)
{
    if (pid_ <= 0)
        return false;
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        poll();
        if (ended_)
            return true;
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            return false;
        std::this_thread::sleep_for(std::min<Clock::duration>(std::chrono::milliseconds(std::max(pollMs, 1u)),
                                                              deadline - now));
    }
}

TRunResult RunProgram(const QString& program, const QStringList& arguments, uint32_t timeoutMs,
                      uint32_t pollMs)
{
    TRunResult result;
    TProcess process;
    if (!process.Start(program, arguments)) {
        result.Error = process.ErrorText();
        return result;
    }
    result.Pid = process.Pid();
    if (!process.WaitFor(timeoutMs, pollMs)) {
        result.Outcome = TRunResult::StillRunning;
        return result;
    }
    result.Outcome = TRunResult::Ended;
    result.ExitCode = process.ExitCode();
    return result;
}

namespace {
TOpenURLHook g_openURL = nullptr;
}

void SetOpenURLHook(TOpenURLHook hook) { g_openURL = hook; }

bool OpenDocument(const QString& documentOrUrl)
{
    if (!g_openURL)
        return false;
    const QFileInfo file(documentOrUrl);
    if (!documentOrUrl.contains(QStringLiteral("://")) && file.exists())
        return g_openURL(file.absoluteFilePath());
    return g_openURL(documentOrUrl);
}
