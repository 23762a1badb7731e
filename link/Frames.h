#pragma once
// The frames of every send protocol and of the service commands, built as
// pure functions of the model settings, the addressed sign, the slot
// parameters and the packed images. A send is a plan: the frames in order,
// each with the pause that follows it and what it counts for progress.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "link/LocalTime.h"
#include "link/PackedImage.h"
#include "model/DeviceCatalogue.h"
#include "model/SlotParamTable.h"

namespace lumitag {

using Bytes = std::vector<std::uint8_t>;

struct FrameStep {
    Bytes bytes;                   // empty: a pause on its own
    int pauseMs = 0;               // pause after the frame
    bool pauseInFileMode = false;  // the pause is kept when writing to a file
    bool frameDone = false;        // frame-done step after the frame and its pause
    long long progressUnits = 0;   // what the frame counts toward the job's total
};

struct SendPlan {
    std::vector<FrameStep> steps;
    long long totalUnits = 0;
    // The paged protocol reports (100, done) even when it stopped on a failure.
    bool doneMessageOnFailure = false;
};

// Who the frames address and how.
struct LinkTarget {
    ModelSettings model;
    int signId = 1;       // 1..256; frames carry its low byte
    bool idMode = false;  // "485" mode: the Hello and paged frames carry the ID too
};

// The number of slots a send walks: the model's slot count, never more than
// the tables hold.
int SlotsToSend(const ModelSettings& model);

// ((speed + 8*marquee) << 4) + (effect + 8*blink), marquee and blink as 0/1.
std::uint8_t ModeByte(const SlotParamTable& params, int slot);
// Bus effect code of an effect index of menu 1.
std::uint8_t BusEffectCode(int effectIndex);

// Protocols 0, 1, 4: two passes of header, parameter frame and data pieces.
SendPlan BuildHelloSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables);
// Protocol 3: glyph codes and a 12-byte frame per slot.
SendPlan BuildGlyphSlotSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables);
// Protocol 2: 273-byte slot headers and data frames.
SendPlan BuildPagedSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables);
// Protocol 5: 276-byte addressed frames or 8-byte clear frames.
SendPlan BuildBusSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables);
// The sequence of the target model's protocol; nothing for an unknown protocol.
std::optional<SendPlan> BuildSend(const LinkTarget& target, const SlotParamTable& params, const PackedTables& tables);

// Service frames. The clock frames never carry the sign ID.
std::vector<Bytes> ClockFrames(LinkProtocol protocol, const LocalTime& time);
Bytes ScanFrame(int signId);
Bytes IdReadRequestFrame(LinkProtocol protocol);
Bytes IdChangeFrame(LinkProtocol protocol, int oldId, int newId);
Bytes PowerFrame(int signId, bool on);

// Sign IDs the service calls accept.
inline bool IsValidSignId(int id) { return id >= 1 && id <= 256; }

}  // namespace lumitag
