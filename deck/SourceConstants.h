#pragma once

#include <string_view>

namespace tess {

// Texts of the source subsystem.

// The prologue used with a local DTD; the DTD path follows in double quotes,
// then ">".
inline constexpr std::string_view PrologueLocalDtdText
    = "<?xml version=\"1.0\"?>\r\n<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" ";

// The prologue naming the published WML 1.1 DTD; no blank comes before the
// XML declaration, since nothing may precede one.
inline constexpr std::string_view ProloguePublicDtdText
    = "<?xml version=\"1.0\"?>  <!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">";

// Where a code block of the design starts and ends while it travels through
// the XML writer as text: the private-use characters U+E000 and U+E001 (in
// UTF-8), which no deck's own text holds, so a deck full of accented letters
// is never mistaken for code. Between them the code stands escaped as text.
inline constexpr std::string_view ServerCodeStartMarker = "\xEE\x80\x80";
inline constexpr std::string_view ServerCodeEndMarker = "\xEE\x80\x81";
inline constexpr std::string_view ServerCodeStartSource = "<%";
inline constexpr std::string_view ServerCodeEndSource = "%>";

// The message of a deck file that cannot be read (the spelling is the
// program's own).
inline constexpr std::string_view MixedFileOpenFailedText = "MixedFile opening failed!!";

// Compilation and validation: the output window's messages.
inline constexpr char ParseErrorFormat[] = "Error 0x%.8X on line %d, position %d\r\n";
inline constexpr std::string_view CompileSuccessText = "Compilations Done - No Errors Found !!!";
inline constexpr std::string_view BuildingTreeViewText = "Building Tree View...";

// XML tree view: the image strip (16-pixel images, white shows through), the
// top item's label and the refusal to move a select's only option.
inline constexpr char TreeImagesResource[] = ":/icons/tree-node-images.xpm";
inline constexpr int TreeImageWidth = 16;
inline constexpr std::string_view TreeRootLabel = "#document";
inline constexpr std::string_view LastOptionText = "Selection Should have atleast one Option";

// The document's tab window: its tabs and the texts it shows.
inline constexpr std::string_view DesignTabLabel = "Design";
inline constexpr std::string_view CodeTabLabel = "Code";
inline constexpr std::string_view TreeTabLabel = "XML Tree";
inline constexpr std::string_view UnableToOpenFileText = "Unable to Open File. Quitting.";
// A click on the Design or XML Tree tab of a server page.
inline constexpr std::string_view ServerPageCodeOnlyText
    = "ASP and JSP pages are edited in the Code tab";
// A design change would drop server code that only the code holds.
inline constexpr std::string_view CodeOutsideTextRefusal
    = "This deck holds server code outside paragraph text (between cards, in attribute values "
      "or in server scripts), which the design cannot keep. Make this change in the Code tab.";
inline constexpr std::string_view PreviewNeedsSaveText
    = "Emulator launch failed: save file prior to preview";
inline constexpr std::string_view CompilationErrorText = "Error in Compilation";
// What the code view of a new ASP or JSP page starts with: the page's
// content type, then an empty deck that validates.
inline constexpr std::string_view NewAspPageText
    = "<%@ Language=VBScript %>\n"
      "<% Response.ContentType = \"text/vnd.wap.wml\" %>\n";
inline constexpr std::string_view NewJspPageText = "<%@ page contentType=\"text/vnd.wap.wml\" %>\n";
inline constexpr std::string_view NewPageDeckText
    = "<?xml version=\"1.0\"?>\n"
      "<!DOCTYPE wml PUBLIC \"-//WAPFORUM//DTD WML 1.1//EN\" "
      "\"http://www.wapforum.org/DTD/wml_1.1.xml\">\n"
      "<wml>\n\t<card>\n\t\t<p>\n\t\t</p>\n\t</card>\n</wml>\n";

} // namespace tess
