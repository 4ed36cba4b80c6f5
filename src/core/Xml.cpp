// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Xml.h"

#include <algorithm>
#include <sstream>

namespace wc {

namespace {

// pugixml reports where parsing stopped as an offset; people want a line and
// a column. Columns count characters, not UTF-8 bytes.
void LineAndColumn(std::string_view text, std::size_t offset, std::size_t& line, std::size_t& column) {
  line = 1;
  column = 1;
  if (offset > text.size()) offset = text.size();
  const std::size_t from = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;  // a byte-order mark is no column
  for (std::size_t i = from; i < offset; ++i) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      column = 1;
    } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80 && c != '\r') {
      ++column;
    }
  }
}

bool HasText(pugi::xml_node node) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if ((c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) && *c.value()) return true;
  }
  return false;
}

bool HasChildElement(pugi::xml_node node) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element) return true;
  }
  return false;
}

}  // namespace

pugi::xml_parse_result ParseXml(std::string_view bytes, pugi::xml_document& doc) {
  // Comments and processing instructions are kept, so that a document the
  // program rewrites keeps what someone wrote there by hand.
  return doc.load_buffer(bytes.data(), bytes.size(),
                         pugi::parse_default | pugi::parse_comments | pugi::parse_pi, pugi::encoding_auto);
}

namespace {

// After a failed parse doc holds what came before the damage. Of the root's
// elements, all but the last were closed before the next began; the last is
// whole only when its own end tag came before the damage, which a parse of
// the text up to such a tag, with the root closed after it, shows (a few
// tags are tried: one inside the damage may look like it). Offsets are the
// text's own only for UTF-8; otherwise the last element is given up.
void KeepCompleteRecords(std::string_view text, const pugi::xml_parse_result& parsed,
                         pugi::xml_document& doc) {
  const pugi::xml_node root = doc.document_element();
  pugi::xml_node last = root.last_child();
  while (last && last.type() != pugi::node_element) last = last.previous_sibling();
  if (!last) return;
  if (parsed.encoding == pugi::encoding_utf8 && last.offset_debug() > 0) {
    const std::string endTag = std::string("</") + last.name();
    const std::size_t start = static_cast<std::size_t>(last.offset_debug());
    std::size_t at = std::min(static_cast<std::size_t>(parsed.offset), text.size());
    for (int tries = 0; tries < 4 && at > start; ++tries, --at) {
      at = text.rfind(endTag, at);
      if (at == std::string_view::npos || at <= start) break;
      std::size_t close = at + endTag.size();
      while (close < text.size() &&
             (text[close] == ' ' || text[close] == '\t' || text[close] == '\r' || text[close] == '\n'))
        ++close;
      if (close >= text.size() || text[close] != '>') continue;
      std::string whole(text.substr(0, close + 1));
      whole += std::string("</") + root.name() + ">";
      pugi::xml_document closed;
      if (ParseXml(whole, closed)) {
        doc.reset(closed);
        return;
      }
    }
  }
  DeleteNode(last);
}

}  // namespace

XmlLoadResult LoadXmlFile(const std::string& path, pugi::xml_document& doc, XmlDamage damage) {
  doc.reset();
  XmlLoadResult r;
  ReadResult file = ReadWholeFile(path);
  if (file.status == ReadStatus::Missing) {
    r.status = XmlLoadStatus::Missing;
    return r;
  }
  if (file.status != ReadStatus::Ok) {
    r.status = XmlLoadStatus::Unreadable;
    r.error = file.error + ". The file was left as it is.";
    return r;
  }
  const pugi::xml_parse_result parsed = ParseXml(file.bytes, doc);
  if (parsed) {
    r.status = XmlLoadStatus::Ok;
    return r;
  }
  r.status = XmlLoadStatus::Malformed;
  std::ostringstream msg;
  msg << "The file \"" << path << "\" is damaged: " << parsed.description();
  if (parsed.encoding == pugi::encoding_utf8 || parsed.encoding == pugi::encoding_latin1) {
    std::size_t line = 0, column = 0;
    LineAndColumn(file.bytes, static_cast<std::size_t>(parsed.offset), line, column);
    msg << " (line " << line << ", column " << column << ")";
  } else {
    msg << " (at character " << parsed.offset + 1 << ")";
  }
  msg << ".";
  if (damage == XmlDamage::KeepCompleteRecords) {
    KeepCompleteRecords(file.bytes, parsed, doc);
    if (auto copy = KeepCopyOfBadFile(path)) r.setAsidePath = *copy;
    r.error = msg.str();
    return r;
  }
  doc.reset();
  if (auto aside = SetAsideBadFile(path)) {
    r.setAsidePath = *aside;
    msg << " It has been kept as \"" << *aside << "\"; nothing will be read from it.";
  } else {
    msg << " It could not be renamed and is left as it is; it will not be overwritten.";
  }
  r.error = msg.str();
  return r;
}

std::string KeptRecordsText(std::size_t kept, std::string_view one, std::string_view many,
                            const XmlLoadResult& file) {
  std::string text =
      kept == 0   ? "Nothing before the damage could be read"
      : kept == 1 ? "The " + std::string(one) + " before the damage was kept"
                  : "The " + std::to_string(kept) + " " + std::string(many) + " before the damage were kept";
  if (file.setAsidePath.empty())
    return text + "; the file could not be copied and is left as it is: it will not be overwritten.";
  return text + "; a copy of the damaged file has been kept as \"" + file.setAsidePath + "\".";
}

std::string_view NodeValueView(pugi::xml_node node, std::string& joined) {
  pugi::xml_node c = node.first_child();
  if (c && !c.next_sibling() && (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata))
    return c.value();
  joined.clear();
  for (; c; c = c.next_sibling()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) joined += c.value();
  }
  return joined;
}

std::string NodeValue(pugi::xml_node node) {
  std::string joined;
  const std::string_view v = NodeValueView(node, joined);
  return v.data() == joined.data() ? joined : std::string(v);
}

pugi::xml_node NodeByName(pugi::xml_node parent, std::string_view name) {
  for (pugi::xml_node c = parent.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_element && name == c.name()) return c;
  }
  return {};
}

namespace {

// pugixml frees a removed node's subtree recursively, one call per level,
// which a deeply nested document turns into a stack overflow (first seen
// with Windows' smaller stacks): take the subtree apart from its leaves up.
void RemoveSubtree(pugi::xml_node node) {
  pugi::xml_node parent = node.parent();
  if (!parent) return;
  pugi::xml_node n = node;
  for (;;) {
    while (pugi::xml_node c = n.last_child()) n = c;
    if (n == node) break;
    pugi::xml_node up = n.parent();
    up.remove_child(n);
    n = up;
  }
  parent.remove_child(node);
}

}  // namespace

void SetNodeText(pugi::xml_node node, std::string_view text) {
  while (pugi::xml_node c = node.first_child()) RemoveSubtree(c);
  if (!text.empty()) node.append_child(pugi::node_pcdata).set_value(std::string(text).c_str());
}

pugi::xml_node NodeNew(pugi::xml_node parent, std::string_view name) {
  return parent.append_child(std::string(name).c_str());
}

pugi::xml_node WriteString(pugi::xml_node parent, std::string_view name, std::string_view text) {
  pugi::xml_node node = NodeByName(parent, name);
  if (!node) node = NodeNew(parent, name);
  SetNodeText(node, text);
  return node;
}

void DeleteNode(pugi::xml_node node) { RemoveSubtree(node); }

void DeleteEmptyNodes(pugi::xml_node root) {
  // Depth first, children before their parent, without recursion: a
  // document may nest deeper than any stack.
  pugi::xml_node node = root.first_child();
  while (node) {
    if (node.type() == pugi::node_element && node.first_child()) {
      node = node.first_child();
      continue;
    }
    // node is finished; finish its ancestors whose last child it was.
    while (true) {
      const pugi::xml_node next = node.next_sibling();
      pugi::xml_node parent = node.parent();
      if (node.type() == pugi::node_element && !HasText(node) && !HasChildElement(node))
        parent.remove_child(node);
      if (next) {
        node = next;
        break;
      }
      if (parent == root) return;
      node = parent;
    }
  }
}

namespace {

// Deeper than this, two spaces of indent per level would make the text grow
// with the square of the depth; such a document is written unindented.
constexpr int kMaxIndentedDepth = 32;

int DepthOf(const pugi::xml_document& doc) {
  int deepest = 0;
  int depth = 0;
  pugi::xml_node node = doc.first_child();
  while (node) {
    deepest = std::max(deepest, depth);
    if (node.first_child()) {
      node = node.first_child();
      ++depth;
      continue;
    }
    while (node && !node.next_sibling()) {
      node = node.parent();
      --depth;
    }
    if (node) node = node.next_sibling();
  }
  return deepest;
}

}  // namespace

std::string XmlToString(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, DepthOf(doc) <= kMaxIndentedDepth ? "  " : "", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

FileResult SaveXmlFile(const pugi::xml_document& doc, const std::string& path) {
  return WriteFileAtomically(path, XmlToString(doc));
}

}  // namespace wc
