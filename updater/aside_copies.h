// The list of aside copies (previous copies of files that were in use when an
// update replaced them), kept in Update.xml as a second child of its root,
// after the file list, so that a later start can delete them once nothing
// holds them any more:
//   <previous><copy file="Vorn_Login.exe.previous-1c-2f0a-0"/>
//             <copy file="a.dll.previous-1c-2f0b-0" destination="a.dll"/></previous>
// A copy listed with its destination is the installed file itself, stranded
// when a replacement failed and it could not be moved back: it is moved back
// once the destination is free, and never deleted while that is missing.
// Only the root's attributes and its first child carry the update protocol,
// so the list changes nothing for readers of the rest.
#pragma once
#include <tinyxml.h>

#include <string>

namespace zarnel {

// destination: given only for a stranded copy (put_in_place.h's kStranded).
void RecordAsideCopy(TiXmlElement* root, const std::string& file,
                     const std::string& destination = std::string());

// Only what finish names an aside copy is ever deleted: a relative name in
// the install folder holding ".previous-", whatever else Update.xml lists.
bool IsAsideCopyName(const std::string& file);

// Deletes every listed copy it can and drops it (and a copy already gone)
// from the list; moves a stranded copy back when its destination is missing.
// The list element goes once empty. True when the document changed and
// should be saved; *stranded (when given) says whether an installed file
// still lies under its aside name only.
bool RemoveAsideCopies(TiXmlElement* root, bool* stranded = nullptr);

}  // namespace zarnel
