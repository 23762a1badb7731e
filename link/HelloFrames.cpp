// Protocols 0, 1 and 4: a header, a parameter frame giving each slot's mode
// and columns, then the rows of all sent slots side by side, cut into pieces
// that never cross a row of the stream nor a 256-byte block.

#include <algorithm>

#include "link/Frames.h"

namespace lumitag {
namespace {

using Header = std::array<std::uint8_t, 5>;

constexpr Header kHelloHeader = {0x48, 0x65, 0x6C, 0x6C, 0x6F};
constexpr Header kPassOneHeaderA = {0x96, 0x05, 0x0F, 0xAA, 0xAA};
constexpr Header kPassOneHeaderB = {0x48, 0x65, 0x96, 0x5A, 0xF0};

constexpr int kParamPauseMs = 330;
constexpr int kRowPiecePauseMs = 30;
constexpr int kBlockPiecePauseMs = 330;
constexpr int kBlockBytes = 256;
constexpr int kTwoPlaneGapMs = 320;
constexpr int kEndPauseMs = 200;

int RowDivisor(const ModelSettings& model)
{
    return model.protocol == LinkProtocol::HelloFixed12 ? 12 : model.rows;
}

// Columns (bytes per row) of each slot. Only whole rows are sent: a slot
// whose byte count is not a multiple of the divisor loses its partial row
// rather than letting the stream read past its buffer.
std::vector<long long> SlotColumns(const SlotParamTable& params, const PackedTable& table, int slots, int divisor)
{
    std::vector<long long> cols(slots, 0);
    if (divisor <= 0) return cols;
    for (int j = 0; j < slots; ++j) {
        if (params.at(SlotField::send, j) != 0) cols[j] = static_cast<long long>(table[j].bytes().size()) / divisor;
    }
    return cols;
}

Bytes ParameterFrame(const SlotParamTable& params, const std::vector<long long>& cols)
{
    const int n = static_cast<int>(cols.size());
    Bytes frame(5 * n + 2, 0);
    for (int j = 0; j < n; ++j) frame[1 + j] = ModeByte(params, j);
    long long start = 0;
    for (int j = 0; j < n; ++j) {
        auto* group = &frame[n + 2 + 4 * j];
        group[0] = static_cast<std::uint8_t>(0x08 + ((start >> 8) & 0x07));
        group[1] = static_cast<std::uint8_t>(start & 0xFF);
        group[2] = static_cast<std::uint8_t>((cols[j] >> 8) & 0xFF);
        group[3] = static_cast<std::uint8_t>(cols[j] & 0xFF);
        start += cols[j];
    }
    return frame;
}

// The rows of every slot side by side: row r of the stream is row r of each
// sent slot in slot order.
Bytes RowStream(const PackedTable& table, const std::vector<long long>& cols, int divisor, long long rowBytes)
{
    Bytes stream(static_cast<std::size_t>(rowBytes * divisor), 0);
    auto out = stream.begin();
    for (int r = 0; r < divisor; ++r) {
        for (std::size_t j = 0; j < cols.size(); ++j) {
            if (cols[j] == 0) continue;
            const auto data = table[j].bytes();
            const auto from = data.begin() + r * cols[j];
            out = std::copy(from, from + cols[j], out);
        }
    }
    return stream;
}

void AppendPass(SendPlan& plan, const Header& header, const LinkTarget& target, const SlotParamTable& params,
                const PackedTable& table)
{
    const int divisor = RowDivisor(target.model);
    const auto cols = SlotColumns(params, table, SlotsToSend(target.model), divisor);
    long long rowBytes = 0;
    for (auto c : cols) rowBytes += c;
    const long long total = rowBytes * divisor;
    if (total == 0) return;

    Bytes head(header.begin(), header.end());
    if (target.idMode) head[2] = static_cast<std::uint8_t>(target.signId & 0xFF);
    plan.steps.push_back({std::move(head), 0, false, false, 5});

    Bytes parameters = ParameterFrame(params, cols);
    const auto parameterUnits = static_cast<long long>(parameters.size());
    plan.steps.push_back({std::move(parameters), kParamPauseMs, true, false, parameterUnits});

    const Bytes stream = RowStream(table, cols, divisor, rowBytes);
    for (long long pos = 0; pos < total;) {
        const long long rowRest = rowBytes - pos % rowBytes;
        const long long blockRest = kBlockBytes - pos % kBlockBytes;
        const bool rowEnds = rowRest < blockRest;
        const long long piece = rowEnds ? rowRest : blockRest;
        plan.steps.push_back({Bytes(stream.begin() + pos, stream.begin() + pos + piece),
                              rowEnds ? kRowPiecePauseMs : kBlockPiecePauseMs, false, false, piece});
        pos += piece;
    }
    plan.totalUnits += total + 5LL * cols.size() + 7;
}

}  // namespace

SendPlan BuildHelloSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables)
{
    const bool twoPlane = target.model.protocol == LinkProtocol::HelloTwoPlane;
    SendPlan plan;
    AppendPass(plan, kHelloHeader, target, params, tables.frame0);
    if (twoPlane) plan.steps.push_back({{}, kTwoPlaneGapMs, false, false, 0});
    AppendPass(plan, twoPlane ? kPassOneHeaderB : kPassOneHeaderA, target, params, tables.frame1);
    plan.steps.push_back({{}, kEndPauseMs, false, false, 0});
    return plan;
}

}  // namespace lumitag
