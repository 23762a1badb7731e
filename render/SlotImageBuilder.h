#pragma once
// Before every send the ten slots become the packed images the send worker
// frames: each slot's window renders one or two trimmed frames (kept on disk
// as Image/<id>_<frame>.bmp) and packs them for the model, or, on the two
// glyph-code models, the slot's glyph text becomes one byte per glyph.

#include "link/PackedImage.h"
#include "model/DeviceCatalogue.h"
#include "model/SlotParamTable.h"
#include "render/CImageWnd.h"

#include <array>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumitag {

class SignProgram;

inline constexpr int kFirstPreviewId = 20060;

// Sets a slot's window to the model (`settings` as ApplyModel left them) and
// the slot's parameters: rows, height override, paging, layout flag, Arabic
// flag and vertical offset.
void ConfigureSlotWindow(CImageWnd& window, std::string_view model, const ModelSettings& settings,
                         const SlotParamTable& params, int slot);

// Builds the frame-0 and frame-1 tables from the ten windows, in slot order.
void SlotImageBuilder(std::string_view model, const ModelSettings& settings, const SlotParamTable& params,
                      std::span<CImageWnd* const, kSlotCount> windows, PackedTables& tables);

// The payload a glyph-code model sends for a window's content ("" for forms
// without one).
std::string_view GlyphCodePayload(const CImageWnd& window);

// A picture of a slot to be sent that will not load: it takes no width, so
// the sign would get less than the user expects; a send asks first.
struct UnloadablePicture {
    int slot;  // 0-based
    std::string path;
};

// The first such picture among the slots the model shows and that are marked
// for sending; glyph-code models send no pictures.
std::optional<UnloadablePicture> FindUnloadablePicture(std::string_view model, const ModelSettings& settings,
                                                       SignProgram& program);
// Every such picture, in slot and list order; with `sentOnly` false, those of
// every slot the model shows (what a preview draws black).
std::vector<UnloadablePicture> FindUnloadablePictures(std::string_view model, const ModelSettings& settings,
                                                      SignProgram& program, bool sentOnly = true);

// Ten slot windows without any widget, for the command line, tests and
// benchmarks: give them the program and the model, then build.
class SlotWindows {
public:
    explicit SlotWindows(const GlyphCache* cache);

    // Where Data/ is read and Image/ written (ProgramFolder() by default).
    void SetProgramFolder(const std::filesystem::path& folder);
    // Where Data/ is read when it is not the program folder.
    void SetDataFolder(const std::filesystem::path& folder);
    // Preview size of every window (none by default: nothing is painted,
    // only measured).
    void SetClientSize(QSize size);

    void Load(std::string_view model, const ModelSettings& settings, const SlotParamTable& params,
              const std::array<std::string, kSlotCount>& contents);
    void Load(std::string_view model, const ModelSettings& settings, SignProgram& program);

    void Build(PackedTables& tables);

    CImageWnd& Window(int slot) { return windows_.at(slot); }

private:
    std::array<CImageWnd, kSlotCount> windows_;
    std::string model_;
    ModelSettings settings_;
    SlotParamTable params_;
};

}  // namespace lumitag
