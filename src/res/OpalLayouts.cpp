// The widget trees of the Opal panel, of one list row and of the About dialog.
// Frames are left, top, right, bottom relative to the parent widget.
#include "Definitions.h"
#include "HostIDs.h"
#include "LayoutBuilder.h"
#include "OpalID.h"
#include "ResourceTypes.h"

namespace rescomp {

namespace {

// What the host's erasable panel view stores for the Opal panel.
constexpr int32 kErasableFirst = 0;
constexpr int32 kErasableSecond = 3;
constexpr double kRowHeight = 24;
// Text data values of every About text; button data marking the default button.
constexpr int32 kTextDataFirst = 5;
constexpr int32 kTextDataSecond = 10;
constexpr int32 kDefaultButton = 1;

Widget Panel() {
    const uint16 kBindLeftRightBottom = kBindLeft | kBindRight | kBindBottom;
    return Widget(kOpalPanelWidgetBoss, kOpalPanelWidgetID, {0, 0, 207, 239}, kBindNone)
        .TextKey(kOpalPanelTitleKey)
        .MenuNameKey(kOpalPanelPopupMenuNameKey)
        .ObserverIID(kOpalPanelWidgetObserverIID)
        .ErasableValues(kErasableFirst, kErasableSecond)
        .Child(Widget(kOpalPanelListBoxBoss, kOpalPanelListWidgetID, {-1, 0, 208, 225}, kBindAll)
                   .Drawing(kHostWidgetsPluginID, kListBoxDrawingRsrcID)
                   .ListBox(kOpalPluginID, kOpalListRowRsrcID, kRowHeight, true)
                   .Child(Widget(kScrollPanelWidgetBoss, kListScrollWidgetID, {-1, 1, 209, 226},
                                 kBindAll)))
        .Child(Widget(kGroupPanelWidgetBoss, kNoWidgetID, {-2, 223, 208, 241}, kBindLeftRightBottom)
                   .Text("")
                   .Child(Widget(kStaticTextWidgetBoss, kNoWidgetID, {7, 5, 47, 16}, kBindLeft)
                              .TextKey(kOpalPanelOpacityKey))
                   .Child(Widget(kSliderComboWidgetBoss, kOpalOpacitySliderWidgetID,
                                 {47, 3, 94, 17}, kBindLeft)
                              .Text("100%")
                              .ValueLimits(kOpalOpacityFloor, kOpalFullOpacity)
                              .Drawing(kHostWidgetsPluginID, kSliderComboDrawingRsrcID))
                   .Child(Widget(kIconButtonWidgetBoss, kOpalSwapContentButtonWidgetID,
                                 {133, 2, 163, 17}, kBindRight)
                              .Picture(kOpalPluginID, kOpalSwapContentIconRsrcID))
                   .Child(Widget(kIconButtonWidgetBoss, kOpalOnOffButtonWidgetID, {163, 2, 193, 17},
                                 kBindRight)
                              .Picture(kOpalPluginID, kOpalOnIconRsrcID))
                   .Child(Widget(kSizeBoxWidgetBoss, kSizeBoxWidgetID, {193, 2, 209, 17},
                                 kBindRight | kBindBottom)
                              .Drawing(kHostWidgetsPluginID, kSizeBoxDrawingRsrcID)));
}

Widget ListRow() {
    const uint16 kBindLeftRight = kBindLeft | kBindRight;
    return Widget(kOpalListRowBoss, kNoWidgetID, {0, 0, 201, 24}, kBindLeftRight)
        .Text("")
        .Child(
            Widget(kGenericPanelWidgetBoss, kNoWidgetID, {0, 0, 201, 24}, kBindLeftRight)
                .Text("")
                .Child(Widget(kStaticTextWidgetBoss, kNoWidgetID, {0, 0, 203, 24}, kBindLeftRight)
                           .Text(""))
                .Child(Widget(kStaticTextWidgetBoss, kOpalRowNameWidgetID, {7, 3, 203, 13},
                              kBindLeftRight))
                .Child(Widget(kStaticTextWidgetBoss, kOpalRowOpacityTextWidgetID,
                              {170, 13, 203, 23}, kBindRight))
                .Child(Widget(kOpalAlphaBarBoss, kOpalRowAlphaBarWidgetID, {7, 14, 163, 21},
                              kBindLeftRight)));
}

// A text of the About box; font data only where the host's static text has it.
Widget AboutText(ClassID widgetClass, WidgetID id, FrameDef frame) {
    return Widget(widgetClass, id, frame, kBindNone)
        .Data(IID_ITEXTDATA, {kTextDataFirst, kTextDataSecond});
}

Widget AboutDialog() {
    return Widget(kOpalAboutDialogBoss, kOpalAboutDialogWidgetID, {0, 0, 410, 160}, kBindNone)
        .TextKey(kOpalAboutOpalKey)
        .Child(Widget(kOKButtonWidgetBoss, kOKButtonWidgetID, {315, 125, 395, 145}, kBindNone)
                   .TextKey(kOpalOKKey)
                   .Data(IID_IBUTTONDATA, {kDefaultButton}))
        .Child(AboutText(kStaticTextWidgetBoss, kNoWidgetID, {15, 15, 300, 31})
                   .TextKey(kOpalTitleKey)
                   .Data(IID_IFONTDATA, {kTitleFont}))
        .Child(AboutText(kStaticTextWidgetBoss, kOpalAboutVersionWidgetID, {15, 33, 300, 49})
                   .TextKey(kOpalVersionKey)
                   .Data(IID_IFONTDATA, {kDialogTextFont}))
        // A literal, so every language shows the same date.
        .Child(AboutText(kStaticTextWidgetBoss, kOpalAboutBuildDateWidgetID, {15, 52, 300, 66})
                   .Text("Build date: 05/03/06")
                   .Data(IID_IFONTDATA, {kDialogTextFont}))
        .Child(
            AboutText(kInfoTextWidgetBoss, kNoWidgetID, {15, 110, 280, 126}).TextKey(kOpalURLKey))
        .Child(Widget(kSeparatorWidgetBoss, kNoWidgetID, {15, 128, 282, 130}, kBindNone))
        .Child(AboutText(kInfoTextWidgetBoss, kNoWidgetID, {15, 132, 280, 148})
                   .TextKey(kOpalCopyrightKey))
        .Child(Widget(kPictureWidgetBoss, kOpalAboutPictureWidgetID, {282, 15, 395, 68}, kBindNone)
                   .Picture(kOpalPluginID, kOpalAboutPictureRsrcID));
}

} // namespace

void DefineOpalLayouts(ResourceOutput& out) {
    out.Add(kLayoutRsrcType, kOpalPanelLayoutRsrcID, LayoutRecord(Panel()));
    out.Add(kLayoutRsrcType, kOpalListRowLayoutRsrcID, LayoutRecord(ListRow()));
    out.Add(kLayoutRsrcType, kOpalAboutLayoutRsrcID, LayoutRecord(AboutDialog()));
}

} // namespace rescomp
