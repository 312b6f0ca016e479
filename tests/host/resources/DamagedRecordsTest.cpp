// Every decoder the host runs on a plug-in's resources, fed every truncation
// and many damaged copies of the real records: each either refuses the bytes
// or decodes them, and never reads outside them (the sanitizer build checks).
#include "ResourceTestUtil.h"
#include "resources/Layout.h"
#include "resources/Pictures.h"

#include <functional>
#include <random>

namespace {

using Decoder = std::function<bool(const host::Bytes&)>;

// Whether the decoder accepted the bytes; what matters is that it returns.
template <class F> Decoder Accepts(F decode) {
    return [decode](const host::Bytes& bytes) { return decode(bytes).has_value(); };
}

struct Case {
    uint32 type;
    uint32 id;
    Decoder decode;
};

std::vector<Case> Cases() {
    using namespace host;
    return {
        {kClassTableRsrcType, 500, Accepts(DecodeClassTable)},
        {kImplementationListRsrcType, 550, Accepts(DecodeImplementationList)},
        {kPluginVersionRsrcType, 450, Accepts(DecodePluginVersion)},
        {kLocaleIndexRsrcType, 300, Accepts(DecodeLocaleIndex)},
        {kStringTableRsrcType, 301, Accepts(DecodeStringTable)},
        {kPanelListRsrcType, 700, Accepts(DecodePanelList)},
        {kMenuDefRsrcType, 200, Accepts(DecodeMenuDefs)},
        {kActionDefRsrcType, 400, Accepts(DecodeActionDefs)},
        {kTipsRsrcType, 33, Accepts(DecodeTips)},
        {kLayoutRsrcType, 701, Accepts(DecodeLayout)},
        {kLayoutRsrcType, 2001, Accepts(DecodeLayout)},
        {kLayoutRsrcType, 1002, Accepts(DecodeLayout)},
        {kPNGRsrcType, 10000, Accepts([](const Bytes& b) { return DecodePng(b); })},
        {kBitmapRsrcType, 4000, Accepts([](const Bytes& b) { return DecodeBitmap(b); })},
    };
}

} // namespace

TEST(DamagedRecords, EveryTruncation_IsRefused) {
    for (const Case& c : Cases()) {
        const host::Bytes whole = testing_support::Resource(c.type, c.id);
        ASSERT_TRUE(c.decode(whole)) << c.type << "/" << c.id;
        // A record cut short never decodes: every format ends with content.
        for (size_t n = 0; n < whole.size(); n += (whole.size() > 4096 ? 97 : 1))
            EXPECT_FALSE(c.decode(
                host::Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n))))
                << c.type << "/" << c.id << " cut to " << n << " bytes";
    }
}

TEST(DamagedRecords, RandomDamage_NeverReadsOutside) {
    std::mt19937 random(20261208); // fixed: a failure must be reproducible
    for (const Case& c : Cases()) {
        const host::Bytes whole = testing_support::Resource(c.type, c.id);
        for (int round = 0; round < 300; ++round) {
            host::Bytes damaged = whole;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int k = 0; k < changes; ++k) {
                const size_t at = random() % damaged.size();
                // Counts and lengths are where damage hurts: favour large values.
                damaged[at] = (random() % 2) ? 0xff : static_cast<uint8>(random());
            }
            c.decode(damaged);
        }
    }
}
