// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The few XML operations the program's files need, on pugixml, and the one
// way every reader loads such a file: a file that is not well-formed is set
// aside under a new name and reported in one sentence, never overwritten.

#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "AtomicFile.h"

namespace wc {

enum class XmlLoadStatus {
  Ok,
  Missing,     // no such file: the caller's lists stay empty, nothing is said
  Unreadable,  // exists but cannot be read (permissions, I/O): left where it is
  Malformed,   // not well-formed XML: set aside as <file>.bad-<timestamp>
};

struct XmlLoadResult {
  XmlLoadStatus status = XmlLoadStatus::Missing;
  // For Unreadable and Malformed: one message for a message box, naming the
  // file and, when malformed, the line and column where it breaks.
  std::string error;
  // Where a malformed file (or, for a list, its copy) now is; empty if it
  // could not be moved or copied.
  std::string setAsidePath;
  bool ok() const { return status == XmlLoadStatus::Ok; }
};

// What becomes of a file that is not well-formed.
enum class XmlDamage {
  // Nothing is read from it; it is renamed out of the way of every save.
  SetAside,
  // A list file (one record per element of the root): every record before
  // the damage is kept in the document, the file stays where it is, and a
  // copy is kept under the set-aside name. The file's error then names the
  // file and the damage; the caller adds how many records were kept
  // (KeptRecordsText) and writes the list back only once the user was told.
  KeepCompleteRecords,
};

// The one way the program parses XML: comments and processing instructions
// are kept as nodes, so that saving a document keeps them.
pugi::xml_parse_result ParseXml(std::string_view bytes, pugi::xml_document& doc);

// Loads the whole file into doc (encoding from the byte-order mark or the
// declaration, UTF-8 when undeclared). doc is left empty unless the result is
// Ok, or Malformed with KeepCompleteRecords.
XmlLoadResult LoadXmlFile(const std::string& path, pugi::xml_document& doc,
                          XmlDamage damage = XmlDamage::SetAside);

// The sentence that completes a damaged list's message: how many records
// (named one / many) were kept, and where the copy of the file is.
std::string KeptRecordsText(std::size_t kept, std::string_view one, std::string_view many,
                            const XmlLoadResult& file);

// The value of an element: its text content with references resolved (the
// text and CDATA children joined; comments and nested elements left out).
std::string NodeValue(pugi::xml_node node);
// The same without a copy when the element has one text child (the usual
// case); otherwise the texts are joined in `joined`, which the view points into.
std::string_view NodeValueView(pugi::xml_node node, std::string& joined);

// The first child element with this exact name, or an empty node.
pugi::xml_node NodeByName(pugi::xml_node parent, std::string_view name);

// Replaces the element's content by the text.
void SetNodeText(pugi::xml_node node, std::string_view text);

// A new child element at the end of parent's children.
pugi::xml_node NodeNew(pugi::xml_node parent, std::string_view name);

// Create-or-update: the first child of that name gets the text, otherwise a
// new child with it is appended.
pugi::xml_node WriteString(pugi::xml_node parent, std::string_view name, std::string_view text);

// Removes the node with its subtree.
void DeleteNode(pugi::xml_node node);

// Removes, below root, every element that has neither text nor child
// elements, innermost first, so an element emptied that way goes too. The
// root itself always stays: a document without one could not be read back.
void DeleteEmptyNodes(pugi::xml_node root);

// The document as UTF-8 text, "&" and "<" written as references; indented
// unless it nests too deep for indentation to stay small.
std::string XmlToString(const pugi::xml_document& doc);

// XmlToString written atomically.
FileResult SaveXmlFile(const pugi::xml_document& doc, const std::string& path);

}  // namespace wc
