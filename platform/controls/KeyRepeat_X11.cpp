// Apart from the rest: X11's headers define names (KeyPress, FocusIn, None) that clash with Qt's.
#include "platform/controls/KeyRepeat.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb) && __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define CONF_X11_KEYS 1
#endif

bool RequestDetectableAutoRepeat()
{
#ifdef CONF_X11_KEYS
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return false;
    // Per client connection: other programs keep their release/press pairs.
    Bool supported = False;
    return XkbSetDetectableAutoRepeat(x11->display(), True, &supported) && supported;
#else
    return false;
#endif
}
