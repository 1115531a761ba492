// The deepest element level of a parsed document, for the tests and fuzz
// targets that compare it with the nesting rule. Walked without recursion:
// a document the rule wrongly let through may be too deep for that.
#pragma once
#include <tinyxml.h>

inline int ElementDepth(const TiXmlNode& top) {
    int deepest = 0;
    int level = 1;
    for (const TiXmlNode* node = top.FirstChild(); node;) {
        if (node->ToElement() && level > deepest) deepest = level;
        if (node->FirstChild()) {
            node = node->FirstChild();
            ++level;
            continue;
        }
        for (; node != &top && !node->NextSibling(); node = node->Parent()) --level;
        node = node == &top ? nullptr : node->NextSibling();
    }
    return deepest;
}
