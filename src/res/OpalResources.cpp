// The plug-in's records: what the host reads before it runs any plug-in code.
#include "Definitions.h"
#include "HostIDs.h"
#include "OpalID.h"
#include "Records.h"
#include "ResourceTypes.h"

namespace rescomp {

namespace {

constexpr const char* kMakerURL = kOpalWebSite "/opal";
constexpr const char* kCopyright = "Copyright 2006-2026 Quillmark. All rights reserved.";
constexpr const char* kShortcutArea = "KBSCE Other";
constexpr uint32 kEnglish = 1;
constexpr uint32 kToggleEnabling = 0x1; // state and name set at run time
constexpr uint32 kAlwaysEnabled = 0x80;
constexpr uint16 kPlainAction = 0;
constexpr PMIID kNoSelection = 0;

#define kPanelMenu kOpalPanelPopupMenuNameKey
#define kFeedbackMenu kOpalPanelPopupMenuNameKey ":" kOpalFeedbackAndSupportMenuItemKey

void PluginVersion(ResourceOutput& out) {
    out.Add(kPluginVersionRsrcType, kOpalVersionRsrcID,
            PluginVersionRecord({kOpalPluginID,
                                 {{1, 0}, {4, 0}, {1, 0}},
                                 {kInDesignProduct, kInCopyProduct},
                                 kOpalVersionText}));
}

// In the order the host reads them; the implementation list below names
// every plug-in implementation placed here exactly once.
void ClassTable(ResourceOutput& out) {
    out.Add(
        kClassTableRsrcType, kOpalClassTableRsrcID,
        ClassTableRecord({
            AddIn(kWorkspaceBoss, {{kOpalTimerCallbackIID, kOpalTimerCallbackImpl},
                                   {kOpalAlphaDataIID, kOpalAlphaDataImpl},
                                   {kOpalOptionsIID, kOpalOptionsImpl},
                                   {kOpalPointerOptionsIID, kOpalPointerOptionsImpl},
                                   {kOpalPointerWatchIID, kOpalPointerWatchImpl}}),
            AddIn(kApplicationBoss, {{kOpalWindowListObserverIID, kOpalWindowListObserverImpl}}),
            AddIn(kTabAreaBoss, {{kOpalTabAreaObserverIID, kOpalTabAreaObserverImpl}}),
            AddIn(kTabAreaAltBoss, {{kOpalTabAreaObserverIID, kOpalTabAreaObserverImpl}}),
            Boss(kOpalActionComponentBoss, kInvalidClass,
                 {{IID_IACTIONCOMPONENT, kOpalActionComponentImpl},
                  {IID_IACTIONSUPPORT, kActionSupportImpl}}),
            Boss(kOpalPanelWidgetBoss, kErasablePanelWidgetBoss,
                 {{IID_ICONTROLVIEW, kOpalPanelControlViewImpl},
                  {IID_IPANELMENUSUPPORT, kPanelMenuSupportImpl},
                  {IID_IPANELTIPSUPPORT, kPanelTipSupportImpl},
                  {IID_IPANELPALETTESUPPORT, kPanelPaletteSupportImpl},
                  {kOpalPanelToolIID, kOpalPanelToolImpl},
                  {kOpalPanelWidgetObserverIID, kOpalPanelWidgetObserverImpl}}),
            Boss(kOpalPanelListBoxBoss, kListBoxWidgetBoss, {}),
            Boss(kOpalListRowBoss, kCellPanelWidgetBoss,
                 {{IID_IEVENTHANDLER, kOpalCellEventHandlerImpl}}),
            Boss(kOpalAlphaBarBoss, kGenericPanelWidgetBoss,
                 {{IID_ICONTROLVIEW, kOpalAlphaBarControlViewImpl}}),
            Boss(kOpalAboutDialogBoss, kDialogBoss,
                 {{IID_IDIALOGCONTROLLER, kOpalAboutDialogControllerImpl}}),
            Boss(kOpalStartupShutdownBoss, kInvalidClass,
                 {{IID_ISERVICEPROVIDER, kOpalServiceProviderImpl},
                  {IID_ISTARTUPSHUTDOWN, kOpalStartupShutdownImpl}}),
            Boss(kOpalAttachTabAreaObserverCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalAttachTabAreaObserverCmdImpl}, {IID_IUIDDATA, kUIDDataImpl}}),
            Boss(kOpalAddAlphaCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalAddAlphaCmdImpl}, {kOpalPanelIDDataIID, kIntDataImpl}}),
            Boss(kOpalSetAlphaCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalSetAlphaCmdImpl},
                  {kOpalListRowDataIID, kIntDataImpl},
                  {kOpalEntryIndexDataIID, kIntDataImpl},
                  {kOpalAlphaValueDataIID, kRealNumberDataImpl}}),
            Boss(kOpalSetOnOffAlphaCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalSetOnOffAlphaCmdImpl}, {IID_IBOOLDATA, kBoolDataImpl}}),
            Boss(kOpalSetPaletteAlphaCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalSetPaletteAlphaCmdImpl}, {IID_IUIDDATA, kUIDDataImpl}}),
            Boss(kOpalSetIgnoreClosedPanelsCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalSetIgnoreClosedPanelsCmdImpl},
                  {IID_IBOOLDATA, kBoolDataImpl}}),
            Boss(kOpalSetOpaqueUnderPointerCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalSetOpaqueUnderPointerCmdImpl},
                  {IID_IBOOLDATA, kBoolDataImpl}}),
            Boss(kOpalUpdatePanelListCmdBoss, kInvalidClass,
                 {{IID_ICOMMAND, kOpalUpdatePanelListCmdImpl}}),
            Boss(kOpalShowAlertCmdBoss, kInvalidClass, {{IID_ICOMMAND, kOpalShowAlertCmdImpl}}),
        }));
    out.Add(kImplementationListRsrcType, kOpalImplementationListRsrcID,
            ImplementationListRecord({
                kOpalTimerCallbackImpl,
                kOpalAlphaDataImpl,
                kOpalOptionsImpl,
                kOpalWindowListObserverImpl,
                kOpalTabAreaObserverImpl,
                kOpalActionComponentImpl,
                kOpalServiceProviderImpl,
                kOpalStartupShutdownImpl,
                kOpalPanelControlViewImpl,
                kOpalPanelToolImpl,
                kOpalPanelWidgetObserverImpl,
                kOpalCellEventHandlerImpl,
                kOpalAlphaBarControlViewImpl,
                kOpalAboutDialogControllerImpl,
                kOpalAttachTabAreaObserverCmdImpl,
                kOpalAddAlphaCmdImpl,
                kOpalSetAlphaCmdImpl,
                kOpalSetOnOffAlphaCmdImpl,
                kOpalSetPaletteAlphaCmdImpl,
                kOpalSetIgnoreClosedPanelsCmdImpl,
                kOpalUpdatePanelListCmdImpl,
                kOpalShowAlertCmdImpl,
                kOpalPointerOptionsImpl,
                kOpalPointerWatchImpl,
                kOpalSetOpaqueUnderPointerCmdImpl,
            }));
}

void PanelAndMenus(ResourceOutput& out) {
    out.Add(kPanelListRsrcType, kOpalPanelListRsrcID,
            PanelListRecord({{kOpalPanelRsrcID, kOpalPluginID, kOpalPanelWidgetActionID,
                              kOpalPanelTitleKey, "", 0.0}}));

    // Sub-menu items come after the entry that opens the sub-menu; the
    // positions order them within their own menu.
    out.Add(kMenuDefRsrcType, kOpalMenuDefsRsrcID,
            MenuDefsRecord({
                {kOpalShowPanelsActionID, kPanelMenu, 10.0},
                {kOpalTurnAlphaActionID, kPanelMenu, 20.0},
                {kOpalOpaqueUnderPointerActionID, kPanelMenu, 30.0},
                {kOpalSeparator1ActionID, kPanelMenu ":-", 110.0},
                {0, kFeedbackMenu ":", 150.0},
                {kOpalSeparator2ActionID, kPanelMenu ":-", 160.0},
                {kOpalAboutActionID, kPanelMenu, 170.0},
                {kOpalSuggestNewFeatureActionID, kFeedbackMenu, 10.0},
                {kOpalSendFeedbackActionID, kFeedbackMenu, 20.0},
                {kOpalSupportActionID, kFeedbackMenu, 30.0},
            }));

    // The three toggles name themselves at run time; the names here are the
    // ones shown before the first update.
    const auto action = [](ActionID id, const char* nameKey, uint32 enabling, bool shortcuts) {
        return ActionDef{kOpalActionComponentBoss,
                         id,
                         nameKey,
                         kShortcutArea,
                         kPlainAction,
                         enabling,
                         kNoSelection,
                         shortcuts};
    };
    out.Add(
        kActionDefRsrcType, kOpalActionDefsRsrcID,
        ActionDefsRecord({
            action(kOpalShowPanelsActionID, kOpalShowOpenedPanelsMenuItemKey, kToggleEnabling,
                   true),
            action(kOpalTurnAlphaActionID, kOpalTurnAlphaOffMenuItemKey, kToggleEnabling, true),
            action(kOpalOpaqueUnderPointerActionID, kOpalOpaqueUnderPointerMenuItemKey,
                   kToggleEnabling, true),
            // A sub-menu's own entry does nothing a shortcut could trigger.
            action(kOpalFeedbackAndSupportActionID, kOpalFeedbackAndSupportMenuItemKey,
                   kAlwaysEnabled, false),
            action(kOpalSuggestNewFeatureActionID, kOpalSuggestNewFeatureMenuItemKey,
                   kAlwaysEnabled, true),
            action(kOpalSendFeedbackActionID, kOpalSendFeedbackMenuItemKey, kAlwaysEnabled, true),
            action(kOpalSupportActionID, kOpalSupportMenuItemKey, kAlwaysEnabled, true),
            action(kOpalAboutActionID, kOpalAboutMenuItemKey, kAlwaysEnabled, true),
        }));

    out.Add(kTipsRsrcType, kOpalTipsRsrcID,
            TipsRecord({{kOpalOnOffButtonWidgetID, kOpalOnOffTipKey},
                        {kOpalSwapContentButtonWidgetID, kOpalSwapContentTipKey}}));
}

void Strings(ResourceOutput& out) {
    // Every language the host knows reads the English table; language 5 is
    // left to the any-language entry like all others.
    LocaleIndexDef strings{kStringTableRsrcType, {}};
    for (uint16 language :
         std::initializer_list<uint16>{1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, kAnyLanguage})
        strings.entries.emplace_back(language, kOpalStringsRsrcID);
    out.Add(kLocaleIndexRsrcType, kOpalStringsLocaleIndexRsrcID, LocaleIndexRecord(strings));
    out.Add(
        kLocaleIndexRsrcType, kOpalNoTranslateLocaleIndexRsrcID,
        LocaleIndexRecord({kStringTableRsrcType, {{kAnyLanguage, kOpalNoTranslateStringsRsrcID}}}));
    out.Add(kLocaleIndexRsrcType, kOpalPanelRsrcID,
            LocaleIndexRecord({kLayoutRsrcType, {{kAnyLanguage, kOpalPanelLayoutRsrcID}}}));
    out.Add(kLocaleIndexRsrcType, kOpalAboutDialogRsrcID,
            LocaleIndexRecord({kLayoutRsrcType, {{kAnyLanguage, kOpalAboutLayoutRsrcID}}}));
    out.Add(kLocaleIndexRsrcType, kOpalListRowRsrcID,
            LocaleIndexRecord({kLayoutRsrcType, {{kAnyLanguage, kOpalListRowLayoutRsrcID}}}));

    // kOpalPanelPopupMenuNameKey is deliberately absent: it only names the
    // panel menu and is never shown.
    out.Add(kStringTableRsrcType, kOpalStringsRsrcID,
            StringTableRecord(
                {kEnglish,
                 {
                     {kOpalPanelTitleKey, "Opal"},
                     {kOpalPanelOpacityKey, "Opacity:"},
                     {kOpalShowAllPanelsMenuItemKey, "Show all panels in the list"},
                     {kOpalShowOpenedPanelsMenuItemKey, "Show only visible panels in the list"},
                     {kOpalTurnAlphaOnMenuItemKey, "Turn opacity On"},
                     {kOpalTurnAlphaOffMenuItemKey, "Turn opacity Off"},
                     {kOpalFeedbackAndSupportMenuItemKey, "Feedback And Support"},
                     {kOpalSuggestNewFeatureMenuItemKey, "Suggest New Feature"},
                     {kOpalSendFeedbackMenuItemKey, "Send Feedback"},
                     {kOpalSupportMenuItemKey, "Support"},
                     {kOpalAboutMenuItemKey, "About"},
                     {kOpalAboutOpalKey, "About Opal"},
                     {kOpalTitleKey, "Opal for Adobe InDesign/InCopy"},
                     {kOpalVersionKey, "Version " kOpalVersionText ", Windows edition"},
                     {kOpalURLKey, kMakerURL},
                     {kOpalCopyrightKey, kCopyright},
                     {kOpalOKKey, "OK"},
                     {kOpalDontShowAgainKey,
                      "The transparency will be applied to currently closed or "
                      "stashed panels (grayed items in the list) as they become "
                      "active. Panels in the stash can't be transparent (Windows "
                      "only)."},
                     {kOpalOnOffTipKey, "Turn opacity On / Off"},
                     {kOpalSwapContentTipKey, "Show All / Visible panels in Opal list"},
                     {kOpalOpaqueUnderPointerMenuItemKey, "Make panels opaque under the pointer"},
                     {kOpalTranslucentUnderPointerMenuItemKey,
                      "Keep panels translucent under the pointer"},
                 }}));
    out.Add(kStringTableRsrcType, kOpalNoTranslateStringsRsrcID, StringTableRecord({kEnglish, {}}));
}

void WindowsRecords(ResourceOutput& out) {
    constexpr uint16 kUSEnglish = 0x0409;
    constexpr uint16 kUnicodeCodePage = 1200;
    constexpr RsrcID kVersionInfoID = 1;
    constexpr RsrcID kDllManifestID = 2; // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
    out.Add(kVersionInfoRsrcType, kVersionInfoID,
            VersionInfoRecord({{1, 1, 0, 0},
                               {1, 1, 0, 0},
                               kUSEnglish,
                               kUnicodeCodePage,
                               {
                                   {"CompanyName", "Quillmark"},
                                   {"FileDescription", "Quillmark Opal Plug-in"},
                                   {"FileVersion", kOpalVersionText},
                                   {"InternalName", kOpalPluginName},
                                   {"OriginalFilename", kOpalPluginName ".pln"},
                                   {"ProductName", "Adobe InDesign"},
                                   {"ProductVersion", kOpalVersionText},
                                   {"LegalCopyright", kCopyright},
                                   {"Copyright", kCopyright},
                               }}));
    const std::string manifest =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
        "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\"/>\n";
    out.Add(kManifestRsrcType, kDllManifestID, Bytes(manifest.begin(), manifest.end()));
}

} // namespace

void DefineOpalResources(ResourceOutput& out) {
    PluginVersion(out);
    ClassTable(out);
    PanelAndMenus(out);
    Strings(out);
    WindowsRecords(out);
}

} // namespace rescomp
