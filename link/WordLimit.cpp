#include "link/WordLimit.h"

#include "model/DeviceCatalogue.h"

namespace lumitag {

int ApplyWordLimit(std::string_view model, const std::array<bool, kPackedSlots>& sent, PackedTables& tables)
{
    if (!HasWordLimit(model)) return 0;
    long long total = 0;
    bool first = true;
    for (int i = 0; i < kPackedSlots; ++i) {
        if (!sent[i]) continue;
        PackedImage& frame0 = tables.frame0[i];
        PackedImage& frame1 = tables.frame1[i];
        const int a = frame0.size;
        const int b = frame1.size;
        total += static_cast<long long>(a) + b;
        if (total <= kWordLimitBytes) continue;
        if (first) {
            first = false;
            int allowance = static_cast<int>(kWordLimitBytes - (total - a - b));
            if (b != 0) {
                allowance /= 2;
                frame1.size = allowance;
            }
            frame0.size = allowance;
        } else {
            frame0.size = 0;
            frame1.size = 0;
        }
    }
    return total > kWordLimitBytes ? static_cast<int>(total - kWordLimitBytes) : 0;
}

int ApplyWordLimit(std::string_view model, const SlotParamTable& params, PackedTables& tables)
{
    std::array<bool, kPackedSlots> sent{};
    for (int i = 0; i < kPackedSlots; ++i) sent[i] = params.at(SlotField::send, i) == 1;
    return ApplyWordLimit(model, sent, tables);
}

}  // namespace lumitag
