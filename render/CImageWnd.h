#pragma once
// A slot's content as the sign shows it. One per slot row of the main window
// and one in each editor: it holds the parsed content and the window state,
// paints the preview picture that the widget shows, and renders the slot for
// sending. No widget here: the GUI shows Picture() and forwards clicks, and
// the CLI uses the object as it is.

#include "render/GlyphCache.h"
#include "render/GlyphPaths.h"
#include "render/TextRasteriser.h"
#include "render/content/ContentString.h"

#include <QImage>
#include <QSize>

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumitag {

class CImageWnd {
public:
    // `controlId` names the slot image files (20060 + slot in the main window).
    explicit CImageWnd(int controlId = 0);

    int ControlId() const { return controlId_; }

    // Window state written by the owner; every change discards the picture.
    void SetRows(int rows);
    void SetHeightOverride(int rows);
    void SetPaging(int pageWidth, int pagePitch);
    void SetLayoutFlag(int flag);
    void SetArabic(int arabic);
    void SetVerticalOffset(int offset);
    void SetClientSize(QSize size);
    void SetGlyphCache(const GlyphCache* cache);
    // Where Data/ is read and Image/ written; ProgramFolder() by default.
    void SetProgramFolder(std::filesystem::path folder);
    // Where Data/ is read when it is not the program folder (an installed
    // program); DataFolder() by default.
    void SetDataFolder(std::filesystem::path folder);

    int Rows() const { return rows_; }
    int HeightOverride() const { return heightOverride_; }
    int LayoutFlag() const { return layout_.layoutFlag; }
    QSize ClientSize() const { return clientSize_; }

    // Parses `content` (UTF-8) and discards the picture; a date item starts
    // the clock (ClockRunning), anything else stops it.
    void SetContent(std::string_view content);
    const ContentParse& Parse() const { return parse_; }
    const GlyphPathLists& GlyphPaths() const { return glyphPaths_; }
    // Width of the content as drawn by the most recent pass.
    int ContentWidth() const { return contentWidth_; }

    // The preview picture (client-sized), painted when it was discarded.
    const QImage& Picture();
    void DiscardPicture() { picture_.reset(); }
    bool HasPicture() const { return picture_.has_value(); }

    // The one-second clock of a date item: the widget's timer calls Tick with
    // the local time (nullopt when it is unavailable); the picture follows.
    bool ClockRunning() const { return clockRunning_; }
    void Tick(std::optional<std::tm> now);

    // Renders frame `frame` (0 or 1) for sending, trimmed; a null image when
    // there is nothing to send for that frame.
    QImage RenderFrame(int frame);
    // RenderFrame written as Image/<controlId>_<frame>.bmp in the program
    // folder; returns the path, or "" when there is nothing to send.
    // `rendered`, when given, receives the image as RenderFrame gives it.
    std::string SaveFrameImage(int frame, QImage* rendered = nullptr);

    // The drawing passes, from x = 0; each records and returns the content width.
    int DrawRuns(QImage& target, bool drawEverything, int frame);
    int DrawGlyphList(QImage& target, bool drawEverything, int frame);
    int DrawGlyphCodes(QImage& target, bool drawEverything);
    int DrawImageList(QImage& target, bool drawEverything);

private:
    void RebuildGlyphPaths();
    void Paint();
    void DrawContent(QImage& target, bool drawEverything, int frame);
    int DrawPictures(QImage& target, bool drawEverything, const std::vector<std::string>& paths);
    void DrawDateText(QImage& target, int x);
    RunLayout Layout() const;

    int controlId_;
    int rows_ = 16;
    int heightOverride_ = 0;
    RunLayout layout_;
    QSize clientSize_;
    const GlyphCache* cache_ = nullptr;
    std::optional<std::filesystem::path> programFolder_;
    std::optional<std::filesystem::path> dataFolder_;
    ContentParse parse_;
    GlyphPathLists glyphPaths_;
    int contentWidth_ = 0;
    std::optional<QImage> picture_;
    bool clockRunning_ = false;
    std::optional<std::optional<std::tm>> clockTime_;  // set by Tick; else the current time
};

}  // namespace lumitag
