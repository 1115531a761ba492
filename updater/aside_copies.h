// The list of aside copies (previous copies of files that were in use when an
// update replaced them), kept in Update.xml as a second child of its root,
// after the file list, so that a later start can delete them once nothing
// holds them any more:
//   <previous><copy file="Vorn_Login.exe.previous-1c-2f0a-0"/></previous>
// Only the root's attributes and its first child carry the update protocol,
// so the list changes nothing for readers of the rest.
#pragma once
#include <tinyxml.h>

#include <string>

namespace zarnel {

void RecordAsideCopy(TiXmlElement* root, const std::string& file);

// Only what finish names an aside copy is ever deleted: a relative name in
// the install folder holding ".previous-", whatever else Update.xml lists.
bool IsAsideCopyName(const std::string& file);

// Deletes every listed copy it can and drops it (and a copy already gone)
// from the list; the list element goes once empty. True when the document
// changed and should be saved.
bool RemoveAsideCopies(TiXmlElement* root);

}  // namespace zarnel
