// How a held key reaches the controls. The toolkit repeats key-downs, marked as repeats, while a key
// is held and gives one key-up when it is let go, so a button clicks once, at the release.
//
// X11 by itself sends a release/press pair for every repeat, and Qt's xcb back end marks a pair as
// auto-repeat only when the press is already in its queue as the release is read: on a busy machine
// many pairs come through as real releases. So on X11 the program asks for XKB's detectable
// auto-repeat: the server then sends the repeats as bare presses, which Qt leaves unmarked; a press
// of a key that is down already is marked here. Elsewhere (Wayland, offscreen) Qt's marked pairs
// come through and the release half is dropped.
#pragma once

class QKeyEvent;

enum class THeldKeyStage {
    Pass,   // deliver as it is
    Drop,   // the release half of a repeat pair: no control sees it
    Repeat, // a bare press of a held key: deliver it marked as a repeat
};

// Judges a key event on its way to a control. The same event object judged again (Qt passes a key
// a control ignored on to its parent) gets the same answer.
THeldKeyStage HeldKeyStage(const QKeyEvent* Event);

// Once the application object exists: asks the X server for detectable auto-repeat and watches
// every release and the application's deactivation, so that a key let go outside the controls (in
// a message box, another program) is not taken as still held. Any number of calls.
void WatchHeldKeys();
// True when the X server sends repeats as bare presses for this program.
bool DetectableAutoRepeatOn();

// The one X11 request, apart from Qt's event names (KeyRepeat_X11.cpp); false off X11.
bool RequestDetectableAutoRepeat();
