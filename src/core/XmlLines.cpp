// SPDX-FileCopyrightText: 2026 The Tavrel World Clock authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "XmlLines.h"

namespace wc {

std::string XmlEscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else
      out += c;
  }
  return out;
}

XmlLineWriter::XmlLineWriter() : out_("\xEF\xBB\xBF") { line(R"(<?xml version="1.0" encoding="UTF-8" ?>)"); }

void XmlLineWriter::line(std::string_view raw) {
  out_ += raw;
  out_ += "\r\n";
}

void XmlLineWriter::element(std::string_view name, std::string_view text) {
  out_ += '<';
  out_ += name;
  out_ += '>';
  const std::string escaped = XmlEscapeText(text);
  for (std::size_t i = 0; i < escaped.size(); ++i) {
    const char c = escaped[i];
    if (c == '\r') {
      if (i + 1 < escaped.size() && escaped[i + 1] == '\n') ++i;
      out_ += "\r\n";
    } else if (c == '\n') {
      out_ += "\r\n";
    } else {
      out_ += c;
    }
  }
  out_ += "</";
  out_ += name;
  out_ += ">\r\n";
}

}  // namespace wc
