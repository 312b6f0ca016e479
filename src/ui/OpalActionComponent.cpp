// Carries out every action of the plug-in's menus and shortcuts, and keeps
// the wording of the three toggles in step with the options.
#include "IActionComponent.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OSWindows.h"
#include "OpalID.h"
#include "engine/IOpalPanelTool.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalOptions.h"
#include "model/IOpalPointerOptions.h"

namespace {

// The pages of the maker's site; the two contact paths differ in one letter.
constexpr const char* kSuggestNewFeaturePage =
    kOpalWebSite "/contact.asp?type=feature&product=opln";
constexpr const char* kSendFeedbackPage = kOpalWebSite "/contacts.asp?type=feedback&product=opln";
constexpr const char* kSupportPage = kOpalWebSite "/support.asp?product=opln";

void OpenWebPage(const char* address) {
    const PMString page(address, PMString::kTranslateDuringCall);
    // Whether a browser opened is nobody's business but the system's.
    ShellExecuteA(nullptr, "open", page.GrabCString(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void ToggleListMode() {
    InterfacePtr<IPMUnknown> opalPanel = QueryOpalPanel();
    if (!opalPanel)
        return; // never opened: the option stays as it is
    InterfacePtr<IOpalPanelTool> tool(opalPanel, kOpalPanelToolIID);
    if (tool)
        tool->ToggleIgnoreClosedPanels();
}

} // namespace

class OpalActionComponent : public CActionComponent {
public:
    using CActionComponent::CActionComponent;
    using CActionComponent::DoAction;
    using CActionComponent::UpdateActionStates;
    ~OpalActionComponent() override = default;

    void UpdateActionStates(IActiveContext* context, IActionStateList* list,
                            GSysPoint /*mousePoint*/, IControlView* /*widget*/) override {
        if (!context || !list)
            return;
        InterfacePtr<IOpalOptions> options = QueryWorkspaceInterface<IOpalOptions>(kOpalOptionsIID);
        if (!options)
            return;
        auto pointerOptions = QueryWorkspaceInterface<IOpalPointerOptions>(kOpalPointerOptionsIID);
        // The host may change the list's length while it is told: ask again each time.
        for (int32 i = 0; i < list->Length(); ++i) {
            list->SetNthActionState(i, kEnabledAction);
            const ActionID action = list->GetNthAction(i);
            if (action == kOpalShowPanelsActionID)
                list->SetNthActionName(i, PMString(options->GetIgnoreClosedPanels()
                                                       ? kOpalShowAllPanelsMenuItemKey
                                                       : kOpalShowOpenedPanelsMenuItemKey,
                                                   PMString::kTranslateDuringCall));
            else if (action == kOpalTurnAlphaActionID)
                list->SetNthActionName(i, PMString(options->GetOnOffAlpha()
                                                       ? kOpalTurnAlphaOffMenuItemKey
                                                       : kOpalTurnAlphaOnMenuItemKey,
                                                   PMString::kTranslateDuringCall));
            else if (action == kOpalOpaqueUnderPointerActionID && pointerOptions)
                list->SetNthActionName(i, PMString(pointerOptions->GetOpaqueUnderPointer()
                                                       ? kOpalTranslucentUnderPointerMenuItemKey
                                                       : kOpalOpaqueUnderPointerMenuItemKey,
                                                   PMString::kTranslateDuringCall));
        }
    }

    void DoAction(IActiveContext* /*context*/, ActionID actionID, GSysPoint /*mousePoint*/,
                  IControlView* /*widget*/) override {
        switch (actionID) {
        case kOpalShowPanelsActionID:
            ToggleListMode();
            break;
        case kOpalTurnAlphaActionID:
            ToggleOpacity();
            break;
        case kOpalOpaqueUnderPointerActionID:
            ToggleOpaqueUnderPointer();
            break;
        case kOpalAboutActionID:
            OpenPluginDialog(kOpalAboutDialogRsrcID, kFalse);
            break;
        case kOpalSuggestNewFeatureActionID:
            OpenWebPage(kSuggestNewFeaturePage);
            break;
        case kOpalSendFeedbackActionID:
            OpenWebPage(kSendFeedbackPage);
            break;
        case kOpalSupportActionID:
            OpenWebPage(kSupportPage);
            break;
        default:
            break; // the sub-menu's own action among them
        }
    }
};
CREATE_PMINTERFACE(OpalActionComponent, kOpalActionComponentImpl);
