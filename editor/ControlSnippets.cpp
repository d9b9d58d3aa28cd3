#include "editor/ControlSnippets.h"

#include "deck/ElementKind.h"
#include "editor/CardRebuild.h"
#include "editor/DeckDocument.h"
#include "editor/TextProperties.h"

#include <algorithm>

namespace tess {

namespace {

static_assert(std::tuple_size_v<ToolFlags> == DeckDocument::ToolCount);

constexpr int kNoTool = -1;

// In the order of ControlCommand, which indexes it.
constexpr ControlCommandInfo kCommands[] = {
    {ControlCommand::Anchor, ElementKind::Anchor, DeckDocument::ToolAnchor, "\n</a>"},
    {ControlCommand::Select, ElementKind::Select, DeckDocument::ToolSelect, "\n</select>"},
    {ControlCommand::Input, ElementKind::Input, DeckDocument::ToolInput, ""},
    {ControlCommand::Text, ElementKind::Text, DeckDocument::ToolText, ""},
    {ControlCommand::Option, ElementKind::Option, DeckDocument::ToolOption, "\n</option>"},
    {ControlCommand::Image, ElementKind::Image, DeckDocument::ToolImage, ""},
    {ControlCommand::Optgroup, ElementKind::Optgroup, DeckDocument::ToolOptgroup, "\n</optgroup>"},
    {ControlCommand::AspTag, ElementKind::Asp, kNoTool, ""},
    {ControlCommand::JspTag, ElementKind::Jsp, kNoTool, ""},
    {ControlCommand::Card, ElementKind::Card, kNoTool, ""},
    {ControlCommand::Para, std::nullopt, kNoTool, ""},
};

constexpr std::string_view kParaText = "<p align=\"left\">\n</p>";
constexpr std::string_view kCardEnd = "\n</card>";
constexpr std::string_view kDoEnd = "\n</do>";
constexpr std::string_view kTextBreak = "\n<br/>";

// The end tag of an event's task: the first of these found in its string.
constexpr std::pair<std::string_view, std::string_view> kTaskEnds[] = {
    {"<prev", "\n</prev>"},
    {"<go", "\n</go>"},
    {"<noop", "\n</noop>"},
    {"<refresh", "\n</refresh>"},
};

bool isDialogControl(ControlCommand command)
{
    const ControlCommandInfo &info = ControlCommandOf(command);
    return info.tool != kNoTool;
}

} // namespace

const ControlCommandInfo &ControlCommandOf(ControlCommand command)
{
    return kCommands[static_cast<int>(command)];
}

ControlWay ChooseControlWay(ControlCommand command, const ControlContext &context)
{
    if (command == ControlCommand::AspTag || command == ControlCommand::JspTag)
        return ControlWay::Design;
    if (context.codeOnly)
        return ControlWay::Source;
    return context.codeTabActive ? ControlWay::Source : ControlWay::Design;
}

ControlCommandState ControlCommandStateOf(ControlCommand command, const ControlContext &context,
                                          const ToolFlags &tools)
{
    switch (command) {
    case ControlCommand::AspTag:
        return {context.asp, false};
    case ControlCommand::JspTag:
        return {context.jsp, false};
    case ControlCommand::Card:
    case ControlCommand::Para:
        return {context.codeOnly || context.codeTabActive, false};
    default: {
        const int tool = ControlCommandOf(command).tool;
        return {!context.xmlTreeActive, tools[static_cast<size_t>(tool)]};
    }
    }
}

std::string ControlSourceText(ControlCommand command, std::string_view result)
{
    if (result.empty() || !isDialogControl(command) || command == ControlCommand::Text)
        return {};
    std::string text = "\n";
    text += result;
    // The dialogs end their start tag with " >"; an empty element ends "/>".
    if (command == ControlCommand::Input || command == ControlCommand::Image) {
        if (result.size() >= 2)
            text[text.size() - 2] = '/';
        return text;
    }
    return text += ControlCommandOf(command).closing;
}

std::string TextSourceText(const TextFields &fields)
{
    if (fields.text.empty())
        return {};
    const std::pair<bool, std::string_view> tags[] = {
        {fields.emphasis, "em"},
        {fields.strong, "strong"},
        {fields.underline, "u"},
        {fields.italic, "i"},
        {fields.size == TextSize::Big, "big"},
        {fields.size == TextSize::Small, "small"},
    };
    std::string text = "\n";
    for (const auto &[on, name] : tags) {
        if (on)
            text.append("\n<").append(name).append(" >");
    }
    text.append("\n\t").append(fields.text).append(kTextBreak);
    for (auto it = std::rbegin(tags); it != std::rend(tags); ++it) {
        if (it->first)
            text.append("\n</").append(it->second).append(">");
    }
    return text;
}

std::string CardSourceText(const CardSheetData &sheet)
{
    if (sheet.cardFragment.empty())
        return {};
    std::string text = sheet.cardFragment + "\n";
    if (sheet.timerFragment.find('=') != std::string::npos)
        text += sheet.timerFragment;
    for (const std::string &event : sheet.events) {
        text.append("\n").append(event);
        const auto *end
            = std::find_if(std::begin(kTaskEnds), std::end(kTaskEnds), [&event](const auto &task) {
                  return event.find(task.first) != std::string::npos;
              });
        if (end != std::end(kTaskEnds))
            text += end->second;
        text += kDoEnd;
    }
    return text.append("\n").append(kParaText).append(kCardEnd);
}

std::string_view ParaSourceText()
{
    return kParaText;
}

} // namespace tess
