/* Frames of a part of the X screen for tools/wine/hover-gif.sh: every INTERVAL
 * milliseconds until SIGTERM, the part is read (XGetImage) with the pointer's
 * place (XQueryPointer); a frame that differs from the one before, in its
 * pixels or the pointer's place, is written to DIR as fN.ppm and listed in
 * DIR/list as "fN.ppm NANOSECONDS X Y". A last line "end NANOSECONDS" tells
 * when the last frame stopped showing.
 *
 *   frame-grab X Y WIDTH HEIGHT INTERVAL_MS DIR
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static volatile sig_atomic_t stopping = 0;

static void on_term(int sig) {
    (void)sig;
    stopping = 1;
}

// The place of a colour's lowest bit in the pixel (8 bits a colour on the
// screens this is for).
static int shift_of(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

static long long now_ns(void) {
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

int main(int argc, char** argv) {
    if (argc != 7) {
        fprintf(stderr, "usage: frame-grab X Y WIDTH HEIGHT INTERVAL_MS DIR\n");
        return 2;
    }
    const int x = atoi(argv[1]), y = atoi(argv[2]);
    const unsigned w = (unsigned)atoi(argv[3]), h = (unsigned)atoi(argv[4]);
    const long interval = atol(argv[5]);
    const char* dir = argv[6];
    if (w == 0 || h == 0 || w > 8192 || h > 8192 || interval <= 0) {
        fprintf(stderr, "frame-grab: bad size or interval\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "frame-grab: cannot open the display\n");
        return 1;
    }
    char path[4096];
    snprintf(path, sizeof path, "%s/list", dir);
    FILE* list = fopen(path, "w");
    unsigned char* rgb = malloc((size_t)w * h * 3);
    unsigned char* last = calloc((size_t)w * h * 3, 1);
    if (!list || !rgb || !last) {
        fprintf(stderr, "frame-grab: cannot write %s\n", path);
        return 1;
    }
    struct sigaction term;
    memset(&term, 0, sizeof term);
    term.sa_handler = on_term;
    sigaction(SIGTERM, &term, NULL);
    sigaction(SIGINT, &term, NULL);

    const Window root = DefaultRootWindow(display);
    int frames = 0, last_x = -1, last_y = -1, status = 0;
    long long next = now_ns();
    while (!stopping) {
        const long long stamp = now_ns();
        XImage* image = XGetImage(display, root, x, y, w, h, AllPlanes, ZPixmap);
        Window r, child;
        int px = 0, py = 0, wx, wy;
        unsigned mask;
        XQueryPointer(display, root, &r, &child, &px, &py, &wx, &wy, &mask);
        if (!image) {
            fprintf(stderr, "frame-grab: cannot read the screen\n");
            status = 1;
            break;
        }
        const int rs = shift_of(image->red_mask), gs = shift_of(image->green_mask),
                  bs = shift_of(image->blue_mask);
        for (unsigned row = 0; row < h; ++row)
            for (unsigned col = 0; col < w; ++col) {
                const unsigned long pixel = XGetPixel(image, (int)col, (int)row);
                unsigned char* out = rgb + ((size_t)row * w + col) * 3;
                out[0] = (unsigned char)((pixel & image->red_mask) >> rs);
                out[1] = (unsigned char)((pixel & image->green_mask) >> gs);
                out[2] = (unsigned char)((pixel & image->blue_mask) >> bs);
            }
        XDestroyImage(image);
        if (frames == 0 || px != last_x || py != last_y || memcmp(rgb, last, (size_t)w * h * 3)) {
            snprintf(path, sizeof path, "%s/f%d.ppm", dir, frames);
            FILE* out = fopen(path, "wb");
            if (!out) {
                fprintf(stderr, "frame-grab: cannot write %s\n", path);
                status = 1;
                break;
            }
            fprintf(out, "P6\n%u %u\n255\n", w, h);
            fwrite(rgb, 3, (size_t)w * h, out);
            fclose(out);
            fprintf(list, "f%d.ppm %lld %d %d\n", frames, stamp, px, py);
            fflush(list);
            memcpy(last, rgb, (size_t)w * h * 3);
            last_x = px, last_y = py;
            ++frames;
        }
        next += interval * 1000000LL;
        const long long wait = next - now_ns();
        if (wait > 0) {
            const struct timespec t = {(time_t)(wait / 1000000000LL), (long)(wait % 1000000000LL)};
            nanosleep(&t, NULL);
        } else {
            next = now_ns(); // behind: the next frame as soon as may be
        }
    }
    fprintf(list, "end %lld\n", now_ns());
    fclose(list);
    free(rgb);
    free(last);
    XCloseDisplay(display);
    return status;
}
