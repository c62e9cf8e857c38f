#include "platform/controls/Interaction.h"
#include "platform/core/SysUtils.h"
#include "platform/system/Process.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace {

// The real dialogs.
class TDesktopInteraction : public TInteraction {
public:
    TModalResult MessageBox(const TMessageRequest& r) override
    {
        QMessageBox box;
        box.setWindowTitle(r.Caption.isEmpty() ? QApplication::applicationName() : r.Caption);
        box.setText(r.Text);
        switch (r.Type) {
        case mtWarning: box.setIcon(QMessageBox::Warning); break;
        case mtError: box.setIcon(QMessageBox::Critical); break;
        case mtInformation: box.setIcon(QMessageBox::Information); break;
        case mtConfirmation: box.setIcon(QMessageBox::Question); break;
        case mtCustom: break;
        }
        struct B { TMsgDlgBtn flag; QMessageBox::StandardButton button; TModalResult result; };
        static const B kButtons[] = {
            {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
            {mbOK, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
            {mbAbort, QMessageBox::Abort, mrAbort}, {mbRetry, QMessageBox::Retry, mrRetry},
            {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::YesToAll, mrAll},
            {mbClose, QMessageBox::Close, mrClose}};
        QMessageBox::StandardButtons buttons;
        for (const B& b : kButtons)
            if (r.Buttons & b.flag)
                buttons |= b.button;
        box.setStandardButtons(buttons ? buttons : QMessageBox::Ok);
        const int answer = box.exec();
        for (const B& b : kButtons)
            if (answer == b.button)
                return b.result;
        return (r.Buttons & mbCancel) ? mrCancel : mrNone;
    }

    bool FileDialog(TFileDialogRequest& r) override
    {
        const QStringList filters = ToQtNameFilters(r.Filter);
        QFileDialog dlg(nullptr, r.Title, r.InitialDir);
        dlg.setNameFilters(filters);
        if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
            dlg.selectNameFilter(filters[r.FilterIndex - 1]);
        dlg.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dlg.setFileMode(r.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dlg.setDefaultSuffix(r.DefaultExt);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !r.OverwritePrompt);
        if (!r.FileName.isEmpty())
            dlg.selectFile(r.FileName);
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return false;
        r.FileName = dlg.selectedFiles().first();
        return true;
    }

    bool OpenURL(const QString& url) override
    {
        return QDesktopServices::openUrl(QUrl::fromUserInput(url));
    }
};

std::unique_ptr<TInteraction>& current()
{
    static std::unique_ptr<TInteraction> service = std::make_unique<TDesktopInteraction>();
    return service;
}

} // namespace

QStringList ToQtNameFilters(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        // A description that already shows its patterns ("Text (*.txt)") is taken as it is.
        filters << (parts[i].contains("(" + patterns + ")") ? parts[i]
                                                             : QString("%1 (%2)").arg(parts[i], patterns));
    }
    return filters;
}

TInteraction& Interaction() { return *current(); }

std::unique_ptr<TInteraction> SetInteraction(std::unique_ptr<TInteraction> service)
{
    if (!service)
        service = std::make_unique<TDesktopInteraction>();
    std::swap(service, current());
    return service;
}

TModalResult MessageDlg(const QString& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    TMessageRequest r;
    r.Text = text;
    r.Type = type;
    r.Buttons = buttons;
    return Interaction().MessageBox(r);
}

void ShowMessage(const QString& text) { MessageDlg(text, mtCustom, mbOK); }

bool OpenURL(const QString& url) { return Interaction().OpenURL(url); }

// The base library has no GUI: its beep and its document opener reach the desktop through here.
namespace {
const bool g_baseHooksInstalled = [] {
    SetBeepHook([] {
        if (qApp)
            QApplication::beep();
    });
    SetOpenURLHook([](const QString& url) { return OpenURL(url); });
    return true;
}();
}

// ---- Test responder ---------------------------------------------------------------------------------

TModalResult TRecordingInteraction::MessageBox(const TMessageRequest& request)
{
    Messages.push_back(request);
    if (OnMessage)
        OnMessage(request);
    if (!MessageAnswers.empty()) {
        const TModalResult r = MessageAnswers.front();
        MessageAnswers.erase(MessageAnswers.begin());
        return r;
    }
    return DefaultMessageAnswer;
}

bool TRecordingInteraction::FileDialog(TFileDialogRequest& request)
{
    FileDialogs.push_back(request);
    if (FileAnswers.empty())
        return false;
    const QString answer = FileAnswers.front();
    FileAnswers.erase(FileAnswers.begin());
    if (answer.isEmpty())
        return false;
    request.FileName = answer;
    FileDialogs.back().FileName = answer;
    return true;
}

bool TRecordingInteraction::OpenURL(const QString& url)
{
    OpenedURLs << url;
    return true;
}

TScopedInteraction::TScopedInteraction()
{
    auto rec = std::make_unique<TRecordingInteraction>();
    rec_ = rec.get();
    previous_ = SetInteraction(std::move(rec));
}

TScopedInteraction::~TScopedInteraction() { SetInteraction(std::move(previous_)); }
