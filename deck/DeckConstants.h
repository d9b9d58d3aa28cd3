#pragma once

#include <string_view>

namespace tess {

// Texts and fixed fragments of the deck model.

// The root's fragment in a tree built by the reader, and in one the designer
// builds for a new document. The writer knows the root by "<wml".
inline constexpr std::string_view ReaderRootFragment = "<wml>";
inline constexpr std::string_view DesignerRootFragment = "<wml >";
inline constexpr std::string_view RootMarker = "<wml";

// New Card's two elements.
inline constexpr std::string_view NewCardFragment = "<card newcontext=\"false\" ordered=\"true\" >";
inline constexpr std::string_view NewParagraphFragment = "<p align=\"left\" >";

// The only entity references the writer keeps as entities.
inline constexpr std::string_view NbspFragment = "&nbsp;";
inline constexpr std::string_view ShyFragment = "&shy;";

// Writer.
inline constexpr std::string_view UnableToSaveFileText = "Unable to Save the File";

// Card list.
inline constexpr std::string_view CardListColumnTitle = "Cards";
inline constexpr std::string_view UnnamedCardLabel = "No Name";
inline constexpr std::string_view DeleteCardQuestion = "Are you sure you want to delete this card?";
inline constexpr std::string_view NewCardMenuText = "&New Card  ";
inline constexpr std::string_view DeleteCardMenuText = "&Delete";
inline constexpr std::string_view CardPropertiesMenuText = "Proper&ties...";

// Card property sheet: its caption, pages, labels and lists.
inline constexpr std::string_view CardSheetCaption = "Card Properties";
inline constexpr std::string_view CardPageTitle = "Card";
inline constexpr std::string_view ActionPageTitle = "Action";
inline constexpr std::string_view OrderedCardLabel = "&Ordered Card";
inline constexpr std::string_view NewContextLabel = "Ne&w Context";
inline constexpr std::string_view EventTypeLabel = "Action t&ype";
inline constexpr std::string_view TaskTypeLabel = "Ta&sk Type:";
inline constexpr std::string_view EventTypes[]
    = {"", "accept", "prev", "help", "reset", "options", "delete", "unknown"};
// In the order of the task type numbers 1 to 4.
inline constexpr std::string_view TaskTypeNames[] = {"prev", "noop", "refresh", "go"};
inline constexpr std::string_view HrefMissingMessage = "href Should not be empty";
inline constexpr std::string_view TaskTypeMissingMessage
    = "A Event should have atleast one task type";
// Input limits of the Card page, in characters.
inline constexpr int kCardTitleLimit = 30;
inline constexpr int kCardUrlLimit = 150;
inline constexpr int kCardXmlLangLimit = 2;
inline constexpr int kCardClassLimit = 30;
inline constexpr int kTimerNameLimit = 15;

} // namespace tess
