#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <vector>

namespace tess {

struct XmlLoadState;

// Refuses a parsed document whose entity references, once replaced, would
// hold more than `limit` bytes (nested "laughs" entities, or one big entity
// referenced many times). Entities stay references in the DOM, but whoever
// reads the text of the tree expands them. Records the failure in `state`
// at the first reference that crosses the limit; false when refused.
bool checkEntityExpansion(xmlDocPtr doc, uint64_t limit, XmlLoadState &state);

// The same verdict from the document's entity reference nodes, noted while it
// was parsed (in any order), without walking the tree and without saying
// where: true when they stay within the limit.
bool entityExpansionWithin(xmlDocPtr doc, const std::vector<xmlNodePtr> &references,
                           uint64_t limit);

} // namespace tess
