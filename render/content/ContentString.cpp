#include "render/content/ContentString.h"

#include "model/Log.h"

#include "render/content/RtfReader.h"
#include "render/content/RunSplitter.h"

namespace lumitag {

namespace {

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

void ParseRichText(std::string_view rtf, ContentParse& parse)
{
    RtfReadResult result = ReadRtf(rtf);
    // Damaged rich text still shows what could be read; say why it is short.
    if (result.status == RtfStatus::LimitReached)
        Log(LogLevel::Warning, "rich text content exceeds a reader limit; the rest is ignored");
    else if (result.status == RtfStatus::Truncated)
        Log(LogLevel::Info, "rich text content ends inside a group");
    parse.runs = SplitRuns(result.text);
}

void ParseGlyphText(std::string_view body, ContentParse& parse)
{
    parse.payload = std::string(TrimTrailingSpace(body));
    GlyphTokens tokens = TokeniseGlyphText(parse.payload);
    parse.glyphItems = std::move(tokens.items);
    if (tokens.hasSymbol) parse.hasSecondFrame = 1;
}

void ParseGlyphCodes(std::string_view body, ContentParse& parse)
{
    parse.payload = std::string(TrimTrailingSpace(body));
    parse.glyphCodes.clear();
    std::string_view rest = parse.payload;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view piece = rest.substr(0, comma);
        if (!piece.empty()) parse.glyphCodes.push_back(ReadDecimal(piece));
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
}

void ParseDateItem(std::string_view content, ContentParse& parse)
{
    parse.dateFlags.clear();
    const std::size_t close = content.size() > kDatePrefix.size()
                                  ? content.find(']', kDatePrefix.size())
                                  : std::string_view::npos;
    const std::string_view text = close == std::string_view::npos ? content : content.substr(close + 1);
    if (StartsWith(text, kRichTextPrefix)) {
        ParseRichText(text, parse);
        parse.dateTextIsRich = 1;
    } else if (StartsWith(text, kGlyphTextPrefix)) {
        ParseGlyphText(text.substr(kGlyphTextPrefix.size()), parse);
        parse.dateTextIsRich = 0;
    }
    if (close != std::string_view::npos)
        parse.dateFlags = std::string(content.substr(kDatePrefix.size(), close - kDatePrefix.size()));
}

void ParseImageList(std::string_view content, ContentParse& parse)
{
    parse.imagePaths.clear();
    for (std::size_t semicolon = content.find(';'); semicolon != std::string_view::npos;
         semicolon = content.find(';')) {
        parse.imagePaths.emplace_back(content.substr(0, semicolon));
        content.remove_prefix(semicolon + 1);
    }
}

}  // namespace

std::string_view TrimTrailingSpace(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(" \t\r\n\v\f");
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

ContentForm DetectContentForm(std::string_view content)
{
    if (StartsWith(content, kRichTextPrefix)) return ContentForm::RichText;
    if (StartsWith(content, kGlyphTextPrefix)) return ContentForm::GlyphText;
    if (StartsWith(content, kGlyphCodesPrefix)) return ContentForm::GlyphCodes;
    if (StartsWith(content, kDatePrefix)) return ContentForm::DateItem;
    return ContentForm::ImageList;
}

void ParseContent(std::string_view content, ContentParse& parse)
{
    parse.content = std::string(content);
    parse.form = DetectContentForm(content);
    parse.hasSecondFrame = 0;
    switch (parse.form) {
    case ContentForm::RichText: ParseRichText(content, parse); break;
    case ContentForm::GlyphText: ParseGlyphText(content.substr(kGlyphTextPrefix.size()), parse); break;
    case ContentForm::GlyphCodes: ParseGlyphCodes(content.substr(kGlyphCodesPrefix.size()), parse); break;
    case ContentForm::DateItem: ParseDateItem(content, parse); break;
    case ContentForm::ImageList: ParseImageList(content, parse); break;
    }
}

bool DateFlagShown(std::string_view flags, DatePart part)
{
    const auto index = static_cast<std::size_t>(part);
    if (index >= flags.size()) return false;
    const char flag = flags[index];
    return flag >= '1' && flag <= '9';
}

}  // namespace lumitag
