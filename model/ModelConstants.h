#pragma once

#include <string_view>

namespace tess {

// Texts and fixed fragments of the deck model, with their resource numbers
// where they have one.

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

// Source scanner: where a code block starts, and the end of the file (with a
// blank the first time, without on every later call).
inline constexpr std::string_view ScannerCodeBlockTag = "ASP";
inline constexpr std::string_view ScannerFirstEndText = "EOF Detected ";
inline constexpr std::string_view ScannerEndText = "EOF Detected";

// Card list.
inline constexpr std::string_view CardListColumnTitle = "Cards";
inline constexpr std::string_view UnnamedCardLabel = "No Name";
inline constexpr std::string_view DeleteCardQuestion = "Are you sure you want to delete this card?";
inline constexpr int CardListMenuId = 159;
inline constexpr int IdNewCard = 32868;
inline constexpr int IdDeleteCard = 32866;
inline constexpr int IdCardProperties = 32867;
inline constexpr std::string_view NewCardMenuText = "&New Card  ";
inline constexpr std::string_view DeleteCardMenuText = "&Delete";
inline constexpr std::string_view CardPropertiesMenuText = "Proper&ties...";

} // namespace tess
