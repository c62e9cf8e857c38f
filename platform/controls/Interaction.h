// Everything that waits on the user outside the program's own forms: message boxes, file dialogs
// and opening a URL. All of it goes through one replaceable service, so tests install a responder
// that records each request and answers it, and no window ever blocks a test.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

// Modal results of the toolkit.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Button sets as flags.
enum TMsgDlgBtn : unsigned {
    mbYes = 1u << 0, mbNo = 1u << 1, mbOK = 1u << 2, mbCancel = 1u << 3, mbAbort = 1u << 4,
    mbRetry = 1u << 5, mbIgnore = 1u << 6, mbAll = 1u << 7, mbClose = 1u << 8
};
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;

struct TMessageRequest {
    QString Text;
    QString Caption;          // window title; empty = the application title
    TMsgDlgType Type = mtInformation;
    TMsgDlgButtons Buttons = mbOK;
};

struct TFileDialogRequest {
    bool Save = false;
    QString Title;
    QString Filter;           // toolkit form: "Text files (*.txt)|*.txt|All files (*.*)|*.*"
    int FilterIndex = 1;      // 1-based, as the toolkit counts
    QString DefaultExt;       // without the dot
    QString InitialDir;
    QString FileName;         // in: proposed name; out: chosen path
    bool OverwritePrompt = false;
};

class TInteraction {
public:
    virtual ~TInteraction() = default;
    virtual TModalResult MessageBox(const TMessageRequest& request) = 0;
    // Returns false when cancelled; on success request.FileName holds the chosen path.
    virtual bool FileDialog(TFileDialogRequest& request) = 0;
    virtual bool OpenURL(const QString& url) = 0;
};

// The service in force (the real dialogs unless a test replaced it).
TInteraction& Interaction();
// Installs a replacement; returns the previous one. Passing nullptr restores the real dialogs.
std::unique_ptr<TInteraction> SetInteraction(std::unique_ptr<TInteraction> service);

// "Text files|*.txt;*.log|All|*.*" in Qt's form: "Text files (*.txt *.log)", "All (*.*)".
QStringList ToQtNameFilters(const QString& filter);

// Toolkit-style shortcuts.
TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons);
void ShowMessage(const QString& text);
bool OpenURL(const QString& url);

// A responder for tests: records every request and answers from a queue (then with a default).
class TRecordingInteraction : public TInteraction {
public:
    std::vector<TMessageRequest> Messages;
    std::vector<TFileDialogRequest> FileDialogs;
    QStringList OpenedURLs;

    std::vector<TModalResult> MessageAnswers;    // taken front first
    TModalResult DefaultMessageAnswer = mrOk;
    std::vector<QString> FileAnswers;            // empty string = cancel
    std::function<void(const TMessageRequest&)> OnMessage;   // runs before answering

    TModalResult MessageBox(const TMessageRequest& request) override;
    bool FileDialog(TFileDialogRequest& request) override;
    bool OpenURL(const QString& url) override;
};

// Installs a recording responder for the lifetime of the object (tests).
class TScopedInteraction {
public:
    TScopedInteraction();
    ~TScopedInteraction();
    TRecordingInteraction& operator*() { return *rec_; }
    TRecordingInteraction* operator->() { return rec_; }
private:
    TRecordingInteraction* rec_;
    std::unique_ptr<TInteraction> previous_;
};
