// A loadable module without GetPlugIn.
extern "C" int OpalNotAPlugIn() {
    return 0;
}
