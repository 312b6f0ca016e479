// Sets the opacity of one stored panel, then shows it in the panel's row of
// the Opal panel when that panel has been built.
#include "CWidgetObserver.h"
#include "Command.h"
#include "DataInterfaces.h"
#include "ISession.h"
#include "ImplementationRegistry.h"
#include "InterfacePtr.h"
#include "OpalID.h"
#include "engine/OpalPanelUtils.h"
#include "frame/OpalHostHelpers.h"
#include "frame/OpalSession.h"
#include "model/IOpalAlphaData.h"
#include "model/OpacityText.h"

class OpalSetAlphaCmd : public Command {
public:
    explicit OpalSetAlphaCmd(IPMUnknown* boss) : Command(boss) {}
    ~OpalSetAlphaCmd() override = default;

    void Do() override {
        if (GetCommandState() != kNotDone)
            return;
        InterfacePtr<IOpalAlphaData> alphaData =
            QueryWorkspaceInterface<IOpalAlphaData>(kOpalAlphaDataIID);
        if (!alphaData)
            return;
        InterfacePtr<IIntData> entryIndex(this, kOpalEntryIndexDataIID);
        InterfacePtr<IRealNumberData> alpha(this, kOpalAlphaValueDataIID);
        if (!entryIndex || !alpha)
            return;
        const double opacity = alpha->Get();
        alphaData->SetAlphaAt(entryIndex->Get(), opacity);

        // From here on only the display: whatever is missing, the stored
        // value stands.
        InterfacePtr<IIntData> listRow(this, kOpalListRowDataIID);
        if (!listRow)
            return;
        ShowInRow(listRow->Get(), opacity);
    }

    PMString* CreateName() override { return new PMString("Set alpha", PMString::kNoTranslate); }

    void SetUpTarget() override { SetTarget(0); }

private:
    // Rewrites the row's percentage text and redraws its bar, even when the
    // value did not change, so that the row always shows what is stored.
    static void ShowInRow(int32 row, double opacity) {
        InterfacePtr<IPMUnknown> panel = QueryOpalPanel();
        if (!panel)
            return; // the Opal panel has never been opened
        InterfacePtr<IPanelControlData> rowPanel(
            GetListRowPanel(panel.get(), kOpalPanelListWidgetID, row));
        if (!rowPanel)
            return;
        InterfacePtr<IControlView> textView(
            rowPanel->QueryWidgetByID(kOpalRowOpacityTextWidgetID, kWidgetSearchDepth));
        InterfacePtr<ITextControlData> text(textView, IID_ITEXTCONTROLDATA);
        if (!text)
            return;
        text->SetString(OpacityToPercentText(opacity), kTrue, kTrue, kTrue);
        // The bar reads its length from that text when it is drawn.
        InterfacePtr<IControlView> bar(
            rowPanel->QueryWidgetByID(kOpalRowAlphaBarWidgetID, kWidgetSearchDepth));
        if (bar)
            bar->Invalidate();
    }
};

CREATE_PMINTERFACE(OpalSetAlphaCmd, kOpalSetAlphaCmdImpl);
