// Every identifier the Opal plug-in owns. Boss classes, interfaces,
// implementations, widgets and actions are separate ID spaces: the same
// number can mean unrelated things in two of them, so each constant is only
// ever passed where its own space is expected.
#pragma once

#include "SDKTypes.h"

// ---- Plug-in -----------------------------------------------------------------
constexpr PluginID kOpalPluginID = 0xc9200;
#define kOpalPrefix 0xc9200
#define kOpalStringPrefix "0xc9200"
#define kOpalPluginName "Opal"
#define kOpalVersionText "1.1.0"
// The maker's web site: the plug-in's page and the feedback and support
// pages are all on it.
#define kOpalWebHost "www.quillmark.example"
#define kOpalWebSite "http://" kOpalWebHost

// ---- Boss classes -------------------------------------------------------------
constexpr ClassID kOpalActionComponentBoss = 0xc9200;
constexpr ClassID kOpalStartupShutdownBoss = 0xc9201;
constexpr ClassID kOpalAboutDialogBoss = 0xc9264;
constexpr ClassID kOpalPanelWidgetBoss = 0xc9296;
constexpr ClassID kOpalPanelListBoxBoss = 0xc9297;
constexpr ClassID kOpalListRowBoss = 0xc9298;
constexpr ClassID kOpalAlphaBarBoss = 0xc9299;
constexpr ClassID kOpalAttachTabAreaObserverCmdBoss = 0xc92c8;
constexpr ClassID kOpalAddAlphaCmdBoss = 0xc92e6;
constexpr ClassID kOpalSetAlphaCmdBoss = 0xc92e7;
constexpr ClassID kOpalSetOnOffAlphaCmdBoss = 0xc92f0;
constexpr ClassID kOpalSetPaletteAlphaCmdBoss = 0xc92f1;
constexpr ClassID kOpalSetIgnoreClosedPanelsCmdBoss = 0xc92f2;
constexpr ClassID kOpalSetOpaqueUnderPointerCmdBoss = 0xc92f3;
constexpr ClassID kOpalUpdatePanelListCmdBoss = 0xc92f5;
constexpr ClassID kOpalShowAlertCmdBoss = 0xc92fa;

// ---- Interfaces ----------------------------------------------------------------
constexpr PMIID kOpalAlphaDataIID = 0xc9202;
constexpr PMIID kOpalOptionsIID = 0xc9203;
constexpr PMIID kOpalTimerCallbackIID = 0xc9205;
constexpr PMIID kOpalPointerOptionsIID = 0xc9206;
constexpr PMIID kOpalPointerWatchIID = 0xc9207;
// Host stock data implementations, placed on our command bosses under our IDs.
constexpr PMIID kOpalPanelIDDataIID = 0xc920a;    // int32: a panel ID
constexpr PMIID kOpalListRowDataIID = 0xc920b;    // int32: a list row
constexpr PMIID kOpalEntryIndexDataIID = 0xc920c; // int32: an alpha-data entry index
constexpr PMIID kOpalAlphaValueDataIID = 0xc920d; // double: an opacity in percent
constexpr PMIID kOpalWindowListObserverIID = 0xc9214;
constexpr PMIID kOpalTabAreaObserverIID = 0xc9215;
constexpr PMIID kOpalPanelWidgetObserverIID = 0xc9232;
constexpr PMIID kOpalPanelToolIID = 0xc9233;

// ---- Implementations -----------------------------------------------------------
constexpr ImplementationID kOpalActionComponentImpl = 0xc9200;
constexpr ImplementationID kOpalTimerCallbackImpl = 0xc9201;
constexpr ImplementationID kOpalPointerWatchImpl = 0xc9202;
constexpr ImplementationID kOpalServiceProviderImpl = 0xc920a;
constexpr ImplementationID kOpalStartupShutdownImpl = 0xc920b;
constexpr ImplementationID kOpalWindowListObserverImpl = 0xc9232;
constexpr ImplementationID kOpalTabAreaObserverImpl = 0xc9233;
constexpr ImplementationID kOpalAboutDialogControllerImpl = 0xc9266;
constexpr ImplementationID kOpalPanelControlViewImpl = 0xc928c;
constexpr ImplementationID kOpalPanelWidgetObserverImpl = 0xc928d;
constexpr ImplementationID kOpalPanelToolImpl = 0xc928e;
constexpr ImplementationID kOpalCellEventHandlerImpl = 0xc9296;
constexpr ImplementationID kOpalAlphaBarControlViewImpl = 0xc9297;
constexpr ImplementationID kOpalAlphaDataImpl = 0xc92c9;
constexpr ImplementationID kOpalOptionsImpl = 0xc92ca;
constexpr ImplementationID kOpalPointerOptionsImpl = 0xc92cb;
constexpr ImplementationID kOpalAttachTabAreaObserverCmdImpl = 0xc92cd;
constexpr ImplementationID kOpalAddAlphaCmdImpl = 0xc92dc;
constexpr ImplementationID kOpalSetAlphaCmdImpl = 0xc92dd;
constexpr ImplementationID kOpalSetOnOffAlphaCmdImpl = 0xc92e1;
constexpr ImplementationID kOpalSetPaletteAlphaCmdImpl = 0xc92e2;
constexpr ImplementationID kOpalSetIgnoreClosedPanelsCmdImpl = 0xc92e3;
constexpr ImplementationID kOpalSetOpaqueUnderPointerCmdImpl = 0xc92e4;
constexpr ImplementationID kOpalUpdatePanelListCmdImpl = 0xc92e6;
constexpr ImplementationID kOpalShowAlertCmdImpl = 0xc92eb;

// ---- Widgets ------------------------------------------------------------------
constexpr WidgetID kOpalPanelWidgetID = 0xc9264;
constexpr WidgetID kOpalPanelListWidgetID = 0xc9266;
constexpr WidgetID kOpalOpacitySliderWidgetID = 0xc9267;
constexpr WidgetID kOpalOnOffButtonWidgetID = 0xc9268;
constexpr WidgetID kOpalSwapContentButtonWidgetID = 0xc9269;
constexpr WidgetID kOpalRowNameWidgetID = 0xc926e;
constexpr WidgetID kOpalRowOpacityTextWidgetID = 0xc926f;
constexpr WidgetID kOpalRowAlphaBarWidgetID = 0xc9270;
constexpr WidgetID kOpalAboutDialogWidgetID = 0xc9201;
constexpr WidgetID kOpalAboutVersionWidgetID = 0xc9202;
constexpr WidgetID kOpalAboutBuildDateWidgetID = 0xc9203;
constexpr WidgetID kOpalAboutPictureWidgetID = 0xc9205;

// ---- Actions (all on kOpalActionComponentBoss) ------------------------------------
constexpr ActionID kOpalPanelWidgetActionID = 0xc9201;
constexpr ActionID kOpalShowPanelsActionID = 0xc9264;
constexpr ActionID kOpalTurnAlphaActionID = 0xc9265;
constexpr ActionID kOpalOpaqueUnderPointerActionID = 0xc9266;
constexpr ActionID kOpalFeedbackAndSupportActionID = 0xc9269;
constexpr ActionID kOpalAboutActionID = 0xc926a;
constexpr ActionID kOpalSuggestNewFeatureActionID = 0xc9278;
constexpr ActionID kOpalSendFeedbackActionID = 0xc9279;
constexpr ActionID kOpalSupportActionID = 0xc927a;
constexpr ActionID kOpalSeparator1ActionID = 0xc928d;
constexpr ActionID kOpalSeparator2ActionID = 0xc928f;

// ---- Resources ------------------------------------------------------------------
constexpr RsrcID kOpalVersionRsrcID = 450;
constexpr RsrcID kOpalClassTableRsrcID = 500;
constexpr RsrcID kOpalImplementationListRsrcID = 550;
constexpr RsrcID kOpalPanelListRsrcID = 700;
constexpr RsrcID kOpalMenuDefsRsrcID = 200;
constexpr RsrcID kOpalActionDefsRsrcID = 400;
constexpr RsrcID kOpalTipsRsrcID = 33;
constexpr RsrcID kOpalStringsLocaleIndexRsrcID = 300;
constexpr RsrcID kOpalNoTranslateLocaleIndexRsrcID = 350;
constexpr RsrcID kOpalStringsRsrcID = 301;
constexpr RsrcID kOpalNoTranslateStringsRsrcID = 351;
constexpr RsrcID kOpalPanelRsrcID = 700; // locale index → kOpalPanelLayoutRsrcID
constexpr RsrcID kOpalPanelLayoutRsrcID = 701;
constexpr RsrcID kOpalAboutDialogRsrcID = 1001; // locale index → kOpalAboutLayoutRsrcID
constexpr RsrcID kOpalAboutLayoutRsrcID = 1002;
constexpr RsrcID kOpalListRowRsrcID = 2000; // locale index → kOpalListRowLayoutRsrcID
constexpr RsrcID kOpalListRowLayoutRsrcID = 2001;
constexpr RsrcID kOpalAboutPictureRsrcID = 4000;
constexpr RsrcID kOpalOnIconRsrcID = 10000;
constexpr RsrcID kOpalOffIconRsrcID = 10001;
constexpr RsrcID kOpalSwapContentIconRsrcID = 10010;

// ---- Alerts ---------------------------------------------------------------------
// The closed-panel notice; the host keeps the user's "don't show again" under it.
constexpr int32 kOpalClosedPanelsAlertID = 0xc9201;

// ---- String keys ------------------------------------------------------------------
#define kOpalPanelTitleKey kOpalStringPrefix "kOpalPanelTitleKey"
#define kOpalPanelPopupMenuNameKey kOpalStringPrefix "kOpalPanelPopupMenuNameKey"
#define kOpalPanelOpacityKey kOpalStringPrefix "kOpalPanelOpacityKey"
#define kOpalShowAllPanelsMenuItemKey kOpalStringPrefix "kOpalShowAllPanelsMenuItemKey"
#define kOpalShowOpenedPanelsMenuItemKey kOpalStringPrefix "kOpalShowOpenedPanelsMenuItemKey"
#define kOpalTurnAlphaOnMenuItemKey kOpalStringPrefix "kOpalTurnAlphaOnMenuItemKey"
#define kOpalTurnAlphaOffMenuItemKey kOpalStringPrefix "kOpalTurnAlphaOffMenuItemKey"
#define kOpalOpaqueUnderPointerMenuItemKey kOpalStringPrefix "kOpalOpaqueUnderPointerMenuItemKey"
#define kOpalTranslucentUnderPointerMenuItemKey                                                    \
    kOpalStringPrefix "kOpalTranslucentUnderPointerMenuItemKey"
#define kOpalFeedbackAndSupportMenuItemKey kOpalStringPrefix "kOpalFeedbackAndSupportMenuItemKey"
#define kOpalSuggestNewFeatureMenuItemKey kOpalStringPrefix "kOpalSuggestNewFeatureMenuItemKey"
#define kOpalSendFeedbackMenuItemKey kOpalStringPrefix "kOpalSendFeedbackMenuItemKey"
#define kOpalSupportMenuItemKey kOpalStringPrefix "kOpalSupportMenuItemKey"
#define kOpalAboutMenuItemKey kOpalStringPrefix "kOpalAboutMenuItemKey"
#define kOpalAboutOpalKey kOpalStringPrefix "kOpalAboutOpalKey"
#define kOpalTitleKey kOpalStringPrefix "kOpalTitleKey"
#define kOpalVersionKey kOpalStringPrefix "kOpalVersionKey"
#define kOpalURLKey kOpalStringPrefix "kOpalURLKey"
#define kOpalCopyrightKey kOpalStringPrefix "kOpalCopyrightKey"
#define kOpalOKKey kOpalStringPrefix "kOpalOKKey"
#define kOpalDontShowAgainKey kOpalStringPrefix "kOpalDontShowAgainKey"
#define kOpalOnOffTipKey kOpalStringPrefix "kOpalOnOffTipKey"
#define kOpalSwapContentTipKey kOpalStringPrefix "kOpalSwapContentTipKey"

// ---- Opacity, in percent ------------------------------------------------------------
// Opaque: a panel never given an opacity, and every palette while opacity is off.
constexpr double kOpalFullOpacity = 100.0;
// The least a palette is shown with, so it never vanishes; the slider's lower end.
constexpr double kOpalOpacityFloor = 15.0;
// Opacities closer than this are the same opacity.
constexpr double kOpalOpacityTolerance = 1e-8;

// The service the start-up/shut-down provider announces.
#define kOpalServiceName "Opal Responder Service"
