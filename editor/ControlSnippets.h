#pragma once

#include "deck/ElementKind.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tess {

struct CardSheetData;
struct TextFields;

// The commands of the W&ML Controls menu and the Designing bar that insert
// something.
enum class ControlCommand {
    Anchor,
    Select,
    Input,
    Text,
    Option,
    Image,
    Optgroup,
    AspTag,
    JspTag,
    Card,
    Para
};

// What a command arms on the design surface and how its source text ends.
struct ControlCommandInfo
{
    ControlCommand command;
    // The kind armed on the Design tab; none for Para, which leaves it.
    std::optional<ElementKind> armedKind;
    // The tool flag it ticks (DeckDocument::ToolFlag); -1 leaves the flags.
    int tool;
    // Appended to the dialog's result in the code view.
    std::string_view closing;
};

const ControlCommandInfo &ControlCommandOf(ControlCommand command);

// What the commands read of a document: the tabs and the file kind.
struct ControlContext
{
    // Opened without a design: the first tab is "Code", or a page whose
    // tabs do not switch.
    bool codeOnly = false;
    bool codeTabActive = false;
    bool xmlTreeActive = false;
    bool asp = false;
    bool jsp = false;
};

enum class ControlWay { Design, Source };
ControlWay ChooseControlWay(ControlCommand command, const ControlContext &context);

struct ControlCommandState
{
    bool enabled = true;
    bool checked = false;

    friend bool operator==(const ControlCommandState &, const ControlCommandState &) = default;
};
using ToolFlags = std::array<bool, 8>;
ControlCommandState ControlCommandStateOf(ControlCommand command, const ControlContext &context,
                                          const ToolFlags &tools);

// The text typed into the code view after a dialog's OK; empty when there is
// nothing to insert. `result` is the dialog's tag (for Anchor and Option the
// start tag followed by the words).
std::string ControlSourceText(ControlCommand command, std::string_view result);
// Text: the chosen formatting around the words, then a break.
std::string TextSourceText(const TextFields &fields);
// Card: a whole new card from the property sheet, without a leading line
// feed.
std::string CardSourceText(const CardSheetData &sheet);
std::string_view ParaSourceText();

} // namespace tess
