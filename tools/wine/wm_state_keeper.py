#!/usr/bin/python3
"""Window-state keeper for a display without a window manager.

Wine treats its top-level windows as managed and, on every hide or destroy,
waits about 2 s for a window manager to withdraw them. This sets the WM_STATE
property on each top-level window as a window manager would (normal state when
mapped, withdrawn when unmapped), so Wine gets its answer at once and stacks
owned windows correctly. It does nothing else: no frames, no focus, no moves.

Usage: wm_state_keeper.py  (uses $DISPLAY; ends when the display goes away)
"""
import sys

from Xlib import X, display, error

WITHDRAWN_STATE = 0
NORMAL_STATE = 1


def set_state(dpy, wm_state, window, state):
    # The window may be gone by the time this reaches the server.
    catcher = error.CatchError(error.BadWindow, error.BadMatch)
    window.change_property(wm_state, wm_state, 32, [state, X.NONE],
                           onerror=catcher)


def keep(dpy):
    wm_state = dpy.intern_atom("WM_STATE")
    root = dpy.screen().root
    # Select first, then look at what is already mapped, so no window is missed.
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    dpy.sync()
    for window in root.query_tree().children:
        try:
            attrs = window.get_attributes()
        except error.XError:
            continue
        if attrs.map_state != X.IsUnmapped and not attrs.override_redirect:
            set_state(dpy, wm_state, window, NORMAL_STATE)
    dpy.flush()

    while True:
        event = dpy.next_event()
        if event.type == X.MapNotify:
            if not event.override:
                set_state(dpy, wm_state, event.window, NORMAL_STATE)
        elif event.type == X.UnmapNotify:
            set_state(dpy, wm_state, event.window, WITHDRAWN_STATE)
        else:
            continue
        dpy.flush()


def main():
    try:
        dpy = display.Display()
    except Exception as e:  # no display: nothing to keep
        print("wm_state_keeper: %s" % e, file=sys.stderr)
        return 1
    try:
        keep(dpy)
    except (error.ConnectionClosedError, OSError, KeyboardInterrupt):
        pass  # the display ended, or the session stopped us
    return 0


if __name__ == "__main__":
    sys.exit(main())
