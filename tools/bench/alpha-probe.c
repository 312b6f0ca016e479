/* From the Enter key to the new _NET_WM_WINDOW_OPACITY, by X events: clicks
 * the opacity field, types a percentage, then stamps the Enter key sent with
 * XTest and the PropertyNotify that brings the expected opacity. Alternates
 * 40 % and 60 %; prints each try and the median and worst in milliseconds.
 * With --hover: from the pointer's entering the window (moved there with
 * XTest) to its opacity 0xfefefefe; between tries the pointer goes to AWAY
 * and the opacity back to what it was.
 *
 *   alpha-probe WINDOW FIELD_X FIELD_Y [TRIES]   (WINDOW: the palette's X window)
 *   alpha-probe --hover WINDOW X Y AWAY_X AWAY_Y [TRIES] */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double Now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static void Pause(int ms) {
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

static void Key(Display* d, KeySym sym) {
    const KeyCode code = XKeysymToKeycode(d, sym);
    XTestFakeKeyEvent(d, code, True, CurrentTime);
    XTestFakeKeyEvent(d, code, False, CurrentTime);
    XFlush(d);
}

static long Opacity(Display* d, Window w, Atom atom) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = NULL;
    long value = -1;
    if (XGetWindowProperty(d, w, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1 && format == 32)
        value = (long)(*(unsigned long*)data & 0xffffffffUL);
    if (data)
        XFree(data);
    return value;
}

/* Waits for a PropertyNotify bringing the opacity WANT; its time, or -1. */
static double WaitFor(Display* d, Window window, Atom atom, long want, double start) {
    while (Now() - start < 10000) {
        struct pollfd p = {ConnectionNumber(d), POLLIN, 0};
        if (!XPending(d) && poll(&p, 1, 10000 - (int)(Now() - start)) <= 0)
            break;
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == PropertyNotify && e.xproperty.atom == atom &&
                Opacity(d, window, atom) == want)
                return Now();
        }
    }
    return -1;
}

static void Drain(Display* d) {
    XSync(d, False);
    while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
    }
}

static int Compare(const void* a, const void* b) {
    const double x = *(const double*)a, y = *(const double*)b;
    return (x > y) - (x < y);
}

static int Report(double* ms, int tries) {
    qsort(ms, (size_t)tries, sizeof *ms, Compare);
    const double median = tries % 2 ? ms[tries / 2] : (ms[tries / 2 - 1] + ms[tries / 2]) / 2;
    printf("median %.1f ms, worst %.1f ms (%d tries)\n", median, ms[tries - 1], tries);
    free(ms);
    return 0;
}

static int Hover(Display* d, char** argv, int argc) {
    const Window window = strtoul(argv[0], NULL, 0);
    const int x = atoi(argv[1]), y = atoi(argv[2]), awayX = atoi(argv[3]), awayY = atoi(argv[4]);
    const int tries = argc > 5 ? atoi(argv[5]) : 20;
    if (tries < 1 || tries > 1000)
        return 2;
    const Atom atom = XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False);
    XSelectInput(d, window, PropertyChangeMask);
    XTestFakeMotionEvent(d, -1, awayX, awayY, CurrentTime);
    XSync(d, False);
    Pause(800);
    const long rest = Opacity(d, window, atom);
    const long opaque = 0xfefefefeL;
    double* ms = calloc((size_t)tries, sizeof *ms);
    for (int i = 0; i < tries; ++i) {
        Drain(d);
        const double start = Now();
        /* Each try a pixel other than the last: Wine keeps the last position it
         * saw inside its windows, and coming back to it is no move to it. */
        XTestFakeMotionEvent(d, -1, x + i % 2 * 2, y, CurrentTime);
        XFlush(d);
        const double at = WaitFor(d, window, atom, opaque, start);
        if (at < 0) {
            fprintf(stderr, "alpha-probe: not opaque within 10 s of entering\n");
            return 1;
        }
        ms[i] = at - start;
        printf("try %d: opaque in %.1f ms\n", i + 1, ms[i]);
        fflush(stdout);
        Pause(200);
        XTestFakeMotionEvent(d, -1, awayX, awayY, CurrentTime);
        XFlush(d);
        if (WaitFor(d, window, atom, rest, Now()) < 0) {
            fprintf(stderr, "alpha-probe: not back at 0x%08lx within 10 s of leaving\n", rest);
            return 1;
        }
        Pause(200);
    }
    return Report(ms, tries);
}

int main(int argc, char** argv) {
    if (argc >= 6 && strcmp(argv[1], "--hover") == 0) {
        Display* d = XOpenDisplay(NULL);
        int ev, er, major, minor;
        if (!d || !XTestQueryExtension(d, &ev, &er, &major, &minor)) {
            fprintf(stderr, "alpha-probe: no display with XTest\n");
            return 2;
        }
        const int rc = Hover(d, argv + 2, argc - 2);
        XCloseDisplay(d);
        return rc;
    }
    if (argc < 4) {
        fprintf(stderr, "usage: alpha-probe WINDOW FIELD_X FIELD_Y [TRIES]\n");
        return 2;
    }
    const Window window = strtoul(argv[1], NULL, 0);
    const int x = atoi(argv[2]), y = atoi(argv[3]);
    const int tries = argc > 4 ? atoi(argv[4]) : 20;
    if (tries < 1 || tries > 1000)
        return 2;
    Display* d = XOpenDisplay(NULL);
    int ev, er, major, minor;
    if (!d || !XTestQueryExtension(d, &ev, &er, &major, &minor)) {
        fprintf(stderr, "alpha-probe: no display with XTest\n");
        return 2;
    }
    const Atom atom = XInternAtom(d, "_NET_WM_WINDOW_OPACITY", False);
    XSelectInput(d, window, PropertyChangeMask);
    double* ms = calloc((size_t)tries, sizeof *ms);
    for (int i = 0; i < tries; ++i) {
        const int percent = i % 2 ? 60 : 40;
        const long want = (long)((percent * 255 + 50) / 100) * 0x01010101L;
        XTestFakeMotionEvent(d, -1, x, y, CurrentTime);
        XTestFakeButtonEvent(d, 1, True, CurrentTime);
        XTestFakeButtonEvent(d, 1, False, CurrentTime);
        XFlush(d);
        Pause(200);
        Key(d, percent == 40 ? XK_4 : XK_6);
        Key(d, XK_0);
        Pause(200);
        /* What came before the Enter key is not its answer. */
        XSync(d, False);
        while (XPending(d)) {
            XEvent e;
            XNextEvent(d, &e);
        }
        const double start = Now();
        Key(d, XK_Return);
        const double at = WaitFor(d, window, atom, want, start);
        if (at < 0) {
            fprintf(stderr, "alpha-probe: no opacity 0x%08lx within 10 s\n", want);
            return 1;
        }
        ms[i] = at - start;
        printf("try %d: %d %% in %.1f ms\n", i + 1, percent, ms[i]);
        fflush(stdout);
    }
    XCloseDisplay(d);
    return Report(ms, tries);
}
