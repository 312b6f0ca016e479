#include "OpalSetPaletteAlphaCmd.h"

#include "DataInterfaces.h"
#include "IApplication.h"
#include "IPanelRegistry.h"
#include "ISession.h"
#include "IWidgets.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "K2Vector.h"
#include "OpalEngineConstants.h"
#include "OpalID.h"
#include "engine/OpalWindowAlpha.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/IOpalOptions.h"

namespace {

bool IsPaletteWindowClass(ClassID cls) {
    return cls == kPaletteFloatingBoss || cls == kPaletteDockedBoss;
}

// The opacity the stored panels of palette `target` call for. False when the
// palette cannot be reached, is not a palette window or holds no stored panel:
// then its window is left alone.
bool DecidePaletteOpacity(UID target, double* opacity) {
    InterfacePtr<IPanelMgr> panelMgr = QueryPanelMgr();
    if (!panelMgr)
        return false;
    IDataBase* db = GetDataBase(panelMgr.get());
    if (!db)
        return false;
    InterfacePtr<IPMUnknown> palette(db->Instantiate(target, IID_ICONTROLVIEW));
    if (!palette || !IsPaletteWindowClass(GetClass(palette.get())))
        return false;
    InterfacePtr<IOpalAlphaData> alphaData =
        QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
    if (!alphaData)
        return false;

    // Panels the host reports active decide; when none is, the panel of the
    // last matching entry decides alone. A panel ID of 0 is a real match.
    K2Vector<int32> chosen;
    bool matched = false;
    int32 lastMatch = 0;
    for (int32 i = 0; i < alphaData->CountEntries(); ++i) {
        const AlphaEntry entry = alphaData->GetEntryAt(i);
        if (panelMgr->GetPaletteUIDOfPanel(entry.panelID) != target)
            continue;
        matched = true;
        lastMatch = entry.panelID;
        if (panelMgr->IsPanelActive(entry.panelID, 0))
            chosen.push_back(entry.panelID);
    }
    if (chosen.empty()) {
        if (!matched)
            return false;
        chosen.push_back(lastMatch);
    }

    // NaN never compares greater, so it is ignored.
    double a = kOpalOpacityFloor;
    for (int32 panelID : chosen) {
        const double v = alphaData->GetAlphaForPanel(panelID);
        if (v > a + kOpalOpacityTolerance)
            a = v;
    }
    *opacity = a;
    return true;
}

} // namespace

OpalSetPaletteAlphaCmd::OpalSetPaletteAlphaCmd(IPMUnknown* boss) : Command(boss) {
    SetUndoability(kOpalUndoability);
}

void OpalSetPaletteAlphaCmd::Do() {
    if (GetCommandState() != kNotDone)
        return;
    InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
    if (!options)
        return;
    InterfacePtr<IUIDData> paletteData(this, IID_IUIDDATA);
    if (!paletteData)
        return;

    // Switched off, every named palette goes back to full opacity whatever it is.
    double opacity = kOpalFullOpacity;
    const bool on = options->GetOnOffAlpha() != kFalse;
    if (on && !DecidePaletteOpacity(paletteData->GetItemUID(), &opacity))
        return;
    ApplyWindowAlpha(paletteData->GetRef(), opacity, on);
}

PMString* OpalSetPaletteAlphaCmd::CreateName() {
    return new PMString("Opal Set Palette Alpha", -1, PMString::kNoTranslate);
}

void OpalSetPaletteAlphaCmd::SetUpTarget() {
    SetTarget(kOpalCommandTarget);
}

CREATE_PMINTERFACE(OpalSetPaletteAlphaCmd, kOpalSetPaletteAlphaCmdImpl);
