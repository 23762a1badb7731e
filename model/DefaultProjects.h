#pragma once
// The three default projects the program carries inside itself (resources of
// type "FILES": 177, 242 and 243). A work file that is missing, or that the
// user resets with New or a change of model group, is written from one of them.

#include <cstdint>
#include <span>

namespace lumitag {

inline constexpr int kDefaultProject = 177;        // most models, and always at start-up
inline constexpr int kDefaultProjectPaged = 242;   // Q29..Q36
inline constexpr int kDefaultProjectTwoPlane = 243;  // Q07..Q13 (same bytes as 242)

// The exact file bytes of a default project: UTF-16LE with the mark FF FE and
// CR LF lines. Empty for an identifier that is not a default project.
std::span<const std::uint8_t> DefaultProjectBytes(int resource);

}  // namespace lumitag
