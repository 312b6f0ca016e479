#include "ui/LayoutReader.h"

#include "CControlView.h"
#include "RsrcSpec.h"
#include "core/Text.h"
#include "ui/Widgets.h"

namespace host::ui {
namespace {

const LoadedPlugin* PluginByID(const Host& host, PluginID id) {
    for (const auto& p : host.Plugins())
        if (p->id == id)
            return p.get();
    return nullptr;
}

// The pairs of the class, with the view of the nearest ancestor that has one
// registered when the class's own view implementation is absent.
InterfacePairs PairsWithView(ObjectModel& model, ClassID classID) {
    InterfacePairs pairs = model.ResolvedPairs(classID);
    for (auto& [iid, impl] : pairs) {
        if (iid != IID_ICONTROLVIEW || model.FindImpl(impl))
            continue;
        for (const BossClass* c = model.FindClass(classID); c && c->parent;
             c = model.FindClass(c->parent)) {
            bool found = false;
            for (const auto& [parentIID, parentImpl] : model.ResolvedPairs(c->parent))
                if (parentIID == IID_ICONTROLVIEW && model.FindImpl(parentImpl)) {
                    impl = parentImpl;
                    found = true;
                }
            if (found)
                break;
        }
    }
    return pairs;
}

PMString TextFor(const Host& host, const WidgetSpec& spec) {
    if (spec.textKey) {
        const std::u16string key = Windows1252ToUTF16(*spec.textKey);
        const auto text = host.TranslateKey(key);
        return PMString::FromUTF8(UTF16ToUTF8(text ? *text : key), PMString::kHasBeenTranslated);
    }
    return PMString::FromUTF8(UTF16ToUTF8(Windows1252ToUTF16(spec.text.value_or(""))));
}

void Configure(Boss* widget, const WidgetSpec& spec) {
    if (IControlView* view = ViewOf(widget)) {
        view->SetWidgetID(spec.widgetID);
        view->SetFrameBinding(spec.binding);
        view->SetFrame(PMRect(spec.frame.left, spec.frame.top, spec.frame.right, spec.frame.bottom),
                       kFalse);
        if (!spec.visible)
            view->Hide();
        view->Enable(spec.enabled ? kTrue : kFalse, kFalse);
        if (spec.picture) {
            view->SetRsrcPluginID(spec.picture->plugin);
            view->SetRsrcID(spec.picture->id);
        }
    }
    if (WidgetRecord* record = RecordOf(widget)) {
        record->designed = spec.frame;
        if (spec.valueLimits)
            record->limits = spec.valueLimits;
        if (spec.listBox)
            record->listBox = spec.listBox;
        if (spec.observerIID)
            record->observerIID = spec.observerIID;
        if (spec.menuNameKey)
            record->menuNameKey = spec.menuNameKey;
    }
    if (spec.text || spec.textKey)
        if (auto* text = widget->PeekAs<ITextControlData>(IID_ITEXTCONTROLDATA))
            text->SetString(TextFor(widget->GetHost(), spec), kFalse, kFalse, kFalse);
}

} // namespace

std::optional<WidgetSpec> ReadLayout(const Host& host, PluginID pluginID, RsrcID id, bool localized,
                                     uint16 language) {
    const LoadedPlugin* plugin = PluginByID(host, pluginID);
    if (!plugin)
        return std::nullopt;
    RsrcID layoutID = id;
    if (localized) {
        const Bytes* indexBytes = plugin->resources.Find(kLocaleIndexRsrcType, id);
        const auto index = indexBytes ? DecodeLocaleIndex(*indexBytes) : std::nullopt;
        const auto resolved = index && index->indexedType == kLayoutRsrcType
                                  ? index->Resolve(language)
                                  : std::nullopt;
        if (!resolved)
            return std::nullopt;
        layoutID = *resolved;
    }
    const Bytes* bytes = plugin->resources.Find(kLayoutRsrcType, layoutID);
    return bytes ? DecodeLayout(*bytes) : std::nullopt;
}

Boss* BuildWidget(Host& host, const WidgetSpec& spec, IDataBase* db) {
    ObjectModel& model = host.Model();
    if (!model.HasClass(spec.widgetClass))
        return nullptr;
    Boss* widget = model.CreateBoss(spec.widgetClass, PairsWithView(model, spec.widgetClass));
    widget->SetPlace(db, kInvalidUID);
    Configure(widget, spec);
    auto* children = widget->PeekAs<IPanelControlData>(IID_IPANELCONTROLDATA);
    for (const WidgetSpec& childSpec : spec.children) {
        Boss* child = BuildWidget(host, childSpec, db);
        if (!child)
            continue;
        if (IControlView* view = ViewOf(child); view && children)
            children->AddWidget(view, -1, kFalse);
        child->Release(); // the container holds it, or it goes
    }
    return widget;
}

} // namespace host::ui
