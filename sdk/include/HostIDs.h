// The host's own numbers that the plug-in uses, each named once.
// Interface, implementation and class IDs are separate spaces: 0x1004 is the
// UIDRef-data interface and, unrelated, the boolean-data implementation.
#pragma once

#include "SDKTypes.h"

// ---- Host interfaces ------------------------------------------------------------
constexpr PMIID IID_IUNKNOWN = 0x001;
constexpr PMIID IID_IREGISTRAR = 0x104;       // session: implementation registration
constexpr PMIID IID_IPALETTEWINDOW = 0x112;   // palette object: its OS window handle
constexpr PMIID IID_ISUBJECT = 0x119;         // subject of a boss
constexpr PMIID IID_IDIALOGMGR = 0x11c;       // application: dialog manager
constexpr PMIID IID_ITIMER = 0x11e;           // host timer object
constexpr PMIID IID_ISERVICEPROVIDER = 0x124; // announces services
constexpr PMIID IID_ISTARTUPSHUTDOWN = 0x149; // start-up/shut-down service
constexpr PMIID IID_IPANELMGR = 0x158;        // palette registry: panel ID ↔ palette
constexpr PMIID IID_IEVENTHANDLER = 0x108;
constexpr PMIID IID_ICOMMAND = 0x1001;  // every command implementation
constexpr PMIID IID_IBOOLDATA = 0x1003; // command argument: boolean
constexpr PMIID IID_IUIDDATA = 0x1004;  // command argument: a UIDRef
constexpr PMIID IID_ICONTROLVIEW = 0x601;
constexpr PMIID IID_ITEXTCONTROLDATA = 0x603;
constexpr PMIID IID_ILISTCONTROLDATA = 0x604;          // list item data
constexpr PMIID IID_IPANELCONTROLDATA = 0x607;         // child container of a widget
constexpr PMIID IID_ILISTBOXCONTROLLER_UPDATE = 0x608; // list: rows about to change
constexpr PMIID IID_IDIALOGCONTROLLER = 0x62a;
constexpr PMIID IID_ILISTSELECTION = 0x630;
constexpr PMIID IID_IUTILS = 0x682;         // host utilities (UtilsBoss)
constexpr PMIID IID_IWIDGETPARENT = 0x60b;  // a widget's parent
constexpr PMIID IID_IGRAPHICSPORT = 0x1605; // drawing operations of a view port
constexpr PMIID IID_IUICOLORUTILS = 0x2203; // the host's user-interface colours
constexpr PMIID IID_IACTIONCOMPONENT = 0xd201;
// Host-side interfaces that the plug-in only reaches through the session and
// the application object; the numbers are the stand-in host's own.
constexpr PMIID IID_ISESSION = 0x100;
constexpr PMIID IID_IAPPLICATION = 0x10a;
constexpr PMIID IID_IWORKSPACE = 0x10b;
constexpr PMIID IID_IPANELREGISTRY = 0x15a;
constexpr PMIID IID_IPALETTEREGISTRY = 0x15b;
constexpr PMIID IID_IINTDATA = 0x1006;        // stock int32 data (also under plug-in IDs)
constexpr PMIID IID_IREALNUMBERDATA = 0x1009; // stock double data
constexpr PMIID IID_IVIEWPORT = 0x1604;       // where a widget is drawn
constexpr PMIID IID_IDIALOG = 0x1606;         // a dialog: open, wait, close

// Protocols (an interface ID names the kind of message).
constexpr PMIID IID_IWINDOWLIST_PROTOCOL = 0x110; // application window list changes
constexpr PMIID IID_ITABAREA_PROTOCOL = 0x101;    // a tab area's tabs changed
// A field's entered value travels on the same protocol number as tab changes.
constexpr PMIID IID_IFIELDVALUE_PROTOCOL = IID_ITABAREA_PROTOCOL;
constexpr PMIID IID_IBUTTON_PROTOCOL = 0x62b;                       // a button was pressed
constexpr PMIID IID_ILISTSELECTION_PROTOCOL = IID_ILISTCONTROLDATA; // list selection changes

// ---- Host implementations ----------------------------------------------------------
constexpr ImplementationID kIntDataImpl = 0x1007;
constexpr ImplementationID kRealNumberDataImpl = 0x100a;
constexpr ImplementationID kBoolDataImpl = 0x1004;
constexpr ImplementationID kUIDDataImpl = 0x100d;

// ---- Host boss classes ----------------------------------------------------------------
constexpr ClassID kApplicationBoss = 0x102;
constexpr ClassID kTimerBoss = 0x10d;
constexpr ClassID kPaletteDockedBoss = 0x170; // docked palette window
constexpr ClassID kTabAreaBoss = 0x612;
constexpr ClassID kPaletteFloatingBoss = 0x613; // floating palette window
constexpr ClassID kWorkspaceBoss = 0x2201;
constexpr ClassID kPaletteStashBoss = 0x1640F; // stash (collapsed) palette window
constexpr ClassID kTabAreaAltBoss = 0x16413;   // a second boss carrying the tab-area observer
constexpr ClassID kPanelBoss = 0x16426;        // a host panel
constexpr ClassID kPaletteOtherBoss = 0xFC03;  // other palette window

// ---- Services and changes ----------------------------------------------------------------
constexpr ServiceID kStartupShutdownService = 0x107;
constexpr ClassID kWindowShownOrCreatedMsg = 0x16420;  // window list: a window was shown or created
constexpr ClassID kWindowHiddenMsg = 0x16421;          // window list: a window was hidden
constexpr ClassID kWindowDestroyedMsg = 0x16422;       // window list: a window is being destroyed
constexpr ClassID kTabAreaPanelAddedMsg = 0x16430;     // tab area: a panel became one of its tabs
constexpr ClassID kTabAreaPanelRemovedMsg = 0x16431;   // tab area: a panel left it
constexpr ClassID kTabAreaFrontChangedMsg = 0x16432;   // tab area: another tab came to the front
constexpr ClassID kButtonPressedMsg = 0x768;           // a button was pressed
constexpr ClassID kListSelectionChangedMsg = 0x76b;    // a list's selection changed
constexpr ClassID kListSelectionChangedAltMsg = 0x76c; // the same, from the host's other lists
constexpr ClassID kFieldValueEnteredMsg = 0x774;       // a value was entered in a field
constexpr ClassID kListSelectionByUserMsg = 0x789;     // the user changed a list's selection

// ---- Host numbers the plug-in's resources use ---------------------------------------
// Widget and dialog boss classes the layouts and the class table name.
constexpr ClassID kErasablePanelWidgetBoss = 0x62c; // erasable panel; parent of the Opal panel
constexpr ClassID kListBoxWidgetBoss = 0x6b6;       // list box; parent of the panel list
constexpr ClassID kCellPanelWidgetBoss = 0x627;     // one list cell; parent of a list row
constexpr ClassID kGenericPanelWidgetBoss = 0x64e;  // plain panel; row group, bar parent
constexpr ClassID kDialogBoss = 0x63e;              // host dialog; parent of the About dialog
constexpr ClassID kScrollPanelWidgetBoss = 0x625;   // scrolling area that holds list rows
constexpr ClassID kGroupPanelWidgetBoss = 0x61d;    // group strip (the panel's bottom strip)
constexpr ClassID kStaticTextWidgetBoss = 0x681;    // static text
constexpr ClassID kSliderComboWidgetBoss = 0x6a9;   // numeric field with a pop-up slider
constexpr ClassID kIconButtonWidgetBoss = 0x6a0;    // button showing an icon resource
constexpr ClassID kSizeBoxWidgetBoss = 0x65e;       // panel resize grip
constexpr ClassID kOKButtonWidgetBoss = 0x607;      // a dialog's default button
constexpr ClassID kInfoTextWidgetBoss = 0x60b;      // About box address and notice text
constexpr ClassID kSeparatorWidgetBoss = 0x604;     // horizontal separator line
constexpr ClassID kPictureWidgetBoss = 0x60e;       // shows a bitmap resource

// Host widget IDs given to standard widgets.
constexpr WidgetID kListScrollWidgetID = 0x601; // a list box's scrolling area
constexpr WidgetID kOKButtonWidgetID = 0x602;   // a dialog's OK button
constexpr WidgetID kSizeBoxWidgetID = 0x60f;    // a panel's resize grip

// Stock pairs the class table places on plug-in bosses; what they do is the
// host's business, the plug-in only places them.
constexpr PMIID IID_IACTIONSUPPORT = 0x130; // on the action component boss
constexpr ImplementationID kActionSupportImpl = 0x14f;
// On the Opal panel's boss: the panel's menu, its tips and its place in a palette.
constexpr PMIID IID_IPANELMENUSUPPORT = 0x667;
constexpr ImplementationID kPanelMenuSupportImpl = 0x745;
constexpr PMIID IID_IPANELTIPSUPPORT = 0x648;
constexpr ImplementationID kPanelTipSupportImpl = 0x6fc;
constexpr PMIID IID_IPANELPALETTESUPPORT = 0x617;
constexpr ImplementationID kPanelPaletteSupportImpl = 0x609;

// Data interfaces whose values a layout sets on a widget.
constexpr PMIID IID_ITEXTDATA = 0x64f;   // a text widget's text data (two values)
constexpr PMIID IID_IFONTDATA = 0x656;   // a static text's font choice
constexpr PMIID IID_IBUTTONDATA = 0x626; // a button's data
constexpr int32 kTitleFont = 0x10a;      // font data value: dialog title
constexpr int32 kDialogTextFont = 0x109; // font data value: ordinary dialog text

// Drawing resources of the host's widget plug-in.
constexpr PluginID kHostWidgetsPluginID = 0x16401;
constexpr RsrcID kListBoxDrawingRsrcID = 119;     // list box frame and rows
constexpr RsrcID kSliderComboDrawingRsrcID = 116; // numeric field with slider
constexpr RsrcID kSizeBoxDrawingRsrcID = 132;     // resize grip

// Host products named in the plug-in version record.
constexpr uint32 kInDesignProduct = 0x101;
constexpr uint32 kInCopyProduct = 0x102;
