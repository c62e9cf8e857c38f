// Starting external programs and waiting for them without running the event loop, as the device
// update does with its updater: start the program file by path with its arguments (no shell, no PATH
// search), poll its state in short sleeps, and give up after a bounded time while the program goes on
// running. A program that cannot be started is reported at once with the reason.
//
// Order of use: Start(); then WaitFor() (or Running() polls); ExitCode()/ExitSignal() once it ended.
// Every child is reaped: by the polls while the TProcess lives, and by a background waiter once a
// TProcess goes away with its program still running, so no zombie stays behind.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <sys/types.h>

constexpr uint32_t kProcessPollMs = 10;   // default pause between two state polls

class TProcess {
public:
    TProcess() = default;
    ~TProcess();
    TProcess(const TProcess&) = delete;
    TProcess& operator=(const TProcess&) = delete;

    // Starts `program` (a file path; relative to the current folder when not absolute) with
    // `arguments`, each passed to the program as it is. Returns false and sets ErrorText() and
    // ErrorCode() (an errno value) when it cannot start: missing file, not executable, not a program.
    bool Start(const QString& program, const QStringList& arguments = {});

    // Polls every pollMs until the program has ended (true) or timeoutMs have passed (false; the
    // program keeps running). False at once when nothing was started.
    bool WaitFor(uint32_t timeoutMs, uint32_t pollMs = kProcessPollMs);

    bool Running();                           // polls once
    bool Started() const { return pid_ > 0; }
    bool Ended() const { return ended_; }
    int ExitCode() const { return exitCode_; }      // -1 while running or when killed by a signal
    int ExitSignal() const { return exitSignal_; }  // the signal that ended it, 0 otherwise
    pid_t Pid() const { return pid_; }
    const QString& ErrorText() const { return error_; }
    int ErrorCode() const { return errorCode_; }

private:
    void poll();

    pid_t pid_ = 0;
    bool ended_ = false;
    int exitCode_ = -1;
    int exitSignal_ = 0;
    QString error_;
    int errorCode_ = 0;
};

// Start, then wait at most timeoutMs: the one call the device update makes.
struct TRunResult {
    enum TOutcome { NotStarted, Ended, StillRunning } Outcome = NotStarted;
    int ExitCode = -1;
    pid_t Pid = 0;
    QString Error;   // for NotStarted
};
TRunResult RunProgram(const QString& program, const QStringList& arguments, uint32_t timeoutMs,
                      uint32_t pollMs = kProcessPollMs);

// Opens a document or an address with the desktop's default handler, through the opener the GUI
// part installs at start (the interaction service's OpenURL, replaceable in tests); without one
// nothing opens and the answer is false. A relative path of an existing file is made absolute
// first, since the handler runs in a folder of its own.
bool OpenDocument(const QString& documentOrUrl);
using TOpenURLHook = bool (*)(const QString& url);
void SetOpenURLHook(TOpenURLHook hook);
