// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's own XML files (reminders, clock lists) are written line by
// line rather than through the document: UTF-8 with a byte-order mark, every
// line ended by CR LF, no indentation, "&" and "<" as references. They are
// read back with the XML reader (Xml.h).

#include <string>
#include <string_view>

namespace wc {

// "&" as "&amp;" and "<" as "&lt;"; everything else as it is.
std::string XmlEscapeText(std::string_view text);

class XmlLineWriter {
 public:
  // Starts with the byte-order mark and the declaration line.
  XmlLineWriter();

  // A line as given, followed by CR LF.
  void line(std::string_view raw);
  // <name>text</name> with the text escaped. A line break inside the text
  // (LF, CR LF or a lone CR) is written as the file's CR LF, so the element
  // spans several lines and the reader, which folds CR LF to LF, gives the
  // text back with LF breaks.
  void element(std::string_view name, std::string_view text);

  const std::string& bytes() const { return out_; }

 private:
  std::string out_;
};

}  // namespace wc
