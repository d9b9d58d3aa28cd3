#include "deck/DeckWriter.h"

#include "deck/DeckConstants.h"
#include "deck/SourceConstants.h"
#include "deck/StartTag.h"
#include "wml/XmlEscape.h"

namespace tess {

namespace {

constexpr std::string_view CommentStart = "<!--";
constexpr std::string_view CommentEnd = "-->";
constexpr std::string_view CDataStart = "<![CDATA[";
constexpr std::string_view CDataEnd = "]]>";
constexpr std::string_view InstructionStart = "<?";
constexpr std::string_view InstructionEnd = "?>";

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != std::string_view::npos;
         pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out.append(to);
    }
    out.append(text, pos);
    return out;
}

std::string withoutCodeMarkers(std::string_view code)
{
    return replaceAll(replaceAll(code, ServerCodeStartMarker, ""), ServerCodeEndMarker, "");
}

void refuse(std::vector<std::string> *refused, const std::string &fragment)
{
    if (refused)
        refused->push_back(fragment);
}

void appendOrRefuse(XmlDocument &doc, XmlNode parent, XmlNode child, bool &ok)
{
    if (!child || !doc.appendChild(parent, child))
        ok = false;
}

// Stored text is escaped as it stands in a file. Each "&nbsp;" or "&shy;" in
// it becomes an entity reference node of its own; the rest is one text node
// per run, which the serializer escapes again.
bool appendText(XmlDocument &doc, XmlNode parent, std::string_view fragment)
{
    bool ok = true;
    const auto appendRun = [&](std::string_view run) {
        if (!run.empty())
            appendOrRefuse(doc, parent, doc.createTextNode(UnescapeXml(run)), ok);
    };
    size_t from = 0;
    for (size_t amp = fragment.find('&'); amp != std::string_view::npos;
         amp = fragment.find('&', amp + 1)) {
        const std::string_view rest = fragment.substr(amp);
        const std::string_view entity = rest.starts_with(NbspFragment) ? NbspFragment
            : rest.starts_with(ShyFragment)                            ? ShyFragment
                                                                       : std::string_view();
        if (entity.empty())
            continue;
        appendRun(fragment.substr(from, amp - from));
        appendOrRefuse(doc, parent,
                       doc.createEntityReference(std::string(entity.substr(1, entity.size() - 2))),
                       ok);
        from = amp + entity.size();
        amp = from - 1;
    }
    appendRun(fragment.substr(from));
    return ok;
}

// Makes the XML node of one deck node under `parent`; returns the XML parent
// of the node's children.
XmlNode emit(const DeckNode &node, XmlNode parent, XmlDocument &doc,
             std::vector<std::string> *refused)
{
    const std::string &fragment = node.fragment();
    // The tree's root stands for the wml element, which the caller made.
    if (!node.element || (!node.parent && fragment.starts_with(RootMarker)))
        return parent;
    const ClassifiedFragment c = ClassifyFragment(*node.element);
    bool ok = true;
    switch (c.kind) {
    case FragmentClass::Nothing:
        break;
    case FragmentClass::Element: {
        XmlNode element = doc.createElement(c.name);
        if (!element || !doc.appendChild(parent, element)) {
            refuse(refused, fragment);
            return parent;
        }
        for (const XmlAttribute &a : c.attributes) {
            if (!doc.setAttribute(element, a.name, a.value))
                ok = false;
        }
        if (!ok)
            refuse(refused, fragment);
        return element;
    }
    case FragmentClass::EntityReference:
        appendOrRefuse(doc, parent, doc.createEntityReference(c.name), ok);
        break;
    case FragmentClass::Comment:
        appendOrRefuse(doc, parent, doc.createComment(c.text), ok);
        break;
    case FragmentClass::CData:
        appendOrRefuse(doc, parent, doc.createCDataSection(c.text), ok);
        break;
    case FragmentClass::Instruction:
        appendOrRefuse(doc, parent, doc.createProcessingInstruction(c.name, c.text), ok);
        break;
    case FragmentClass::Text:
        ok = appendText(doc, parent, c.text);
        break;
    case FragmentClass::ServerCode:
        appendOrRefuse(doc, parent,
                       doc.createTextNode(std::string(ServerCodeStartMarker) + c.text
                                          + std::string(ServerCodeEndMarker)),
                       ok);
        break;
    }
    if (!ok)
        refuse(refused, fragment);
    return parent;
}

} // namespace

ClassifiedFragment ClassifyFragment(const Element &element)
{
    ClassifiedFragment c;
    const std::string_view f = element.fragment();
    if (element.kind == ElementKind::Asp || element.kind == ElementKind::Jsp) {
        c.kind = FragmentClass::ServerCode;
        c.text = withoutCodeMarkers(f);
        return c;
    }
    if (f.empty())
        return c;
    if (f.front() == '&') {
        if (f == NbspFragment || f == ShyFragment) {
            c.kind = FragmentClass::EntityReference;
            c.name = f.substr(1, f.size() - 2);
        } else {
            c.kind = FragmentClass::Text;
            c.text = f;
        }
        return c;
    }
    if (f.starts_with(CDataStart)) {
        const size_t end = f.rfind(CDataEnd);
        c.kind = FragmentClass::CData;
        c.text = f.substr(CDataStart.size(),
                          end == std::string_view::npos || end < CDataStart.size()
                              ? std::string_view::npos
                              : end - CDataStart.size());
        return c;
    }
    if (const size_t start = f.find(CommentStart); start != std::string_view::npos) {
        // The end is looked for after the start, so "-->" before "<!--"
        // cannot make the text run backwards; without an end the comment
        // runs to the fragment's end.
        const size_t textStart = start + CommentStart.size();
        const size_t end = f.rfind(CommentEnd);
        c.kind = FragmentClass::Comment;
        c.text = f.substr(textStart,
                          end == std::string_view::npos || end < textStart ? std::string_view::npos
                                                                           : end - textStart);
        return c;
    }
    if (f.starts_with(InstructionStart)) {
        size_t end = f.rfind(InstructionEnd);
        if (end == std::string_view::npos || end < InstructionStart.size())
            end = f.size();
        const std::string_view body
            = f.substr(InstructionStart.size(), end - InstructionStart.size());
        size_t blank = 0;
        while (blank < body.size() && !IsXmlBlank(body[blank]))
            ++blank;
        size_t data = blank;
        while (data < body.size() && IsXmlBlank(body[data]))
            ++data;
        c.kind = FragmentClass::Instruction;
        c.name = body.substr(0, blank);
        c.text = body.substr(data);
        return c;
    }
    if (f.find('<') == std::string_view::npos) {
        c.kind = FragmentClass::Text;
        c.text = f;
        return c;
    }
    const StartTag &tag = element.tag();
    c.kind = FragmentClass::Element;
    c.name = tag.name();
    for (const TagAttribute &a : tag.attributes())
        c.attributes.push_back({std::string(a.name), UnescapeXml(a.value)});
    c.malformed = tag.malformed();
    return c;
}

DeckNode *Walk(DeckNode *node, XmlNode xmlParent, XmlDocument &doc, int stopId,
               std::vector<std::string> *refused)
{
    if (!node)
        return nullptr;
    struct Level
    {
        DeckNode *next; // the next child to emit
        XmlNode parent;
    };
    const XmlNode top = emit(*node, xmlParent, doc, refused);
    if (node->id() == stopId)
        return node;
    std::vector<Level> levels {{node->firstChild, top}};
    DeckNode *last = node;
    while (!levels.empty()) {
        DeckNode *child = levels.back().next;
        if (!child) {
            levels.pop_back();
            continue;
        }
        levels.back().next = child->nextSibling;
        const XmlNode childParent = emit(*child, levels.back().parent, doc, refused);
        last = child;
        if (child->id() == stopId)
            return child;
        if (child->firstChild)
            levels.push_back({child->firstChild, childParent});
    }
    return last;
}

bool BuildDeckDocument(const DeckModel &model, XmlDocument &doc, std::vector<std::string> *refused)
{
    XmlNode wml = doc.createElement("wml");
    if (!doc.appendChild({}, wml))
        return false;
    if (const DeckNode *root = model.root(); root && root->element) {
        for (const XmlAttribute &a : ClassifyFragment(*root->element).attributes) {
            if (!doc.setAttribute(wml, a.name, a.value) && refused)
                refused->push_back(root->fragment());
        }
    }
    // No node has identifier 0: the walk visits every node.
    Walk(model.root(), wml, doc, 0, refused);
    return true;
}

} // namespace tess
