// Arbitrary model settings, slot parameters and packed tables, including
// records whose byte count claims more than their buffer: every builder must
// stay inside its buffers and keep its frames to their protocol's shapes.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "link/Frames.h"

namespace {

class Input {
public:
    explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint8_t Byte() { return pos_ < bytes_.size() ? bytes_[pos_++] : 0; }
    int Word() { return (Byte() << 8) | Byte(); }
    int Signed() { return static_cast<std::int8_t>(Byte()); }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

void Require(bool condition)
{
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumitag;
    Input in({data, size});
    const auto catalogue = Catalogue();
    LinkTarget target;
    ApplyModel(target.model, catalogue[in.Byte() % catalogue.size()].name);
    const int tweak = in.Byte();
    if (tweak & 1) target.model.rows = in.Signed();
    if (tweak & 2) target.model.slotCount = in.Signed();
    if (tweak & 4) target.model.pageWidth = in.Word() - 1000;
    if (tweak & 8) target.model.protocol = static_cast<LinkProtocol>(in.Byte() % 8);
    target.signId = in.Word();
    target.idMode = in.Byte() & 1;

    SlotParamTable params;
    for (auto& value : params.values) value = in.Signed();
    PackedTables tables;
    long long totalBytes = 0;
    for (auto* table : {&tables.frame0, &tables.frame1}) {
        for (auto& record : *table) {
            const int length = in.Word() % 5000;
            record.data.assign(length, in.Byte());
            record.size = (in.Byte() & 1) ? in.Word() * 3 - 20000 : length;
            totalBytes += length;
        }
    }

    const auto plan = BuildSend(target, params, tables);
    if (!plan) return 0;
    for (const auto& step : plan->steps) {
        const auto n = step.bytes.size();
        switch (target.model.protocol) {
        case LinkProtocol::Paged273: Require(n == 0 || n == 273); break;
        case LinkProtocol::Bus276: Require(n == 276 || n == 8); break;
        case LinkProtocol::GlyphSlots: Require(n <= 5000); break;
        default: Require(n <= 256); break;  // header, parameter frame (<= 52), pieces
        }
        Require(step.pauseMs >= 0 && step.progressUnits >= 0);
    }
    Require(plan->totalUnits >= 0 && plan->totalUnits <= 10 * totalBytes + 1000);
    return 0;
}
