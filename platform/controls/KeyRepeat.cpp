#include "platform/controls/KeyRepeat.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <unordered_map>

namespace
{

// A key that is down: the press that put it down or last repeated it, and what it was judged.
struct THeldKey {
    const QKeyEvent* Event = nullptr;
    quint64 Timestamp = 0;
    THeldKeyStage Stage = THeldKeyStage::Pass;
};

std::unordered_map<quint64, THeldKey>& Held()
{
    static std::unordered_map<quint64, THeldKey> held;
    return held;
}

// The physical key; events made up without a scan code (tests, input methods) go by their Qt key.
quint64 KeyId(const QKeyEvent* e)
{
    return e->nativeScanCode() ? e->nativeScanCode() : (quint64(1) << 32) | quint32(e->key());
}

bool gDetectable = false;

// Sees every event of the application before its receiver does.
class THeldKeyWatch : public QObject
{
  protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::KeyRelease) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (!k->isAutoRepeat())
                Held().erase(KeyId(k));
        } else if (e->type() == QEvent::ApplicationStateChange &&
                   static_cast<QApplicationStateChangeEvent*>(e)->applicationState() !=
                       Qt::ApplicationActive) {
            // Keys let go while another program has the keyboard never reach us.
            Held().clear();
        }
        return false;
    }
};

} // namespace

THeldKeyStage HeldKeyStage(const QKeyEvent* Event)
{
    const quint64 id = KeyId(Event);
    if (Event->type() == QEvent::KeyRelease) {
        if (Event->isAutoRepeat())
            return THeldKeyStage::Drop;
        Held().erase(id);
        return THeldKeyStage::Pass;
    }
    if (Event->type() != QEvent::KeyPress)
        return THeldKeyStage::Pass;
    auto found = Held().find(id);
    if (found != Held().end() && found->second.Event == Event &&
        found->second.Timestamp == Event->timestamp())
        return found->second.Stage;
    const THeldKeyStage stage =
        found != Held().end() && !Event->isAutoRepeat() ? THeldKeyStage::Repeat : THeldKeyStage::Pass;
    Held()[id] = {Event, Event->timestamp(), stage};
    return stage;
}

void WatchHeldKeys()
{
    static QPointer<QObject> watch;
    if (watch || !qGuiApp)
        return;
    watch = new THeldKeyWatch;
    watch->setParent(qGuiApp);
    qGuiApp->installEventFilter(watch);
    Held().clear();
    gDetectable = RequestDetectableAutoRepeat();
}

bool DetectableAutoRepeatOn()
{
    return gDetectable;
}
