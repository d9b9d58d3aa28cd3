#include "editor/CodeBlockProperties.h"

#include "editor/DesignConstants.h"
#include "editor/InputRules.h"

namespace tess {

std::string CodeBlockOpeningText(std::string_view fragment)
{
    return std::string(fragment.empty() ? CodeBlockPlaceholder : fragment);
}

std::string CodeBlockResult(std::string_view typed)
{
    std::string text(typed);
    for (std::string_view marker : {std::string_view("<%"), std::string_view("%>")}) {
        for (size_t at; (at = text.find(marker)) != std::string::npos;)
            text.replace(at, marker.size(), " ");
    }
    text = Trimmed(text);
    return text.empty() ? std::string(CodeBlockEmptiedText) : text;
}

} // namespace tess
