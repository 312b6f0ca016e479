// opal-rescomp OUTDIR: compiles the plug-in's resource definitions into
// OUTDIR/Opal.res (the archive embedded in the module natively), and
// OUTDIR/Opal.rc with OUTDIR/rsrc/*.bin for the Windows resource compiler.
#include "Definitions.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: opal-rescomp OUTDIR\n";
        return 2;
    }
    try {
        rescomp::ResourceOutput out;
        rescomp::DefineOpalResources(out);
        rescomp::DefineOpalLayouts(out);
        rescomp::DefineOpalPictures(out);
        out.WriteAll(argv[1], "Opal");
    } catch (const std::exception& e) {
        std::cerr << "opal-rescomp: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
