#include "wml/XmlEntityGuard.h"

#include "wml/XmlParserRuntime.h"

#include <libxml/entities.h>

#include <string>
#include <unordered_map>

namespace tess {

namespace {

class ExpansionMeter
{
public:
    explicit ExpansionMeter(xmlDocPtr doc, uint64_t limit)
        : m_doc(doc)
        , m_limit(limit)
    { }

    // Bytes the reference expands to, saturated just above the limit.
    uint64_t ofReference(xmlNodePtr ref)
    {
        xmlEntityPtr entity = nullptr;
        if (ref->children && ref->children->type == XML_ENTITY_DECL)
            entity = reinterpret_cast<xmlEntityPtr>(ref->children);
        else
            entity = xmlGetDocEntity(m_doc, ref->name);
        return entity ? ofEntity(entity) : 0;
    }

private:
    static constexpr uint64_t kInProgress = UINT64_MAX;

    uint64_t capped(uint64_t n) const { return n > m_limit ? m_limit + 1 : n; }

    uint64_t ofEntity(xmlEntityPtr entity)
    {
        auto it = m_sizes.find(entity);
        if (it != m_sizes.end())
            // An entity met again while it is being measured refers to
            // itself: count it as unbounded.
            return it->second == kInProgress ? m_limit + 1 : it->second;
        if (!entity->children)
            return m_sizes[entity] = capped(uint64_t(entity->length > 0 ? entity->length : 0));
        m_sizes[entity] = kInProgress;
        uint64_t total = ofList(entity->children);
        return m_sizes[entity] = total;
    }

    uint64_t ofList(xmlNodePtr node)
    {
        uint64_t total = 0;
        for (; node && total <= m_limit; node = node->next) {
            switch (node->type) {
            case XML_TEXT_NODE:
            case XML_CDATA_SECTION_NODE:
                total += node->content ? xmlStrlen(node->content) : 0;
                break;
            case XML_ENTITY_REF_NODE:
                total += ofReference(node);
                break;
            case XML_ELEMENT_NODE:
                total += ofList(node->children);
                break;
            default:
                break;
            }
        }
        return capped(total);
    }

    xmlDocPtr m_doc;
    uint64_t m_limit;
    std::unordered_map<xmlEntityPtr, uint64_t> m_sizes;
};

} // namespace

bool checkEntityExpansion(xmlDocPtr doc, uint64_t limit, XmlLoadState &state)
{
    if (!doc || (!doc->intSubset && !doc->extSubset))
        return true;
    ExpansionMeter meter(doc, limit);
    uint64_t total = 0;
    auto refused = [&](xmlNodePtr at) {
        state.fail(XML_ERR_ENTITY_LOOP, int(xmlGetLineNo(at)), 0,
                   "Entity references expand to more than " + std::to_string(limit)
                       + " bytes; the document is refused");
        return false;
    };
    // Iterative walk over the elements; attribute values hold references too.
    xmlNodePtr node = doc->children;
    while (node) {
        if (node->type == XML_ENTITY_REF_NODE) {
            total += meter.ofReference(node);
            if (total > limit)
                return refused(node);
        } else if (node->type == XML_ELEMENT_NODE) {
            for (xmlAttrPtr attr = node->properties; attr; attr = attr->next) {
                for (xmlNodePtr part = attr->children; part; part = part->next) {
                    if (part->type == XML_ENTITY_REF_NODE)
                        total += meter.ofReference(part);
                }
            }
            if (total > limit)
                return refused(node);
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (node && !node->next && node->parent
               && node->parent != reinterpret_cast<xmlNodePtr>(doc))
            node = node->parent;
        node = node ? node->next : nullptr;
    }
    return true;
}

bool entityExpansionWithin(xmlDocPtr doc, const std::vector<xmlNodePtr> &references, uint64_t limit)
{
    if (!doc || (!doc->intSubset && !doc->extSubset))
        return true;
    ExpansionMeter meter(doc, limit);
    uint64_t total = 0;
    for (xmlNodePtr ref : references) {
        total += meter.ofReference(ref);
        if (total > limit)
            return false;
    }
    return true;
}

} // namespace tess
